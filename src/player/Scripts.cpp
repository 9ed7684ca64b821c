#include "player/Scripts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"

namespace {

QProcessEnvironment scriptEnvironment() {
  static const QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
  QProcessEnvironment env = base;
  env.insert("QUAVERLY_LIBRARY", modMain.itunesfile);
  env.insert("QUAVERLY_TEMP", paths::tempItemsFolder());
  env.insert("QUAVERLY_DATA", paths::dataFolder());
  return env;
}

QString withoutOneLineEnd(QString reply) {
  if (reply.endsWith(QLatin1String("\r\n")))
    reply.chop(2);
  else if (reply.endsWith('\n') || reply.endsWith('\r'))
    reply.chop(1);
  return reply;
}

QString failed(const QString& name, const QString& reason) {
  Status("Player script " + name + " failed: " + reason);
  return {};
}

}  // namespace

QString runScript(const QString& name, const QVariantList& args) {
  const QString program = paths::resourcesFolder() + "/scripts/" + name;
  if (!QFileInfo(program).isExecutable()) return failed(name, "not found at " + program);

  QStringList arguments;
  arguments.reserve(args.size());
  for (const QVariant& arg : args) arguments << arg.toString();

  QProcess process;
  process.setProcessEnvironment(scriptEnvironment());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.setStandardInputFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  process.start(program, arguments, QIODevice::ReadOnly);
  if (!process.waitForStarted(kScriptTimeoutMs))
    return failed(name, "could not start (" + process.errorString() + ")");
  const int left = int(qMax<qint64>(0, kScriptTimeoutMs - clock.elapsed()));
  if (!process.waitForFinished(left)) {
    process.kill();
    process.waitForFinished(1000);
    return failed(name, "no answer within " + QString::number(kScriptTimeoutMs / 1000) +
                            " seconds");
  }
  if (process.exitStatus() == QProcess::CrashExit) return failed(name, "crashed");
  return withoutOneLineEnd(QString::fromUtf8(process.readAllStandardOutput()));
}

QString itunes(const QVariantList& args) { return runScript(QStringLiteral("itunes"), args); }

QString qvresults(const QVariantList& args) { return runScript(QStringLiteral("qvresults"), args); }

QString plcontrol(const QVariantList& args) { return runScript(QStringLiteral("plcontrol"), args); }
