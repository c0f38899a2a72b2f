#include "project/Scheme.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "common/FieldReader.h"
#include "project/Player.h"

namespace tw {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// "" for the names that mean "no picture" (and for an empty name, which names no file).
std::string PictureName(const std::string& field) {
  if (field.empty() || SameIgnoringCase(field, "[none]") || SameIgnoringCase(field, "[default]")) {
    return {};
  }
  return field;
}

// Colours are written as VB Long values; system colours (&H8000000F) come out negative and
// keep their bit pattern.
platform::Colour ReadColour(FieldReader& in) {
  return static_cast<platform::Colour>(in.readLong());
}

void ReadPictures(FieldReader& in, SchemeDescription& scheme) {
  const int count = *scheme.pictureCount;
  for (int k = 0; k < count; ++k) {
    std::string name;
    if (!in.atEnd()) {
      try {
        name = PictureName(in.readString());
      } catch (const std::exception&) {
        name.clear();  // unreadable: no picture
      }
    }
    if (k < SchemeDescription::kPictureSlots) scheme.pictures.push_back(std::move(name));
    // Once the data is used up every further name is "[default]": no need to go on.
    if (in.atEnd() && k >= SchemeDescription::kPictureSlots - 1) break;
  }
}

// Each value is stored as soon as it is read, so a failure keeps what came before it.
void ReadFields(FieldReader& in, SchemeDescription& s) {
  in.skip(3);
  s.pictureCount = in.readInteger();
  if (*s.pictureCount == 0) return;
  ReadPictures(in, s);

  s.colourFormat = in.readInteger();
  if (*s.colourFormat == 0) return;
  s.windowColour = ReadColour(in);
  s.titleColour = ReadColour(in);
  s.textColour = ReadColour(in);
  if (*s.colourFormat >= 4) s.buttonTextColour = ReadColour(in);

  if (in.atEnd()) return;
  in.skip(3);
  s.titleShown = in.readDouble() == 0;

  if (in.atEnd()) return;
  in.skip(1);
  s.logoStyle = in.readInteger();
  s.logoAlternate = in.readBoolean();
}

}  // namespace

std::string SchemeFolder(const Player& player, const std::string& name) {
  return player.folders.SchemesFolder + name + "/";
}

SchemeDescription ReadSchemeFields(FieldReader& in) {
  SchemeDescription scheme;
  scheme.found = true;
  try {
    ReadFields(in, scheme);
  } catch (const std::exception&) {
    // Damaged or cut short: what was read stays, the rest is left out.
  }
  return scheme;
}

SchemeDescription ReadScheme(Player& player, const std::string& name) {
  const std::string path = SchemeFolder(player, name) + "Scheme.txt";
  if (!player.files.exists(path)) return {};
  try {
    FieldReader in = FieldReader::Open(player.files, path);
    return ReadSchemeFields(in);
  } catch (const std::exception&) {
    SchemeDescription unreadable;
    unreadable.found = true;
    return unreadable;
  }
}

}  // namespace tw
