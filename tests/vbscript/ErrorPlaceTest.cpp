// Where a run-time error is reported: a failing part of a compound statement (an ElseIf or
// Case line, a Loop condition, a loop bound) is reported at that part, not at the line where
// the statement starts; simple statements report their own start.
#include <gtest/gtest.h>

#include <string>

#include "vbscript/Engine.h"

namespace vbs {
namespace {

struct Place {
  int number = 0;
  int line = 0;
  int column = 0;
};

Place PlaceOf(const std::string& text) {
  Engine engine;
  try {
    engine.run(text);
  } catch (const ScriptException& e) {
    return {e.error().number, e.error().line, e.error().column};
  }
  ADD_FAILURE() << "no error from: " << text;
  return {};
}

struct PlaceCase {
  const char* what;
  const char* text;
  int line;
  int column;
};

TEST(ErrorPlaceTest, FailingPartsOfCompoundStatements) {
  const PlaceCase cases[] = {
      {"simple statement", "x = 1\n  y = 1 / 0\n", 2, 3},
      {"If condition", "If 1 / 0 Then\nEnd If\n", 1, 4},
      {"ElseIf condition", "If False Then\nElseIf  1 / 0 Then\nEnd If\n", 2, 9},
      {"Case value", "Select Case 1\n  Case 2\n  Case   1 / 0\nEnd Select\n", 3, 10},
      {"Select subject", "Select Case  1 / 0\nEnd Select\n", 1, 14},
      {"Loop condition", "Do\nLoop Until  CLng(\"x\")\n", 2, 13},
      {"Do While condition", "Do While 1 / 0\nLoop\n", 1, 10},
      {"For limit", "For i = 1 To   1 / 0\nNext\n", 1, 16},
      {"For Each collection", "For Each v In  5\nNext\n", 1, 16},
      {"statement inside a block", "If True Then\n   z = CInt(\"a\")\nEnd If\n", 2, 4},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Place p = PlaceOf(c.text);
    EXPECT_NE(p.number, 0);
    EXPECT_EQ(p.line, c.line);
    EXPECT_EQ(p.column, c.column);
  }
}

}  // namespace
}  // namespace vbs
