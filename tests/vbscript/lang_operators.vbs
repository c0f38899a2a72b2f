' Operator precedence and associativity as the parser builds them (the operators' own type
' rules are tested with the operator functions).

Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    Err.Raise 1000, "Check", name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
  End If
  If actual <> expected Then Err.Raise 1000, "Check", name & ": got " & actual & ", expected " & expected
End Sub

Dim x2 : x2 = 2
Check "mul before add", 2 + 3 * 4, 14
' the sign belongs to its operand before ^ applies: -3 ^ 2 is 9 (unlike Visual Basic for Applications)
Check "negation before power", -3 ^ 2, CDbl(9)
Check "negation of a name before power", -x2 ^ 3, CDbl(-8)
Check "power of a negated exponent", 2 ^ -1 * 4, CDbl(2)
Check "negative exponent", 2 ^ -1, 0.5
Check "power left associative", 2 ^ 3 ^ 2, CDbl(64)
Check "intdiv after mul", 7 \ 2 * 2, 1
Check "mod after intdiv", 10 Mod 7 \ 2, 1
Check "add after mod", 1 + 7 Mod 4, 4
Check "concat after add", 1 + 2 & 3, "33"
Check "compare after concat", "a" & "b" = "ab", True
Check "not after compare", Not 1 = 2, True
Check "and before or", True Or False And False, True
Check "xor after or", True Xor True Or True, False
Check "subtraction left associative", 10 - 4 - 3, 3
Check "division left associative", 64 / 4 / 2, CDbl(8)
Check "parentheses", (2 + 3) * 4, 20
Check "unary minus in product", 3 * -2, -6
Check "double negation", - -5, 5
Check "hex literal", &HFF, 255
Check "hex literal integer wraps", &HFFFF, -1
Check "hex long", &HFFFF&, CLng(65535)
Check "octal literal", &O17, 15
Check "date literal", #1/2/2003#, DateSerial(2003, 1, 2)
Check "string with quotes", "say ""hi""", "say " & Chr(34) & "hi" & Chr(34)
Check "integer literal", TypeName(32767), "Integer"
Check "long literal", TypeName(32768), "Long"
Check "double literal", TypeName(2147483648), "Double"
Check "eqv", True Eqv False, False
Check "imp", False Imp False, True
Check "is nothing", Nothing Is Nothing, True
Check "keywords any case", tRuE AND NOT fAlSe, True
Check "null propagates", IsNull(Null + 1), True
Check "null and false", Null And False, False
Check "comparison chain", 1 < 2 = True, True

' appending to a variable's own text
Dim s, t, n
s = "a"
t = s
n = 5
s = s & "b" & n & Null & True
Check "append chain", s, "ab5True"
Check "copy unaffected", t, "a"
s = s & s
Check "append itself", s, "ab5Trueab5True"
n = Empty
s = "x"
s = s & n
Check "append empty", s, "x"

' A constant compared with a variable of the other kind takes the variable's kind first;
' two variables of different kinds compare number below text.
Dim nine, ten
nine = 9
ten = "10"
Check "number variable < text constant", nine < "1", False
Check "text variable < number constant", ten < 9, True
Check "text constant = number variable", "9" = nine, True
Check "variables of both kinds", nine = CStr(nine), False
Check "text constant that is no number", nine = "nine", False
Select Case nine
  Case "9": Check "select case with a text constant", True, True
  Case Else: Err.Raise 1000, "Check", "select case with a text constant did not match"
End Select

' hexadecimal and octal literals: Integer when they fit 16 bits; with the & suffix their
' 32-bit value, an Integer when it lies in -32768..32767 and a Long otherwise
Check "hex integer", &hFF, 255
Check "hex wraps to a negative integer", &hFFFF, -1
Dim suffixed
For Each suffixed In Array(Array(&h10&, 16), Array(&hFFF&, 4095), Array(&hFFFFFFFF&, -1), _
    Array(&hFFFF&, CLng(65535)), Array(&h10000&, CLng(65536)), Array(&h8000&, CLng(32768)), _
    Array(&o17&, 15), Array(&o37777777777&, -1), Array(&o177777&, CLng(65535)))
  Check "literal with the & suffix " & suffixed(1), suffixed(0), suffixed(1)
Next
Check "hex beyond 16 bits is long", &h10000, CLng(65536)
Check "hex long negative", &h80000000, CLng(-2147483648)
Check "octal", &o17, 15
' a literal glued to a keyword ends where the keyword starts
Check "hex glued to or", &h01or&h02, 3
Check "octal glued to or", &o7or&o10, 15
Check "octal glued to mod", &o17mod 4, 3

' =>, =< and >< are >=, <= and <>
Check "=> greater", 3 => 2, True
Check "=> equal", 2 => 2, True
Check "=< greater", 3 =< 2, False
Check "=< equal", 2 =< 2, True
Check "><", 2 >< 3, True
Check ">< equal", 2 >< 2, False

' Integer arithmetic keeps Integer up to the edges and turns Long beyond them
Dim small
small = CInt(-32768)
Check "integer sum at the top", 32766 + 1, 32767
Check "integer difference at the bottom", -32767 - 1, small
Check "integer product at the bottom", -16384 * 2, small
Check "integer division at the top", 32767 \ 1, 32767
Check "sum past the top turns long", 32767 + 1, CLng(32768)
Check "difference past the bottom turns long", small - 1, CLng(-32769)
Check "product past the top turns long", 256 * 128, CLng(32768)
Check "negated bottom turns long", -small, CLng(32768)
Check "integer division of the bottom by -1 turns long", small \ -1, CLng(32768)
Check "Mod at the bottom stays integer", small Mod 7, CInt(-1)
Check "byte sum turns integer", CByte(200) + CByte(100), 300

' a Single compared with a Double compares as Single
Check "single equals double", CSng(0.1) = 0.1, True
Check "single less than double", CSng(0.1) < 0.2, True
