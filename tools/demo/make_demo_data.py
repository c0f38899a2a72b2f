#!/usr/bin/env python3
"""Writes the data files of the demo game "The Lighthouse Keeper's Lamp" into games/demo/.

Every file is a text file of sequential fields as the Talewick editor writes them: fields
separated by commas, lines ended by CR LF, strings in double quotes, booleans #TRUE# and
#FALSE#. Hotspot and text positions are twips (15 to the pixel); frame and action video
rectangles are pixels. The hotspot rectangles below match the objects that
tools/demo/make_demo_pictures.cpp draws (its namespace `layout`).

Inventory: each item is a ".obj" file in Areas naming its icon; a hotspot gives an item
through its "c.dat" (or an action's fields 57-58); "<hotspot>_<item>.drg" beside the click
action is what happens when the item is dropped on the hotspot; "Areas/<A>_on_<B>.drg" is
what happens when item A is dropped on item B.

Usage (from the repository's top folder):  python3 tools/demo/make_demo_data.py games/demo
"""

import os
import shutil
import sys

TWIPS = 15


def colour(r, g, b):
    """A colour number: red + 256 x green + 65536 x blue."""
    return r + 256 * g + 65536 * b


def field(value):
    if value is True:
        return "#TRUE#"
    if value is False:
        return "#FALSE#"
    if isinstance(value, str):
        if '"' in value:
            raise ValueError("a field cannot hold a double quote: " + value)
        return '"' + value + '"'
    if isinstance(value, float):
        return repr(value)
    return str(int(value))


class Writer:
    def __init__(self, root):
        self.root = root
        self.count = 0

    def write(self, rel, lines):
        """Writes `lines` (each a list of field values) as one file."""
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        text = "".join(",".join(field(v) for v in line) + "\r\n" for line in lines)
        with open(path, "wb") as f:
            f.write(text.encode("cp1252"))
        self.count += 1

    def write_lines(self, rel, lines):
        """Writes whole lines (no fields), each ended by CR LF."""
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))
        self.count += 1


# --------------------------------------------------------------------------------------
# Project files


def general(w):
    w.write("Config/General", [
        # 1-11: identity, start frame, size, author
        ["LighthouseKeepersLamp", "Talewick demo", "The Lighthouse Keeper's Lamp", 1,
         "Title", "Version 1.0", 640, 480, "The Talewick player team", "", ""],
        [0],                            # 12: no offer to change the display (windowed game)
        [0, 0, 0, "Lighthouse"],        # 13-15 skipped, 16 scheme
        [0, 0, 0, False, False, 0],     # 17-19 skipped, 20-21 load and save allowed, 22
        # 23-24 skipped, 25-26 spacing, 27-31 bar used, slides open and closed, button hidden
        # when empty, opens on pick-up, 32-34 the game's own button and bar pictures (in
        # Inventory/), 35 640 x 480, 36-37 skipped, 38 pointer
        [0, 0, 10, 10, True, True, True, True, True, True, "satchel.gif", "shelf.jpg", 0, 0, 0,
         "lantern.cur"],
        [0, 0, True],                   # 39-40 skipped, 41 windowed
        [0, False, False],              # 42 skipped, 43 start-up window shown, 44 logo shown
        [0, False],                     # 45 skipped, 46 transitions option shown
        [False],                        # 47 effects option shown
    ])
    w.write("Config/Texts", [[1]])      # the game wording ("Start New Game", ...)
    # The variant variables after "***" belong to the scripts; the one named
    # AllowControlsReferences lets them reach the window's controls (the script timer).
    w.write("Config/Variables",
            [[4], ["DoorOpen"], ["LampLit"], ["ShellOnSill"], ["WickFitted"], ["***"],
             ["Climbs"], ["LeverPulls"], ["Soaked"], ["Beam"], ["AllowControlsReferences"]])
    procedures(w)


# The project's procedures: three header lines the player skips, then VBScript. In scripts
# stored in frame and action files "|" stands for a double quote; here the quotes are real.
PROCEDURES = [
    "' The Lighthouse Keeper's Lamp",
    "' procedures shared by the scripts of the frames, hotspots and items",
    "'",
    "' The lever in the boat house: the first pull opens the tower door.",
    "Sub PullLever()",
    "  LeverPulls = LeverPulls + 1",
    "  If DoorOpen = 0 Then",
    "    DoorOpen = 1",
    "    Message \"Clunk! You pull the lever down. Up the hill, a chain rattles.\"",
    "  End If",
    "End Sub",
    "",
    "' The lit lamp's beam: a script timer turns the heading from gold to white and back.",
    "Sub StartBeam()",
    "  If WindowObject.TimerObject.UBound < 1 Then",
    "    Action.CreateObject WindowObject.TimerObject(1)",
    "  End If",
    "  WindowObject.TimerObject(1).Interval = 700",
    "End Sub",
    "",
    "Sub TimerObject1()",
    "  Beam = Beam + 1",
    "  If Beam Mod 2 = 0 Then",
    "    Text(1).ForeColor = RGB(255, 214, 120)",
    "  Else",
    "    Text(1).ForeColor = RGB(255, 255, 255)",
    "  End If",
    "End Sub",
]


def procedures(w):
    w.write_lines("Config/Procedures", PROCEDURES)


def scheme(w):
    w.write("Schemes/Lighthouse/Scheme.txt", [
        ["Lighthouse", "The Lighthouse Keeper's Lamp", 1],
        [4],
        ["start.bmp"], ["load.bmp"], ["exit.bmp"], ["stars.bmp"],
        [4],
        [colour(18, 22, 52)],           # window
        [colour(255, 214, 120)],        # game title
        [colour(200, 210, 240)],        # other texts
        [colour(255, 236, 190)],        # button captions (when a button has no picture)
        [0, 0, 0],
        [0],                            # title shown
        [0],
        [0], [False],                   # logo style 0, not alternate
    ])


# --------------------------------------------------------------------------------------
# Frames

LAST_VISITED = "[last visited frame]"


def frame(w, name, background, tiled=False, colour_value=None, timer=None, hotspots=0,
          script=""):
    """background: picture file in Frames/, or None with colour_value for a plain colour.
    timer: (seconds, target) or None. script: the entry script ("|" for a double quote)."""
    if background is None:
        kind, value = 0, str(colour_value)
    else:
        kind, value = 1, background
    timer_on, delay, target = (True, timer[0], timer[1]) if timer else (False, 0, "")
    w.write("Frames/%s.fme" % name, [
        [kind, value, tiled],           # 1-3 background
        [False, ""],                    # 4-5 music
        [timer_on, str(delay), target], # 6-8 frame timer (delay as decimal text)
        ["", 0],                        # 9 video, 10
        [False, False, ""],             # 11-13 sounds
        [0, 0, 0],                      # 14-16
        [False, False, 0, 0, 0, 0],     # 17-22 video placement
        [True],                         # 23 music loops
        [False, 0, 0],                  # 24-26 timer transition
        [bool(script), script],         # 27-28 entry script
        [0, 0, 0, 0, 0, 0],             # 29-34
        ["0", 0, 5, 0],                 # 35 fade, 36, 37-38 channel table: 5 cells, no rows
        [False],                        # 39 video before drawing
    ])
    if hotspots:
        w.write("Frames/%s.lks" % name, [[hotspots]])


def hotspot(w, frame_name, number, rect, picture=None, stretch=False, pointer="",
            must_be_one=(), must_be_zero=()):
    """rect in pixels (left, top, width, height). A picture at its own size is drawn 2 pixels
    inside the rectangle, so callers give the picture's place grown by 2 on every side."""
    left, top, width, height = rect
    conditional = 1 if (must_be_one or must_be_zero) else 0
    w.write("Areas/%s/%da.dat" % (frame_name, number), [
        [left * TWIPS, top * TWIPS, width * TWIPS, height * TWIPS],
        [0, picture is not None, picture or "", 1 if stretch else 0, pointer],
        [conditional],
        [len(must_be_one)] + list(must_be_one),
        [len(must_be_zero)] + list(must_be_zero),
    ])


def picture_place(x, y, width, height):
    """The hotspot rectangle that shows a picture of that size at (x, y)."""
    return (x - 2, y - 2, width + 4, height + 4)


BAR_LIMIT = 78  # characters that fit on one line of the message bar across 640 pixels


def action(w, frame_name, number, set_one=None, message=None, in_bar=False, disappear=False,
           end_game=False, go_to=None, go_back=False, item=None, give=None, script=""):
    """The hotspot's click action, or with `item` what happens when that item is dropped on
    it; there `disappear` means the item is used up. `give` names an item the action gives.
    `script` runs after the record's own changes ("|" for a double quote)."""
    if in_bar and message and len(message) > BAR_LIMIT:
        raise ValueError("too long for the message bar: " + message)
    if item is None:
        name = "Areas/%s/%db.dat" % (frame_name, number)
    else:
        name = "Areas/%s/%d_%s.drg" % (frame_name, number, item)
    w.write(name, [
        [1 if set_one else 0, set_one or "", 0, 1 if set_one else 0, 0],  # 1-5 variable
        [1 if message else 0, message or "", 0, ""],                      # 6-9 message
        [1 if disappear else 0],                                          # 10
        [1 if end_game else 0],                                           # 11
        [1 if go_to else 0, go_to or ""],                                 # 12-13
        [0, 0],                                                           # 14-15
        [0, "", False, False, 0, 0, 0, 0],                                # 16-23 video
        [0, 0, "", 0, ""],                                                # 24-28 music, sound
        [0, 0, 0],                                                        # 29-31
        [1 if go_back else 0],                                            # 32
        [0, 0, 0],                                                        # 33-35
        [in_bar],                                                         # 36
        [0, 0, 0],                                                        # 37-39
        [0], [0], [0], [0],                                               # 40, three lists
        [True, 0, 0.0],                                                   # 41-43
        [bool(script), script, 0],                                        # 44-46
        [0, 0, 0, 0, 0, 0],                                               # 47-52
        ["0", 0, 5, 0],                                                   # 53-56
        [give is not None, give or ""],                                   # 57-58
    ])


def gives(w, frame_name, number, item_name):
    """The hotspot gives the item when it is clicked (its "c.dat")."""
    w.write("Areas/%s/%dc.dat" % (frame_name, number), [[1, item_name]])


def item(w, name, icon):
    """An inventory item: its ".obj" file names its icon, a file in Areas."""
    w.write("Areas/%s.obj" % name, [[icon]])


def combination(w, dragged, target, remove_dragged, remove_target, new_item=None,
                with_script_part=False, script=""):
    """Item `dragged` dropped on item `target`: remove either or both, give a new item. The
    script part (three reserved fields, run-script flag, script text) is optional."""
    lines = [[1 if remove_dragged else 0], [1 if remove_target else 0],
             [1 if new_item else 0], [new_item or ""]]
    if with_script_part or script:
        lines += [[0, 0, 0], [bool(script), script]]
    w.write("Areas/%s_on_%s.drg" % (dragged, target), lines)


def items(w):
    item(w, "Shell", "icon_shell.ico")
    item(w, "Matches", "icon_matches.ico")
    item(w, "Wick", "icon_wick.ico")
    item(w, "OilCan", "icon_oilcan.ico")
    item(w, "OiledWick", "icon_oiledwick.ico")
    # The dry wick soaked in the can: both are used, the oiled wick is new. Either way round.
    combination(w, "Wick", "OilCan", True, True, "OiledWick",
                script="Soaked = |yes| : Message |The dry wick drinks up the lamp oil.|")
    combination(w, "OilCan", "Wick", True, True, "OiledWick", with_script_part=True)


def text(w, frame_name, file_name, caption, left, top, font="Arial", size=12, bold=False,
         italic=False, underline=False, strike=False, rgb=(255, 255, 255)):
    """left and top in pixels of the frame."""
    w.write("Areas/%s/%s.lbl" % (frame_name, file_name), [
        [caption, left * TWIPS, top * TWIPS, bold, italic, font, size, strike, underline,
         colour(*rgb)],
    ])


BACK_ARROW = (16, 356, 60, 60)  # above the message bar at the bottom edge
PLACE_X = 44  # place names start right of the inventory button in the top-left corner
GOLD = (255, 214, 120)
CREAM = (250, 240, 220)


def title(w):
    frame(w, "Title", None, colour_value=colour(16, 20, 48), timer=(9, "Beach"), hotspots=1)
    hotspot(w, "Title", 1, picture_place(170, 150, 300, 200), picture="title_art.gif",
            pointer="wayin.cur")
    action(w, "Title", 1, go_to="Beach")
    text(w, "Title", "1_title", "The Lighthouse Keeper's Lamp", 64, 40,
         font="Times New Roman", size=30, bold=True, italic=True, rgb=GOLD)
    text(w, "Title", "2_subtitle", "a small adventure for the Talewick player", 176, 104,
         font="Arial", size=12, rgb=(170, 190, 240))
    text(w, "Title", "3_hint", "Click the picture to begin, or wait a moment...", 178, 384,
         font="Arial", size=11, italic=True, rgb=(150, 150, 180))
    text(w, "Title", "4_credit", "drawn and written by the Talewick player team", 158, 440,
         font="Courier New", size=9, rgb=(110, 110, 150))


def beach(w):
    frame(w, "Beach", "beach.jpg", hotspots=4)
    hotspot(w, "Beach", 1, (0, 262, 440, 70))
    action(w, "Beach", 1, in_bar=True,
            message="The tide whispers on the sand. Tonight the lighthouse is dark.")
    hotspot(w, "Beach", 2, (478, 238, 140, 190), pointer="wayin.cur")
    action(w, "Beach", 2, go_to="Path")
    hotspot(w, "Beach", 3, (52, 262, 116, 128))
    action(w, "Beach", 3,
           message="LIGHTHOUSE - keep the lamp lit.   Old Tom the keeper has gone to town "
                   "for the fair, and the lamp has not been lit. Night is falling. Someone "
                   "has to climb the tower.")
    hotspot(w, "Beach", 4, picture_place(226, 392, 52, 40), picture="shell.gif")
    gives(w, "Beach", 4, "Shell")
    action(w, "Beach", 4, disappear=True, in_bar=True,
           message="You pick up a pearly scallop shell. It is still warm from the sun.")
    text(w, "Beach", "1_place", "The beach at dusk", PLACE_X, 10,
         font="Times New Roman", size=16, italic=True, rgb=CREAM)


def path(w):
    frame(w, "Path", "path.jpg", hotspots=3)
    hotspot(w, "Path", 1, (462, 26, 76, 220), pointer="wayin.cur")
    action(w, "Path", 1, go_to="Door")
    hotspot(w, "Path", 2, (52, 200, 164, 124), pointer="wayin.cur")
    action(w, "Path", 2, go_to="Boathouse")
    hotspot(w, "Path", 3, BACK_ARROW, picture="arrow_back.gif", stretch=True)
    action(w, "Path", 3, go_to="Beach")
    text(w, "Path", "1_place", "The cliff path", PLACE_X, 10,
         font="Times New Roman", size=16, italic=True, rgb=CREAM)


def door(w):
    frame(w, "Door", "door.jpg", hotspots=3)
    hotspot(w, "Door", 1, (270, 178, 100, 214), must_be_zero=["DoorOpen"])
    action(w, "Door", 1,
           message="The door will not move. There is no keyhole - only the clank of an iron "
                   "bar across the inside. A chain runs from it down the hill, towards the "
                   "boat house.")
    hotspot(w, "Door", 2, picture_place(270, 178, 100, 214), picture="door_open.bmp",
            pointer="wayin.cur", must_be_one=["DoorOpen"])
    action(w, "Door", 2, go_to="Stairs")
    hotspot(w, "Door", 3, BACK_ARROW, picture="arrow_back.gif", stretch=True)
    action(w, "Door", 3, go_to="Path")
    text(w, "Door", "1_place", "The lighthouse door", PLACE_X, 10,
         font="Times New Roman", size=16, italic=True, rgb=CREAM)


def boathouse(w):
    frame(w, "Boathouse", "boathouse.jpg", hotspots=8)
    hotspot(w, "Boathouse", 1, (60, 372, 420, 90))
    action(w, "Boathouse", 1, in_bar=True,
           message="The rowing boat Marigold, waiting for calmer seas.")
    hotspot(w, "Boathouse", 2, (40, 70, 150, 110))
    action(w, "Boathouse", 2, in_bar=True,
           message="Through the salty glass the sun is sinking fast.")
    hotspot(w, "Boathouse", 3, (262, 228, 92, 40))
    action(w, "Boathouse", 3, go_to="Logbook")
    hotspot(w, "Boathouse", 4, (492, 206, 60, 110), must_be_zero=["DoorOpen"])
    action(w, "Boathouse", 4, script="PullLever")
    hotspot(w, "Boathouse", 5, picture_place(492, 206, 60, 110), picture="lever_down.bmp",
            must_be_one=["DoorOpen"])
    action(w, "Boathouse", 5, in_bar=True,
           message="The lever is down and the chain is taut. The lighthouse door is open.")
    hotspot(w, "Boathouse", 6, picture_place(150, 212, 46, 26), picture="matches.gif")
    gives(w, "Boathouse", 6, "Matches")
    action(w, "Boathouse", 6, disappear=True, in_bar=True,
           message="A tin of matches, dry as a bone. You put it in your pocket.")
    hotspot(w, "Boathouse", 7, BACK_ARROW, picture="arrow_back.gif", stretch=True)
    action(w, "Boathouse", 7, go_back=True)
    hotspot(w, "Boathouse", 8, picture_place(214, 122, 44, 52), picture="wick.gif")
    gives(w, "Boathouse", 8, "Wick")
    action(w, "Boathouse", 8, disappear=True, in_bar=True,
           message="A coil of new lamp wick hangs on a nail. You take it. It is bone dry.")


def logbook(w):
    frame(w, "Logbook", "paper.jpg", tiled=True, timer=(20, LAST_VISITED), hotspots=1)
    hotspot(w, "Logbook", 1, (564, 356, 60, 60), picture="arrow_back.gif", stretch=True)
    action(w, "Logbook", 1, go_back=True)
    ink, red = (30, 40, 90), (140, 30, 30)
    text(w, "Logbook", "01_head", "The Keeper's Log", 40, 24, font="Times New Roman",
         size=26, bold=True, underline=True, rgb=red)
    entries = [
        "12 Oct.  Gale from the west. Lamp lit at 5 o'clock.",
        "13 Oct.  Oiled the lever in the boat house. It works",
        "         the bar of the tower door - pull it DOWN",
        "         and the door opens.",
        "14 Oct.  New tin of matches on the boat house shelf.",
        "15 Oct.  Lamp oil: 2 barrels.",
        "15 Oct.  Wick burnt down. New coil on the nail here;",
        "         soak it in the oil can upstairs first!",
        "16 Oct.  Off to the fair. Lamp to be lit at dusk!",
    ]
    for i, line in enumerate(entries):
        text(w, "Logbook", "%02d_entry" % (i + 2), line, 40, 92 + i * 26,
             font="Courier New", size=12, strike=line.startswith("15 Oct.  Lamp oil"), rgb=ink)
    text(w, "Logbook", "11_sign", "Tom Penhallow, keeper", 360, 330, font="Times New Roman",
         size=16, italic=True, rgb=ink)
    text(w, "Logbook", "12_hint", "(the page turns back by itself)", 40, 430, font="Arial",
         size=9, italic=True, rgb=(120, 100, 80))


def stairs(w):
    frame(w, "Stairs", "stairs.jpg", timer=(4, "LampRoom"), hotspots=1,
          script="Climbs = Climbs + 1 : Text(1).Caption = Text(1).Caption & | (climb | & Climbs & |)|")
    hotspot(w, "Stairs", 1, (0, 0, 640, 480))
    action(w, "Stairs", 1, go_to="LampRoom")
    text(w, "Stairs", "1_climb", "Round and round, up one hundred and seven steps...", 120,
         430, font="Times New Roman", size=16, italic=True, rgb=CREAM)


def lamp_room(w):
    frame(w, "LampRoom", "lamproom.jpg", hotspots=5)
    hotspot(w, "LampRoom", 1, (0, 140, 240, 190))
    action(w, "LampRoom", 1, in_bar=True,
           message="Far out, a ship's lights drift towards the rocks. There is no time to lose!")
    lamp = (240, 70, 160, 380)
    # The lamp before its new wick is fitted: the oiled wick goes in; other things do not help.
    hotspot(w, "LampRoom", 2, lamp, must_be_zero=["WickFitted"])
    action(w, "LampRoom", 2, in_bar=True,
           message="The old wick is burnt to a stub. Put something in the lamp to light it.")
    action(w, "LampRoom", 2, item="OiledWick", set_one="WickFitted", disappear=True,
           in_bar=True, message="You fit the oil-soaked wick into the burner. Now to light it!")
    action(w, "LampRoom", 2, item="Wick", in_bar=True,
           message="A dry wick would flare up and burn away. It needs soaking in oil first.")
    action(w, "LampRoom", 2, item="Matches", in_bar=True,
           message="The burnt stub of a wick will not take a flame. It needs a new one.")
    action(w, "LampRoom", 2, item="OilCan", in_bar=True,
           message="Oil alone will not burn in the lamp. It needs a wick to draw it up.")
    # With the new wick in: the matches light it.
    hotspot(w, "LampRoom", 3, lamp, must_be_one=["WickFitted"])
    action(w, "LampRoom", 3, in_bar=True,
           message="The new wick is in place. Now you need something to light it with.")
    action(w, "LampRoom", 3, item="Matches", set_one="LampLit", disappear=True,
           go_to="LampLit", in_bar=True,
           message="You strike a match. With a soft roar the great lamp blooms into light!")
    hotspot(w, "LampRoom", 4, BACK_ARROW, picture="arrow_down.gif", stretch=True)
    action(w, "LampRoom", 4, go_to="Door")
    hotspot(w, "LampRoom", 5, picture_place(496, 384, 60, 58), picture="oilcan.gif")
    action(w, "LampRoom", 5, disappear=True, give="OilCan", in_bar=True,
           message="The keeper's oil can, nearly full. You take it along.")
    text(w, "LampRoom", "1_place", "The lamp room", PLACE_X, 10,
         font="Times New Roman", size=16, italic=True, rgb=CREAM)


def lamp_lit(w):
    frame(w, "LampLit", "lamplit.jpg", hotspots=4, script="StartBeam")
    hotspot(w, "LampLit", 1, picture_place(468, 292, 52, 40), picture="shell.gif",
            must_be_one=["ShellOnSill"])
    action(w, "LampLit", 1, in_bar=True,
           message="The shell gleams on the sill in the lamplight.")
    hotspot(w, "LampLit", 2, (0, 140, 240, 190))
    action(w, "LampLit", 2, in_bar=True,
           message="The ship has seen the light and turns away from the rocks.")
    hotspot(w, "LampLit", 3, (240, 70, 160, 380))
    action(w, "LampLit", 3, end_game=True,
           message="The light sweeps across the dark water, and every ship on the coast "
                   "finds its way home. When old Tom comes back from the fair, he finds "
                   "his lamp burning bright.   The End - thank you for playing!")
    # The bare sill: the shell can be put there.
    hotspot(w, "LampLit", 4, (440, 282, 110, 72), must_be_zero=["ShellOnSill"])
    action(w, "LampLit", 4, in_bar=True,
           message="A wide stone sill with nothing on it. Old Tom would like a keepsake.")
    action(w, "LampLit", 4, item="Shell", set_one="ShellOnSill", disappear=True, in_bar=True,
           message="You set the shell on the sill, a present for old Tom.")
    text(w, "LampLit", "1_lit", "The lamp is lit!", 400, 16, font="Times New Roman", size=26,
         bold=True, italic=True, rgb=GOLD)
    text(w, "LampLit", "2_hint", "Click the lamp to end the story.", 420, 448, font="Arial",
         size=11, italic=True, rgb=CREAM)


def main():
    if len(sys.argv) != 2:
        print("usage: make_demo_data.py GAME_FOLDER", file=sys.stderr)
        return 2
    root = sys.argv[1]
    # Data folders are rewritten from scratch; pictures (made by make_demo_pictures) stay.
    for sub in ("Config", "Frames", "Areas"):
        folder = os.path.join(root, sub)
        if os.path.isdir(folder):
            for entry in os.listdir(folder):
                full = os.path.join(folder, entry)
                if os.path.isdir(full):
                    shutil.rmtree(full)
                elif entry.endswith((".fme", ".lks", ".obj", ".drg")) or sub == "Config":
                    os.remove(full)
    w = Writer(root)
    general(w)
    scheme(w)
    items(w)
    title(w)
    beach(w)
    path(w)
    door(w)
    boathouse(w)
    logbook(w)
    stairs(w)
    lamp_room(w)
    lamp_lit(w)
    print("wrote %d data files into %s" % (w.count, root))
    return 0


if __name__ == "__main__":
    sys.exit(main())
