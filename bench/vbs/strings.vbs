' 100 k rounds of Split, Replace, InStr, Mid, UCase and LCase.
Dim t0, i, s, parts, u, total
t0 = Timer
total = 0
For i = 1 To 100000
  s = "alpha,beta,gamma," & i
  parts = Split(s, ",")
  u = UCase(Replace(parts(1), "e", "E"))
  total = total + InStr(s, "gamma") + Len(Mid(s, 3, 5)) + Len(LCase(u)) + UBound(parts)
Next
WScript.Echo "result=" & total
WScript.Echo "time=" & (Timer - t0)
