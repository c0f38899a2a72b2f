Sub Main
Dim s, i
s = String(4000000, "a")
Do
s = Replace(s, "a", "ab")
Loop
End Sub
