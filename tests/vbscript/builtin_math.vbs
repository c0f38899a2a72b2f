' Conformance script: maths — domains and errors, Int/Fix/Abs/Sgn/Round with their subtypes,
' banker's rounding in conversions and Round, and the Rnd/Randomize seed rules.
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

Dim r1, r2, r3, r4

Check Abs(Atn(1) * 4 - 3.14159265358979) < 1E-14, "Atn"
Check Cos(0) = 1 And Sin(0) = 0 And Tan(0) = 0, "Cos, Sin, Tan"
Check Abs(Exp(1) - 2.71828182845905) < 1E-14, "Exp"
Check ErrorOf("Exp(1000)") = 6, "Exp overflow"
Check Log(1) = 0, "Log"
Check ErrorOf("Log(0)") = 5, "Log(0)"
Check ErrorOf("Log(-1)") = 5, "Log of a negative number"
Check Sqr(4) = 2, "Sqr"
Check ErrorOf("Sqr(-1)") = 5, "Sqr of a negative number"
Check IsNull(Sqr(Null)), "Sqr(Null)"

Check Int(-8.4) = -9 And Fix(-8.4) = -8, "Int and Fix of negatives"
Check Int(8.7) = 8 And Fix(8.7) = 8, "Int and Fix of positives"
Check TypeName(Int(5)) = "Integer", "Int keeps Integer"
Check TypeName(Int(CCur(1.5))) = "Currency", "Int keeps Currency"
Check TypeName(Int("2.5")) = "Double", "Int of text is Double"
Check IsNull(Int(Null)), "Int(Null)"
Check Abs(-32768) = 32768 And TypeName(Abs(-32768)) = "Long", "Abs widens"
Check Sgn(-2.5) = -1 And Sgn(0) = 0 And Sgn(7) = 1, "Sgn"

Check Round(2.5) = 2 And Round(3.5) = 4 And Round(-2.5) = -2, "Round to even"
Check Round(2.567, 2) = 2.57, "Round with places"
Check Round(0.125, 2) = 0.12, "Round half to even with places"
Check ErrorOf("Round(1.5, -1)") = 5, "Round with negative places"
Check CInt(2.5) = 2 And CInt(3.5) = 4, "CInt rounds to even"
Check CLng(-2.5) = -2, "CLng rounds to even"
Check CByte(254.5) = 254, "CByte rounds to even"
Check ErrorOf("CInt(32767.5)") = 6, "CInt overflow after rounding"

' Rnd(negative) restarts the generator: the same number gives the same sequence.
r1 = Rnd(-1)
r2 = Rnd
Check Abs(r1 - 0.224007) < 0.000001, "Rnd(-1)"
Check Rnd(0) = r2, "Rnd(0) repeats the last number"
Check Rnd(-1) = r1 And Rnd = r2, "Rnd(-1) repeats the sequence"
Check TypeName(r1) = "Single", "Rnd gives a Single"
' Randomize with the same number repeats only right after Rnd(negative).
r1 = Rnd(-1)
Randomize 5
r3 = Rnd
r4 = Rnd
r1 = Rnd(-1)
Randomize 5
Check Rnd = r3 And Rnd = r4, "Rnd(-1) then Randomize repeats"
Randomize
r1 = Rnd
Check r1 >= 0 And r1 < 1, "Rnd lies in [0, 1)"

' Null: Sgn refuses it, Abs, Int, Fix and Round give Null
Check ErrorOf("Sgn(Null)") = 94, "Sgn(Null)"
Check IsNull(Abs(Null)), "Abs(Null)"
Check IsNull(Round(Null)), "Round(Null)"
' Round of a Boolean is the Boolean itself (Int of one is its Integer)
Check Round(True) = True And TypeName(Round(True)) = "Boolean", "Round(True)"
Check Round(False) = False And TypeName(Round(False)) = "Boolean", "Round(False)"
Check TypeName(Round(True, 2)) = "Boolean" And TypeName(Int(True)) = "Integer", "Round(True, 2)"
