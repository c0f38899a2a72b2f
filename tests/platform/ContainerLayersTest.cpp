// Pictures and labels lie on their container's surface, below every windowed control.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "platform/Controls.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"

namespace tw::platform {
namespace {

TEST(ContainerLayersTest, LabelsAndPicturesStayBelowWindowedControls) {
  PictureBox area("area");
  PictureBox bar("bar");
  Label text("text");
  Image hotspot("hotspot");
  area.add(bar);
  area.add(text);     // added after the bar, yet below it
  area.add(hotspot);
  ASSERT_EQ(area.children().size(), 3u);
  EXPECT_EQ(area.children()[0], &text);
  EXPECT_EQ(area.children()[1], &hotspot);
  EXPECT_EQ(area.children()[2], &bar);

  text.bringToFront();  // in front of the hotspot, still under the bar
  EXPECT_EQ(area.children()[1], &text);
  EXPECT_EQ(area.children()[2], &bar);
  bar.sendToBack();     // the back of its own layer: still above the pictures and labels
  EXPECT_EQ(area.children()[2], &bar);

  PictureBox box("box");
  area.add(box);
  box.sendToBack();     // below the other picture box
  EXPECT_EQ(area.children()[2], &box);
  EXPECT_EQ(area.children()[3], &bar);

  // Hit-testing follows: the bar receives a click over the label.
  text.move(0, 0, 150, 150);
  bar.move(0, 0, 150, 150);
  box.setVisible(false);
  EXPECT_EQ(ElementAt(area, 10, 10), &bar);
  bar.setVisible(false);
  EXPECT_EQ(ElementAt(area, 10, 10), &text);
}

// Many adds, removals and moves in random order keep exactly the order that the two-layer
// rule gives, checked against a plain model of it.
TEST(ContainerLayersTest, RandomChangesKeepTheLayerOrder) {
  PictureBox area("area");
  std::vector<std::unique_ptr<Element>> elements;
  for (int i = 0; i < 40; ++i) {
    if (i % 3 == 0) {
      elements.push_back(std::make_unique<PictureBox>("box"));
    } else if (i % 3 == 1) {
      elements.push_back(std::make_unique<Label>("text"));
    } else {
      elements.push_back(std::make_unique<Image>("hotspot"));
    }
  }
  const auto light = [](const Element* e) { return e->kind() != ElementKind::PictureBox; };
  std::vector<Element*> model;
  const auto take = [&](Element* e) {
    model.erase(std::remove(model.begin(), model.end(), e), model.end());
  };
  const auto firstWindowed = [&] {
    return std::find_if(model.begin(), model.end(), [&](Element* e) { return !light(e); });
  };
  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    Element* e = elements[random() % elements.size()].get();
    const bool inside = e->parent() == &area;
    switch (random() % 4) {
      case 0:
        area.add(*e);
        take(e);
        model.insert(light(e) ? firstWindowed() : model.end(), e);
        break;
      case 1:
        area.remove(*e);
        take(e);
        break;
      case 2:
        if (!inside) break;
        e->bringToFront();
        take(e);
        model.insert(light(e) ? firstWindowed() : model.end(), e);
        break;
      default:
        if (!inside) break;
        e->sendToBack();
        take(e);
        model.insert(light(e) ? model.begin() : firstWindowed(), e);
        break;
    }
    ASSERT_EQ(area.children(), model) << "step " << step;
  }
}

}  // namespace
}  // namespace tw::platform
