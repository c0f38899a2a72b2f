' Conformance script: string functions — Len, Left, Right, Mid, InStr, InStrRev, Replace,
' case, Trim, Space, String, StrReverse, StrComp, Asc/Chr (Windows-1252), Split, Join, Filter,
' Hex, Oct, Escape, and the limit on huge strings.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

Function ErrorOf(expression)
  Dim value
  On Error Resume Next
  value = Eval(expression)
  ErrorOf = Err.Number
  Err.Clear
End Function

Dim a, s

Check Len("abc") = 3, "Len"
Check IsNull(Len(Null)), "Len(Null)"
Check Len(123) = 3, "Len of a number"
Check TypeName(Len("a")) = "Long", "Len gives a Long"
Check Left("abc", 2) = "ab", "Left"
Check Left("abc", 5) = "abc", "Left beyond the end"
Check ErrorOf("Left(""abc"", -1)") = 5, "Left with a negative length"
Check IsNull(Left(Null, 1)), "Left(Null)"
Check ErrorOf("Left(""abc"", Null)") = 94, "Left with a Null length"
Check Right("abc", 2) = "bc", "Right"
Check Mid("abcdef", 2, 3) = "bcd", "Mid"
Check Mid("abc", 2) = "bc", "Mid to the end"
Check Mid("abc", 5) = "", "Mid beyond the end"
Check ErrorOf("Mid(""abc"", 0)") = 5, "Mid from 0"

Check InStr("abcabc", "c") = 3, "InStr"
Check InStr(4, "abcabc", "c") = 6, "InStr with start"
Check InStr("abc", "") = 1, "InStr of """""
Check InStr(1, "ABC", "b", vbTextCompare) = 2, "InStr text compare"
Check InStr(1, "ABC", "b", vbBinaryCompare) = 0, "InStr binary compare"
Check IsNull(InStr("abc", Null)), "InStr with Null"
Check ErrorOf("InStr(0, ""a"", ""a"")") = 5, "InStr from 0"
Check InStr(5, "abc", "c") = 0, "InStr start beyond the end"
Check InStrRev("abcabc", "c") = 6, "InStrRev"
Check InStrRev("abcabc", "c", 5) = 3, "InStrRev with start"
Check InStrRev("abcabc", "bc", 2) = 0, "InStrRev: the match must end by start"
Check InStrRev("ABCABC", "b", -1, vbTextCompare) = 5, "InStrRev text compare"

Check Replace("aaa", "a", "b") = "bbb", "Replace"
Check Replace("abcabc", "b", "X", 3) = "caXc", "Replace returns the text from start"
Check Replace("abcabc", "b", "X", 1, 1) = "aXcabc", "Replace with count"
Check Replace("ABC", "b", "x", 1, -1, vbTextCompare) = "AxC", "Replace text compare"
Check Replace("abc", "", "x") = "abc", "Replace of """""
Check Replace("aa", "a", "aa") = "aaaa", "Replace does not rescan"
Check ErrorOf("Replace(""abc"", ""a"", ""b"", 0)") = 5, "Replace from 0"

Check LCase("ABC") = "abc", "LCase"
Check UCase("abc") = "ABC", "UCase"
Check UCase(ChrW(233)) = ChrW(201), "UCase of e acute"
Check IsNull(UCase(Null)), "UCase(Null)"
Check Trim("  a b  ") = "a b", "Trim"
Check LTrim("  a ") = "a ", "LTrim"
Check RTrim("  a ") = "  a", "RTrim"
Check Trim(vbTab & "a") = vbTab & "a", "Trim leaves tabs"
Check Space(3) = "   ", "Space"
Check String(3, "ab") = "aaa", "String with text"
Check String(3, 65) = "AAA", "String with a code"
Check ErrorOf("String(-1, ""x"")") = 5, "String with a negative count"
s = ErrorOf("String(1000000000, ""x"")")
Check s = 14 Or s = 7, "String of a billion characters fails instead of exhausting memory"
Check StrReverse("abc") = "cba", "StrReverse"
Check StrComp("a", "b") = -1, "StrComp less"
Check StrComp("b", "a") = 1, "StrComp greater"
Check StrComp("A", "a", vbTextCompare) = 0, "StrComp text compare"
Check StrComp("A", "a") = -1, "StrComp binary"
Check IsNull(StrComp(Null, "a")), "StrComp with Null"

Check Asc("A") = 65, "Asc"
Check Asc(Chr(128)) = 128, "Asc of Chr(128)"
Check AscW(Chr(128)) = 8364, "Chr(128) is the euro sign"
Check ErrorOf("Asc("""")") = 5, "Asc of """""
Check Chr(65) = "A", "Chr"
Check ErrorOf("Chr(256)") = 5, "Chr beyond 255"
Check ChrW(8364) = Chr(128), "ChrW"
Check AscW(ChrW(-1)) = -1, "ChrW(-1) and AscW are 16-bit"
Check Len(ChrW(8364)) = 1, "Len counts characters"

a = Split("a,b,c", ",")
Check UBound(a) = 2 And a(1) = "b", "Split"
a = Split("a b")
Check UBound(a) = 1, "Split on spaces by default"
a = Split("")
Check UBound(a) = -1, "Split of """" is empty"
a = Split("a,b,c,d", ",", 2)
Check UBound(a) = 1 And a(1) = "b,c,d", "Split with count"
a = Split("aXbxc", "x", -1, vbTextCompare)
Check UBound(a) = 2, "Split text compare"
Check Join(Array("a", "b"), "-") = "a-b", "Join"
Check Join(Array(1, 2)) = "1 2", "Join with the default delimiter"
Check ErrorOf("Join(""abc"")") = 13, "Join of a non-array"
a = Filter(Array("apple", "banana", "cherry"), "an")
Check UBound(a) = 0 And a(0) = "banana", "Filter"
a = Filter(Array("apple", "banana", "cherry"), "an", False)
Check Join(a, ",") = "apple,cherry", "Filter excluding"
a = Filter(Array("Apple"), "a", True, vbTextCompare)
Check UBound(a) = 0, "Filter text compare"

Check Hex(255) = "FF", "Hex"
Check Hex(-1) = "FFFF", "Hex of an Integer"
Check Hex(CLng(-1)) = "FFFFFFFF", "Hex of a Long"
Check IsNull(Hex(Null)), "Hex(Null)"
Check Oct(8) = "10", "Oct"
Check Escape("a b&c") = "a%20b%26c", "Escape"
Check Unescape("%41%u20AC") = "A" & ChrW(8364), "Unescape"

' multi-character, empty and overlapping arguments
Check Replace("abab", "ab", "X") = "XX", "Replace of a two-character text"
Check Replace("aaa", "aa", "b") = "ba", "Replace of overlapping matches takes them left to right"
Check Replace("aaaa", "aa", "a") = "aa", "Replace does not search its own output"
Check Replace("abcabc", "bc", "") = "aa", "Replace with an empty replacement"
Check Replace("abc", "", "x") = "abc", "Replace of an empty text changes nothing"
Check Replace("abcabc", "BC", "-", 1, -1, vbTextCompare) = "a-a-", "Replace text compare, longer find"
Check Replace("abcabc", "bc", "-", 3) = "ca-", "Replace from a start inside a match"
Check Replace("abcabc", "bc", "-", 1, 1) = "a-abc", "Replace once"
Check Replace("abc", "abcd", "x") = "abc", "Replace of a text longer than the expression"
s = "abc"
Check InStr(Len(s) + 1, s, "") = 4, "InStr of """" just past the end"
Check InStr(Len(s) + 2, s, "") = 0, "InStr of """" beyond the end"
Check InStr(Len(s) + 1, s, "c") = 0, "InStr from just past the end"
Check InStr("aaa", "aa") = 1, "InStr of an overlapping text"
Check InStr(2, "aaa", "aa") = 2, "InStr of an overlapping text from 2"
Check InStr("abc", "abcd") = 0, "InStr of a longer text"
Check InStrRev("aaa", "aa") = 2, "InStrRev of an overlapping text"
Check InStrRev("abcabc", "bc") = 5, "InStrRev of a two-character text"
Check InStrRev("abcabc", "bc", 5) = 2, "InStrRev when the match would pass start"
Check InStrRev("abcabc", "bc", 6) = 5, "InStrRev when the match ends at start"
Check InStrRev("abc", "", 2) = 2, "InStrRev of """" from a start"
Check InStrRev("abc", "") = 3, "InStrRev of """" from the end"
Check InStrRev("abc", "x", 4) = 0, "InStrRev from beyond the end"
Check InStrRev("abc", "abcd") = 0, "InStrRev of a longer text"
a = Split("one<->two<->three", "<->")
Check UBound(a) = 2 And a(0) = "one" And a(1) = "two" And a(2) = "three", "Split with a long delimiter"
a = Split("a<><>b", "<>")
Check UBound(a) = 2 And a(1) = "", "Split with adjacent long delimiters"
a = Split("xx", "xx")
Check UBound(a) = 1 And a(0) = "" And a(1) = "", "Split of the delimiter alone"
a = Split("aaa", "aa")
Check UBound(a) = 1 And a(1) = "a", "Split with an overlapping delimiter"
a = Split("1ab2AB3", "Ab", -1, vbTextCompare)
Check UBound(a) = 2 And a(2) = "3", "Split text compare with a long delimiter"
a = Split("a--b--c", "--", 2)
Check UBound(a) = 1 And a(1) = "b--c", "Split with a count and a long delimiter"

' Null: Mid, InStrRev, Replace and Split refuse it; InStr, Left and Len give Null
Check ErrorOf("Mid(Null, 1)") = 94, "Mid(Null)"
Check ErrorOf("Mid(""abc"", Null)") = 94, "Mid with a Null start"
' a Null length is refused before the start is looked at
Check ErrorOf("Mid(""abc"", 0, Null)") = 94 And ErrorOf("Mid(""abc"", -1, Null)") = 94 And _
  ErrorOf("Mid(""abc"", ""a"", Null)") = 94, "Mid with a Null length and a bad start"
Check ErrorOf("InStrRev(Null, ""a"")") = 94, "InStrRev(Null)"
Check ErrorOf("InStrRev(""abc"", Null)") = 94, "InStrRev of Null"
Check ErrorOf("InStrRev(""abc"", ""a"", Null)") = 94, "InStrRev from Null"
Check ErrorOf("Replace(Null, ""a"", ""b"")") = 94, "Replace(Null)"
Check ErrorOf("Split(Null)") = 94, "Split(Null)"
Check IsNull(InStr(Null, "a")), "InStr(Null)"
Check IsNull(InStr("a", Null)), "InStr of Null"
