' Conformance script: Scripting.FileSystemObject — path texts, folders and files, text streams
' and their error numbers. Everything happens in a new folder under the temporary folder,
' which the script deletes again.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

Dim fso, base, temp, f, ts, s, e, n, item, names
Set fso = CreateObject("Scripting.FileSystemObject")
Check TypeName(fso) = "FileSystemObject", "TypeName"

' Path texts (no disk access)
Check fso.GetFileName("C:\games\save.txt") = "save.txt", "GetFileName"
Check fso.GetBaseName("dir\archive.tar.gz") = "archive.tar", "GetBaseName"
Check fso.GetExtensionName("dir\archive.tar.gz") = "gz", "GetExtensionName"
Check fso.GetExtensionName("noext") = "", "GetExtensionName without extension"
Check fso.GetDriveName("C:\games\x") = "C:", "GetDriveName"
Check fso.GetFileName("data\music\") = "music", "GetFileName ignores a trailing separator"
s = fso.GetTempName()
Check Len(s) = 12 And Left(s, 3) = "rad" And Right(s, 4) = ".tmp", "GetTempName"

Set temp = fso.GetSpecialFolder(2)
Check fso.FolderExists(temp.Path), "the temporary folder exists"
base = fso.BuildPath(temp.Path, "twvbs_" & fso.GetBaseName(fso.GetTempName()))
Check fso.GetParentFolderName(base) = temp.Path, "GetParentFolderName of BuildPath"
Check Not fso.FolderExists(base), "work folder is new"

Function ErrorOf(code)
  On Error Resume Next
  Execute code
  ErrorOf = Err.Number
  Err.Clear
End Function

' Folders
Set f = fso.CreateFolder(base)
Check TypeName(f) = "Folder", "CreateFolder gives a Folder"
Check fso.FolderExists(base), "FolderExists"
Check Not fso.FileExists(base), "a folder is no file"
Check ErrorOf("fso.CreateFolder base") = 58, "CreateFolder of an existing folder raises 58"
Check ErrorOf("fso.CreateFolder fso.BuildPath(base, ""a\b"")") = 76, "CreateFolder with a missing parent raises 76"
fso.CreateFolder fso.BuildPath(base, "Sub")
Check f.SubFolders.Count = 1, "SubFolders.Count"
Check f.Files.Count = 0, "Files.Count of an empty folder"

' Writing and reading text
Set ts = fso.CreateTextFile(fso.BuildPath(base, "Notes.txt"), True)
ts.Write "ab"
Check ts.Column = 3, "Column after Write"
ts.WriteLine "c"
ts.WriteBlankLines 1
ts.WriteLine "second"
ts.Write "last"
Check ts.Line = 4, "Line after writing"
Check ErrorOf("ts.ReadLine") = 54, "reading a stream opened for writing raises 54"
ts.Close

Check fso.FileExists(fso.BuildPath(base, "notes.TXT")), "FileExists in another letter case"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "NOTES.txt"), 1)
Check ts.ReadLine = "abc", "ReadLine"
Check ts.ReadLine = "", "blank line"
Check ts.Read(3) = "sec", "Read(n)"
Check ts.Column = 4, "Column after Read"
Check ts.ReadLine = "ond", "rest of the line"
Check Not ts.AtEndOfStream, "not at the end yet"
Check ts.ReadAll = "last", "ReadAll"
Check ts.AtEndOfStream, "AtEndOfStream"
Check ErrorOf("ts.ReadLine") = 62, "reading past the end raises 62"
Check ErrorOf("ts.Write ""x""") = 54, "writing a stream opened for reading raises 54"
ts.Close

' The bytes on disk: CR LF line ends
Set f = fso.GetFile(fso.BuildPath(base, "notes.txt"))
Check f.Size = Len("abc" & vbCrLf & vbCrLf & "second" & vbCrLf & "last"), "File.Size"
Check f.Name = "Notes.txt", "File.Name keeps the name's case"
Check TypeName(f.DateLastModified) = "Date", "DateLastModified is a Date"
Check f.ParentFolder.Path = base, "ParentFolder"
Check f = f.Path, "Path is the default member"

' Appending and opening modes
Set ts = fso.OpenTextFile(fso.BuildPath(base, "notes.txt"), 8)
ts.WriteLine
ts.Write "appended"
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(base, "notes.txt"), 1)
s = ts.ReadAll
ts.Close
Check Right(s, 14) = "last" & vbCrLf & "appended", "ForAppending"
Check ErrorOf("fso.OpenTextFile fso.BuildPath(base, ""none.txt"")") = 53, "OpenTextFile of a missing file raises 53"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "made.txt"), 2, True)
ts.Write "x"
ts.Close
Check fso.FileExists(fso.BuildPath(base, "made.txt")), "OpenTextFile with create"
Check ErrorOf("fso.CreateTextFile fso.BuildPath(base, ""made.txt""), False") = 58, "CreateTextFile without overwrite raises 58"

' Empty file: ReadAll raises 62, AtEndOfStream is True
Set ts = fso.CreateTextFile(fso.BuildPath(base, "empty.txt"))
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(base, "empty.txt"))
Check ts.AtEndOfStream, "empty file is at its end"
Check ErrorOf("ts.ReadAll") = 62, "ReadAll of an empty file raises 62"
ts.Close

' Unicode text survives a round trip
Set ts = fso.CreateTextFile(fso.BuildPath(base, "uni.txt"), True, True)
ts.WriteLine "caf" & ChrW(233) & " " & ChrW(8364) & " " & ChrW(1046)
ts.Close
Set ts = fso.OpenTextFile(fso.BuildPath(base, "uni.txt"), 1, False, -1)
Check ts.ReadLine = "caf" & ChrW(233) & " " & ChrW(8364) & " " & ChrW(1046), "Unicode round trip"
ts.Close
Set ts = fso.CreateTextFile(fso.BuildPath(base, "ansi.txt"))
ts.Write "caf" & ChrW(233)
ts.Close
Check fso.GetFile(fso.BuildPath(base, "ansi.txt")).Size = 4, "ANSI writes one byte per character"
Set ts = fso.OpenTextFile(fso.BuildPath(base, "ansi.txt"))
Check ts.ReadAll = "caf" & ChrW(233), "ANSI round trip"
ts.Close

' Copy, move, delete
fso.CopyFile fso.BuildPath(base, "notes.txt"), fso.BuildPath(base, "copy.txt")
Check fso.FileExists(fso.BuildPath(base, "copy.txt")), "CopyFile"
Check ErrorOf("fso.CopyFile fso.BuildPath(base, ""notes.txt""), fso.BuildPath(base, ""copy.txt""), False") = 58, "CopyFile without overwrite raises 58"
Check ErrorOf("fso.CopyFile fso.BuildPath(base, ""nothing.txt""), fso.BuildPath(base, ""x.txt"")") = 53, "CopyFile of a missing file raises 53"
fso.CopyFile fso.BuildPath(base, "*.txt"), fso.BuildPath(base, "sub") & "\"
Check fso.GetFolder(fso.BuildPath(base, "sub")).Files.Count = 6, "CopyFile with wildcards"
fso.MoveFile fso.BuildPath(base, "copy.txt"), fso.BuildPath(base, "moved.txt")
Check Not fso.FileExists(fso.BuildPath(base, "copy.txt")), "MoveFile removes the source"
Check fso.FileExists(fso.BuildPath(base, "moved.txt")), "MoveFile creates the target"
fso.DeleteFile fso.BuildPath(base, "moved.txt")
Check Not fso.FileExists(fso.BuildPath(base, "moved.txt")), "DeleteFile"
Check ErrorOf("fso.DeleteFile fso.BuildPath(base, ""moved.txt"")") = 53, "DeleteFile of a missing file raises 53"
Check ErrorOf("fso.GetFile fso.BuildPath(base, ""moved.txt"")") = 53, "GetFile of a missing file raises 53"
Check ErrorOf("fso.GetFolder fso.BuildPath(base, ""nowhere"")") = 76, "GetFolder of a missing folder raises 76"

' Collections
names = ""
For Each item In fso.GetFolder(base).Files
  names = names & item.Name & ";"
Next
Check InStr(names, "Notes.txt;") > 0 And InStr(names, "made.txt;") > 0, "For Each over Files"
n = 0
For Each item In fso.GetFolder(base).SubFolders
  n = n + 1
  Check item.Name = "Sub", "sub folder name"
Next
Check n = 1, "For Each over SubFolders"
Check fso.GetFolder(base).Files.Item("NOTES.TXT").Name = "Notes.txt", "Files.Item by name"

' Folder operations
fso.CopyFolder fso.BuildPath(base, "sub"), fso.BuildPath(base, "sub2")
Check fso.GetFolder(fso.BuildPath(base, "sub2")).Files.Count = 6, "CopyFolder"
fso.DeleteFolder fso.BuildPath(base, "sub2")
Check Not fso.FolderExists(fso.BuildPath(base, "sub2")), "DeleteFolder"
Check ErrorOf("fso.DeleteFolder fso.BuildPath(base, ""sub2"")") = 76, "DeleteFolder of a missing folder raises 76"

' Clean up
fso.DeleteFolder base
Check Not fso.FolderExists(base), "work folder removed"
