Sub Main
Dim s, i
s = String(4000001, "a")
Do
s' = Replace(s, "a"Ê "ab")
Loop
End Sub
