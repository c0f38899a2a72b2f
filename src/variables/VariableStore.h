// VariableStore: the game's variables and the list of hotspots made to disappear.
//
// The main game window owns one store. Variables holds the 16-bit integer variables,
// VariablesVariant the variant variables, both filled from "Config/Variables" when a game
// starts or is loaded; Disappear reuses the integer list as (frame name, hotspot number)
// pairs. Look-ups by name compare exactly (case matters, no trimming) and visit every
// element, because the editor does not stop an author from declaring a name twice.
#pragma once

#include <cstdint>
#include <string>

#include "variables/ClassVariable.h"
#include "variables/VariableList.h"
#include "vbscript/Variant.h"

namespace tw {

class Player;

using VariablesCollection = VariableList<ClassVariable>;
using VariantCollection = VariableList<ClassVariableVariant>;

class VariableStore {
 public:
  explicit VariableStore(Player& player) : player_(player) {}

  // Empties both lists and reads the declared names from "Config/Variables", every one
  // with the value 0. Names after a "***" field are variant variables.
  void LoadVariables();

  // Sets every integer variable of that name; -1 inverts the lowest bit instead.
  void ChangeVariableValue(const std::string& VariableName, std::int16_t NewValue);
  // Sets every variant variable of that name to a copy of the value.
  void ChangeVariableVariantValue(const std::string& VariableName, const vbs::Variant& NewValue);
  // The first integer variable of that name, or -32000 when there is none.
  std::int16_t GetVariableValue(const std::string& VariableName) const;

  // Empties both variable lists and the Disappear list (the window's reset).
  void Clear();

  VariablesCollection Variables;
  VariantCollection VariablesVariant;
  VariablesCollection Disappear;

 private:
  void ShowChangeError(const std::string& VariableName);

  Player& player_;
};

inline constexpr std::int16_t kUnknownVariableValue = -32000;

}  // namespace tw
