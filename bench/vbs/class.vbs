' 500 k method and property calls on a script Class.
Class Counter
  Private total_
  Private Sub Class_Initialize
    total_ = 0
  End Sub
  Public Sub Add(n)
    total_ = (total_ + n) Mod 1000003
  End Sub
  Public Property Get Total
    Total = total_
  End Property
  Public Property Let Total(v)
    total_ = v
  End Property
End Class
Dim t0, c, i, x
t0 = Timer
Set c = New Counter
x = 0
For i = 1 To 250000
  c.Add i
  x = (x + c.Total) Mod 1000003
Next
WScript.Echo "result=" & c.Total & "," & x
WScript.Echo "time=" & (Timer - t0)
