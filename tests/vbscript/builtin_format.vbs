' Conformance script: formatting under English (United States) settings — FormatNumber,
' FormatCurrency, FormatPercent with their options, and CStr of numbers and dates.
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

Check FormatNumber(1234.5) = "1,234.50", "FormatNumber defaults"
Check FormatNumber(-1234.5) = "-1,234.50", "FormatNumber negative"
Check FormatNumber(0.5, 2, vbFalse) = ".50", "FormatNumber without leading digit"
Check FormatNumber(-0.5, 2, vbTrue, vbTrue) = "(0.50)", "FormatNumber with parentheses"
Check FormatNumber(1234567, 0) = "1,234,567", "FormatNumber without places"
Check FormatNumber(1234.5, 2, vbTrue, vbFalse, vbFalse) = "1234.50", "FormatNumber without groups"
Check FormatNumber(1234.5, , , , vbFalse) = "1234.50", "FormatNumber with skipped arguments"
Check FormatNumber(0.125, 2) = "0.13", "FormatNumber rounds half away from zero"
Check FormatNumber(999.995, 2) = "1,000.00", "FormatNumber rounding carries"
Check FormatNumber("1234.5") = "1,234.50", "FormatNumber of text"
Check ErrorOf("FormatNumber(""abc"")") = 13, "FormatNumber of text that is no number"
Check FormatNumber(5, 3) = "5.000", "FormatNumber of an Integer"
Check FormatCurrency(1234.5) = "$1,234.50", "FormatCurrency"
Check FormatCurrency(-1234.5) = "($1,234.50)", "FormatCurrency negative"
Check FormatCurrency(-1, 2, vbTrue, vbFalse) = "-$1.00", "FormatCurrency negative without parentheses"
Check FormatPercent(0.125) = "12.50%", "FormatPercent"
Check FormatPercent(-0.5) = "-50.00%", "FormatPercent negative"
Check FormatPercent(-0.5, 0, vbTrue, vbTrue) = "(50%)", "FormatPercent with parentheses"
Check FormatPercent(12.34567, 1) = "1,234.6%", "FormatPercent groups"

Check CStr(0.1) = "0.1", "CStr of a Double"
Check CStr(1E+20) = "1E+20", "CStr of a large Double"
Check CStr(123456789012345) = "123456789012345", "CStr keeps 15 digits"
Check CStr(CSng(1.1)) = "1.1", "CStr of a Single"
Check CStr(CCur(1.5)) = "1.5", "CStr of Currency"
Check CStr(#1/2/2003#) = "1/2/2003", "CStr of a date"
Check CStr(#1:02:03 PM#) = "1:02:03 PM", "CStr of a time"
Check CStr(True) = "True", "CStr of True"

' Null has no number or date to format: a type mismatch, whatever the format
Check ErrorOf("FormatNumber(Null)") = 13, "FormatNumber(Null)"
Check ErrorOf("FormatCurrency(Null)") = 13, "FormatCurrency(Null)"
Check ErrorOf("FormatPercent(Null)") = 13, "FormatPercent(Null)"
Check ErrorOf("FormatDateTime(Null)") = 13 And ErrorOf("FormatDateTime(Null, 9)") = 13, _
  "FormatDateTime(Null)"
