' Control flow: If forms, Select Case, For/Step, For Each, Do/While loops, Exit, With.
Option Explicit

Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    Err.Raise 1000, "Check", name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
  End If
  If actual <> expected Then Err.Raise 1000, "Check", name & ": got " & actual & ", expected " & expected
End Sub

Dim i, s, n

' one-line If with Else and several statements
n = 0
If n = 0 Then s = "zero": n = 1 Else s = "other"
Check "one-line if", s, "zero"
Check "one-line if second statement", n, 1
If n = 0 Then s = "a" Else s = "b": n = 5
Check "one-line else", s, "b"
Check "one-line else second statement", n, 5

' block If with ElseIf chain
Function Grade(x)
  If x >= 90 Then
    Grade = "A"
  ElseIf x >= 80 Then
    Grade = "B"
  ElseIf x >= 70 Then Grade = "C"
  Else
    Grade = "F"
  End If
End Function
Check "elseif 1", Grade(95), "A"
Check "elseif 2", Grade(85), "B"
Check "elseif 3", Grade(75), "C"
Check "else", Grade(10), "F"

' Null and Empty conditions are false
s = "untouched"
If Null Then s = "null ran"
If Empty Then s = "empty ran"
Check "null condition", s, "untouched"

' Select Case with lists, strings and Case Else
Function Kind(v)
  Select Case v
    Case 1, 2, 3
      Kind = "small"
    Case "x", "y"
      Kind = "letter"
    Case 10
      Kind = "ten"
    Case Else
      Kind = "other"
  End Select
End Function
Check "case list", Kind(2), "small"
Check "case string", Kind("y"), "letter"
Check "case ten", Kind(10), "ten"
Check "case else", Kind(99), "other"

' For with Step, negative Step, counter after the loop, limit read once
s = ""
For i = 1 To 10 Step 3
  s = s & i & ","
Next
Check "for step", s, "1,4,7,10,"
Check "counter after loop", i, 13
s = ""
For i = 5 To 1 Step -2
  s = s & i
Next
Check "for negative step", s, "531"
n = 3
s = ""
For i = 1 To n
  n = 10
  s = s & i
Next
Check "limit evaluated once", s, "123"
s = ""
For i = 1 To 0
  s = "ran"
Next
Check "empty for", s, ""
s = ""
For i = 0.5 To 2
  s = s & i & ";"
Next
Check "fractional for", s, "0.5;1.5;"
Check "integer counter type", TypeName(i), "Double"
For i = 1 To 3: Next
Check "whole counter type", TypeName(i), "Integer"

' Exit For and nested loops
s = ""
Dim j
For i = 1 To 3
  For j = 1 To 3
    If j = 2 Then Exit For
    s = s & i & j & " "
  Next
Next
Check "exit inner for", s, "11 21 31 "

' Do loops in all four forms
n = 0
Do While n < 5
  n = n + 1
Loop
Check "do while", n, 5
n = 0
Do Until n = 3
  n = n + 1
Loop
Check "do until", n, 3
n = 10
Do
  n = n + 1
Loop While n < 5
Check "loop while runs once", n, 11
n = 0
Do
  n = n + 2
Loop Until n >= 7
Check "loop until", n, 8
n = 0
Do
  n = n + 1
  If n = 4 Then Exit Do
Loop
Check "exit do", n, 4

' While ... Wend
n = 0
While n < 3
  n = n + 1
Wend
Check "while wend", n, 3

' For Each over arrays and a Dictionary
Dim total, item
total = 0
For Each item In Array(1, 2, 3, 4)
  total = total + item
Next
Check "for each array", total, 10
Dim d
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", 1
d.Add "b", 2
s = ""
For Each item In d
  s = s & item & d(item)
Next
Check "for each dictionary keys", s, "a1b2"
s = ""
For Each item In Array()
  s = "ran"
Next
Check "for each empty array", s, ""

' With, nested With, and With on an expression
Class Box
  Public Width, Height, Inner
End Class
Dim b
Set b = New Box
Set b.Inner = New Box
With b
  .Width = 3
  .Height = 4
  With .Inner
    .Width = 7
  End With
  Check "with reads", .Width * .Height, 12
End With
Check "nested with", b.Inner.Width, 7

' Exit Function / Exit Sub leave at once
Function FirstEven(arr)
  Dim x
  FirstEven = -1
  For Each x In arr
    If x Mod 2 = 0 Then
      FirstEven = x
      Exit Function
    End If
  Next
End Function
Check "exit function", FirstEven(Array(3, 5, 8, 10)), 8
Check "exit function none", FirstEven(Array(1)), -1

' colons and line continuation
s = "a" & _
    "b" & _
    "c"
Check "continuation", s, "abc"
n = 1: n = n + 1: n = n * 10
Check "colon separators", n, 20

' a one-line If may close with End If; Then followed by a colon is a one-line If too, even
' with nothing after the colon: only a Then that ends its line opens a block If
n = 1
s = ""
If n = 1 Then s = "one" End If
Check "one-line if with end if", s, "one"
If n = 2 Then s = "two" Else s = "not two" End If
Check "one-line if else with end if", s, "not two"
If False Then :
n = 7
Check "then and colon alone is a whole if", n, 7
If True Then : s = "after colon"
Check "then and colon with a statement is a whole if", s, "after colon"

' End If, End With, End Select right after a statement, without a colon
If n = 7 Then
  s = "end if on the line" End If
Check "end if on the statement's line", s, "end if on the line"
Select Case n
  Case 7: s = "seven" End Select
Check "end select on the statement's line", s, "seven"

' For Each leaves its variable Empty when it runs to the end; Exit For keeps the element
Dim element
For Each element In Array(1, 2, 3)
Next
Check "for each variable after the loop", IsEmpty(element), True
For Each element In Array("a", "b", "c")
  If element = "b" Then Exit For
Next
Check "for each variable after exit for", element, "b"

' .name outside a With block compiles and fails with 505 when it runs
Function UnqualifiedError()
  On Error Resume Next
  s = .Missing
  UnqualifiedError = CInt(Err.Number)
End Function
Check "unqualified reference", UnqualifiedError(), 505
