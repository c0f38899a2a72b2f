// The real window tells a recorder the player's input in client twips, before the window's
// handlers see it and with one inputDone after each: the twips give the same game pixel
// whether the window is shown at its size, twice its size or over the whole screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/InputRecorder.h"
#include "platform/MemorySettings.h"
#include "platform/PictureBox.h"
#include "platform/Units.h"
#include "platform/Window.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowView.h"

namespace tw::platform {
namespace {

struct LogRecorder : InputRecorder {
  std::vector<std::string>& log;
  const PictureBox& area;
  LogRecorder(std::vector<std::string>& l, const PictureBox& a) : log(l), area(a) {}
  std::string pixel(int x, int y) const {
    return std::to_string(PixelsFromTwips(x - area.left())) + " " +
           std::to_string(PixelsFromTwips(y - area.top()));
  }
  void mousePressed(Window&, int button, int x, int y, bool) override {
    log.push_back("press " + std::to_string(button) + " " + pixel(x, y));
  }
  void mouseReleased(Window&, int, int x, int y) override {
    log.push_back("release " + pixel(x, y));
  }
  void mouseMoved(Window&, int x, int y) override { log.push_back("move " + pixel(x, y)); }
  void keyPressed(Window&, int code, int) override { log.push_back("key " + std::to_string(code)); }
  void menuChosen(Window&, MenuItem&) override {}
  void closeRequested(Window&) override {}
  void inputDone() override { log.push_back("done"); }
  void messageBoxShown(const MessageBoxRequest&) override {}
  void messageBoxAnswered(const MessageBoxRequest&, MsgAnswer) override {}
  void inputBoxShown(const InputBoxRequest&) override {}
  void inputBoxAnswered(const InputBoxRequest&, const std::optional<std::string>&) override {}
  void modalWindowShown(Window&) override {}
  void modalWindowClosed() override {}
  void savedGameChosen(bool, const std::string&) override {}
  void cdWindowAnswered(const std::optional<std::string>&) override {}
};

void Pump() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Send(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

TEST(RecordedInputTest, GamePixelsAreTheSameAtEverySizeOfTheWindow) {
  const struct {
    const char* name;
    int factor;
    bool fullScreen;
  } rows[] = {{"x1", 1, false}, {"x2", 2, false}, {"full screen", 1, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySettings settings;
    QtPlatform platform{settings};
    platform.overrideRealScreen(QRect(0, 0, 1000, 900));
    std::vector<std::string> log;
    Window window("Game");
    PictureBox area("PictureBox");
    Image hotspot("Area");
    window.setWindowed(true);
    window.setResizable(true);
    window.move(0, 0, 3000, 2250);  // 200 x 150 pixels
    window.add(area);
    area.move(300, 450, 1500, 1500);  // the game area: (20, 30), 100 x 100
    area.add(hotspot);
    hotspot.move(750, 750, 450, 450);
    hotspot.onMouseDown = [&](Element&, const MouseEvent&) { log.push_back("area down"); };
    LogRecorder recorder(log, area);
    platform.setInputRecorder(&recorder);
    window.setSizeFactor(row.factor);
    window.setFullScreenShown(row.fullScreen);
    platform.showWindow(window);
    Pump();
    WindowView* view = platform.viewFor(window);
    ASSERT_NE(view, nullptr);
    // Where the middle of a game pixel is drawn in the widget: the client area scaled by a
    // factor that fits the space, centred in it.
    const QRect space = view->layout().content;
    double f = row.factor;
    QPointF origin = space.topLeft();
    if (row.fullScreen) {
      ASSERT_GT(view->width(), 400);  // really over the screen
      f = std::min(view->width() / 200.0, view->height() / 150.0);
      origin = QPointF((view->width() - 200 * f) / 2, (view->height() - 150 * f) / 2);
    } else {
      ASSERT_EQ(space.size(), QSize(200 * row.factor, 150 * row.factor));
    }
    const auto drawn = [&](int x, int y) {
      return origin + QPointF((20 + x + 0.5) * f, (30 + y + 0.5) * f);
    };
    log.clear();
    Send(view, QEvent::MouseMove, drawn(0, 99), Qt::NoButton, Qt::NoButton);
    Send(view, QEvent::MouseButtonPress, drawn(57, 58), Qt::LeftButton, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, drawn(-3, 104), Qt::LeftButton, Qt::NoButton);
    Send(view, QEvent::MouseButtonPress, drawn(99, 0), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(log,
              (std::vector<std::string>{"move 0 99", "done", "press 1 57 58", "area down", "done",
                                        "release -3 104", "done", "press 2 99 0", "done"}));
    platform.setInputRecorder(nullptr);
  }
}

}  // namespace
}  // namespace tw::platform
