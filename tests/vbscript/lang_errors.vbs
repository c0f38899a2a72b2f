' Errors: On Error Resume Next / GoTo 0, the Err object, Err.Raise, propagation from callees.

' Much of this file runs under On Error Resume Next, which would swallow a raised failure,
' so failures are collected and raised at the end.
Dim failures
failures = ""
Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    failures = failures & name & ": type " & TypeName(actual) & ", expected " & TypeName(expected) & "; "
  ElseIf actual <> expected Then
    failures = failures & name & ": got " & actual & ", expected " & expected & "; "
  End If
End Sub

Dim x, reached

On Error Resume Next
x = 1 / 0
Check "division by zero number", Err.Number, CLng(11)
Check "division by zero text", Err.Description, "Division by zero"
Check "runtime source", Err.Source, "Microsoft VBScript runtime error"
Err.Clear
Check "cleared", Err.Number, CLng(0)
Check "cleared text", Err.Description, ""

x = CInt("abc")
Check "type mismatch", Err.Number, CLng(13)
On Error Resume Next
Check "on error resume next clears", Err.Number, CLng(0)

Err.Raise 5000, "MySource", "My text"
Check "raise number", Err.Number, CLng(5000)
Check "raise source", Err.Source, "MySource"
Check "raise description", Err.Description, "My text"
Err.Raise 9
Check "raise standard text", Err.Description, "Subscript out of range"
Err.Raise 1234
Check "raise unknown text", Err.Description, "Unknown runtime error"
Check "err default is number", Err + 0, CLng(1234)
Check "err typename", TypeName(Err), "ErrObject"
On Error GoTo 0
Check "goto 0 clears", Err.Number, CLng(0)

' an error in a callee without a handler ends the callee; the caller resumes after the call
Sub Failing()
  reached = "before"
  x = 1 / 0
  reached = "after"
End Sub
On Error Resume Next
Failing
Check "callee stopped", reached, "before"
Check "callee error seen by caller", Err.Number, CLng(11)
On Error GoTo 0

' a callee's own handler keeps the error inside
Function Safe()
  On Error Resume Next
  Safe = 1 / 0
  Safe = "handled " & Err.Number
End Function
Check "callee handler", Safe(), "handled 11"

' handling does not leak into callers: a procedure starts without Resume Next
Sub Inner()
  x = 1 / 0
  reached = "inner continued"
End Sub
Sub Outer()
  On Error Resume Next
  reached = ""
  Inner
  reached = reached & "|outer continued"
End Sub
Outer
Check "handler per procedure", reached, "|outer continued"

' an error in an If condition under Resume Next runs the Then branch
On Error Resume Next
reached = "no"
If 1 / 0 = 5 Then
  reached = "then branch"
Else
  reached = "else branch"
End If
Check "if condition error", reached, "then branch"
On Error GoTo 0

' Err.Raise without a handler reaches the caller's handler
Function Thrower()
  Err.Raise vbObjectError + 1, "Thrower", "custom"
End Function
On Error Resume Next
x = Thrower()
Check "vbObjectError", Err.Number, vbObjectError + 1
Check "custom source", Err.Source, "Thrower"
On Error GoTo 0

' Err.Number can be set
Err.Number = 7
Check "number set", Err.Number, CLng(7)
Err.Clear

' Option Explicit errors come at run time, when the statement runs
On Error Resume Next
ExecuteGlobal "Option Explicit" & vbCrLf & "Dim declared" & vbCrLf & "declared = 1" & vbCrLf & "undeclared = 2"
Check "option explicit", Err.Number, CLng(500)
Check "option explicit text", Err.Description, "Variable is undefined"
Err.Clear
Execute "x = )"
Check "compile error in execute", Err.Number, CLng(1002)
Check "compile error source", Err.Source, "Microsoft VBScript compilation error"
On Error GoTo 0

' common run-time errors
Function ErrorOf(code)
  On Error Resume Next
  Execute code
  ErrorOf = Err.Number
End Function
Dim nothingObj
Set nothingObj = Nothing
Check "subscript", ErrorOf("Dim a(2): a(3) = 1"), CLng(9)
Check "object required", ErrorOf("x = 5: x.Foo"), CLng(424)
Check "nothing member", ErrorOf("nothingObj.Foo"), CLng(424)
Check "invalid use of null", ErrorOf("x = CLng(Null)"), CLng(94)
Check "overflow", ErrorOf("x = CInt(40000)"), CLng(6)
Check "fixed array redim", ErrorOf("Dim fa(2): ReDim fa(5)"), CLng(10)
Check "activex", ErrorOf("Set x = CreateObject(""No.Such.Thing"")"), CLng(429)

On Error GoTo 0
If failures <> "" Then Err.Raise 1000, "Check", failures
