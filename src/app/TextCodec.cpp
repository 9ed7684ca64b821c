#include "app/TextCodec.h"

#include <QList>
#include <QStringDecoder>
#include <array>

namespace text {
namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the encoding leaves undefined map to
// the C1 control of the same number, so decoding never loses a byte.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int encodeChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return int(0x80 + i);
  return -1;
}

QString escaped(const QString& value) {
  QString out;
  out.reserve(value.size() + 8);
  for (const QChar c : value) {
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      case '\'': out += QLatin1String("&#39;"); break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

QByteArray toPageEncoding(const QString& page) {
  QByteArray out;
  out.reserve(page.size());
  for (char32_t c : page.toUcs4()) {
    const int b = encodeChar(c);
    if (b >= 0)
      out += char(b);
    else
      out += "&#" + QByteArray::number(uint(c)) + ';';
  }
  return out;
}

QString fromRequestEncoding(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = uchar(ch);
    out += (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
  }
  return out;
}

QString htmlEscape(const QString& value) { return escaped(value); }

QString xmlEscape(const QString& value) {
  // XML 1.0 has no place for most control characters; drop them so the document stays
  // well-formed.
  QString clean;
  clean.reserve(value.size());
  for (const QChar c : value)
    if (c.unicode() >= 0x20 || c == '\t' || c == '\n' || c == '\r') clean += c;
  return escaped(clean);
}

QString percentEncode(const QString& value) {
  return QString::fromLatin1(value.toUtf8().toPercentEncoding());
}

QString percentDecode(const QString& value) {
  if (!value.contains('%')) return value;
  const QByteArray bytes = QByteArray::fromPercentEncoding(value.toLatin1());
  // Characters beyond Latin-1 cannot come from a percent escape; keep them as they are.
  for (const QChar c : value)
    if (c.unicode() > 0xFF) return value;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return fromRequestEncoding(bytes);
}

}  // namespace text
