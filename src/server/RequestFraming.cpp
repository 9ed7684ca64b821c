#include "server/RequestFraming.h"

#include <QList>

namespace framing {
namespace {

// Index just past the empty line that ends the header block, or -1.
qsizetype headEnd(const QByteArray& received) {
  const qsizetype crlf = received.indexOf("\r\n\r\n");
  const qsizetype lf = received.indexOf("\n\n");
  if (crlf >= 0 && (lf < 0 || crlf + 2 <= lf)) return crlf + 4;
  if (lf >= 0) return lf + 2;
  return -1;
}

qsizetype contentLength(const QByteArray& head) {
  for (QByteArray line : head.split('\n')) {
    line = line.trimmed();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || line.left(colon).trimmed().toLower() != "content-length") continue;
    bool ok = false;
    const qlonglong n = line.mid(colon + 1).trimmed().toLongLong(&ok);
    return ok && n > 0 ? qsizetype(qMin<qlonglong>(n, kMaxRequestBytes + 1)) : 0;
  }
  return 0;
}

}  // namespace

Result parse(const QByteArray& received) {
  const qsizetype end = headEnd(received);
  if (end < 0)
    return {received.size() > kMaxRequestBytes ? Status::TooLarge : Status::Incomplete, 0};
  const qsizetype total = end + contentLength(received.left(end));
  if (total > kMaxRequestBytes) return {Status::TooLarge, 0};
  if (received.size() < total) return {Status::Incomplete, 0};
  return {Status::Complete, total};
}

}  // namespace framing
