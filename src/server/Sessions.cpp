#include "server/Sessions.h"

#include <QRandomGenerator>
#include <QStringList>
#include <array>

#include "app/ModMain.h"

QString Sessions::newToken() {
  std::array<quint32, 8> words{};
  QRandomGenerator::system()->fillRange(words.data(), words.size());
  QByteArray bytes(reinterpret_cast<const char*>(words.data()), qsizetype(sizeof words));
  return QString::fromLatin1(bytes.toHex());
}

void Sessions::dropWhenPasswordChanged() {
  if (passwordOfTokens_ != modMain.password) {
    tokens_.clear();
    passwordOfTokens_ = modMain.password;
  }
}

QString Sessions::open() {
  dropWhenPasswordChanged();
  const QString token = newToken();
  tokens_.insert(token);
  return setCookieLine(token);
}

QString Sessions::setCookieLine(const QString& token) {
  return "Set-Cookie: " + QString(kCookieName) + "=" + token + "; Path=/; HttpOnly; SameSite=Strict";
}

bool Sessions::admits(const QString& requestText) {
  dropWhenPasswordChanged();
  const qsizetype headEnd = requestText.indexOf(QLatin1String("\r\n\r\n"));
  const QStringList lines = requestText.left(headEnd < 0 ? requestText.size() : headEnd).split('\n');
  for (const QString& line : lines) {
    if (!line.startsWith(QLatin1String("Cookie:"), Qt::CaseInsensitive)) continue;
    for (const QString& pair : line.mid(7).split(';')) {
      const qsizetype eq = pair.indexOf('=');
      if (eq < 0 || pair.left(eq).trimmed() != QLatin1String(kCookieName)) continue;
      const QString token = pair.mid(eq + 1).trimmed();
      if (token == appToken_ || tokens_.contains(token)) return true;
    }
  }
  return false;
}
