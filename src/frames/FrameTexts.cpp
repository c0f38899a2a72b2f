// Frame texts: one label per ".lbl" file of the frame's folder, created in file-name order so
// that later files lie in front.
//
// A text file holds: caption, left, top (twips), bold, italic, font name, size (points),
// strikethrough, underline, colour. A damaged file gives a label with what was read up to
// the damage; nothing is ever reported.
#include <exception>

#include "common/FieldReader.h"
#include "game/Game.h"

namespace tw {

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
        label.setLeft(static_cast<int>(in.readAny().toSingle()));
        label.setTop(static_cast<int>(in.readAny().toSingle()));
        platform::Font font = label.font();
        font.bold = in.readAny().toBool();
        label.setFont(font);
        font.italic = in.readAny().toBool();
        label.setFont(font);
        font.name = in.readAny().toString();
        label.setFont(font);
        font.size = in.readAny().toSingle();
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
