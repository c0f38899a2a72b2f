' Recursive Fib(27): about 630 k calls.
Function Fib(n)
  If n < 2 Then
    Fib = n
  Else
    Fib = Fib(n - 1) + Fib(n - 2)
  End If
End Function
Dim t0, r
t0 = Timer
r = Fib(27)
WScript.Echo "result=" & r
WScript.Echo "time=" & (Timer - t0)
