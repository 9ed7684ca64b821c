// The RAII layer over the sqlite3 C API.
#include <gtest/gtest.h>

#include <QFile>

#include "db/Sqlite.h"
#include "support/TestSupport.h"

namespace {

QString freshPath(const char* name) {
  const QString path = qvtest::sandboxRoot() + "/" + name;
  QFile::remove(path);
  return path;
}

TEST(SqliteLayerTest, OpenFailureCarriesTheMessage) {
  try {
    sqlite::Connection conn(qvtest::sandboxRoot() + "/no/such/folder/x.sdb", true);
    FAIL() << "opened";
  } catch (const sqlite::Error& e) {
    EXPECT_EQ(e.message(), "unable to open database file");
  }
  EXPECT_THROW(sqlite::Connection(freshPath("absent.sdb"), false), sqlite::Error);
}

TEST(SqliteLayerTest, StatementScopeResetsAndClearsBindings) {
  sqlite::Connection conn(freshPath("layer.sdb"), true);
  ASSERT_TRUE(conn.exec("create table t (a, b)"));
  sqlite::Statement insert(conn, "insert into t values (?, ?)");
  {
    sqlite::Statement::Scope scope(insert);
    insert.bind(1, QString("it's \"quoted\""));
    insert.bind(2, qint64(5));
    EXPECT_EQ(insert.expandedSql(), "insert into t values ('it''s \"quoted\"', 5)");
    insert.step();
    EXPECT_TRUE(insert.ok());
  }
  {
    sqlite::Statement::Scope scope(insert);
    EXPECT_EQ(insert.expandedSql(), "insert into t values (NULL, NULL)");
    insert.step();
  }
  sqlite::Statement select(conn, "select a, b from t order by rowid");
  QStringList got;
  while (select.step()) got << select.row().text(0) + "|" + select.row().text(1);
  EXPECT_EQ(got, QStringList({"it's \"quoted\"|5", "|"}));
}

TEST(SqliteLayerTest, FailuresReportTheConnectionsMessage) {
  sqlite::Connection conn(freshPath("errors.sdb"), true);
  EXPECT_FALSE(conn.exec("select * from missing"));
  EXPECT_EQ(conn.lastError(), "no such table: missing");
  sqlite::Statement bad(conn, "select * from missing");
  EXPECT_FALSE(bad.ok());
  EXPECT_FALSE(bad.step());
  sqlite::Connection moved(std::move(conn));
  EXPECT_FALSE(conn.isOpen());
  EXPECT_TRUE(moved.isOpen());
  moved.close();
  EXPECT_THROW(moved.close(), sqlite::Error);
}

}  // namespace
