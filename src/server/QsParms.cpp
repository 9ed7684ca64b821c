#include "server/QsParms.h"

#include "app/TextCodec.h"
#include "server/RequestContext.h"

QueryParameters qsParms(const QString& requestText) {
  QueryParameters parms;
  const qsizetype question = requestText.indexOf('?');
  QString query = requestText.mid(question + 1).trimmed();
  const qsizetype blank = query.indexOf(' ');
  if (blank >= 0) query.truncate(blank);
  query = query.trimmed().replace(QLatin1String("%20"), QLatin1String(" "));
  for (const QString& piece : query.split('&')) {
    const QStringList parts = piece.split('=');
    if (parts.size() < 2) throw RequestFailure("query-string piece without a value: " + piece.toStdString());
    parms.insert(text::percentDecode(parts[0]).toLower(), text::percentDecode(parts[1]));
  }
  return parms;
}

void takeParameter(const QueryParameters& parms, const QString& key, QString& target) {
  const auto it = parms.constFind(key.toLower());
  if (it != parms.constEnd()) target = it.value();
}
