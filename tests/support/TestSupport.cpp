#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <cstdlib>

namespace qvtest {

QString sandboxRoot() {
  static const QString root = [] {
    QByteArray tmpl = QDir::tempPath().toLocal8Bit() + "/quaverly-test-XXXXXX";
    const char* made = mkdtemp(tmpl.data());
    return QString::fromLocal8Bit(made ? made : "/tmp/quaverly-test");
  }();
  return root;
}

bool waitUntil(const std::function<bool()>& pred, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!pred()) {
    if (deadline.hasExpired()) return pred();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(200);
  }
  return true;
}

void spin(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(200);
  }
}

quint16 freePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

void writeFile(const QString& path, const QByteArray& content, bool executable) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  f.write(content);
  f.close();
  if (executable)
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser | QFile::ReadOwner);
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QByteArray exchange(quint16 port, const QByteArray& request, int timeoutMs) {
  QTcpSocket sock;
  QByteArray received;
  bool closed = false;
  QObject::connect(&sock, &QTcpSocket::readyRead, [&] { received += sock.readAll(); });
  QObject::connect(&sock, &QTcpSocket::disconnected, [&] { closed = true; });
  QObject::connect(&sock, &QTcpSocket::errorOccurred, [&] { closed = true; });
  sock.connectToHost(QHostAddress::LocalHost, port);
  waitUntil([&] { return sock.state() == QAbstractSocket::ConnectedState || closed; }, timeoutMs);
  if (sock.state() == QAbstractSocket::ConnectedState) sock.write(request);
  waitUntil([&] { return closed; }, timeoutMs);
  received += sock.readAll();
  return received;
}

QString sharedFixture(const QString& relativePath) {
  return QStringLiteral(QV_SHARED_FIXTURES) + "/" + relativePath;
}

}  // namespace qvtest
