#include "WebRemoteFixture.h"

#include <QFile>

#include "ExpectedText.h"
#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/ServerWindowState.h"
#include "pages/FancyFrame.h"
#include "pages/PageWrappers.h"
#include "pages/Pictures.h"
#include "pages/PrefsForm.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

void WebRemoteFixture::SetUp() {
  resetModMain();
  resetServerWindowState();
  qvtest::clearLog();
  dir = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dir->isValid());
  player = std::make_unique<FakePlayer>(dir->path(), QStringLiteral(QV_BUILD_DIR "/images"));
  paths::setResourcesFolder(dir->path());
  for (const char* art : {"wbfittemp.png", "wbfittemp.jpg"}) QFile::remove(albumArtPath(art));
  modMain.blPlain = true;
  LoadImages();
  SetHTML();
  SetPrefsHTML();
  core = std::make_unique<ServerCore>();
  modMain.ipaddress = "127.0.0.1";
  modMain.listenport = qvtest::freePort();
  port = quint16(modMain.listenport);
  core->server.bbStart_Action();
  ASSERT_EQ(modMain.ServerStatus, "Running");
  qvtest::clearLog();
}

void WebRemoteFixture::TearDown() {
  core->server.bbStop_Action();
  core.reset();
  paths::setResourcesFolder({});
}

QString WebRemoteFixture::albumArtPath(const QString& name) const { return paths::tempItemsFolder() + "/" + name; }

QByteArray WebRemoteFixture::request(const QByteArray& raw) {
  before_ = QDateTime::currentDateTime();
  const QByteArray response = qvtest::exchange(port, raw);
  after_ = QDateTime::currentDateTime();
  const qsizetype headerEnd = response.indexOf("\r\n\r\n");
  const qsizetype lengthAt = response.indexOf("\r\nContent-Length:");
  if (headerEnd >= 0 && lengthAt >= 0 && lengthAt < headerEnd) {
    const qsizetype valueAt = lengthAt + 17;
    const QByteArray value = response.mid(valueAt, response.indexOf("\r\n", valueAt) - valueAt);
    EXPECT_EQ(value.toLongLong(), response.size() - headerEnd - 4) << "Content-Length of " << raw.left(60).constData();
  }
  return response;
}

QByteArray WebRemoteFixture::get(const QString& target, const QByteArray& extraHeaders) {
  return request("GET " + target.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders + "\r\n");
}

QByteArray WebRemoteFixture::postLogin(const QByteArray& encodedPassword, const QByteArray& extraHeaders) {
  const QByteArray body = "password=" + encodedPassword;
  return request("POST /login HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Content-Type: application/x-www-form-urlencoded\r\n" +
                 extraHeaders + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void WebRemoteFixture::expectResponse(const QByteArray& actual,
                                      const std::function<QByteArray(const Moment&)>& build) {
  QByteArray last;
  for (qint64 s = before_.toSecsSinceEpoch(); s <= after_.toSecsSinceEpoch(); ++s) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(s);
    last = build({logTimeText(when), QString::number(s)});
    if (last == actual) return;
  }
  EXPECT_EQ(actual.toStdString(), last.toStdString());
}

QByteArray html(const QByteArray& page, const QByteArray& extraHeaderLine) {
  QByteArray header = "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nContent-Type: text/html\r\n";
  if (!extraHeaderLine.isEmpty()) header += extraHeaderLine + "\r\n";
  return header + "Content-Length:" + QByteArray::number(page.size()) + "\r\n\r\n" + page;
}

QByteArray html(const QString& asciiPage, const QByteArray& extraHeaderLine) {
  return html(asciiPage.toLatin1(), extraHeaderLine);
}

QString greeting(const Moment& m) {
  return "Hello music fan from 127.0.0.1, it's " + m.time + "<BR><BR>";
}

QByteArray normalPage(const QString& reply, const Moment& m) {
  return html(PlainResponse(greeting(m) + reply + "<br><br>" + expected::kControlBar));
}
