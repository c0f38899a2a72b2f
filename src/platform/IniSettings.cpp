// IniSettings: QSettings in INI format. Names are found case-insensitively among the keys
// already in the file, so a value keeps the spelling it was first written with.
#include "platform/IniSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <iostream>

namespace tw::platform {

struct IniSettings::Impl {
  explicit Impl(const QString& path) : settings(path, QSettings::IniFormat) {
    // Every save writes a new file beside the old one and renames it over it once complete,
    // never rewriting the old file in place: a crash or a full disk mid-save leaves the old
    // settings whole. A save that cannot be done so is not done.
    settings.setAtomicSyncRequired(true);
  }
  QSettings settings;
};

namespace {

// QSettings reads "/" and "\" as group separators; game ids and keys are plain names, so
// both are escaped (with "%" itself) rather than nesting groups.
QString Escape(const std::string& name) {
  QString s = QString::fromStdString(name);
  s.replace(QLatin1Char('%'), QStringLiteral("%25"));
  s.replace(QLatin1Char('/'), QStringLiteral("%2F"));
  s.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
  // An empty section would put the values at the top level of the file.
  return s.isEmpty() ? QStringLiteral("%00") : s;
}

// The existing name that equals wanted without regard to case, else wanted.
QString Match(const QStringList& existing, const QString& wanted) {
  for (const QString& name : existing) {
    if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
  }
  return wanted;
}

QString KeyPath(QSettings& s, const std::string& section, const std::string& key) {
  QString group = Match(s.childGroups(), Escape(section));
  s.beginGroup(group);
  QString k = Match(s.childKeys(), Escape(key));
  s.endGroup();
  return group + QLatin1Char('/') + k;
}

}  // namespace

std::string IniSettings::defaultFilePath() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return (base + QStringLiteral("/talewick/talewick.ini")).toStdString();
}

IniSettings::IniSettings() : IniSettings(defaultFilePath()) {}

IniSettings::IniSettings(const std::string& filePath)
    : path_(filePath), impl_(std::make_unique<Impl>(QString::fromStdString(filePath))) {}

IniSettings::~IniSettings() = default;

std::string IniSettings::get(const std::string& section, const std::string& key,
                             const std::string& defaultValue) {
  QSettings& s = impl_->settings;
  QVariant v = s.value(KeyPath(s, section, key));
  return v.isValid() ? v.toString().toStdString() : defaultValue;
}

void IniSettings::save(const std::string& section, const std::string& key,
                       const std::string& value) {
  QSettings& s = impl_->settings;
  QDir().mkpath(QFileInfo(QString::fromStdString(path_)).absolutePath());
  s.setValue(KeyPath(s, section, key), QString::fromStdString(value));
  s.sync();
  // The value still holds for this run (and is written again at the next save), and the old
  // file is whole; the player says so rather than let a full disk pass unnoticed.
  if (s.status() != QSettings::NoError) {
    std::cerr << "talewick-player: the settings could not be written to " << path_ << "\n";
  }
}

}  // namespace tw::platform
