#pragma once
// Shared pieces of the database tests: a sandboxed state per test, fake player scripts,
// library exports written in the player's format, and independent looks at the results.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <map>
#include <ostream>
#include <vector>

// Texts show as text in failure messages.
namespace testing::internal {
template <>
class UniversalPrinter<QString> {
 public:
  static void Print(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
};
template <>
class UniversalPrinter<QStringList> {
 public:
  static void Print(const QStringList& list, std::ostream* out) {
    *out << "{\n";
    for (const QString& line : list) *out << "  \"" << line.toStdString() << "\"\n";
    *out << "}";
  }
};
}  // namespace testing::internal

namespace dbtest {

// A track of a generated library export: its pairs, in order.
struct Track {
  int id;
  std::vector<std::pair<QString, QString>> pairs;  // key, value element (e.g. "<string>x</string>")
};

// A playlist: its pairs before the items, and the item track ids (none: no items key).
struct Playlist {
  std::vector<std::pair<QString, QString>> pairs;
  std::vector<int> items;
  bool hasItems = true;
};

// The usual string-valued track (Kind, Total Time and Year filled in).
Track track(int id, const QString& name, const QString& artist, const QString& album,
            const QString& genre);
// A playlist whose keys come as Name, Playlist ID, Playlist Persistent ID, items.
Playlist playlist(const QString& name, int id, std::vector<int> items);

// The export as the player writes it: tabs, one pair a line, & as &#38;.
QByteArray libraryXml(const std::vector<Track>& tracks, const std::vector<Playlist>& playlists);
QString escapeXml(const QString& text);

// Tracks, playlists and playlist entries of an export, counted by reading it anew.
struct LibraryCounts {
  int tracks = 0, playlists = 0, entries = 0;
  bool operator==(const LibraryCounts&) const = default;
};
LibraryCounts countLibrary(const QString& path);
LibraryCounts countDatabase();

// Runs one statement on the database file through a connection of its own and returns
// the rows, columns joined by "|".
QStringList rows(const QString& sql);

class DbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString folder() const { return folder_; }
  QString libraryPath() const { return folder_ + "/library.xml"; }
  void writeLibrary(const QByteArray& xml) const;
  // A player script that appends its arguments as one line to calls.log, then runs body.
  void script(const QString& name, const QByteArray& body) const;
  QStringList scriptCalls() const;

  // Starts the full import (or reload) and waits for it to end.
  void runImport() const;
  void runReload() const;
  // The log, oldest line first, without the time stamps.
  static QStringList log();

 private:
  QString folder_;
};

}  // namespace dbtest

namespace dbtest {

// A library for the query and route tests: 37 tracks by "The Lovers" (ids 101 to 137,
// "Love 01" to "Love 37", album "Loveless", genre "Lovecore") and a few others with
// accents, quotes and an ampersand; the playlists "Library" (1000), "Mix" (2000: tracks
// 203, 201, 204) and "Rock 'n' Roll" (3000, empty).
QByteArray catalogueXml();

// Imports the catalogue with paging on at 10 rows per page, and fake players:
// itunes answers listpl with one audio CD and currentsongid with 201; qvresults answers
// createplaylist with 9000.
class CatalogueTest : public DbTest {
 protected:
  void SetUp() override;
  // The id the import gave an artist.
  static QString artistId(const QString& name);
};

}  // namespace dbtest
