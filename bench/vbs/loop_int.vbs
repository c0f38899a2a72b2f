' 2 M iterations of integer arithmetic.
Dim t0, i, acc
t0 = Timer
acc = 0
For i = 1 To 2000000
  acc = (acc + i * 3) Mod 1000003
Next
WScript.Echo "result=" & acc
WScript.Echo "time=" & (Timer - t0)
