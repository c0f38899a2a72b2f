' Execute inside a procedure defines its new names in that procedure call's scope: local
' helpers made with Execute are seen by the call and gone after it.
Dim failures
failures = ""
Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    failures = failures & name & ": type " & TypeName(actual) & ", expected " & TypeName(expected) & "; "
  ElseIf actual <> expected Then
    failures = failures & name & ": got " & actual & ", expected " & expected & "; "
  End If
End Sub

Dim shared
shared = 1

Function UsesHelper(n)
  Execute "Function Twice(x)" & vbCrLf & "Twice = x * 2" & vbCrLf & "End Function"
  Execute "madeHere = n + 5"
  Execute "Dim declared : declared = 100"
  Execute "shared = shared + 1"
  UsesHelper = Twice(madeHere) + Eval("declared") + madeHere
End Function

Check "helpers seen in the call", UsesHelper(2), 14 + 100 + 7
Check "global changed through execute", shared, 2
' A second call defines them again, from nothing.
Check "second call", UsesHelper(0), 10 + 100 + 5
Check "global changed again", shared, 3
' Nothing of the calls is left at the top level (checked last: reading a name here makes it).
Check "variable not global", IsEmpty(madeHere), True
Check "dim not global", IsEmpty(declared), True
On Error Resume Next
Dim r
r = Twice(3)
Check "function not global", CInt(Err.Number) <> 0, True
Err.Clear
On Error GoTo 0

' At the top level Execute still defines global names.
Execute "topLevel = 5"
Check "top level is global", topLevel, 5

' One name, one variable: what Execute declares or makes in a call is the variable that the
' call's own statements, later Execute code and Eval all see.
Function DeclaredByExecute()
  Execute "Dim z : z = 5"
  DeclaredByExecute = z & "/" & Eval("z")
End Function
Check "dim in execute seen by the call", DeclaredByExecute(), "5/5"
Function MadeByExecute()
  Execute "q = 3"
  Execute "q = q + 1"
  MadeByExecute = Eval("q")
End Function
Check "name made by execute seen by later execute", MadeByExecute(), 4
Function ImplicitThenExecute()
  w = 1
  Execute "w = w + 1"
  ImplicitThenExecute = w & "/" & Eval("w")
End Function
Check "the call's implicit variable changed by execute", ImplicitThenExecute(), "2/2"
Function ExecuteThenAssign()
  Execute "Dim k"
  k = 8
  ExecuteThenAssign = Eval("k") + k
End Function
Check "dim in execute assigned by the call", ExecuteThenAssign(), 16
Function HelperOfItsOwn()
  here = 2
  Execute "Function Own()" & vbCrLf & "here = 7 : Own = here" & vbCrLf & "End Function"
  HelperOfItsOwn = Own() & "/" & here
End Function
Check "a procedure made by execute has names of its own", HelperOfItsOwn(), "7/2"
Check "none of them global", IsEmpty(z) And IsEmpty(q) And IsEmpty(w) And IsEmpty(k), True

If failures <> "" Then Err.Raise 1000, "Check", failures
