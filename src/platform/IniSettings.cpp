// IniSettings: QSettings in INI format. Names are found case-insensitively among the keys
// already in the file, so a value keeps the spelling it was first written with.
#include "platform/IniSettings.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <iostream>
#include <map>

namespace tw::platform {

struct IniSettings::Impl {
  explicit Impl(const QString& path) : settings(path, QSettings::IniFormat) {}
  // Only read: every save writes a scratch copy of its own (see save()).
  QSettings settings;
  // Values whose save failed, by key in lower case: they still hold for this run.
  std::map<QString, std::pair<QString, QString>> unsaved;
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
  const QString path = KeyPath(s, section, key);
  if (auto it = impl_->unsaved.find(path.toLower()); it != impl_->unsaved.end()) {
    return it->second.second.toStdString();
  }
  QVariant v = s.value(path);
  return v.isValid() ? v.toString().toStdString() : defaultValue;
}

// QSettings writes through QSaveFile, which on a full disk was seen to commit a truncated or
// empty file over the old one: all settings lost. So the new file is written under a scratch
// name, read back and compared value by value, and only then renamed over the old one (and
// the folder flushed). A save that fails leaves the old file whole and the value held for this
// run, and says so.
void IniSettings::save(const std::string& section, const std::string& key,
                       const std::string& value) {
  const QString target = QString::fromStdString(path_);
  QDir().mkpath(QFileInfo(target).absolutePath());
  std::unique_ptr<Impl> fresh = std::make_unique<Impl>(target);  // what is on disk now
  QSettings& before = fresh->settings;
  const QString path = KeyPath(before, section, key);
  std::map<QString, QString> expected;
  for (const QString& k : before.allKeys()) expected[k] = before.value(k).toString();
  expected[path] = QString::fromStdString(value);
  for (const auto& [lower, kv] : impl_->unsaved) {
    if (lower != path.toLower()) expected.try_emplace(kv.first, kv.second);
  }

  const QString scratch = target + QStringLiteral(".new-%1").arg(::getpid());
  QFile::remove(scratch);
  bool written;
  {
    QSettings out(scratch, QSettings::IniFormat);
    for (const auto& [k, v] : expected) out.setValue(k, v);
    out.sync();
    written = out.status() == QSettings::NoError;
  }
  if (written) {
    QSettings back(scratch, QSettings::IniFormat);
    const QStringList keys = back.allKeys();
    written = back.status() == QSettings::NoError &&
              static_cast<std::size_t>(keys.size()) == expected.size();
    for (const QString& k : keys) {
      const auto it = expected.find(k);
      written = written && it != expected.end() && back.value(k).toString() == it->second;
    }
  }
  if (written) {
    written = ::rename(QFile::encodeName(scratch).constData(),
                       QFile::encodeName(target).constData()) == 0;
  }
  if (!written) {
    QFile::remove(scratch);
    impl_->unsaved[path.toLower()] = {path, QString::fromStdString(value)};
    std::cerr << "talewick-player: the settings could not be written to " << path_ << "\n";
    return;
  }
  const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
  if (const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  impl_ = std::make_unique<Impl>(target);  // the unsaved values are in the file now
}

}  // namespace tw::platform
