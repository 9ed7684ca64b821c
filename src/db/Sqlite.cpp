#include "db/Sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace sqlite {

Error::Error(int code, const QString& message)
    : std::runtime_error(message.toStdString()), code_(code) {}

int Row::columnCount() const { return sqlite3_column_count(stmt_); }

QString Row::text(int column) const {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, column));
}

Connection::Connection(const QString& path, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const QString message = handle_ ? QString::fromUtf8(sqlite3_errmsg(handle_))
                                    : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(std::exchange(handle_, nullptr));
    throw Error(rc, message);
  }
}

Connection::Connection(Connection&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

Connection& Connection::operator=(Connection&& other) noexcept {
  if (this != &other) {
    sqlite3_close_v2(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

Connection::~Connection() { sqlite3_close_v2(handle_); }

bool Connection::exec(const QString& sql) {
  if (!handle_) return false;
  return sqlite3_exec(handle_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString Connection::lastError() const {
  return handle_ ? QString::fromUtf8(sqlite3_errmsg(handle_)) : QStringLiteral("no connection");
}

void Connection::close() {
  if (!handle_) throw Error(SQLITE_MISUSE, QStringLiteral("no connection"));
  // close_v2 defers the close until the last statement is finalized, so it cannot fail.
  sqlite3_close_v2(std::exchange(handle_, nullptr));
}

Statement::Statement(const Connection& conn, const QString& sql) {
  if (!conn.isOpen()) {
    ok_ = false;
    return;
  }
  const QByteArray text = sql.toUtf8();
  ok_ = sqlite3_prepare_v2(conn.handle(), text.constData(), int(text.size()), &stmt_, nullptr) ==
        SQLITE_OK;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const QVariant& value) {
  if (!stmt_) return;
  if (value.isNull()) {
    sqlite3_bind_null(stmt_, index);
  } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
    sqlite3_bind_int64(stmt_, index, value.toLongLong());
  } else {
    const QByteArray text = value.toString().toUtf8();
    sqlite3_bind_text(stmt_, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
  }
}

void Statement::bindUtf8(int index, std::string_view bytes) {
  // An absent value is the empty text, never NULL.
  if (stmt_) sqlite3_bind_text(stmt_, index, bytes.data() ? bytes.data() : "", int(bytes.size()), SQLITE_STATIC);
}

bool Statement::step() {
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  ok_ = rc == SQLITE_DONE;
  return false;
}

QString Statement::expandedSql() const {
  if (!stmt_) return {};
  char* text = sqlite3_expanded_sql(stmt_);
  const QString sql = QString::fromUtf8(text);
  sqlite3_free(text);
  return sql;
}

void Statement::reset() {
  if (!stmt_) return;
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  ok_ = true;
}

}  // namespace sqlite
