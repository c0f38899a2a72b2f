' Bubble sort of 1,500 array elements (about 1.1 M compares).
Dim t0, a(1499), i, j, tmp, seed, n, check
n = 1500
seed = 12345
For i = 0 To n - 1
  seed = (seed * 1103 + 12345) Mod 65536
  a(i) = seed
Next
t0 = Timer
For i = 0 To n - 2
  For j = 0 To n - 2 - i
    If a(j) > a(j + 1) Then
      tmp = a(j)
      a(j) = a(j + 1)
      a(j + 1) = tmp
    End If
  Next
Next
check = 0
For i = 0 To n - 1
  check = (check * 7 + a(i)) Mod 1000003
Next
WScript.Echo "result=" & a(0) & "," & a(n - 1) & "," & check
WScript.Echo "time=" & (Timer - t0)
