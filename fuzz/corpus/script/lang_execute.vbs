' Execute, ExecuteGlobal and Eval: scope, new procedures, compile errors at run time.

' The compile-error checks run under On Error Resume Next, so failures are collected.
Dim failures
failures = ""
Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    failures = failures & name & ": type " & TypeName(actual) & ", expected " & TypeName(expected) & "; "
  ElseIf actual <> expected Then
    failures = failures & name & ": got " & actual & ", expected " & expected & "; "
  End If
End Sub

Dim g
g = 10
Check "eval expression", Eval("g * 2 + 1"), 21
Check "eval comparison", Eval("g = 10"), True
ExecuteGlobal "Function Added(x)" & vbCrLf & "Added = x + g" & vbCrLf & "End Function"
Check "executeglobal defines function", Added(5), 15
ExecuteGlobal "Dim newGlobal: newGlobal = ""made"""
Check "executeglobal defines variable", newGlobal, "made"

Function LocalScope()
  Dim local
  local = 3
  Execute "local = local + 1"
  LocalScope = Eval("local * 10")
End Function
Check "execute sees locals", LocalScope(), 40

Class Thing
  Private secret_
  Public Function Run()
    secret_ = "s"
    Run = Eval("secret_ & ""!""")
  End Function
End Class
Dim t
Set t = New Thing
Check "eval in a method sees fields", t.Run(), "s!"

ExecuteGlobal "Function Added(x)" & vbCrLf & "Added = x * 100" & vbCrLf & "End Function"
Check "executeglobal replaces a function", Added(2), 200

Dim n
On Error Resume Next
n = Eval("1 + )")
Check "eval compile error", CInt(Err.Number), 1002
Err.Clear
ExecuteGlobal "If True Then" & vbCrLf & "x = 1"
Check "missing end if", CInt(Err.Number), 1014
Err.Clear
Execute "Exit For"
Check "invalid exit", CInt(Err.Number), 1039
Err.Clear
Execute "x = ""unterminated"
Check "unterminated string", CInt(Err.Number), 1033
Err.Clear
Execute "x = 1 $ 2"
Check "invalid character", CInt(Err.Number), 1032
Err.Clear
Execute "x = 1 2"
Check "expected end of statement", CInt(Err.Number), 1025
Err.Clear
Execute "Dim 5"
Check "expected identifier", CInt(Err.Number), 1010
Err.Clear
Execute "For i 1 To 2" & vbCrLf & "Next"
Check "expected equals", CInt(Err.Number), 1011
Err.Clear
ExecuteGlobal "Dim twice, twice"
Check "name redefined", CInt(Err.Number), 1041
Err.Clear
Execute "Loop"
Check "loop without do", CInt(Err.Number), 1038
Err.Clear
Execute "x = 1" & vbCrLf & "Option Explicit"
Check "option explicit not first", CInt(Err.Number), 1024
On Error GoTo 0
If failures <> "" Then Err.Raise 1000, "Check", failures
