' Conformance script: Scripting.Dictionary — Add, Item (default member), Exists, Keys, Items,
' Remove, RemoveAll, Key renaming, Count, CompareMode, For Each, key kinds and error numbers.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

Dim d, k, s, n, a, e

Set d = CreateObject("Scripting.Dictionary")
Check TypeName(d) = "Dictionary", "TypeName"
Check d.Count = 0, "empty count"
Check d.CompareMode = vbBinaryCompare, "default compare mode"

' Add, Item, Exists, order
d.Add "b", 2
d.Add "a", 1
d.Add "c", "three"
Check d.Count = 3, "count after Add"
Check d.Item("a") = 1, "Item"
Check d("c") = "three", "default member"
Check d.Exists("b"), "Exists"
Check Not d.Exists("B"), "binary compare is case-sensitive"
Check Join(d.Keys, ",") = "b,a,c", "Keys in insertion order"
Check Join(d.Items, ",") = "2,1,three", "Items in insertion order"
Check UBound(d.Keys) = 2, "UBound of Keys"

s = ""
For Each k In d
  s = s & k
Next
Check s = "bac", "For Each gives the keys"

' Errors
On Error Resume Next
d.Add "a", 9
e = Err.Number
On Error GoTo 0
Check e = 457, "duplicate Add raises 457"
Check d("a") = 1, "failed Add keeps the item"

On Error Resume Next
d.Remove "zz"
e = Err.Number
On Error GoTo 0
Check e = 32811, "Remove of a missing key raises 32811"

' Reading a missing key adds it, Exists does not
Check Not d.Exists("new"), "not there yet"
Check IsEmpty(d("new")), "missing item reads as Empty"
Check d.Exists("new"), "reading added the key"
Check d.Count = 4, "count after the reading"
d("new") = 10
Check d("new") = 10, "assignment sets"
d("added") = 11
Check d.Count = 5 And d("added") = 11, "assignment adds"

' Key renaming keeps the item
d.Key("added") = "renamed"
Check Not d.Exists("added") And d("renamed") = 11, "Key renames"
On Error Resume Next
d.Key("renamed") = "a"
e = Err.Number
On Error GoTo 0
Check e = 457, "renaming onto an existing key raises 457"

' Remove, RemoveAll
d.Remove "new"
Check Not d.Exists("new") And d.Count = 4, "Remove"
d.RemoveAll
Check d.Count = 0, "RemoveAll"
Check UBound(d.Keys) = -1, "Keys of an empty dictionary"

' Numbers and strings are different keys; numeric subtypes are not
d.Add 1, "number"
d.Add "1", "text"
Check d.Count = 2, "1 and ""1"" are two keys"
Check d(1) = "number" And d("1") = "text", "looked up by kind"
Check d.Exists(CLng(1)) And d.Exists(CDbl(1)) And d.Exists(CByte(1)), "numeric subtypes share a key"
On Error Resume Next
d.Add 1.0, "again"
e = Err.Number
On Error GoTo 0
Check e = 457, "1.0 is the key 1"
Check Not d.Exists(1.5), "1.5 is another key"

' Object keys are identities
Dim o1, o2
Set o1 = CreateObject("Scripting.Dictionary")
Set o2 = CreateObject("Scripting.Dictionary")
d.Add o1, "first object"
Check d.Exists(o1) And Not d.Exists(o2), "object keys by identity"
Check d(o1) = "first object", "item of an object key"

' Objects as items
Set d("obj") = o2
Check d("obj") Is o2, "Set item"

' Text compare mode
Dim t
Set t = CreateObject("Scripting.Dictionary")
t.CompareMode = vbTextCompare
t.Add "Apple", 1
Check t.Exists("APPLE") And t.Exists("apple"), "text compare ignores case"
Check t("aPPle") = 1, "text compare look-up"
On Error Resume Next
t.Add "APPLE", 2
e = Err.Number
On Error GoTo 0
Check e = 457, "text compare duplicate"
Check t.Keys()(0) = "Apple", "key keeps its own case"
On Error Resume Next
t.CompareMode = vbBinaryCompare
e = Err.Number
On Error GoTo 0
Check e = 5, "CompareMode of a non-empty dictionary cannot change"
t.RemoveAll
t.CompareMode = vbBinaryCompare
Check t.CompareMode = 0, "CompareMode changes when empty"

' Arrays as items are copies
a = Array(1, 2, 3)
t.Add "arr", a
a(0) = 99
Check t("arr")(0) = 1, "stored array is a copy"

' A larger dictionary
For n = 1 To 5000
  t.Add "k" & n, n
Next
Check t.Count = 5001, "5000 keys added"
Check t("k4321") = 4321, "look-up among many"
For n = 1 To 5000 Step 2
  t.Remove "k" & n
Next
Check t.Count = 2501 And Not t.Exists("k1") And t.Exists("k2"), "removals among many"

' CreateObject finds the library's prog ids in any letter case, and only whole names
Check TypeName(CreateObject("SCRIPTING.dictionary")) = "Dictionary", "prog id in another case"
Check TypeName(CreateObject("scripting.FILESYSTEMOBJECT")) = "FileSystemObject", "FileSystemObject prog id"
On Error Resume Next
Set a = CreateObject("Scripting.Dictionaries")
e = Err.Number
On Error GoTo 0
Check e = 429, "unknown prog id raises 429"
