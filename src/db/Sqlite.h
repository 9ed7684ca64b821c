#pragma once
// A thin RAII layer over the sqlite3 C API: a move-only connection, prepared statements
// whose bindings are undone at scope exit, and an error that carries sqlite3_errmsg.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <stdexcept>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace sqlite {

// A failure reported by SQLite: its result code and the connection's message.
class Error : public std::runtime_error {
 public:
  Error(int code, const QString& message);
  int code() const { return code_; }
  QString message() const { return QString::fromUtf8(what()); }

 private:
  int code_;
};

// One result row while it is being delivered; columns read as text.
class Row {
 public:
  explicit Row(sqlite3_stmt* stmt) : stmt_(stmt) {}
  int columnCount() const;
  QString text(int column) const;

 private:
  sqlite3_stmt* stmt_;
};

class Statement;

class Connection {
 public:
  Connection() = default;
  // Opens (and, with create, creates) the file; throws Error when it cannot.
  Connection(const QString& path, bool create);
  Connection(Connection&& other) noexcept;
  Connection& operator=(Connection&& other) noexcept;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  virtual ~Connection();

  bool isOpen() const { return handle_ != nullptr; }
  sqlite3* handle() const { return handle_; }
  // Runs statements without results; false on failure (see lastError()).
  bool exec(const QString& sql);
  QString lastError() const;
  // Closes the connection; throws Error when there is none.
  void close();

 private:
  sqlite3* handle_ = nullptr;
};

// A prepared statement. Bind values, then step(); Scope resets it and clears the
// bindings when it ends, so a reused statement always starts clean.
class Statement {
 public:
  Statement(const Connection& conn, const QString& sql);
  Statement(Statement&&) = delete;
  ~Statement();

  bool isValid() const { return stmt_ != nullptr; }
  // Parameters count from 1. A null QVariant binds NULL, an integer binds an integer,
  // anything else its text.
  void bind(int index, const QVariant& value);
  // Binds UTF-8 bytes that stay alive until the statement is reset.
  void bindUtf8(int index, std::string_view bytes);
  // Next row: true while a row is ready; false when done or failed (ok() tells which).
  bool step();
  bool ok() const { return ok_; }
  Row row() const { return Row(stmt_); }
  // The statement with the values bound now written into it.
  QString expandedSql() const;

  class Scope {
   public:
    explicit Scope(Statement& s) : s_(s) {}
    ~Scope() { s_.reset(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Statement& s_;
  };

 private:
  void reset();
  sqlite3_stmt* stmt_ = nullptr;
  bool ok_ = true;
};

}  // namespace sqlite
