// The menu bar: hidden items, check marks, separators, rebuilding on change, updates in place,
// items destroyed behind the bar's back, long scrollable menus, and the pulled-down hook.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <memory>
#include <vector>

#include "platform/Menu.h"
#include "platform/Window.h"
#include "platform/qt/MenuBarSync.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowView.h"
#include "platform/MemorySettings.h"

namespace tw::platform {
namespace {

QStringList Texts(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("---") : a->text());
  return out;
}

struct MenuFixture : ::testing::Test {
  QMenuBar bar;
  MenuItem root;
  MenuItem file{"mnuFile", "&File"};
  MenuItem load{"mnuLoadGame", "&Load"};
  MenuItem save{"mnuSaveGame", "&Save"};
  MenuItem line{"mnuLine", "-"};
  MenuItem exit{"mnuExit", "E&xit"};
  MenuItem debug{"mnuDebug", "Debug"};
  MenuItem frame{"mnuFrameName", "Hall"};
  std::vector<std::string> log;
  std::unique_ptr<MenuBarSync> sync;

  MenuFixture() {
    root.add(file);
    file.add(load);
    file.add(save);
    file.add(line);
    file.add(exit);
    root.add(debug);
    debug.add(frame);
    save.setVisible(false);
    exit.setChecked(true);
    debug.setVisible(false);
    for (MenuItem* m : {&load, &save, &exit, &frame}) {
      m->onClick = [this](MenuItem& item) { log.push_back(item.name()); };
    }
    MenuBarSync::Hooks hooks;
    hooks.triggered = [](MenuItem& item) { item.click(); };
    sync = std::make_unique<MenuBarSync>(bar, root, hooks);
  }
  QMenu* fileMenu() { return bar.actions().value(0) ? bar.actions()[0]->menu() : nullptr; }
};

TEST_F(MenuFixture, HiddenItemsAreLeftOutAndCheckMarksShow) {
  // A switch shows its box while off too; a plain command has none.
  load.setCheckable(true);
  EXPECT_TRUE(sync->sync());
  EXPECT_EQ(Texts(bar.actions()), QStringList{"&File"});
  ASSERT_NE(fileMenu(), nullptr);
  EXPECT_EQ(Texts(fileMenu()->actions()), (QStringList{"&Load", "---", "E&xit"}));
  QAction* exitAction = fileMenu()->actions()[2];
  EXPECT_TRUE(exitAction->isCheckable());
  EXPECT_TRUE(exitAction->isChecked());
  EXPECT_TRUE(fileMenu()->actions()[0]->isCheckable());
  EXPECT_FALSE(fileMenu()->actions()[0]->isChecked());
  exit.setChecked(false);
  sync->sync();
  EXPECT_TRUE(exitAction->isCheckable()) << "a switch turned off lost its box";
  EXPECT_FALSE(exitAction->isChecked());
  load.setCheckable(false);
  sync->sync();
  EXPECT_FALSE(fileMenu()->actions()[0]->isCheckable());
}

TEST_F(MenuFixture, RebuildsWhenItemsAppearAndUpdatesInPlaceOtherwise) {
  sync->sync();
  QAction* loadAction = fileMenu()->actions()[0];
  load.setChecked(true);
  load.setEnabled(false);
  load.setCaption("&Load game");
  sync->sync();
  // Same shape: the very same action, updated.
  EXPECT_EQ(fileMenu()->actions()[0], loadAction);
  EXPECT_TRUE(loadAction->isChecked());
  EXPECT_FALSE(loadAction->isEnabled());
  EXPECT_EQ(loadAction->text(), "&Load game");

  save.setVisible(true);
  debug.setVisible(true);
  sync->sync();
  EXPECT_EQ(Texts(bar.actions()), (QStringList{"&File", "Debug"}));
  EXPECT_EQ(Texts(fileMenu()->actions()), (QStringList{"&Load game", "&Save", "---", "E&xit"}));
  EXPECT_EQ(Texts(bar.actions()[1]->menu()->actions()), QStringList{"Hall"});
}

TEST_F(MenuFixture, NoVisibleTopLevelItemMeansNoBar) {
  file.setVisible(false);
  EXPECT_FALSE(sync->sync());
  EXPECT_TRUE(bar.actions().isEmpty());
}

TEST_F(MenuFixture, TriggeringRunsTheItemAndKeepsItsOwnCheckState) {
  sync->sync();
  QAction* exitAction = fileMenu()->actions()[2];
  exitAction->trigger();  // Qt would untick it; the item did not change
  EXPECT_EQ(log, std::vector<std::string>{"mnuExit"});
  EXPECT_TRUE(exitAction->isChecked());
}

TEST_F(MenuFixture, AnActionOfADestroyedItemDoesNothing) {
  auto extra = std::make_unique<MenuItem>("mnuExtra", "Extra");
  bool ran = false;
  extra->onClick = [&](MenuItem&) { ran = true; };
  file.add(*extra);
  sync->sync();
  QPointer<QAction> stale = fileMenu()->actions().last();
  ASSERT_EQ(stale->text(), "Extra");
  extra.reset();  // gone before the bar is synced again
  ASSERT_TRUE(stale);
  stale->trigger();
  EXPECT_FALSE(ran);
  EXPECT_EQ(sync->itemOf(stale), nullptr);
}

TEST_F(MenuFixture, FiveHundredFramesMakeAScrollableMenu) {
  std::vector<std::unique_ptr<MenuItem>> frames;
  for (int i = 0; i < 500; ++i) {
    frames.push_back(std::make_unique<MenuItem>("mnuFrameName", "Frame " + std::to_string(i)));
    debug.add(*frames.back());
  }
  debug.setVisible(true);
  sync->sync();
  QMenu* menu = bar.actions()[1]->menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->actions().size(), 501);
  EXPECT_TRUE(menu->styleSheet().contains("menu-scrollable: 1"));
  // Shown, it fits on the screen instead of running off it.
  menu->popup(QPoint(0, 0));
  QApplication::processEvents();
  const QRect screen = menu->screen()->availableGeometry();
  EXPECT_LE(menu->height(), screen.height());
  menu->hide();
}

TEST(MenuBarOfAWindow, PullingDownClicksTheTitleAndCallsTheHook) {
  MemorySettings settings;
  QtPlatform platform(settings);
  Window window("Game");
  window.move(0, 0, 4800, 3600);
  window.setWindowed(true);
  MenuItem options("mnuOptions", "&Options");
  MenuItem transitions("mnuDisableTransitions", "Disable Transitions");
  window.menuBar().add(options);
  options.add(transitions);
  std::vector<std::string> log;
  options.onClick = [&](MenuItem&) { log.push_back("title click"); };
  window.onMenuPulledDown = [&](Window&, bool open) { log.push_back(open ? "open" : "closed"); };
  platform.showWindow(window);
  WindowView* view = platform.viewFor(window);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->menuBarShown());
  QMenu* menu = view->menuBar()->actions()[0]->menu();
  menu->popup(QPoint(10, 10));
  QApplication::processEvents();
  menu->hide();
  QApplication::processEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"title click", "open", "closed"}));

  // The menu bar takes its height from the window's frame, and the client area stays.
  const int clientHeight = window.scaleHeight();
  EXPECT_EQ(clientHeight, 3600);
  EXPECT_EQ(window.frameHeight() % 15, 0);
  EXPECT_GE(window.frameHeight(), view->menuBar()->height() * 15);
  options.setVisible(false);
  QApplication::processEvents();
  EXPECT_FALSE(view->menuBarShown());
  EXPECT_EQ(window.scaleHeight(), clientHeight);
}

}  // namespace
}  // namespace tw::platform
