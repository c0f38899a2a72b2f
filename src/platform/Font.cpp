// Font: Windows font names to Qt fonts, and text measurement.
#include "platform/Font.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/qt/Bridge.h"

namespace tw::platform {

namespace {

std::string Lower(const std::string& s) {
  std::string out;
  for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Windows families and the metric-compatible families installed with the player.
const char* StandIn(const std::string& family) {
  const std::string f = Lower(family);
  if (f == "arial" || f == "ms sans serif" || f == "microsoft sans serif" || f == "tahoma" ||
      f == "verdana" || f == "helvetica") {
    return "Liberation Sans";
  }
  if (f == "times new roman" || f == "times" || f == "ms serif") return "Liberation Serif";
  if (f == "courier new" || f == "courier") return "Liberation Mono";
  return nullptr;
}

QStringList SplitLines(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s.split(QLatin1Char('\n'));
}

}  // namespace

bool FontsAvailable() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

QFont ToQFont(const Font& font) {
  QFont q;
  QStringList families;
  if (const char* standIn = StandIn(font.name)) families << QString::fromLatin1(standIn);
  families << QString::fromStdString(font.name);
  q.setFamilies(families);
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize()))));
  q.setBold(font.bold);
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikethrough);
  return q;
}

TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidth) {
  const QStringList lines = SplitLines(text);
  if (!FontsAvailable()) {
    // Without fonts: an average glyph is about half an em wide, a line 1.2 em high.
    const double em = font.pixelSize();
    int longest = 0;
    for (const QString& line : lines) longest = std::max<int>(longest, line.size());
    int width = static_cast<int>(std::lround(longest * em * 0.5));
    int lineCount = static_cast<int>(lines.size());
    if (wrapWidth > 0 && width > wrapWidth) {
      lineCount = 0;
      for (const QString& line : lines) {
        int w = static_cast<int>(std::lround(line.size() * em * 0.5));
        lineCount += std::max(1, (w + wrapWidth - 1) / wrapWidth);
      }
      width = wrapWidth;
    }
    return TextExtent{width, lineCount * static_cast<int>(std::ceil(em * 1.2))};
  }
  QFontMetrics metrics(ToQFont(font));
  if (wrapWidth > 0) {
    QString joined = lines.join(QLatin1Char('\n'));
    QRect r = metrics.boundingRect(QRect(0, 0, wrapWidth, 1 << 20),
                                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, joined);
    return TextExtent{std::min(wrapWidth, r.width()), r.height()};
  }
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return TextExtent{width, static_cast<int>(lines.size()) * metrics.height()};
}

}  // namespace tw::platform
