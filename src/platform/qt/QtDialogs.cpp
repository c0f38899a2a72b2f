// QtDialogs: QMessageBox and QInputDialog set up as the game asks.
#include "platform/qt/QtDialogs.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace tw::platform {

namespace {

QMessageBox::StandardButton StandardOf(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Ok: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

// The answer when the box is left without a button.
MsgAnswer EscapeAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::OkCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo: return MsgAnswer::No;
  }
  return MsgAnswer::Ok;
}

// Room a window manager takes from a title bar beside the caption: the window's icon, the
// close button and the margins, with some to spare for larger themes.
constexpr int kTitleBarRoom = 160;

// A box of a short text is narrow, and the window manager cut its caption ("The Ligh…
// r's Lamp"): the box is made at least as wide as its caption needs. The title font is the
// window manager's; the application's font in bold is a close stand-in.
void FitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QFont font = box.font();
  font.setBold(true);
  const int needed = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QString DialogText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

void ConfigureMessageBox(QMessageBox& box, const MessageBoxRequest& request) {
  box.setWindowTitle(QString::fromStdString(request.title));
  box.setTextFormat(Qt::PlainText);
  box.setText(DialogText(request.text));
  switch (request.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
  }
  switch (request.buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
  }
  box.setDefaultButton(StandardOf(DefaultAnswer(request)));
  box.setEscapeButton(StandardOf(EscapeAnswer(request.buttons)));
}

MsgAnswer AnswerOf(const QMessageBox& box, const QAbstractButton* clicked,
                   const MessageBoxRequest& request) {
  if (!clicked) return EscapeAnswer(request.buttons);
  switch (box.standardButton(const_cast<QAbstractButton*>(clicked))) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return EscapeAnswer(request.buttons);
  }
}

MsgAnswer RunMessageBox(const MessageBoxRequest& request, QWidget* parent) {
  // A plain box: a window manager gives a dialog minimise and maximise buttons (a box
  // cannot be minimised apart from its game, nor has anything to show larger); as a tool
  // window of its game it has a caption and a close button only. A box with no window
  // behind it stays a dialog, which the taskbar lists.
  QMessageBox box(parent);
  if (parent) {
    box.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
  }
  ConfigureMessageBox(box, request);
  FitCaption(box);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  return AnswerOf(box, box.clickedButton(), request);
}

std::optional<std::string> RunInputBox(const InputBoxRequest& request, QWidget* parent) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setLabelText(DialogText(request.prompt));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(QString::fromStdString(request.defaultText));
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

}  // namespace tw::platform
