// Frame texts: one label per ".lbl" file of the frame's folder, created in file-name order so
// that later files lie in front.
//
// A text file holds: caption, left, top (twips), bold, italic, font name, size (points),
// strikethrough, underline, colour. A damaged file gives a label with what was read up to
// the damage; nothing is ever reported. Numbers out of range are damage too (a position beyond
// a Long, a font size beyond 2160 points), never converted blindly.
#include <exception>

#include "common/FieldReader.h"
#include "vbscript/VbError.h"
#include "game/Game.h"

namespace tw {

namespace {

// A position as the runtime converts a Single to a whole number of twips: beyond a Long it
// overflows (6), as Left = 1E30 would.
int Twips(const vbs::Variant& field) {
  return vbs::Variant::fromSingle(field.toSingle()).toLong();
}

// Font sizes run up to 2160 points; a larger or negative one is an invalid property value
// (380). A font of 1E30 points would otherwise reach the renderer.
double FontSize(const vbs::Variant& field) {
  const float size = field.toSingle();
  if (!(size >= 0 && size <= 2160)) throw vbs::VbError(380, "Invalid property value");
  return size;
}

}  // namespace

void Game::LoadTexts() {
  const std::string folder = player_.folders.AreasFolder + player_.frame.CurrentFrameName + "/";
  std::vector<std::string> files;
  try {
    files = player_.files.list(folder, "*.lbl");
  } catch (const std::exception&) {
    return;
  }
  for (const std::string& name : files) {
    try {
      const int n = Text.ubound() + 1;
      platform::Label& label = Text.load(n);
      label.setAutoSize(true);
      label.setTag(folder + name);
      try {
        FieldReader in = FieldReader::Open(player_.files, folder + name);
        label.setCaption(in.readAny().toString());
        label.setLeft(Twips(in.readAny()));
        label.setTop(Twips(in.readAny()));
        platform::Font font = label.font();
        font.bold = in.readAny().toBool();
        label.setFont(font);
        font.italic = in.readAny().toBool();
        label.setFont(font);
        font.name = in.readAny().toString();
        label.setFont(font);
        font.size = FontSize(in.readAny());
        label.setFont(font);
        font.strikethrough = in.readAny().toBool();
        label.setFont(font);
        font.underline = in.readAny().toBool();
        label.setFont(font);
        label.setForeColour(static_cast<platform::Colour>(in.readAny().toLong()));
      } catch (const std::exception&) {
        // The label keeps what was read and the template's values for the rest.
      }
      label.setVisible(true);
      label.bringToFront();
    } catch (const std::exception&) {
    }
  }
}

void Game::ResetFrameTexts() {
  try {
    Text.unloadAll();
  } catch (const std::exception&) {
  }
}

}  // namespace tw
