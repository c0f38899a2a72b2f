#include "variables/VariableStore.h"

#include <exception>

#include "common/FieldReader.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"

namespace tw {

namespace {
// Separates the integer variables from the variant variables in "Variables".
constexpr const char* kVariantSection = "***";
}  // namespace

void VariableStore::LoadVariables() {
  try {
    Variables.Clear();
    VariablesVariant.Clear();
    FieldReader reader =
        FieldReader::Open(player_.files, player_.folders.ConfigFolder + "Variables");
    reader.skip(1);  // the editor's own leading field
    bool variantSection = false;
    while (!reader.atEnd()) {
      std::string name = reader.readString();
      if (name == kVariantSection) {
        variantSection = true;
      } else if (variantSection) {
        VariablesVariant.Add(std::move(name), vbs::Variant::fromInteger(0));
      } else {
        Variables.Add(std::move(name), std::int16_t{0});
      }
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to load variables list.");
  }
}

void VariableStore::ChangeVariableValue(const std::string& VariableName, std::int16_t NewValue) {
  try {
    for (const auto& variable : Variables) {
      if (variable->Name != VariableName) continue;
      if (NewValue == -1) {
        variable->setValue(static_cast<std::int16_t>(variable->Value() ^ 1));
      } else {
        variable->setValue(NewValue);
      }
    }
  } catch (const std::exception&) {
    ShowChangeError(VariableName);
  }
}

void VariableStore::ChangeVariableVariantValue(const std::string& VariableName,
                                               const vbs::Variant& NewValue) {
  try {
    for (const auto& variable : VariablesVariant) {
      if (variable->Name == VariableName) variable->Value = NewValue;
    }
  } catch (const std::exception&) {
    ShowChangeError(VariableName);
  }
}

std::int16_t VariableStore::GetVariableValue(const std::string& VariableName) const {
  for (const auto& variable : Variables) {
    if (variable->Name == VariableName) return variable->Value();
  }
  return kUnknownVariableValue;
}

void VariableStore::Clear() {
  Variables.Clear();
  VariablesVariant.Clear();
  Disappear.Clear();
}

void VariableStore::ShowChangeError(const std::string& VariableName) {
  ShowStandardError(player_, " Unable to change the value of the following variable: '" +
                                 VariableName +
                                 "'. The variable may have been removed during the project "
                                 "creation.");
}

}  // namespace tw
