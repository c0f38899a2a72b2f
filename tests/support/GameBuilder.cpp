#include "support/GameBuilder.h"

namespace tw::test {

namespace {
std::string Bool(bool b) { return b ? "#TRUE#" : "#FALSE#"; }
std::vector<std::string> Cut(std::vector<std::string> fields, int count) {
  if (count > 0 && static_cast<std::size_t>(count) < fields.size()) fields.resize(count);
  return fields;
}
}  // namespace

std::vector<std::string> FrameFields(const FrameSpec& f) {
  std::vector<std::string> v = {
      std::to_string(f.backgroundType), Quoted(f.background), Bool(f.tiled),
      Bool(false), Quoted(f.music), Bool(f.timerOn), Quoted(f.timerDelay), Quoted(f.timerTarget),
      Quoted(""), "0",                                   // 9 video, 10
      Bool(false), Bool(false), Quoted(""),              // 11-13
      "0", "0", "0",                                     // 14-16
      Bool(false), Bool(false), "0", "0", "0", "0",      // 17-22
      Bool(true),                                        // 23 music loops
      Bool(f.timerTransition), std::to_string(f.timerTransitionMs),
      std::to_string(f.timerTransitionNumber),           // 24-26
      Bool(f.runScript), Quoted(f.script),               // 27-28
      "0", "0", "0", "0", "0", "0",                      // 29-34
      "0", "0", "5", "0",                                // 35 fade, 36, 37 columns, 38 rows
      Bool(false),                                       // 39
  };
  return Cut(v, f.fieldCount);
}

void WriteFrame(const GameFolder& game, const std::string& name, const FrameSpec& frame,
                int hotspotCount) {
  game.writeLines("Frames/" + name + ".fme", FrameFields(frame));
  if (hotspotCount > 0) game.writeLines("Frames/" + name + ".lks", {std::to_string(hotspotCount)});
}

void WriteHotspot(const GameFolder& game, const std::string& frame, int number,
                  const HotspotSpec& h) {
  std::vector<std::string> v = {
      std::to_string(h.left * 15), std::to_string(h.top * 15), std::to_string(h.width * 15),
      std::to_string(h.height * 15), h.animated, Bool(h.hasPicture), Quoted(h.picture),
      std::to_string(h.stretch), Quoted(h.pointer), h.conditional() ? "1" : "0",
  };
  v.push_back(std::to_string(h.mustBeOne.size()));
  for (const std::string& n : h.mustBeOne) v.push_back(Quoted(n));
  v.push_back(std::to_string(h.mustBeZero.size()));
  for (const std::string& n : h.mustBeZero) v.push_back(Quoted(n));
  if (!h.speed.empty()) v.push_back(h.speed);
  game.writeLines("Areas/" + frame + "/" + std::to_string(number) + "a.dat", v);
}

std::vector<std::string> ActionFields(const ActionSpec& a) {
  std::vector<std::string> v = {
      a.variable.empty() ? "0" : "1", Quoted(a.variable), a.setZero ? "1" : "0",
      a.setOne ? "1" : "0", a.invert ? "1" : "0",                        // 1-5
      a.showMessage ? "1" : "0", Quoted(a.message), "0", Quoted(""),     // 6-9
      a.disappear ? "1" : "0", a.endGame ? "1" : "0",                    // 10-11
      a.goTo.empty() ? "0" : "1", Quoted(a.goTo),                        // 12-13
      "0", "0", "0", Quoted(""), Bool(false), Bool(false), "0", "0", "0", "0",  // 14-23
      "0", "0", Quoted(""), "0", Quoted(""),                             // 24-28
      "0", "0", "0", a.goBack ? "1" : "0",                               // 29-32
      "0", "0", "0", Bool(a.messageInFrame),                             // 33-36
      "0", "0", "0",                                                     // 37-39
  };
  const bool lists = !a.listZero.empty() || !a.listOne.empty() || !a.listInvert.empty();
  v.push_back(lists ? "1" : "0");  // 40
  for (const auto* list : {&a.listZero, &a.listOne, &a.listInvert}) {
    v.push_back(std::to_string(list->size()));
    for (const std::string& n : *list) v.push_back(Quoted(n));
  }
  const std::vector<std::string> rest = {
      Bool(true), "0", "0",                        // 41-43
      Bool(a.runScript), Quoted(a.script), "0",    // 44-46
      "0", "0", "0", "0", "0", "0",                // 47-52
      "0", "0", "5", "0",                          // 53-56
      Bool(!a.giveItem.empty()), Quoted(a.giveItem),  // 57-58
  };
  v.insert(v.end(), rest.begin(), rest.end());
  return Cut(v, a.fieldCount);
}

void WriteAction(const GameFolder& game, const std::string& frame, int number,
                 const ActionSpec& action) {
  game.writeLines("Areas/" + frame + "/" + std::to_string(number) + "b.dat", ActionFields(action));
}

void WriteText(const GameFolder& game, const std::string& frame, const std::string& file,
               const TextSpec& t) {
  game.writeLines("Areas/" + frame + "/" + file,
                  {Quoted(t.caption), std::to_string(t.left), std::to_string(t.top), Bool(t.bold),
                   Bool(t.italic), Quoted(t.font), std::to_string(t.size), Bool(false),
                   Bool(false), std::to_string(t.colour)});
}

void WriteSmallGeneral(const GameFolder& game, const std::string& startFrame, bool windowed,
                       bool skipStartupWindow) {
  std::vector<std::string> fields = FullGeneralFields();
  fields[4] = Quoted(startFrame);
  fields[6] = "640";
  fields[7] = "480";
  fields[40] = Bool(windowed);
  fields[42] = Bool(skipStartupWindow);
  fields[45] = Bool(false);
  fields[46] = Bool(false);
  fields[37] = Quoted("DEFAULT");
  game.writeGeneral(fields);
}

}  // namespace tw::test
