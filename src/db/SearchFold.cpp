#include "db/SearchFold.h"

#include <sqlite3.h>

#include <QByteArray>
#include <string>

namespace db {

QString searchFold(const QString& text) {
  const QString decomposed = text.toLower().normalized(QString::NormalizationForm_D);
  QString folded;
  folded.reserve(decomposed.size());
  for (const QChar c : decomposed)
    if (c.category() != QChar::Mark_NonSpacing) folded += c;
  return folded.normalized(QString::NormalizationForm_C);
}

namespace {

// Most library text is plain ASCII: fold it byte by byte and leave the rest to Qt.
void foldedLower(sqlite3_context* context, int, sqlite3_value** argv) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  if (!bytes) {
    sqlite3_result_null(context);
    return;
  }
  const int size = sqlite3_value_bytes(argv[0]);
  std::string out(bytes, size_t(size));
  bool ascii = true;
  for (char& c : out) {
    if (uchar(c) >= 0x80) {
      ascii = false;
      break;
    }
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  if (ascii) {
    sqlite3_result_text(context, out.data(), size, SQLITE_TRANSIENT);
    return;
  }
  const QByteArray folded = searchFold(QString::fromUtf8(bytes, size)).toUtf8();
  sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

void registerSearchFoldLower(sqlite3* connection) {
  sqlite3_create_function(connection, "lower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                          &foldedLower, nullptr, nullptr);
}

}  // namespace db
