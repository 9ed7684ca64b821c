#include "server/Watchdog.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "server/Sessions.h"
#include "server/WebServer.h"

Watchdog::Watchdog(WebServer& server, Sessions& sessions, QObject* parent)
    : QObject(parent), server_(server), sessions_(sessions) {
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, &Watchdog::Timer1_Action);
}

void Watchdog::setPolling(bool on) {
  if (on)
    Timer1.start();
  else
    Timer1.stop();
}

void Watchdog::clearCountdown() { setCountdown({}); }

void Watchdog::setCountdown(const QString& text) {
  stCheck_ = text;
  emit countdownChanged(text);
}

void Watchdog::Timer1_Action() {
  timerCheck += 1;
  setCountdown("Next server poll: " + QString::number(kPollInterval - qint64(timerCheck)));
  if (timerCheck < kPollInterval) return;
  if (modMain.ServerStatus.compare(QLatin1String("Stopped"), Qt::CaseInsensitive) != 0)
    poll();
  else
    Status("Server stopped. Skipping poll");
  timerCheck = 0;
}

void Watchdog::poll() {
  QNetworkRequest request(QUrl("http://" + server_.listeningAddress() + "/poll"));
  // The application's own session, so the poll passes the password gate.
  request.setRawHeader("Cookie", sessions_.applicationCookie().toLatin1());
  request.setTransferTimeout(kPollTimeoutMs);
  QNetworkReply* reply = TCPSocket2.get(request);
  connect(reply, &QNetworkReply::finished, this, [this, reply] {
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
      TCPSocket2_Error(int(reply->error()));
    else
      TCPSocket2_PageReceived(QString::fromLatin1(reply->readAll()));
  });
}

void Watchdog::TCPSocket2_PageReceived(const QString& content) {
  if (content.contains(QLatin1String("POLL OK"), Qt::CaseInsensitive)) {
    Status("Server poll - Good poll result");
    return;
  }
  if (content.contains(QLatin1String("BAD POLL"), Qt::CaseInsensitive))
    Status("Server poll - Bad poll result");
  else
    Status("Server poll - Unexpected Poll Result");
  server_.RestartServer();
}

void Watchdog::TCPSocket2_Error(int code) {
  Status("Server poll  - Error " + QString::number(code));
  server_.RestartServer();
}
