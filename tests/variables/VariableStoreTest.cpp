// The variable store: loading "Variables", changing and reading by name, damaged files.
#include <gtest/gtest.h>

#include "support/TestPlayer.h"
#include "variables/VariableStore.h"

namespace tw::test {
namespace {

class VariableStoreTest : public ::testing::Test {
 protected:
  VariableStoreTest() : store(t.player) {
    t.game.writeGeneral(FullGeneralFields());
    t.initialize();
  }
  std::vector<std::string> integerNames() const {
    std::vector<std::string> names;
    for (const auto& v : store.Variables) names.push_back(v->Name);
    return names;
  }
  std::vector<std::string> variantNames() const {
    std::vector<std::string> names;
    for (const auto& v : store.VariablesVariant) names.push_back(v->Name);
    return names;
  }
  TestPlayer t;
  VariableStore store;
};

using Names = std::vector<std::string>;

TEST_F(VariableStoreTest, NamesAfterTheMarkerAreVariantVariables) {
  t.game.writeVariables({"DoorOpen", "HasKey", "***", "PlayerName", "Score"});
  store.LoadVariables();
  EXPECT_EQ(integerNames(), (Names{"DoorOpen", "HasKey"}));
  EXPECT_EQ(variantNames(), (Names{"PlayerName", "Score"}));
  for (const auto& v : store.Variables) EXPECT_EQ(v->Value(), 0);
  for (const auto& v : store.VariablesVariant) {
    EXPECT_EQ(v->Value.type(), vbs::VarType::Integer);  // the integer 0, not Empty
    EXPECT_EQ(v->Value.toInteger(), 0);
  }
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(VariableStoreTest, MarkerPlacementAndRepetition) {
  struct Case {
    Names file;
    Names integers, variants;
  };
  const Case cases[] = {
      {{}, {}, {}},                                        // only the leading field
      {{"A", "B"}, {"A", "B"}, {}},                        // no marker
      {{"***", "A", "B"}, {}, {"A", "B"}},                 // marker first
      {{"A", "***", "B", "***", "C"}, {"A"}, {"B", "C"}},  // a second marker changes nothing
      {{"A", "**", "*** "}, {"A", "**", "*** "}, {}},      // only exactly "***" counts
      {{"", "A"}, {"", "A"}, {}},                          // an empty field is an empty name
  };
  for (const Case& c : cases) {
    t.game.writeVariables(c.file);
    store.LoadVariables();
    EXPECT_EQ(integerNames(), c.integers);
    EXPECT_EQ(variantNames(), c.variants);
  }
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(VariableStoreTest, LoadingAgainStartsFromScratch) {
  t.game.writeVariables({"A", "***", "V"});
  store.LoadVariables();
  store.ChangeVariableValue("A", 1);
  store.ChangeVariableVariantValue("V", vbs::Variant::fromString("x"));
  store.LoadVariables();
  ASSERT_EQ(store.Variables.Count(), 1);
  EXPECT_EQ(store.Variables.Item(1)->Value(), 0);
  EXPECT_EQ(store.VariablesVariant.Item(1)->Value.type(), vbs::VarType::Integer);
}

TEST_F(VariableStoreTest, ChangeSetsAndInvertsEveryVariableOfThatName) {
  t.game.writeVariables({"Lamp", "Other", "Lamp"});
  store.LoadVariables();
  store.ChangeVariableValue("Lamp", 1);
  EXPECT_EQ(store.Variables.Item(1)->Value(), 1);
  EXPECT_EQ(store.Variables.Item(2)->Value(), 0);
  EXPECT_EQ(store.Variables.Item(3)->Value(), 1);

  // -1 flips the lowest bit: 1 -> 0, 0 -> 1, 5 -> 4, -2 -> -1.
  const std::pair<std::int16_t, std::int16_t> inversions[] = {{1, 0}, {0, 1}, {5, 4}, {-2, -1}};
  for (const auto& [before, after] : inversions) {
    store.Variables.Item(1)->setValue(before);
    store.ChangeVariableValue("Lamp", -1);
    EXPECT_EQ(store.Variables.Item(1)->Value(), after) << before;
  }
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(VariableStoreTest, NamesCompareExactly) {
  t.game.writeVariables({"Lamp", "lamp2"});
  store.LoadVariables();
  store.ChangeVariableValue("LAMP", 1);
  store.ChangeVariableValue("Lamp ", 1);
  store.ChangeVariableValue("Unknown", 1);
  EXPECT_EQ(store.GetVariableValue("Lamp"), 0);
  EXPECT_EQ(store.GetVariableValue("lamp"), kUnknownVariableValue);
  EXPECT_EQ(store.GetVariableValue("Unknown"), -32000);
  EXPECT_TRUE(t.boxes().empty());  // unknown names are silent
}

TEST_F(VariableStoreTest, GetReturnsTheFirstOfSeveralSameNamedVariables) {
  t.game.writeVariables({"X", "X"});
  store.LoadVariables();
  store.Variables.Item(1)->setValue(std::int16_t{7});
  store.Variables.Item(2)->setValue(std::int16_t{9});
  EXPECT_EQ(store.GetVariableValue("X"), 7);
}

TEST_F(VariableStoreTest, VariantChangeStoresACopyInEveryMatch) {
  t.game.writeVariables({"***", "Name", "Name", "Other"});
  store.LoadVariables();
  store.ChangeVariableVariantValue("Name", vbs::Variant::fromString("Ada"));
  EXPECT_EQ(store.VariablesVariant.Item(1)->Value.toString(), "Ada");
  EXPECT_EQ(store.VariablesVariant.Item(2)->Value.toString(), "Ada");
  EXPECT_EQ(store.VariablesVariant.Item(3)->Value.type(), vbs::VarType::Integer);
  store.ChangeVariableVariantValue("Name", vbs::Variant::Null());
  EXPECT_TRUE(store.VariablesVariant.Item(1)->Value.isNull());
}

TEST_F(VariableStoreTest, DamagedOrMissingFilesGiveTheBoxAndKeepWhatWasRead) {
  struct Case {
    std::string content;
    bool exists;
    int integers;
  };
  const Case cases[] = {
      {"", false, 0},                                           // missing
      {"", true, 0},                                            // empty: not even the leading field
      {"1,\"A\",\"B\",\"unterminated", true, 3},                // a quote never closed still ends
      {std::string("1\r\n\x00\x01\xfe\r\n\"Z\"", 9), true, 2},  // binary bytes are names
  };
  for (const Case& c : cases) {
    TestPlayer p;
    p.game.writeGeneral(FullGeneralFields());
    p.initialize();
    if (c.exists) p.game.write("Config/Variables", c.content);
    VariableStore s(p.player);
    s.LoadVariables();
    EXPECT_EQ(s.Variables.Count(), c.integers) << c.content;
    if (!c.exists || c.content.empty()) {
      ASSERT_EQ(p.boxes().size(), 1u);
      EXPECT_NE(p.boxes()[0].text.find("Error description: Unable to load variables list."),
                std::string::npos);
    } else {
      EXPECT_TRUE(p.boxes().empty());
    }
  }
}

TEST_F(VariableStoreTest, OneEnormousLineIsOneName) {
  t.game.write("Config/Variables", "1\r\n\"" + std::string(2'000'000, 'n') + "\"");
  store.LoadVariables();
  ASSERT_EQ(store.Variables.Count(), 1);
  EXPECT_EQ(store.Variables.Item(1)->Name.size(), 2'000'000u);
}

TEST_F(VariableStoreTest, ClearEmptiesAllThreeLists) {
  t.game.writeVariables({"A", "***", "B"});
  store.LoadVariables();
  store.Disappear.Add("Hall", std::int16_t{3});
  store.Clear();
  EXPECT_EQ(store.Variables.Count(), 0);
  EXPECT_EQ(store.VariablesVariant.Count(), 0);
  EXPECT_EQ(store.Disappear.Count(), 0);
}

}  // namespace
}  // namespace tw::test
