' The integer loop plus a temporary string built each round.
Dim t0, i, acc, t, total
t0 = Timer
acc = 0
total = 0
For i = 1 To 2000000
  acc = (acc + i * 3) Mod 1000003
  t = "k" & (i Mod 100)
  total = total + Len(t)
Next
WScript.Echo "result=" & acc & "," & total
WScript.Echo "time=" & (Timer - t0)
