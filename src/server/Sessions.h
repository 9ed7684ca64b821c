#pragma once
// Login sessions: a correct password gives that browser its own random session cookie;
// only requests that carry a valid one pass the password gate. Changing the password
// drops every browser session. The application's own session (the watchdog's poll)
// stays valid for the life of the process.
#include <QSet>
#include <QString>

class Sessions {
 public:
  static constexpr char kCookieName[] = "qvsession";

  // A new browser session; its "Set-Cookie:" header line (without line end).
  QString open();
  // The request text carries a valid session cookie.
  bool admits(const QString& requestText);
  // "qvsession=<token>" for the application's own requests.
  QString applicationCookie() const { return QString(kCookieName) + "=" + appToken_; }

  static QString setCookieLine(const QString& token);

 private:
  void dropWhenPasswordChanged();

  QSet<QString> tokens_;
  QString passwordOfTokens_;
  const QString appToken_ = newToken();
  static QString newToken();
};
