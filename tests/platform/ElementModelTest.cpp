// Element model: z-order and hit-testing, element arrays, size rules, colours, notifications.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Controls.h"
#include "platform/ElementArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "vbscript/VbError.h"

namespace tw::platform {
namespace {

int VbErrorNumber(const std::function<void()>& f) {
  try {
    f();
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

// A game window in miniature: a game area with a background catcher and hotspots.
struct GameLayout : ::testing::Test {
  Window window{"Game"};
  PictureBox pictureBox{"PictureBox"};
  Image backImage{"BackImage"};
  ElementArray<Image> area{"Area"};

  GameLayout() {
    window.move(0, 0, 9600, 7200);
    window.setVisible(true);
    window.add(pictureBox);
    pictureBox.move(300, 150, 6000, 4500);
    pictureBox.add(backImage);
    backImage.move(0, 0, 6000, 4500);
    pictureBox.add(area.templ());
  }
  Image& hotspot(int i, int left, int top, int width, int height) {
    Image& h = area.load(i);
    h.move(left, top, width, height);
    h.setVisible(true);
    return h;
  }
};

TEST_F(GameLayout, TopmostVisibleElementIsHit) {
  Image& one = hotspot(1, 600, 600, 1500, 1500);
  Image& two = hotspot(2, 1200, 1200, 1500, 1500);
  // Window coordinates -> picture box coordinates: subtract (300, 150).
  EXPECT_EQ(ElementAt(window, 300 + 1300, 150 + 1300), &two);  // overlap: later on top
  EXPECT_EQ(ElementAt(window, 300 + 700, 150 + 700), &one);
  EXPECT_EQ(ElementAt(window, 300 + 5000, 150 + 4000), &backImage);  // the see-through catcher
  EXPECT_EQ(ElementAt(window, 100, 100), nullptr);                   // the window's background
  one.bringToFront();
  EXPECT_EQ(ElementAt(window, 300 + 1300, 150 + 1300), &one);
  one.sendToBack();  // behind even the background catcher
  EXPECT_EQ(ElementAt(window, 300 + 700, 150 + 700), &backImage);
}

TEST_F(GameLayout, InvisibleAndDisabledElementsLetThePointThrough) {
  Image& one = hotspot(1, 600, 600, 1500, 1500);
  Image& two = hotspot(2, 600, 600, 1500, 1500);
  two.setVisible(false);
  EXPECT_EQ(ElementAt(window, 300 + 700, 150 + 700), &one);
  one.setEnabled(false);
  EXPECT_EQ(ElementAt(window, 300 + 700, 150 + 700), &backImage);
  pictureBox.setVisible(false);  // a hidden container hides everything in it
  EXPECT_EQ(ElementAt(window, 300 + 700, 150 + 700), nullptr);
}

TEST_F(GameLayout, ContainersClipTheirChildrenAndEdgesAreHalfOpen) {
  Image& outside = hotspot(1, 5900, 4400, 600, 600);  // sticks out of the game area
  EXPECT_EQ(ElementAt(window, 300 + 5950, 150 + 4450), &outside);
  EXPECT_EQ(ElementAt(window, 300 + 6100, 150 + 4450), nullptr);  // outside the box
  // Right and bottom edges belong to the next element.
  Image& edge = hotspot(2, 0, 0, 150, 150);
  EXPECT_EQ(ElementAt(pictureBox, 149, 149), &edge);
  EXPECT_EQ(ElementAt(pictureBox, 150, 10), &backImage);
}

TEST_F(GameLayout, LoadedElementCopiesTheTemplateHiddenAtTheFront) {
  auto icon = Picture::solid(4, 4, kWhite);
  Image& t = area.templ();
  t.move(15, 30, 450, 600);
  t.setStretch(true);
  t.setPicture(icon);
  t.setTag("template tag");
  t.setPointer({PointerShape::Arrow, nullptr});
  std::vector<int> pressed;
  t.onMouseDown = [&](Element& e, const MouseEvent&) { pressed.push_back(e.index()); };

  Image& five = area.load(5);
  EXPECT_EQ(five.index(), 5);
  EXPECT_EQ(five.name(), "Area");
  EXPECT_FALSE(five.visible());
  EXPECT_EQ(five.bounds(), (Rect{15, 30, 450, 600}));
  EXPECT_TRUE(five.stretch());
  EXPECT_EQ(five.picture(), icon);
  EXPECT_EQ(five.tag(), "template tag");
  EXPECT_EQ(five.pointer().shape, PointerShape::Arrow);
  EXPECT_EQ(five.parent(), &pictureBox);
  EXPECT_EQ(pictureBox.children().back(), &five);
  // The template's handler serves every element and sees which one was pressed.
  five.setVisible(true);
  window.dispatchMouseDown(kLeftButton, 0, 300 + 20, 150 + 40);
  EXPECT_EQ(pressed, std::vector<int>{5});
  // The template itself stays hidden and changes to it do not reach loaded elements.
  EXPECT_FALSE(t.visible());
  t.setTag("changed");
  EXPECT_EQ(five.tag(), "template tag");
}

TEST_F(GameLayout, ArrayBookkeepingAndVbErrors) {
  hotspot(1, 0, 0, 15, 15);
  hotspot(3, 0, 0, 15, 15);
  EXPECT_EQ(area.indexes(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(area.count(), 3);
  EXPECT_EQ(area.ubound(), 3);
  EXPECT_EQ(VbErrorNumber([&] { area.load(3); }), 360);
  EXPECT_EQ(VbErrorNumber([&] { area.at(2); }), 340);
  EXPECT_EQ(VbErrorNumber([&] { area.unload(2); }), 340);
  EXPECT_EQ(VbErrorNumber([&] { area.unload(0); }), 362);
  std::size_t before = pictureBox.children().size();
  area.unload(3);
  EXPECT_EQ(pictureBox.children().size(), before - 1);
  EXPECT_EQ(area.ubound(), 1);
  area.unloadAll();
  EXPECT_EQ(area.count(), 1);
  EXPECT_EQ(pictureBox.children().size(), before - 2);
}

TEST(ElementArrayMenus, LoadedMenuEntriesStayInIndexOrder) {
  Window window{"Game"};
  MenuItem debug{"mnuDebug", "Debug"};
  window.menuBar().add(debug);
  ElementArray<MenuItem> frames{"mnuFrameName"};
  debug.add(frames.templ());
  frames.load(2).setCaption("b");
  frames.load(1).setCaption("a");
  frames.load(3).setCaption("c");
  std::vector<std::string> captions;
  for (MenuItem* m : debug.children()) captions.push_back(m->caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"", "a", "b", "c"}));
  EXPECT_EQ(window.menuBar().find("mnuFrameName", 2), &frames[2]);
  int clicked = -1;
  frames.templ().onClick = [&](MenuItem& m) { clicked = m.index(); };
  frames.load(4).click();
  EXPECT_EQ(clicked, 4);
  frames[4].setEnabled(false);
  clicked = -1;
  frames[4].click();
  EXPECT_EQ(clicked, -1);
}

TEST(ElementArrayMenus, EntriesLoadedInAnyOrderStayBeforeTheItemsAfterTheArray) {
  MenuItem debug{"mnuDebug", "Debug"};
  ElementArray<MenuItem> frames{"mnuFrameName"};
  debug.add(frames.templ());
  MenuItem other{"mnuOther", "Other"};
  debug.add(other);
  for (int i : {1, 3, 5, 4, 2}) frames.load(i).setCaption(std::to_string(i));
  frames.unload(3);
  frames.unload(5);
  frames.load(5).setCaption("5");
  frames.load(3).setCaption("3");
  std::vector<std::string> captions;
  for (MenuItem* m : debug.children()) captions.push_back(m->caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"", "1", "2", "3", "4", "5", "Other"}));
  frames.unloadAll();
  ASSERT_EQ(debug.children().size(), 2u);
  EXPECT_EQ(debug.children()[1], &other);
}

TEST(ElementRules, NegativeSizesAreRefused) {
  Image image;
  EXPECT_EQ(VbErrorNumber([&] { image.setWidth(-1); }), 380);
  EXPECT_EQ(VbErrorNumber([&] { image.move(0, 0, 10, -15); }), 380);
  image.move(-300, -45, 0, 0);  // negative positions are fine (the closed inventory bar)
  EXPECT_EQ(image.top(), -45);
}

TEST(ElementRules, ImageTakesThePictureSizeUnlessStretched) {
  auto pic = Picture::solid(32, 20, kBlack);
  Image image;
  image.move(100, 100, 3000, 3000);
  image.setStretch(true);
  image.setPicture(pic);
  EXPECT_EQ(image.bounds(), (Rect{100, 100, 3000, 3000}));
  image.setStretch(false);
  EXPECT_EQ(image.bounds(), (Rect{100, 100, 32 * 15, 20 * 15}));
  Image plain;
  plain.move(0, 0, 600, 600);
  plain.setPicture(nullptr);  // no picture: the size stays (the background catcher)
  EXPECT_EQ(plain.width(), 600);
}

TEST(ElementRules, AutoSizedLabelFollowsItsCaption) {
  Label label;
  label.move(150, 150, 15, 15);
  label.setAutoSize(true);
  label.setCaption("Hello");
  int shortWidth = label.width();
  label.setCaption("Hello, adventurer");
  EXPECT_GT(label.width(), shortWidth);
  int oneLine = label.height();
  label.setCaption("Hello\r\nadventurer");
  EXPECT_GT(label.height(), oneLine);
  EXPECT_EQ(label.left(), 150);
  EXPECT_EQ(label.width() % 15, 0);
  // Word wrap keeps the width and grows downwards.
  label.setWordWrap(true);
  label.setWidth(600);
  label.setCaption("a long caption that cannot fit into forty pixels");
  EXPECT_EQ(label.width(), 600);
  EXPECT_GT(label.height(), oneLine);
}

TEST(ElementRules, TimerElementsFollowVbDefaultsAndCopyTheirTemplate) {
  std::int64_t now = 0;
  TimerScheduler scheduler([&] { return now; });
  ElementArray<Timer> timers{"TimerObject", scheduler};
  EXPECT_TRUE(timers.templ().enabled());
  EXPECT_FALSE(timers.templ().running());  // interval 0
  EXPECT_EQ(VbErrorNumber([&] { timers.templ().setInterval(70000); }), 380);
  std::vector<int> fired;
  timers.templ().onTimer = [&](Timer& t) {
    fired.push_back(t.index());
    timers.unload(t.index());  // a script timer that removes itself
  };
  timers.load(1).setInterval(100);
  timers.load(2).setInterval(50);
  now = 200;
  scheduler.runDue(now);
  EXPECT_EQ(fired, (std::vector<int>{2, 1}));
  EXPECT_EQ(timers.count(), 1);
  EXPECT_EQ(scheduler.size(), 1u);  // only the template remains scheduled
}

TEST(ElementRules, ListBoxKeepsItsSelectionOnTheSameEntry) {
  ListBox list;
  list.addItem("b");
  list.addItem("c");
  list.addItem("a", 0);
  list.setListIndex(1);  // "b"
  list.addItem("z", 0);
  EXPECT_EQ(list.text(), "b");
  list.removeItem(0);
  EXPECT_EQ(list.text(), "b");
  list.removeItem(1);
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(VbErrorNumber([&] { list.removeItem(5); }), 5);
  EXPECT_EQ(VbErrorNumber([&] { list.setListIndex(7); }), 380);
  int clicks = 0, doubles = 0;
  list.onClick = [&](Element&) { ++clicks; };
  list.onDblClick = [&](Element&) { ++doubles; };
  list.doubleClickItem(1);
  EXPECT_EQ(list.text(), "c");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
}

TEST(Colours, VbNumbersAndSystemColours) {
  EXPECT_EQ(ToRgb(ColourFromRgb(1, 2, 3)), (Rgb{1, 2, 3}));
  EXPECT_EQ(ToRgb(0x0000FF), (Rgb{255, 0, 0}));  // red is the low byte
  EXPECT_EQ(ToRgb(0xFF0000), (Rgb{0, 0, 255}));
  EXPECT_EQ(ToRgb(kButtonFace), (Rgb{212, 208, 200}));
  EXPECT_EQ(ToRgb(kWindowBackground), (Rgb{255, 255, 255}));
  EXPECT_EQ(ToRgb(kButtonText), (Rgb{0, 0, 0}));
  EXPECT_EQ(ToRgb(0x80000018u), (Rgb{255, 255, 225}));
  EXPECT_EQ(ToRgb(0x800000FFu), (Rgb{0, 0, 0}));  // unknown system colour
}

struct RecordingHost : WindowHost {
  std::vector<Change> changes;
  int destroyed = 0;
  void windowChanged(Window&, Change c) override { changes.push_back(c); }
  void windowDestroyed(Window&) override { ++destroyed; }
};

TEST(WindowNotifications, HostHearsOfContentMenusAndDestruction) {
  RecordingHost host;
  {
    Window window{"Game"};
    window.setHost(&host);
    Label label;
    window.add(label);
    host.changes.clear();
    label.setCaption("x");
    ASSERT_FALSE(host.changes.empty());
    EXPECT_EQ(host.changes.back(), WindowHost::Change::Content);
    label.setCaption("x");  // no change, no notice
    std::size_t n = host.changes.size();
    label.setCaption("x");
    EXPECT_EQ(host.changes.size(), n);
    window.setCaption("Title");
    EXPECT_EQ(host.changes.back(), WindowHost::Change::Window);
    MenuItem exit{"mnuExit", "Exit"};
    window.menuBar().add(exit);
    exit.setVisible(false);
    EXPECT_EQ(host.changes.back(), WindowHost::Change::Menus);
    std::uint64_t rev = window.revision();
    label.setVisible(false);
    EXPECT_GT(window.revision(), rev);
  }
  EXPECT_EQ(host.destroyed, 1);
}

struct AreaHost : RecordingHost {
  std::vector<Rect> areas;
  void windowAreaChanged(Window&, const Rect& area) override { areas.push_back(area); }
};

// A change inside the window names the part it touched, in window twips: a moved element both
// where it was and where it is, a nested one at its place in the window.
TEST(WindowNotifications, ChangesNameTheAreaTheyTouch) {
  AreaHost host;
  Window window{"Game"};
  window.setHost(&host);
  PictureBox box;
  box.move(1500, 300, 3000, 3000);
  window.add(box);
  Label label;
  label.move(150, 150, 600, 300);
  box.add(label);
  const struct {
    const char* what;
    std::function<void()> change;
    std::vector<Rect> areas;
  } cases[] = {
      {"caption", [&] { label.setCaption("x"); }, {{1650, 450, 600, 300}}},
      {"move", [&] { label.move(300, 0); }, {{1650, 450, 600, 300}, {1800, 300, 600, 300}}},
      {"resize", [&] { label.setWidth(900); }, {{1800, 300, 600, 300}, {1800, 300, 900, 300}}},
      {"hide", [&] { label.setVisible(false); }, {{1800, 300, 900, 300}}},
      {"container", [&] { box.setLeft(0); }, {{1500, 300, 3000, 3000}, {0, 300, 3000, 3000}}},
  };
  for (const auto& c : cases) {
    host.areas.clear();
    host.changes.clear();
    c.change();
    EXPECT_EQ(host.areas, c.areas) << c.what;
    EXPECT_TRUE(host.changes.empty()) << c.what << ": no whole-window repaint";
  }
  window.setCaption("Title");  // the window's own change stays a window change
  EXPECT_EQ(host.changes, std::vector{WindowHost::Change::Window});
}

TEST(WindowNotifications, DestructionOrderIsSafeEitherWay) {
  auto label = std::make_unique<Label>();
  {
    Window window{"W"};
    PictureBox box;
    window.add(box);
    box.add(*label);
    EXPECT_EQ(label->window(), &window);
  }  // window and box gone first: the label is set free
  EXPECT_EQ(label->parent(), nullptr);
  EXPECT_EQ(label->window(), nullptr);
  label->setCaption("still usable");
  Window window{"W2"};
  {
    Image image;
    window.add(image);
  }  // the image leaves the window when destroyed
  EXPECT_TRUE(window.children().empty());
}

TEST(ElementRules, HugePlacesDoNotWrapAroundWhenHit) {
  // A script may put an element near the largest int with a huge size: its far edge is
  // beyond every point, not a negative number that no point reaches.
  const Rect far{2'000'000'000, 2'000'000'000, 2'000'000'000, 2'000'000'000};
  EXPECT_TRUE(far.contains(2'100'000'000, 2'100'000'000));
  EXPECT_FALSE(far.contains(1'999'999'999, 2'100'000'000));
}

}  // namespace
}  // namespace tw::platform
