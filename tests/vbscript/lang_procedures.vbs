' Procedures: ByRef and ByVal, parentheses at calls, results, recursion, scope, GetRef.

Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    Err.Raise 1000, "Check", name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
  End If
  If actual <> expected Then Err.Raise 1000, "Check", name & ": got " & actual & ", expected " & expected
End Sub

Function ErrorOf(code)
  On Error Resume Next
  Execute code
  ErrorOf = CInt(Err.Number)
End Function

Sub AddOne(x)
  x = x + 1
End Sub
Sub AddOneByVal(ByVal x)
  x = x + 1
End Sub
Function Twice(ByRef x)
  x = x * 2
  Twice = x
End Function

Dim v
v = 1
AddOne v
Check "byref default", v, 2
AddOne (v)
Check "parenthesised argument is a value", v, 2
Call AddOne(v)
Check "call keeps byref", v, 3
AddOneByVal v
Check "byval", v, 3
Check "function byref result", Twice(v), 6
Check "function byref changed", v, 6
v = 5
Check "expression argument is a value", Twice(v + 0), 10
Check "expression argument left variable", v, 5

' array elements go ByRef; object properties as values
Dim arr(2)
arr(1) = 10
AddOne arr(1)
Check "array element byref", arr(1), 11
Class Holder
  Public Value
End Class
Dim h
Set h = New Holder
h.Value = 1
AddOne h.Value
Check "property passed by value", h.Value, 1

' ByVal of an array copies it; ByRef shares it
Sub SetFirst(a)
  a(0) = "changed"
End Sub
Sub SetFirstByVal(ByVal a)
  a(0) = "changed"
End Sub
Dim list
list = Array("orig", 2)
SetFirstByVal list
Check "byval array copied", list(0), "orig"
SetFirst list
Check "byref array shared", list(0), "changed"
' a parenthesised name still names the procedure, and x goes by reference; ((x)) is a value
Dim viaParens
list = Array("orig", 2)
Call (SetFirst) (list)
Check "Call through a parenthesised name", list(0), "changed"
list = Array("orig", 2)
viaParens = (SetFirst)(list)
Check "value through a parenthesised name", list(0), "changed"
list = Array("orig", 2)
Call ((SetFirst)) ((list))
Check "parenthesised argument is a copy", list(0), "orig"
Function Countdown(n)
  If n > 0 Then Countdown = (Countdown)(n - 1) Else Countdown = "done"
End Function
Check "parenthesised own name inside a function calls it", Countdown(2), "done"

' the function name is its result inside; recursion through calls
Function Factorial(n)
  If n <= 1 Then
    Factorial = 1
  Else
    Factorial = n * Factorial(n - 1)
  End If
End Function
Check "recursion", Factorial(10), 3628800
Function Accumulate()
  Accumulate = 1
  Accumulate = Accumulate + 1
End Function
Check "result read back", Accumulate(), 2
Function NoResult()
End Function
Check "no result is Empty", IsEmpty(NoResult()), True

' locals are separate per call; undeclared names in procedures are local
Dim g
g = "global"
Sub UseLocal()
  Dim g
  g = "local"
End Sub
UseLocal
Check "dim shadows global", g, "global"
Sub WriteGlobal()
  g = "written"
End Sub
WriteGlobal
Check "procedure writes global", g, "written"
Sub Implicit()
  implicitName = 5
End Sub
Implicit
Check "implicit is local", IsEmpty(implicitName), True

' Call forms and the parentheses rule
Dim calls
Sub Two(a, b)
  calls = a & b
End Sub
Two 1, 2
Check "two args", calls, "12"
Call Two(3, 4)
Check "call two args", calls, "34"
Two (5) + 1, 7
Check "first argument in parentheses", calls, "67"
Check "parentheses with two args is an error", ErrorOf("Two(1, 2)"), 1044
Check "wrong argument count", ErrorOf("Two 1"), 450
Check "unknown sub", ErrorOf("NoSuchSub 1"), 13

' GetRef
Function Square(x)
  Square = x * x
End Function
Dim f
Set f = GetRef("Square")
Check "getref call", f(7), 49
Check "getref unknown", ErrorOf("Set f = GetRef(""Nope"")"), 5

' Exit Sub, and procedures defined after use
v = 0
Sub EarlyExit()
  v = 1
  Exit Sub
  v = 2
End Sub
EarlyExit
Check "exit sub", v, 1
Check "defined later", Later(), "later"
Function Later()
  Later = "later"
End Function

' Const in procedures and globally
Const Greeting = "hi", Answer = 42
Function UseConst()
  Const Local = -3
  UseConst = Greeting & Answer & Local
End Function
Check "consts", UseConst(), "hi42-3"
Check "assign to const", ErrorOf("Greeting = 1"), 501

' End Sub, End Function on the line of the last statement, without a colon
Sub OneLiner() : reachedOneLiner = True End Sub
Function Doubled(v)
  Doubled = v * 2 End Function
Sub Empty1() End Sub
Sub CallsOneLiner() : OneLiner End Sub
Sub CallsWithArgument() : Overwrite kept End Sub
Dim reachedOneLiner
reachedOneLiner = False
OneLiner
Empty1
Check "end sub on the statement's line", reachedOneLiner, True
reachedOneLiner = False
CallsOneLiner
Check "end sub after a call without arguments", reachedOneLiner, True
Check "end function on the statement's line", Doubled(4), 8

' a procedure defined twice: the later definition answers every call, even the earlier ones
Function Version()
  Version = "first"
End Function
Check "procedure defined twice, call before the second", Version(), "second"
Function Version()
  Version = "second"
End Function
Check "procedure defined twice, call after the second", Version(), "second"

' Call with a parenthesised object, and calls on parenthesised values
Class Greeter
  Public Said
  Sub Say(word)
    Said = word
    lastGreeting = word
  End Sub
  Function Hello()
    Hello = "hello"
    lastGreeting = "hello"
  End Function
End Class
Dim lastGreeting
Call (New Greeter).Say("hi")
Check "call on a parenthesised new object", lastGreeting, "hi"
Call (New Greeter).Hello()
Check "call of a function on a parenthesised object", lastGreeting, "hello"
Function Pair()
  Pair = Array("left", "right")
End Function
' the parentheses around a function's name leave it the function: (Pair)(1) is Pair(1)
Check "parenthesised function takes the arguments", ErrorOf("x = (Pair)(1)"), 450
Dim pairs
pairs = Array(10, 20)
Check "doubly parenthesised array then index", ((pairs))(0), 10

' f (arr): the parentheses make the array a value, so the callee changes a copy
Sub Overwrite(a)
  a(0) = "changed"
End Sub
Dim kept
kept = Array("original")
Overwrite (kept)
Check "array in parentheses passed by value", kept(0), "original"
Overwrite kept
Check "array passed by reference", kept(0), "changed"
kept(0) = "again"
CallsWithArgument
Check "end sub after a call with an argument", kept(0), "changed"

' Property is an ordinary name outside a class's property declarations
Dim Property
Property = 5
Check "Property as a variable", Property, 5
Function UseProperty(Property)
  UseProperty = Property + 1
End Function
Check "Property as a parameter", UseProperty(1), 2
For Property = 1 To 2 : Next Property
Check "Property as a For variable", Property, 3
For Each Property In Array("each") : Check "Property in For Each", Property, "each" : Next

' Randomize is a statement: as a value it compiles and fails when it runs, leaving the
' target as it was; as a statement it runs
Dim randomized, form
For Each form In Array("Randomize(0)", "Randomize", "(Randomize(0))", "1 + Randomize(0)")
  Check "Randomize as a value: " & form, ErrorOf("randomized = " & form), 13
  Check "Randomize as a value assigns nothing: " & form, IsEmpty(randomized), True
Next
Randomize 1
Randomize
Call Randomize(2)
Check "Randomize statement forms", ErrorOf("Randomize 3"), 0

' a conversion function called as a statement is refused with 458
Check "conversion called with Call", ErrorOf("Call CInt(1)"), 458
Check "conversion as a statement", ErrorOf("CLng 1"), 458
Check "CStr as a statement", ErrorOf("CStr ""a"""), 458
' ... but only after converting: a conversion that fails raises its own error
Dim convStatements, convIndex
convStatements = Array("Call CInt("""")", 13, "Call CByte(""300"")", 6, "Call CDbl(""x"")", 13, _
  "CStr Null", 94, "CBool ""x""", 13, "Call CCur(""x"")", 13, "CDate ""x""", 13, _
  "CLng 1E10", 6, "Call CSng(Null)", 94)
For convIndex = 0 To UBound(convStatements) Step 2
  Check convStatements(convIndex), ErrorOf(convStatements(convIndex)), convStatements(convIndex + 1)
Next

' Inside a procedure a name that names nothing, called, is a misspelt procedure: 13, as at
' top level. A name that holds a value is still a variable there (read, indexed).
Function UnknownCalled(form)
  On Error Resume Next
  Select Case form
    Case 1
      MisspeltProc
    Case 2
      Call MisspeltProc()
    Case 3
      Dim r
      r = MisspeltProc()
    Case 4
      Call MisspeltProc
    Case 5
      MisspeltProc 1, 2
    Case 6
      Dim s
      s = MisspeltProc
  End Select
  UnknownCalled = CInt(Err.Number)
End Function
Check "unknown name called as a statement", UnknownCalled(1), 13
Check "unknown name with Call and parentheses", UnknownCalled(2), 13
Check "unknown name called for a value", UnknownCalled(3), 13
Check "unknown name with Call", UnknownCalled(4), 13
Check "unknown name called with arguments", UnknownCalled(5), 13
Check "unknown name read as a value", UnknownCalled(6), 0
Check "unknown name called in Execute code", ErrorOf("MisspeltProc"), 13
Function ImplicitValues()
  list = Array(4, 5)
  n = 7
  ImplicitValues = list(1) + n
End Function
Check "implicit variables still read and indexed", ImplicitValues(), 12

' the failure ends the procedure and reaches its caller
Dim afterMisspelt
Sub CallsMisspelt()
  MisspeltProc
  afterMisspelt = True
End Sub
On Error Resume Next
CallsMisspelt
Check "the misspelt call stops the procedure", Err.Number & "/" & IsEmpty(afterMisspelt), "13/True"
On Error GoTo 0
