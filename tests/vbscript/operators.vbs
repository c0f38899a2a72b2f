' Conformance script: operators — result subtypes, widening on overflow, Null and Empty rules,
' string/number coercion, integer division and Mod rounding, logical operators on Null, Is.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

' The error number an expression raises (0 when none).
Function ErrorOf(expression)
  Dim value
  On Error Resume Next
  value = Eval(expression)
  ErrorOf = Err.Number
  Err.Clear
End Function

Function Kind(value)
  If IsNull(value) Then
    Kind = "Null"
  Else
    Kind = TypeName(value) & ":" & CStr(value)
  End If
End Function

Dim e, n, t, o1, o2

' + and its subtypes
Check Kind(3 + 4) = "Integer:7", "Integer + Integer"
Check Kind(32767 + 1) = "Long:32768", "Integer overflow widens to Long"
Check Kind(2147483647 + 1) = "Double:2147483648", "Long overflow widens to Double"
Check Kind(CByte(200) + CByte(50)) = "Byte:250", "Byte + Byte"
Check Kind(CByte(200) + CByte(100)) = "Integer:300", "Byte overflow widens to Integer"
Check Kind(True + True) = "Integer:-2", "Boolean + Boolean"
Check Kind("3" + 4) = "Double:7", "numeric text + number"
Check Kind("3" + "4") = "String:34", "text + text concatenates"
Check Kind(e + e) = "Integer:0", "Empty + Empty"
Check Kind(e + "a") = "String:a", "Empty + text"
Check IsNull(Null + 1), "Null + 1"
Check Kind(#1/1/2000# + 1) = "Date:1/2/2000", "Date + number"
Check Kind(CCur(1.5) + 1) = "Currency:2.5", "Currency + Integer"
Check Kind(CSng(1.5) + 1) = "Single:2.5", "Single + Integer"
Check Kind(CSng(1.5) + CLng(1)) = "Double:2.5", "Single + Long"
Check ErrorOf("""a"" + 1") = 13, "text that is no number + number"
Check ErrorOf("1E308 + 1E308") = 6, "Double overflow"

' - * / \ Mod ^
Check Kind(#1/2/2000# - #1/1/2000#) = "Double:1", "Date - Date"
Check Kind(#1/2/2000# - 1) = "Date:1/1/2000", "Date - number"
Check Kind("10" - "4") = "Double:6", "text - text"
Check Kind(CByte(1) - CByte(2)) = "Integer:-1", "Byte below zero"
Check Kind(200 * 200) = "Long:40000", "Integer * Integer widens"
Check Kind(1 / 2) = "Double:0.5", "/ gives Double"
Check Kind(CSng(1) / 4) = "Single:0.25", "Single / Integer"
Check ErrorOf("1 / 0") = 11, "division by zero"
Check ErrorOf("0 / 0") = 6, "0 / 0 overflows"
Check Kind(7 \ 2) = "Integer:3", "\ Integers"
Check Kind(7.5 \ 2) = "Long:4", "\ rounds 7.5 to 8"
Check Kind(6.5 \ 2) = "Long:3", "\ rounds 6.5 to 6"
Check Kind(-7 \ 2) = "Integer:-3", "\ truncates toward zero"
Check ErrorOf("5 \ 0.4") = 11, "\ by a divisor that rounds to 0"
Check Kind(-7 Mod 3) = "Integer:-1", "Mod takes the dividend's sign"
Check Kind(5.5 Mod 3) = "Long:0", "Mod rounds 5.5 to 6"
Check Kind(4.5 Mod 3) = "Long:1", "Mod rounds 4.5 to 4"
Check ErrorOf("5 Mod 0") = 11, "Mod by zero"
Check Kind(2 ^ 10) = "Double:1024", "^ gives Double"
Check Kind((-2) ^ 3) = "Double:-8", "negative base, whole exponent"
Check ErrorOf("(-8) ^ (1 / 3)") = 5, "negative base, fractional exponent"
Check Kind(-(-32768)) = "Long:32768", "negation widens"
Check Kind(-True) = "Integer:1", "negated Boolean"
Check IsNull(-Null), "negated Null"

' &
Check Kind(Null & "x") = "String:x", "Null & text"
Check IsNull(Null & Null), "Null & Null"
Check Kind(1 & 2) = "String:12", "numbers concatenate"
Check Kind(True & "") = "String:True", "Boolean text"

' Logical operators
Check Kind(True And False) = "Boolean:False", "True And False"
Check Kind(Null And False) = "Boolean:False", "Null And False"
Check IsNull(Null And True), "Null And True"
Check Kind(Null Or True) = "Boolean:True", "Null Or True"
Check IsNull(Null Or False), "Null Or False"
Check IsNull(True Xor Null), "Xor with Null"
Check Kind(False Imp Null) = "Boolean:True", "False Imp Null"
Check Kind(Null Imp True) = "Boolean:True", "Null Imp True"
Check IsNull(True Imp Null), "True Imp Null"
Check Kind(12 And 10) = "Integer:8", "bitwise And"
Check Kind(12 Or 3) = "Integer:15", "bitwise Or"
Check Kind(5 Eqv 3) = "Integer:-7", "bitwise Eqv"
Check Kind(Not 0) = "Integer:-1", "Not 0"
Check Kind(Not CByte(0)) = "Byte:255", "Not Byte"
Check IsNull(Not Null), "Not Null"

' Comparisons
Check (1 = 1.0), "1 = 1.0"
Check ("a" < "b"), "a < b"
Check Not ("a" = "A"), "binary comparison by default"
Check IsNull(Null = Null), "Null = Null is Null"
Check (e = 0) And (e = ""), "Empty equals 0 and """""
Check (#1/1/2000# > 1), "Date against number"
n = 9
t = "1"
Check (n < t), "a number in a variable is less than text in a variable"

' Is
Set o1 = CreateObject("Scripting.Dictionary")
Set o2 = CreateObject("Scripting.Dictionary")
Check o1 Is o1, "Is: same object"
Check Not (o1 Is o2), "Is: different objects"
Check Nothing Is Nothing, "Nothing Is Nothing"
Check (+o1 Is o1), "unary + on an object is the object"
Check ErrorOf("1 Is Nothing") = 424, "Is needs objects"
