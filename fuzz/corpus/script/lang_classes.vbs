' Classes: fields, Public/Private, Property Get/Let/Set, Default, Me, Initialize/Terminate.

Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    Err.Raise 1000, "Check", name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
  End If
  If actual <> expected Then Err.Raise 1000, "Check", name & ": got " & actual & ", expected " & expected
End Sub

Function ErrorOf(code)
  On Error Resume Next
  ExecuteGlobal code
  ErrorOf = CInt(Err.Number)
End Function

Dim events
events = ""

Class Counter
  Private count_
  Public Name
  Private Sub Class_Initialize()
    count_ = 0
    events = events & "init;"
  End Sub
  Private Sub Class_Terminate()
    events = events & "term " & Name & ";"
  End Sub
  Public Sub Increment(by)
    count_ = count_ + by
  End Sub
  Public Property Get Count()
    Count = count_
  End Property
  Public Property Let Count(value)
    If value < 0 Then Err.Raise 5
    count_ = value
  End Property
  Public Function Self()
    Set Self = Me
  End Function
  Private Function Secret()
    Secret = "hidden"
  End Function
  Public Function Reveal()
    Reveal = Secret() & Me.Secret
  End Function
End Class

Dim c
Set c = New Counter
c.Name = "first"
Check "initialize ran", events, "init;"
c.Increment 3
c.Increment 4
Check "property get", c.Count, 7
c.Count = 20
Check "property let", c.Count, 20
Check "typename", TypeName(c), "Counter"
Check "me is the object", c.Self() Is c, True
Check "private through me", c.Reveal(), "hiddenhidden"
Check "private from outside", ErrorOf("x = c.Secret"), 438
Check "private field from outside", ErrorOf("x = c.count_"), 438
Check "error inside property let", ErrorOf("c.Count = -1"), 5
Check "unknown member", ErrorOf("c.Nope"), 438

' Terminate runs when the last reference goes
Dim c2
Set c2 = c
Set c = Nothing
Check "still referenced", events, "init;"
Set c2 = Nothing
Check "terminate ran", events, "init;term first;"

Sub MakeTemporary()
  Dim t
  Set t = New Counter
  t.Name = "temp"
End Sub
events = ""
MakeTemporary
Check "terminate at end of procedure", events, "init;term temp;"

' Default property and Property Set
Class Bag
  Private items_
  Private owner_
  Private Sub Class_Initialize()
    Set items_ = CreateObject("Scripting.Dictionary")
  End Sub
  Public Default Property Get Item(key)
    Item = items_(key)
  End Property
  Public Property Let Item(key, value)
    items_(key) = value
  End Property
  Public Property Set Owner(o)
    Set owner_ = o
  End Property
  Public Property Get Owner()
    Set Owner = owner_
  End Property
End Class
Dim b
Set b = New Bag
b.Item("x") = 5
b("y") = 6
Check "default get", b("x"), 5
Check "default let", b.Item("y"), 6
Set b.Owner = New Counter
b.Owner.Name = "owner"
Check "property set and get", b.Owner.Name, "owner"
events = ""
Set b = Nothing
Check "nested object terminated", events, "term owner;"

' fields holding arrays
Class Grid
  Public Cells(2)
  Public Dynamic()
  Public Sub Grow()
    ReDim Dynamic(4)
    Dynamic(4) = "end"
  End Sub
End Class
Dim g
Set g = New Grid
g.Cells(1) = "mid"
Check "field array element", g.Cells(1), "mid"
g.Grow
Check "redim field", UBound(g.Dynamic), CLng(4)
Check "redim field element", g.Dynamic(4), "end"

' each instance has its own fields
Dim a1, a2
Set a1 = New Counter
Set a2 = New Counter
a1.Increment 1
a2.Increment 5
Check "separate instances", a1.Count & "," & a2.Count, "1,5"
Check "is compares identity", a1 Is a2, False
Check "nothing is nothing", Nothing Is Nothing, True

' a long chain of objects is freed without exhausting the stack
Class Node
  Public NextNode
End Class
Dim head, cur, i
Set head = New Node
Set cur = head
For i = 1 To 100000
  Set cur.NextNode = New Node
  Set cur = cur.NextNode
Next
Set cur = Nothing
Set head = Nothing
Check "long chain freed", True, True

Check "new of unknown class", ErrorOf("Set x = New NoSuchClass"), 506
Check "name redefined in class", ErrorOf("Class Dup" & vbCrLf & "Public A" & vbCrLf & "Public A" & vbCrLf & "End Class"), 1041
Check "two defaults", ErrorOf("Class D2" & vbCrLf & "Public Default Function F()" & vbCrLf & "End Function" & vbCrLf & "Public Default Function G()" & vbCrLf & "End Function" & vbCrLf & "End Class"), 1052
Check "set of a non-object", ErrorOf("Set x = 5"), 424

' VarType of an object with a default property is the type of that property's value;
' TypeName still names the class
Class Labelled
  Public Default Property Get Text()
    Text = "label"
  End Property
End Class
Class Plain
  Public Text
End Class
Dim labelledOne, plainOne
Set labelledOne = New Labelled
Set plainOne = New Plain
Check "vartype through the default property", VarType(labelledOne), vbString
Check "typename of an object with a default", TypeName(labelledOne), "Labelled"
Check "vartype of an object without a default", VarType(plainOne), vbObject

' Property is an ordinary name inside classes too, outside its own declarations
Class Holder
  Public Property
  Public Property Get Value()
    Value = Property * 2
  End Property
  Sub SetIt(v)
    Property = v
  End Sub
End Class
Dim holderOne
Set holderOne = New Holder
holderOne.SetIt 21
Check "Property as a field", holderOne.Property, 21
Check "Property read in a property", holderOne.Value, 42
Check "Property Get outside a class", ErrorOf("Property Get X()" & vbCrLf & "End Property"), 1048

' a script class named RegExp does not replace the built-in object for New RegExp
Class RegExp
  Public Pattern
  Function Kind()
    Kind = "script class"
  End Function
End Class
Dim re
Set re = New RegExp
Check "new regexp is the built-in", TypeName(re), "IRegExp2"
re.Pattern = "b+"
Check "built-in regexp works", re.Test("abbc"), True
