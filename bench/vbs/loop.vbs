' The integer loop plus a short string appended to and reset.
Dim t0, i, acc, s, n
t0 = Timer
acc = 0
s = ""
n = 0
For i = 1 To 2000000
  acc = (acc + i * 3) Mod 1000003
  s = s & "x"
  If Len(s) >= 16 Then
    s = ""
    n = n + 1
  End If
Next
WScript.Echo "result=" & acc & "," & n
WScript.Echo "time=" & (Timer - t0)
