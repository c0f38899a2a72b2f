#include "platform/TextScale.h"

#include <algorithm>

#include "platform/Container.h"
#include "platform/Controls.h"
#include "platform/Label.h"
#include "platform/Window.h"

namespace tw::platform {

int DefaultTextScale(double /*devicePixelRatio*/, double logicalDpi) {
  const double wanted = logicalDpi / 96.0 * 100.0;
  int chosen = kTextScales[0];
  for (int scale : kTextScales) {
    if (scale <= wanted + 0.5) chosen = scale;  // 0.5: dpi values that are rounded
  }
  return chosen;
}

int ChosenTextScale(const std::string& remembered, int defaultScale) {
  for (int scale : kTextScales) {
    if (remembered == std::to_string(scale)) return scale;
  }
  return defaultScale;
}

namespace {

int Scaled(int twips, int percent) {
  return static_cast<int>(static_cast<long long>(twips) * percent / 100);
}

template <typename Control>
bool ScaleFont(Element& element, int percent) {
  auto* control = dynamic_cast<Control*>(&element);
  if (!control) return false;
  Font font = control->font();
  font.size = font.size * percent / 100.0;
  control->setFont(font);
  return true;
}

void ScaleChildren(Container& container, int percent) {
  for (Element* child : container.children()) {
    child->move(Scaled(child->left(), percent), Scaled(child->top(), percent),
                Scaled(child->width(), percent), Scaled(child->height(), percent));
    ScaleFont<Label>(*child, percent) || ScaleFont<Button>(*child, percent) ||
        ScaleFont<CheckBox>(*child, percent) || ScaleFont<TextBox>(*child, percent) ||
        ScaleFont<ListBox>(*child, percent);
    if (auto* inner = dynamic_cast<Container*>(child)) ScaleChildren(*inner, percent);
  }
}

}  // namespace

void ScaleWindowForText(Window& window, int percent, int screenWidth, int screenHeight) {
  if (window.width() > 0 && window.height() > 0) {
    const long long fitsWide = screenWidth * 100LL / window.width();
    const long long fitsHigh = screenHeight * 100LL / window.height();
    percent = static_cast<int>(std::min({static_cast<long long>(percent), fitsWide, fitsHigh}));
  }
  if (percent <= 100) return;
  window.move(window.left(), window.top(), Scaled(window.width(), percent),
              Scaled(window.height(), percent));
  ScaleChildren(window, percent);
}

}  // namespace tw::platform
