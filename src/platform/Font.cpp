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
  QString s = QString::fromStdString(DrawnText(text));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s.split(QLatin1Char('\n'));
}

}  // namespace

std::string DrawnText(std::string_view text) {
  text = text.substr(0, kMaxScannedBytes);
  std::string out;
  std::size_t lines = 0;
  std::size_t pos = 0;
  while (pos <= text.size() && lines < kMaxDrawnLines && out.size() < kMaxDrawnBytes) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    if (lines > 0) out += '\n';
    // Characters, not bytes: continuation bytes of UTF-8 do not count, and a cut never
    // splits a character.
    std::size_t chars = 0, cut = pos;
    while (cut < end) {
      if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80 && chars++ == kMaxDrawnLineChars) {
        break;
      }
      ++cut;
    }
    std::size_t take = std::min(cut - pos, kMaxDrawnBytes - out.size());
    while (take < cut - pos && take > 0 && (static_cast<unsigned char>(text[pos + take]) & 0xC0) == 0x80) {
      --take;
    }
    out.append(text, pos, take);
    ++lines;
    if (end == text.size()) break;
    pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return out;
}

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
