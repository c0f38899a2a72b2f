' 200 k Scripting.Dictionary operations: 100 k adds and 100 k look-ups.
Dim t0, d, i, total
t0 = Timer
Set d = CreateObject("Scripting.Dictionary")
For i = 1 To 100000
  d.Add "key" & i, i
Next
total = 0
For i = 1 To 100000
  total = (total + d("key" & i)) Mod 1000003
Next
WScript.Echo "result=" & d.Count & "," & total
WScript.Echo "time=" & (Timer - t0)
