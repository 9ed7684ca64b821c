#include "db/SearchFold.h"

#include <sqlite3.h>

#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

namespace db {
namespace {

// One character folded: lower-cased, decomposed, accents dropped.
std::string foldCharacter(char32_t c) {
  const QString decomposed =
      QString::fromUcs4(&c, 1).toLower().normalized(QString::NormalizationForm_D);
  QString folded;
  for (const QChar ch : decomposed)
    if (ch.category() != QChar::Mark_NonSpacing) folded += ch;
  return folded.normalized(QString::NormalizationForm_C).toUtf8().toStdString();
}

// Folding runs once per row of a search, so each character of the basic plane is
// folded once and remembered. Only the main thread runs page queries.
const std::string& foldedBmp(char32_t c) {
  static std::vector<std::string> folded(0x10000);
  static std::vector<bool> known(0x10000);
  if (!known[c]) {
    folded[c] = foldCharacter(c);
    known[c] = true;
  }
  return folded[c];
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when it is not valid.
int decode(std::string_view s, size_t i, char32_t& c) {
  const auto b = uchar(s[i]);
  const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
  if (length == 0 || i + size_t(length) > s.size()) return 0;
  c = b & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = uchar(s[i + size_t(k)]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  return length;
}

std::string foldUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = uchar(s[i]);
    if (b < 0x80) {
      out += (b >= 'A' && b <= 'Z') ? char(b - 'A' + 'a') : char(b);
      ++i;
      continue;
    }
    char32_t c = 0;
    const int length = decode(s, i, c);
    if (length == 0) {
      out += char(b);  // not UTF-8: kept as it is
      ++i;
      continue;
    }
    out += c < 0x10000 ? foldedBmp(c) : foldCharacter(c);
    i += size_t(length);
  }
  return out;
}

void foldedLower(sqlite3_context* context, int, sqlite3_value** argv) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  if (!bytes) {
    sqlite3_result_null(context);
    return;
  }
  const std::string folded = foldUtf8({bytes, size_t(sqlite3_value_bytes(argv[0]))});
  sqlite3_result_text(context, folded.data(), int(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

QString searchFold(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return QString::fromStdString(foldUtf8({utf8.constData(), size_t(utf8.size())}));
}

void registerSearchFoldLower(sqlite3* connection) {
  sqlite3_create_function(connection, "lower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                          &foldedLower, nullptr, nullptr);
}

}  // namespace db
