Set re = New RegExp
re.Pattern = "(a*)*b"
re.Test String(30, "a")
