#pragma once
// The self-poll watchdog: while polling is on, a one-second timer counts down a minute
// and then asks the server's own "/poll" page, exactly as a browser would; a bad or
// unexpected answer, a failure or no answer within kPollTimeoutMs restarts the listener.
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTimer>

class WebServer;
class Sessions;

class Watchdog : public QObject {
  Q_OBJECT
 public:
  static constexpr int kPollInterval = 60;  // ticks of one second
  // A hung server is restarted rather than waited on forever.
  static constexpr int kPollTimeoutMs = 20'000;

  Watchdog(WebServer& server, Sessions& sessions, QObject* parent = nullptr);

  // Switches the one-second timer on or off; the count carries on where it stopped.
  void setPolling(bool on);
  bool isPolling() const { return Timer1.isActive(); }
  // The countdown text shown on the server window.
  QString stCheck() const { return stCheck_; }
  void clearCountdown();

  void Timer1_Action();
  double timerCheck = 0;

 signals:
  void countdownChanged(const QString& text);

 private:
  void poll();
  void TCPSocket2_PageReceived(const QString& content);
  void TCPSocket2_Error(int code);
  void setCountdown(const QString& text);

  WebServer& server_;
  Sessions& sessions_;
  QTimer Timer1;
  QNetworkAccessManager TCPSocket2;
  QString stCheck_;
};
