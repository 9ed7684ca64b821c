#include "app/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {
namespace {

QString ensured(const QString& folder) {
  QDir().mkpath(folder);
  return folder;
}

QString xdgFolder(const char* var, const QString& fallbackUnderHome) {
  const QString value = qEnvironmentVariable(var);
  const QString base = value.isEmpty() ? QDir::homePath() + "/" + fallbackUnderHome : value;
  return ensured(base + "/Quaverly");
}

// A folder only we can enter, so that no other local user can plant a file or a link.
bool privateFolder(const QString& folder) {
  const QByteArray path = QFile::encodeName(folder);
  if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::lstat(path.constData(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
  if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) return false;
  return true;
}

QString& resourcesOverride() {
  static QString folder;
  return folder;
}

}  // namespace

QString preferencesFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

QString homeFolder() { return QDir::homePath(); }

QString defaultLibraryPath() {
  return QDir::cleanPath(homeFolder() + "/Music/iTunes/iTunes Music Library.xml");
}

QString dataFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

QString dataFile(const QString& name) { return dataFolder() + "/" + name; }

QString tempItemsFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString folder = runtime.isEmpty()
                             ? QDir::tempPath() + "/quaverly-" + QString::number(::getuid())
                             : runtime + "/Quaverly";
  return privateFolder(folder) ? folder : QString();
}

QString resourcesFolder() {
  if (!resourcesOverride().isEmpty()) return resourcesOverride();
  const QString exeDir = QCoreApplication::applicationDirPath();
  const QString installed = QDir::cleanPath(exeDir + "/../share/quaverly");
  if (QFileInfo(installed + "/images").isDir()) return installed;
  return exeDir;
}

void setResourcesFolder(const QString& folder) { resourcesOverride() = folder; }

}  // namespace paths
