' The Lighthouse Keeper's Lamp
' procedures shared by the scripts of the frames, hotspots and items
'
' The lever in the boat house: the first pull opens the tower door.
Sub PullLever()
  LeverPulls = LeverPulls + 1
  If DoorOpen = 0 Then
    DoorOpen = 1
    Message "Clunk! You pull the lever down. Up the hill, a chain rattles."
  End If
End Sub

' The lit lamp's beam: a script timer turns the heading from gold to white and back.
Sub StartBeam()
  If WindowObject.TimerObject.UBound < 1 Then
    Action.CreateObject WindowObject.TimerObject(1)
  End If
  WindowObject.TimerObject(1).Interval = 700
End Sub

Sub TimerObject1()
  Beam = Beam + 1
  If Beam Mod 2 = 0 Then
    Text(1).ForeColor = RGB(255, 214, 120)
  Else
    Text(1).ForeColor = RGB(255, 255, 255)
  End If
End Sub
