// ScriptCheck: a game's scripts as the script host would run them — compiled by the same
// engine, then read for what they name.
//
// A script is reported when it does not compile (line and the compiler's message). One that
// compiles is walked for three things the player would stumble on at run time:
//  - a constant text given to GoToFrame or sFrameToLoad that names no frame, to AddItem or
//    RemoveItem that names no item, to LoadAPicture or LoadGraphicFile that names a missing
//    picture;
//  - a name that nothing declares: not a variable of "Variables", not a Dim, procedure,
//    class or constant of the script or of "Procedures", not a built-in, not a name the
//    player's objects offer. Such a name is an empty variable that lives for one run, so a
//    value given to it is lost and a value read from it is always empty.
// Texts computed at run time ("Room" & n) cannot be followed and are left alone.
#pragma once

#include <set>
#include <string>

namespace tw::checker {

class CheckContext;

class ScriptCheck {
 public:
  explicit ScriptCheck(CheckContext& context);

  // "Procedures" as the script host reads it (its header lines already dropped): reported
  // when it does not compile; its names are known to every script. lineOffset is added to
  // line numbers (the header lines).
  void setProcedures(const std::string& path, const std::string& text, int lineOffset);

  // One stored script ("|" already turned back into quotes).
  void check(const std::string& path, const std::string& field, const std::string& text,
             int lineOffset = 0);

 private:
  CheckContext& context_;
  std::set<std::string> hostNames_;       // folded
  std::set<std::string> procedureNames_;  // folded
  // "Procedures" does not compile: every script run fails with it, so what a script names
  // cannot be told apart from what the procedures would have declared.
  bool proceduresBroken_ = false;
};

}  // namespace tw::checker
