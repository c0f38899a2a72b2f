// GuiForPainting: a QGuiApplication made on demand, with the arguments it keeps pointers to.
#include "platform/GuiForPainting.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGlobal>
#include <string>
#include <vector>

#include "platform/qt/Bridge.h"

namespace tw::platform {

// QGuiApplication keeps references to argc and argv for its whole life, so they live here,
// declared before the application so that they are destroyed after it.
struct GuiForPainting::Impl {
  std::vector<std::string> args;
  std::vector<char*> argv;
  int argc = 0;
  std::unique_ptr<QGuiApplication> app;
};

GuiForPainting::GuiForPainting() : impl_(std::make_unique<Impl>()) {
  if (QCoreApplication::instance()) return;
  impl_->args = {"talewick-player"};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    impl_->args.insert(impl_->args.end(), {"-platform", "offscreen"});
  }
  for (std::string& arg : impl_->args) impl_->argv.push_back(arg.data());
  impl_->argv.push_back(nullptr);
  impl_->argc = static_cast<int>(impl_->args.size());
  impl_->app = std::make_unique<QGuiApplication>(impl_->argc, impl_->argv.data());
}

GuiForPainting::~GuiForPainting() = default;

bool GuiForPainting::ownsApplication() const {
  return impl_->app != nullptr;
}

bool GuiForPainting::textAvailable() {
  return FontsAvailable();
}

}  // namespace tw::platform
