' Constants: the built-in vb... constants keep the types the Windows engine gives them, and
' Const declarations keep the type of their literal.

Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    Err.Raise 1000, "Check", name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
  End If
  If actual <> expected Then Err.Raise 1000, "Check", name & ": got " & actual & ", expected " & expected
End Sub

' small enumerations are Integer
Check "vbInteger", vbInteger, 2
Check "vartype of vbInteger", VarType(vbInteger), vbInteger
Check "typename of vbString", TypeName(vbString), "Integer"
Check "vbArray", vbArray, 8192
Check "vbTextCompare", vbTextCompare, 1
Check "vbTrue", vbTrue, -1
Check "vbFalse", vbFalse, 0
Check "vbUseDefault", vbUseDefault, -2
Check "vbOK", vbOK, 1
Check "vbYesNo", vbYesNo, 4
Check "vbExclamation", vbExclamation, 48
Check "vbSystemModal", vbSystemModal, 4096
Check "vbSunday", vbSunday, 1
Check "vbFirstFullWeek", vbFirstFullWeek, 3
Check "vbShortTime", vbShortTime, 4
' colours, vbObjectError and flags beyond 16 bits are Long
Check "vbRed", vbRed, CLng(255)
Check "vbBlack", vbBlack, CLng(0)
Check "vbWhite", vbWhite, CLng(16777215)
Check "vbObjectError", vbObjectError, CLng(-2147221504)
Check "vbMsgBoxSetForeground", vbMsgBoxSetForeground, CLng(65536)
' text constants
Check "vbCrLf", vbCrLf, Chr(13) & Chr(10)
Check "vbNullString", vbNullString, ""
' arithmetic on Integer constants stays Integer while it fits
Check "sum of constants", vbYes + vbNo, 13
Check "constant in a Select", VarType("a") = vbString, True

' Const keeps its literal's type
Const small = 5, big = 100000, neg = -32768, text = "t"
Check "const integer", small, 5
Check "const long", big, CLng(100000)
Check "const negative bottom integer", neg, CInt(-32768)
Check "const text", text, "t"
