// A game whose background is a wmf (stored under its coded extension) and whose door is an
// emf hotspot picture, both named with an accented letter as old games wrote them (the data
// in Windows-1252; one file on disk in UTF-8, the other in Windows-1252), played by replay: the frame loads without a box, shows the drawing,
// and the door leads on.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "app/Replay.h"
#include "platform/Picture.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"
#include "support/MetafileWriter.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

std::string Text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

void WriteMetafileGame(const GameFolder& game) {
  WriteSmallGeneral(game, "Hall", true);
  game.writeVariables({"Seen"});
  // 640 x 480 pixels in twips: blue sky, green ground, a yellow sun around (550, 90).
  WmfWriter hall = WmfWriter::Placeable(0, 0, 9600, 7200, 1440);
  hall.createPen(5, 0, 0).selectObject(0);
  hall.createBrush(0, Rgb(0, 0, 255)).selectObject(1).rectangle(0, 0, 9600, 3600);
  hall.createBrush(0, Rgb(0, 160, 0)).selectObject(2).rectangle(0, 3600, 9600, 7200);
  hall.createBrush(0, Rgb(255, 255, 0)).selectObject(3).ellipse(7500, 600, 9000, 2100);
  game.write("Frames/Caf\u00E9.007", Text(hall.bytes()));  // UTF-8 name, coded extension
  // A door of 72 x 144 pixels: brown, with a yellow knob.
  EmfWriter door(0, 0, 1905, 3810);
  door.selectObject(0x80000008u);
  door.createBrush(1, 0, Rgb(128, 64, 0)).selectObject(1).rectangle(0, 0, 72, 144);
  door.createBrush(2, 0, Rgb(255, 255, 0)).selectObject(2).ellipse(52, 70, 62, 80);
  game.write("Areas/Cl\xE9.emf", Text(door.bytes()));  // a Windows-1252 name on disk

  // Both names are written in Windows-1252 in the data files.
  WriteFrame(game, "Hall", {.backgroundType = 1, .background = "Caf\xE9.wmf"}, 1);
  WriteHotspot(game, "Hall", 1,
               {.left = 300,
                .top = 100,
                .width = 80,
                .height = 160,
                .hasPicture = true,
                .picture = "Cl\xE9.emf"});
  WriteAction(game, "Hall", 1, {.goTo = "Tower"});
  WriteFrame(game, "Tower", {.background = "255"});
}


TEST(MetafileGameTest, MetafileBackgroundAndHotspotPictureLoadShowAndPlay) {
  GameFolder game;
  WriteMetafileGame(game);
  const std::string shot = game.file("shot.png");
  const ReplayOutcome r = PlayReplay(game, "wait 100\n", shot);
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.state["frame"], "Hall");
  EXPECT_EQ(r.state["boxes"], Json::array());  // no error box on the way
  ASSERT_EQ(r.state["hotspots"].size(), 1u);
  EXPECT_EQ(r.state["hotspots"][0]["visible"], true);

  auto picture = platform::Picture::load(shot);
  auto rgb = [&](int x, int y) { return picture->pixel(x, y) & 0xFFFFFFu; };
  EXPECT_EQ(rgb(100, 100), 0x0000FFu);  // sky
  EXPECT_EQ(rgb(100, 400), 0x00A000u);  // ground
  EXPECT_EQ(rgb(550, 90), 0xFFFF00u);   // sun
  EXPECT_EQ(rgb(320, 140), 0x804000u);  // door, drawn over the sky at (302, 102)
  EXPECT_EQ(rgb(359, 177), 0xFFFF00u);  // its knob
  EXPECT_EQ(rgb(380, 140), 0x0000FFu);  // beside the door: sky again

  const ReplayOutcome played = PlayReplay(game, "click 330 180\nwait 100\n");
  ASSERT_EQ(played.status, 0) << played.errors;
  EXPECT_EQ(played.state["frame"], "Tower");
  EXPECT_EQ(played.state["boxes"], Json::array());
}

}  // namespace
}  // namespace tw::test
