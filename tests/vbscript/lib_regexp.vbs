' Conformance script: New RegExp — properties, Test, Execute, Match, SubMatches, Replace,
' Global empty matches, IgnoreCase, Multiline, pattern errors.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

Function MakeRe(pattern, isGlobal, isIgnoreCase)
  Dim re
  Set re = New RegExp
  re.Pattern = pattern
  re.Global = isGlobal
  re.IgnoreCase = isIgnoreCase
  Set MakeRe = re
End Function

' "value@index" of every match, joined with "|"
Function Found(re, text)
  Dim m, s
  s = ""
  For Each m In re.Execute(text)
    If s <> "" Then s = s & "|"
    s = s & m.Value & "@" & m.FirstIndex
  Next
  Found = s
End Function

' The error number a pattern raises when used
Function PatternError(pattern)
  Dim re
  Set re = New RegExp
  re.Pattern = pattern
  On Error Resume Next
  re.Test "abc"
  PatternError = Err.Number
  Err.Clear
End Function

Dim re, ms, m, sm, s, n, i

' --- the object and its properties
Set re = New RegExp
Check TypeName(re) = "IRegExp2", "TypeName of RegExp"
Check re.Pattern = "", "default Pattern"
Check re.Global = False And re.IgnoreCase = False And re.Multiline = False, "default flags"
Check VarType(re.Global) = vbBoolean, "Global is Boolean"
re.Pattern = "a(b)"
re.GLOBAL = True
Check re.pattern = "a(b)", "Pattern reads back"
Check re.Global, "Global reads back"

' --- Test
Check MakeRe("b", False, False).Test("abc"), "Test finds b"
Check Not MakeRe("B", False, False).Test("abc"), "Test is case-sensitive"
Check MakeRe("B", False, True).Test("abc"), "IgnoreCase"
Check MakeRe("^\d{3}-\d{4}$", False, False).Test("555-1234"), "phone number"
Check Not MakeRe("^\d{3}-\d{4}$", False, False).Test("555-12345"), "phone number too long"
Check MakeRe("", False, False).Test(""), "empty pattern matches the empty string"

' --- Execute, Match
Set re = MakeRe("a.", False, False)
Set ms = re.Execute("xaxayaz")
Check TypeName(ms) = "IMatchCollection2", "TypeName of MatchCollection"
Check ms.Count = 1, "without Global Execute finds one match"
Set m = ms(0)
Check TypeName(m) = "IMatch2", "TypeName of Match"
Check m = "ax", "Value is the default member"
Check m.Value = "ax" And m.FirstIndex = 1 And m.Length = 2, "Match properties"
Check ms.Item(0).Value = "ax", "Item"
re.Global = True
Check Found(re, "xaxayaz") = "ax@1|ay@3|az@5", "Global finds every match"
Check re.Execute("nothing here").Count = 0, "no match: empty collection"

n = 0
For Each m In re.Execute("aa ab")
  n = n + 1
Next
Check n = 2, "For Each over matches"

On Error Resume Next
s = ms(1)
Check Err.Number = 5, "Item beyond the last match raises 5"
Err.Clear
On Error GoTo 0

' --- SubMatches
Set re = MakeRe("(\w+)@(\w+)(\.com)?", True, False)
Set ms = re.Execute("ann@home bob@work.com")
Check ms.Count = 2, "two addresses"
Set sm = ms(0).SubMatches
Check TypeName(sm) = "ISubMatches", "TypeName of SubMatches"
Check sm.Count = 3, "three groups"
Check sm(0) = "ann" And sm.Item(1) = "home", "group texts"
Check IsEmpty(sm(2)), "a group that took no part is Empty"
Check ms(1).SubMatches(2) = ".com", "optional group taken"
s = ""
For Each m In ms(1).SubMatches
  s = s & "[" & m & "]"
Next
Check s = "[bob][work][.com]", "For Each over SubMatches"
Check MakeRe("abc", False, False).Execute("abc")(0).SubMatches.Count = 0, "no groups"

' --- quantifiers, alternation, back references, look-ahead
Check Found(MakeRe("<.+?>", True, False), "<a><bc>") = "<a>@0|<bc>@3", "lazy quantifier"
Check Found(MakeRe("<.+>", True, False), "<a><bc>") = "<a><bc>@0", "greedy quantifier"
Check Found(MakeRe("a{2,3}", True, False), "aaaaaaa") = "aaa@0|aaa@3", "counted"
Check Found(MakeRe("(\w)\1", True, False), "abccdeef") = "cc@2|ee@5", "back reference"
Check Found(MakeRe("\w+(?=,)", True, False), "one, two, three") = "one@0|two@5", "look-ahead"
Check Found(MakeRe("\b\w(?!\w)", True, False), "a bc d") = "a@0|d@5", "negative look-ahead"
Check Found(MakeRe("cat|category", False, False), "category") = "cat@0", "alternatives in order"
Check Found(MakeRe("\bcat\b", True, False), "concat cat") = "cat@7", "word boundary"
Check Found(MakeRe("[^\s,]+", True, False), "x, y,z") = "x@0|y@3|z@5", "negated class"
Check MakeRe("^[\w.-]+$", False, False).Test("file-1.txt"), "class with . and -"
Check MakeRe("\x41\u0042\103", False, False).Test("ABC"), "hex, unicode and octal escapes"
Check MakeRe("a\tb", False, False).Test("a" & vbTab & "b"), "\t"

' --- Global empty matches advance one character
Check Found(MakeRe("a*", True, False), "baaac") = "@0|aaa@1|@4|@5", "empty matches"
Check MakeRe("a*", True, False).Execute("baaac").Count = 4, "four matches of a*"
Check MakeRe("x*", True, False).Replace("abc", "-") = "-a-b-c-", "Replace at empty matches"

' --- Replace
Check MakeRe("a", False, False).Replace("banana", "o") = "bonana", "Replace replaces one"
Check MakeRe("a", True, False).Replace("banana", "o") = "bonono", "Global replaces all"
Check MakeRe("(\w+) (\w+)", False, False).Replace("John Smith", "$2, $1") = "Smith, John", "$n"
Check MakeRe("b", False, False).Replace("abc", "[$&]") = "a[b]c", "$&"
Check MakeRe("b", False, False).Replace("abc", "[$`]") = "a[a]c", "$`"
Check MakeRe("b", False, False).Replace("abc", "[$']") = "a[c]c", "$'"
Check MakeRe("b", False, False).Replace("abc", "$$") = "a$c", "$$"
Check MakeRe("(b)", False, False).Replace("abc", "$2") = "a$2c", "$ with no such group"
Check MakeRe("(a)|(b)", True, False).Replace("ab", "[$2]") = "[][b]", "unmatched group gives nothing"
Check MakeRe("\s+", True, False).Replace("  a   b ", " ") = " a b ", "collapse blanks"
Check MakeRe("B", True, True).Replace("abAB", "x") = "axAx", "IgnoreCase Replace"

Function Bracket(match, group, position, source)
  Bracket = "<" & UCase(match) & position & ">"
End Function
Check MakeRe("(\w)", True, False).Replace("ab", GetRef("Bracket")) = "<A0><B1>", _
      "Replace with a function"

' --- Multiline
Set re = MakeRe("^\w+$", True, False)
Check re.Execute("one" & vbCrLf & "two").Count = 0, "without Multiline ^ and $ are the text's ends"
re.Multiline = True
Check Found(re, "one" & vbCrLf & "two" & vbLf & "three") = "one@0|two@5|three@9", "Multiline"
Check MakeRe("$", True, False).Execute("ab").Count = 1, "$ at the end"

' --- IgnoreCase beyond ASCII
Check MakeRe(ChrW(233), False, True).Test(ChrW(201)), "IgnoreCase on e acute"
Check MakeRe("[a-z]+", False, True).Execute("123ABC")(0).Length = 3, "IgnoreCase class"

' --- positions count characters
s = "caf" & ChrW(233) & " " & ChrW(8364) & "5"
Set m = MakeRe("\d", False, False).Execute(s)(0)
Check m.FirstIndex = 6 And m.Length = 1, "FirstIndex after non-ASCII characters"
Check Len(s) = 7, "Len agrees with FirstIndex"

' --- pattern errors are raised when the pattern is used
Check PatternError("(a") = 5020, "Expected ')'"
Check PatternError("[a") = 5019, "Expected ']'"
Check PatternError("[z-a]") = 5021, "Invalid range"
Check PatternError("*a") = 5018, "Unexpected quantifier"
Check PatternError("a**") = 5018, "Unexpected quantifier twice"
Check PatternError("a)") = 5017, "Syntax error"
Check PatternError("abc") = 0, "a good pattern raises nothing"

' --- a pattern that would backtrack without end ends with an error instead (this player's rule)
Set re = MakeRe("(a*)*b", False, False)
On Error Resume Next
re.Test String(30, "a")
n = Err.Number
On Error GoTo 0
Check n = 28, "runaway pattern raises 28"

' a Boolean replacement is converted by the object, as a number: True gives "-1"
Set re = MakeRe("b", True, False)
Check re.Replace("abcb", True) = "a-1c-1", "Replace with True"
Check re.Replace("abcb", False) = "a0c0", "Replace with False"

' --- CreateObject("VBScript.RegExp"), in any letter case, makes the same object as New RegExp
Set re = CreateObject("vbscript.REGEXP")
Check TypeName(re) = "IRegExp2", "CreateObject of VBScript.RegExp"
re.Pattern = "b+"
re.Global = True
Check re.Replace("abbcb", "-") = "a-c-", "a created RegExp searches"

WScript.Echo "lib_regexp: all checks passed"
