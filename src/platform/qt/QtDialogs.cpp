// QtDialogs: QMessageBox and QInputDialog set up as the game asks.
#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <algorithm>

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
  // A box narrower than its caption has it cut by the window manager ("The Ligh…er's Lamp");
  // Windows widens a message box to show its caption whole. The room it needs: the caption
  // in a bold title font, beside the title bar's icon and buttons (about four heights).
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  const QFontMetrics title(titleFont);
  const int captionWidth =
      std::min(title.horizontalAdvance(box.windowTitle()) + 4 * title.height() + 24, 800);
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
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
  QMessageBox box(parent);
  ConfigureMessageBox(box, request);
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
