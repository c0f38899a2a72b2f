' Arrays: Dim with bounds, multiple dimensions, ReDim [Preserve], Erase, value semantics,
' arrays in arrays, For Each, errors.

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

Dim a(3), i
For i = 0 To 3
  a(i) = i * i
Next
Check "ubound", UBound(a), CLng(3)
Check "lbound", LBound(a), CLng(0)
Check "element", a(3), 9
Check "typename", TypeName(a), "Variant()"
Check "vartype", VarType(a), 8204

Dim m(2, 3)
m(2, 3) = "corner"
Check "2d ubound 1", UBound(m, 1), CLng(2)
Check "2d ubound 2", UBound(m, 2), CLng(3)
Check "2d element", m(2, 3), "corner"

Dim dyn()
ReDim dyn(2)
dyn(0) = "a"
dyn(2) = "c"
ReDim Preserve dyn(4)
Check "preserve keeps", dyn(0) & dyn(2), "ac"
Check "preserve grows", UBound(dyn), CLng(4)
ReDim dyn(1)
Check "redim clears", IsEmpty(dyn(0)), True
ReDim Preserve dyn(0)
Check "preserve shrinks", UBound(dyn), CLng(0)

Dim grid
ReDim grid(1, 1)
grid(1, 1) = 5
ReDim Preserve grid(1, 3)
Check "preserve last dimension", grid(1, 1), 5
Check "preserve other dimension fails", ErrorOf("ReDim Preserve grid(3, 3)"), 9

' assignment copies arrays
Dim b, c
b = Array(1, 2, 3)
c = b
c(0) = 100
Check "copy on assignment", b(0), 1
Check "copy changed", c(0), 100

' arrays inside arrays
Dim outer
outer = Array(Array(1, 2), Array(3, 4))
Check "nested read", outer(1)(0), 3
Dim inner
inner = outer(0)
inner(0) = 99
Check "nested copy", outer(0)(0), 1

' Erase
Dim fixed(2)
fixed(1) = "x"
Erase fixed
Check "erase fixed keeps size", UBound(fixed), CLng(2)
Check "erase fixed empties", IsEmpty(fixed(1)), True

' ReDim of an undeclared name declares it
ReDim fresh(2)
fresh(2) = "ok"
Check "redim declares", fresh(2), "ok"

' For Each sees elements in order
Dim s, v
s = ""
For Each v In Array("x", "y", "z")
  s = s & v
Next
Check "for each order", s, "xyz"
s = ""
Dim two(1, 1)
two(0, 0) = "a": two(1, 0) = "b": two(0, 1) = "c": two(1, 1) = "d"
For Each v In two
  s = s & v
Next
Check "for each multi-dimensional order", s, "abcd"

' errors
Check "index out of range", ErrorOf("Dim e1(1): x = e1(2)"), 9
Check "negative index", ErrorOf("Dim e2(1): x = e2(-1)"), 9
Check "wrong dimension count", ErrorOf("Dim e3(1): x = e3(1, 1)"), 9
Check "redim of fixed", ErrorOf("Dim e4(1): ReDim e4(3)"), 10
Check "redim of fixed reads no bounds", ErrorOf("ReDim fixed(""abc"")"), 10
Check "index of non-array", ErrorOf("e5 = 5: x = e5(1)"), 13
Check "huge array", ErrorOf("ReDim e6(100000000)"), 7
Check "dim needs constant", ErrorOf("n = 3: Dim e7(n)"), 1026

' an element passed ByRef locks its array against ReDim meanwhile
Dim locked
ReDim locked(2)
Sub GrowWhileHeld(x)
  ReDim locked(10)
  x = "written"
End Sub
Check "array locked during byref", ErrorOf("GrowWhileHeld locked(1)"), 10
Check "array usable afterwards", ErrorOf("ReDim locked(5)"), 0

' a dynamic array without dimensions (Dim x() or after Erase) has no bounds until ReDim
Check "ubound of dim()", ErrorOf("Dim d1(): x = UBound(d1)"), 9
Check "lbound of dim()", ErrorOf("Dim d2(): x = LBound(d2)"), 9
Check "ubound after erase", ErrorOf("ReDim d3(4): Erase d3: x = UBound(d3)"), 9
Check "index after erase", ErrorOf("ReDim d4(4): Erase d4: x = d4(0)"), 9
Dim grown()
ReDim Preserve grown(2)
grown(2) = "kept"
ReDim Preserve grown(4)
Check "preserve from no dimensions", grown(2), "kept"
Check "empty Array() is not unallocated", UBound(Array()), CLng(-1)

' a Dim's name is declared for its whole scope, but its array is made when the Dim runs
Function TypesAroundDim()
  TypesAroundDim = TypeName(local)
  Dim local(1)
  TypesAroundDim = TypesAroundDim & " " & TypeName(local)
End Function
Class ArrayInMethod
  Function TypesAroundDim()
    TypesAroundDim = TypeName(local)
    Dim local(1)
    TypesAroundDim = TypesAroundDim & " " & TypeName(local)
  End Function
End Class
Check "array made by its dim", TypeName(late) & " " & TypesAroundDim() & " " & _
  (New ArrayInMethod).TypesAroundDim(), "Empty Empty Variant() Empty Variant()"
Dim late(1)
Check "global array after its dim", TypeName(late), "Variant()"
' run again (in a loop), a Dim keeps the array it made, elements and all
Function DimTwice()
  Dim k
  For k = 1 To 2
    Dim kept(1)
    kept(0) = kept(0) & k
  Next
  DimTwice = kept(0) & " " & UBound(kept)
End Function
Check "dim run twice", DimTwice(), "12 1"
