#include "PlayerSandbox.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace qvtest {

QString simFixture(const QString& name) {
  return QStringLiteral(QV_SOURCE_DIR) + "/tests/sim/fixtures/" + name;
}

PlayerSandbox::PlayerSandbox(const QString& library) : library_(library) {}

QString PlayerSandbox::run(const QString& script, const QStringList& args) const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (library_.isNull()) env.remove("QUAVERLY_LIBRARY");
  else env.insert("QUAVERLY_LIBRARY", library_);
  env.insert("QUAVERLY_DATA", dataDir());
  env.insert("QUAVERLY_TEMP", tempDir());
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(QV_BUILD_DIR) + "/scripts/" + script, args);
  if (!process.waitForFinished(10000)) return "<player did not finish>";
  QByteArray out = process.readAllStandardOutput();
  if (out.endsWith('\n')) out.chop(1);
  return QString::fromUtf8(out);
}

}  // namespace qvtest
