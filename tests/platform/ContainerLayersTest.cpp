// Pictures and labels lie on their container's surface, below every windowed control.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tw::platform
