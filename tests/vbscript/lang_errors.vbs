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
Check "raise keeps the earlier text", Err.Description, "My text"
Err.Clear
Err.Raise 9
Check "raise standard text", Err.Description, "Subscript out of range"
Err.Clear
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

' Err.Raise with a COM status code gives the VBScript number it stands for
On Error Resume Next
Err.Raise &h800A0005&
Check "vbscript facility code", Err.Number, CLng(5)
Check "vbscript facility text", Err.Description, "Invalid procedure call or argument"
Err.Raise &h80070057&
Check "invalid argument code", Err.Number, CLng(5)
Err.Clear
Err.Raise &h8002000B&
Check "bad index code", Err.Number, CLng(9)
Check "bad index text", Err.Description, "Subscript out of range"
Err.Raise &h80004005&
Check "unmapped code stays", Err.Number, CLng(-2147467259)
Err.Raise vbObjectError + 513
Check "object error stays", Err.Number, vbObjectError + 513
Err.Raise 3000000000
Check "raise number out of range", Err.Number, CLng(6)
Err.Raise 0
Check "raise zero", Err.Number, CLng(5)
Err.Raise 7.6
Check "raise rounds its number", Err.Number, CLng(8)
Err.Raise 5, , "skipped source"
Check "raise with a skipped source", Err.Source, "Microsoft VBScript runtime error"
Check "raise with a skipped source keeps the text", Err.Description, "skipped source"

' what a script set on Err, or an earlier error left there, is the raised error's unless given
Err.Clear
Err.Source = "Set before"
Err.Description = "described before"
Err.HelpFile = "help.chm"
Err.HelpContext = 12
Err.Raise 5
Check "source set before raise", Err.Source, "Set before"
Check "description set before raise", Err.Description, "described before"
Check "help file set before raise", Err.HelpFile, "help.chm"
Check "help context set before raise", Err.HelpContext, CLng(12)
Err.Raise 9
Check "source of an earlier error kept", Err.Source, "Set before"
Check "description of an earlier error kept", Err.Description, "described before"
Check "help file of an earlier error kept", Err.HelpFile, "help.chm"
Check "help context of an earlier error kept", Err.HelpContext, CLng(12)
Err.Raise 9, "Here", "There", "file.hlp", 77
Check "raise help file", Err.HelpFile, "file.hlp"
Check "raise help context", Err.HelpContext, CLng(77)
Check "raise given source", Err.Source, "Here"
Err.Clear
Check "clear resets help file", Err.HelpFile, ""

' left-out arguments keep what the last raise gave, defaults included; a cleared Err has none
Err.Raise 1, "src", "desc", "hf", 3
Err.Raise 5
Check "kept after raise", Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext, "5|src|desc|hf|3"
x = 1 / 0
Check "engine error drops the help topic", Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext, "11|Microsoft VBScript runtime error|Division by zero||0"
Err.Clear
Err.Raise 1, "src"
Err.Raise &h8007000E&
Check "kept over a mapped code", Err.Number & "|" & Err.Source & "|" & Err.Description, "7|src|Unknown runtime error"
Err.Clear
Check "clear resets everything", Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext, "0||||0"
Err.Raise &h8007000E&
Check "mapped code on a clear Err", Err.Number & "|" & Err.Source & "|" & Err.Description, "7|Microsoft VBScript runtime error|Out of memory"
Err.Clear
Err.Raise 65535
Check "raise the largest number", Err.Number, CLng(65535)
Err.Clear
Err.Raise 1, "src", "desc", "hf", 3
Err.Raise &h10000&
Check "raise above the number range", Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpFile, "5|Microsoft VBScript runtime error|Invalid procedure call or argument|"
Err.Clear

' COM failure codes raise the VBScript error they stand for: one code of each family, then
' codes that stay as they are
Dim comCodes, c
comCodes = Array( _
  Array("E_NOTIMPL", &h80004001, 445), Array("E_NOINTERFACE", &h80004002, 430), _
  Array("E_ACCESSDENIED", &h80070005, 70), Array("E_OUTOFMEMORY", &h8007000E, 7), _
  Array("RPC_S_SERVER_UNAVAILABLE", &h800706BA, 462), _
  Array("DISP_E_UNKNOWNINTERFACE", &h80020001, 438), Array("DISP_E_UNKNOWNLCID", &h8002000C, 447), _
  Array("DISP_E_BADVARTYPE", &h80020008, 458), Array("DISP_E_DIVBYZERO", &h80020012, 11), _
  Array("TYPE_E_DLLFUNCTIONNOTFOUND", &h8002802F, 453), Array("TYPE_E_ELEMENTNOTFOUND", &h8002802B, 32811), _
  Array("TYPE_E_TYPEMISMATCH", &h80028CA0, 13), Array("TYPE_E_OUTOFBOUNDS", &h80028CA1, 9), _
  Array("TYPE_E_IOERROR", &h80028CA2, 57), Array("TYPE_E_CANTCREATETMPFILE", &h80028CA3, 322), _
  Array("STG_E_FILENOTFOUND", &h80030002, 432), Array("STG_E_SHAREVIOLATION", &h80030020, 75), _
  Array("STG_E_MEDIUMFULL", &h80030070, 61), Array("STG_E_CANTSAVE", &h80030103, 57), _
  Array("REGDB_E_CLASSNOTREG", &h80040154, 429), Array("CO_E_CLASSSTRING", &h800401F3, 429), _
  Array("CO_E_SERVER_EXEC_FAILURE", &h80080005, 429), Array("MK_E_UNAVAILABLE", &h800401E3, 429), _
  Array("MK_E_INVALIDEXTENSION", &h800401E6, 432), Array("MK_E_CANTOPENFILE", &h800401EA, 432), _
  Array("E_FAIL", &h80004005, &h80004005), Array("Win32 file not found", &h80070002, &h80070002), _
  Array("DISP_E_EXCEPTION", &h80020009, &h80020009))
For Each c In comCodes
  Err.Clear
  Err.Raise c(1)
  Check c(0), Err.Number, CLng(c(2))
Next
Err.Clear
Err.Raise &h8002802B
Check "element not found text", Err.Description, "Element not found"
Err.Clear
On Error GoTo 0

' under Resume Next a failing loop or block header resumes with the first statement inside;
' a For or For Each body so entered runs once, and then its Next fails (92, 451)
Dim ran, inside
On Error Resume Next
ran = 0
For i = 1 To "x"
  ran = ran + 1
  inside = Err.Number
  Err.Clear
Next
Check "for header error runs the body once", ran, 1
Check "for header error number", inside, CLng(13)
Check "next after a failed for header", Err.Number & " " & Err.Description, "92 For loop not initialized"
Err.Clear
ran = 0
For Each x In 42
  ran = ran + 1
  inside = Err.Number
  Err.Clear
Next
Check "for each over a non-collection runs the body once", ran, 1
Check "for each header error number", inside, CLng(451)
Check "next after a failed for each header", Err.Number & " " & Err.Description, "451 Object not a collection"
Err.Clear
ran = 0
Do While 1 / 0
  ran = ran + 1
Loop
Check "do while header error runs the body once", ran, 1
Err.Clear
ran = 0
Do
  ran = ran + 1
Loop Until CLng("x")
Check "loop until error ends the loop", ran, 1
Err.Clear
ran = ""
Select Case 1 / 0
  Case 1
    ran = "first case"
  Case Else
    ran = "else"
End Select
Check "select header error runs no case", ran & " " & Err.Number, " 11"
Err.Clear
ran = ""
With CreateObject("No.Such.Thing")
  ran = "with body"
End With
Check "with header error runs the body", ran, "with body"
Check "with header error number", Err.Number, CLng(429)
Err.Clear
On Error GoTo 0

If failures <> "" Then Err.Raise 1000, "Check", failures
