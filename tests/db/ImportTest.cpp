// The full import and the playlist reload: their log, what they store, and how they fail.
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "DbTestSupport.h"
#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "db/DatabaseOperations.h"
#include "db/LibraryImport.h"
#include "db/LibraryWalk.h"
#include "db/QueryConnection.h"
#include "db/Sqlite.h"
#include "support/TestSupport.h"

namespace dbtest {
namespace {

const QString kQuirks = QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/db/quirks_library.xml");

QStringList prefixed(const QStringList& lines) {
  QStringList out;
  for (const QString& line : lines) out << "DBLoad: " + line;
  return out;
}

// The one line whose figure depends on the clock.
QStringList withoutExecutionTime(QStringList lines) {
  static const QRegularExpression time(R"(^DBLoad: Thread execution time \d+ seconds$)");
  for (QString& line : lines)
    if (time.match(line).hasMatch()) line = "DBLoad: Thread execution time N seconds";
  return lines;
}

const QStringList kOpenedQueryConnection =
    prefixed({"Connected to database OK.", "Database searches are available"});

class ImportTest : public DbTest {};

TEST_F(ImportTest, LogOfAFullImportFollowsEveryStep) {
  modMain.itunesfile = kQuirks;
  runImport();
  const QStringList expected =
      QStringList{"Starting Thread"} +
      prefixed({"Loading XML...", "XML data loaded OK", "Database created OK",
                "Attempting to open database...", "Connected OK.  About to create tables...",
                "Tracks table created", "PlayLists table created", "PlayLists Tracks table created",
                "Genres table created", "Artists table created",
                "Database creation complete.  Importing XML...",
                "Finished traversing XML.  Processed 3 tracks and 5 playlists",
                "About to create indexes...", "TrackID index created", "Name index created",
                "Artist index created", "Genre index created",
                "PlayListTracks TrackID index created", "PlayListTracks PlaylistID index created",
                "PlayListTracks combined index created", "PlayList PlaylistID index created",
                "PlayList Name index created", "Genre table loaded", "Genre Name index created",
                "Artist table loaded", "Artist Name index created",
                "Database update complete.  Committing and closing database...",
                "Closed database connection. All Done.", "Thread execution time N seconds"}) +
      kOpenedQueryConnection;
  EXPECT_EQ(withoutExecutionTime(log()), expected);
  EXPECT_TRUE(modMain.loadcomplete);
  EXPECT_FALSE(modMain.db) << "the import connection is closed";
  // The page templates were rebuilt for the open database: the Genre search is offered.
  EXPECT_TRUE(window1.bottomHTML2.contains(R"(value="genre")"));
}

TEST_F(ImportTest, EveryValueIsStoredWhole) {
  modMain.itunesfile = kQuirks;
  runImport();
  EXPECT_EQ(rows("select TrackID, Name, Artist, Album, Genre, Kind, Year, TotalTime from Tracks "
                 "order by TrackID"),
            QStringList({"11|Don't Stop|O'Neil|Say \"Hi\"|Rock|MPEG audio file|1999|1000",
                         QString::fromUtf8("12|Don’t Blame Me|Spaced Out||R&B|Apple Music AAC audio file||2000"),
                         "13||Nobody|||||3000"}));
  EXPECT_EQ(rows("select GenreName from Genres order by GenreName"), QStringList({"", "R&B", "Rock"}));
  EXPECT_EQ(rows("select ArtistName from Artists order by ArtistName"),
            QStringList({"Nobody", "O'Neil", "Spaced Out"}));
}

TEST_F(ImportTest, PlaylistsAreReadByKeyWhateverTheKeyOrder) {
  modMain.itunesfile = kQuirks;
  runImport();
  EXPECT_EQ(rows("select PlayListID, Name from PlayLists order by rowid"),
            QStringList({"100|Library", QString::fromUtf8("200|Mix ’n' \"Match\""), "300|Smart",
                         "400|Older Master", "500|Newer Master"}));
  EXPECT_EQ(rows("select PlayListID, TrackID from PlayListTracks order by rowid"),
            QStringList({"100|11", "100|12", "100|13", "200|12", "200|11", "200|12", "400|13", "500|11"}));
  EXPECT_EQ(countDatabase(), countLibrary(kQuirks));
}

TEST_F(ImportTest, ProgressIsLoggedEvery200Tracks) {
  std::vector<Track> tracks;
  for (int id = 1; id <= 401; ++id) tracks.push_back(track(id, "Song", "Band", "Album", "Pop"));
  writeLibrary(libraryXml(tracks, {}));
  runImport();
  const QStringList lines = log();
  EXPECT_EQ(lines.filter("tracks...").join('\n'),
            "DBLoad: Loaded 200 tracks...\nDBLoad: Loaded 400 tracks...");
  EXPECT_TRUE(lines.contains("DBLoad: Finished traversing XML.  Processed 401 tracks and 0 playlists"));
}

TEST_F(ImportTest, LibraryWithoutTracksOrPlaylistsStillEndsAvailable) {
  struct Case {
    QByteArray topDict;
    QString missingLine, finishedLine;
  };
  const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
  const std::vector<Case> cases = {
      {"\t<key>Playlists</key>\n\t<array>\n\t\t<dict>\n\t\t\t<key>Name</key><string>A</string>\n"
       "\t\t\t<key>Playlist ID</key><integer>1</integer>\n\t\t</dict>\n\t</array>\n",
       "DBLoad: No tracks found", "DBLoad: Finished traversing XML.  Processed 0 tracks and 0 playlists"},
      {"\t<key>Tracks</key>\n\t<dict>\n\t</dict>\n", "DBLoad: No playlists found",
       "DBLoad: Finished traversing XML.  Processed 0 tracks and 0 playlists"},
  };
  for (const Case& c : cases) {
    activityLog().clear();
    writeLibrary(head + c.topDict + "</dict>\n</plist>\n");
    runImport();
    const QStringList lines = log();
    EXPECT_TRUE(lines.contains(c.missingLine)) << c.missingLine.toStdString();
    EXPECT_TRUE(lines.contains(c.finishedLine));
    EXPECT_EQ(lines.mid(lines.size() - 2), kOpenedQueryConnection);
    EXPECT_EQ(countDatabase(), LibraryCounts{});
  }
}

TEST_F(ImportTest, EveryRealExportImportsCompletely) {
  const QDir folder(qvtest::sharedFixture("library"));
  const QStringList exports = folder.entryList({"*.xml"}, QDir::Files, QDir::Name);
  ASSERT_FALSE(exports.isEmpty());
  for (const QString& name : exports) {
    SCOPED_TRACE(name.toStdString());
    activityLog().clear();
    modMain.itunesfile = folder.filePath(name);
    runImport();
    EXPECT_EQ(log().constLast(), "DBLoad: Database searches are available");
    EXPECT_EQ(countDatabase(), countLibrary(modMain.itunesfile));
    EXPECT_TRUE(log().filter("Error").isEmpty()) << log().filter("Error").join('\n').toStdString();
  }
}

TEST_F(ImportTest, MissingLibraryLeavesTheOldDatabaseUntouched) {
  modMain.itunesfile = kQuirks;
  runImport();
  activityLog().clear();
  modMain.itunesfile = folder() + "/nowhere.xml";
  runImport();
  EXPECT_EQ(log(), QStringList({"Starting Thread",
                                "DBLoad: Unable to open iTunes Library XML file.  Check preferences",
                                "DBLoad: Database searches not available"}));
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_EQ(countDatabase(), countLibrary(kQuirks));
}

TEST_F(ImportTest, BrokenXmlEndsOnTheGeneralFailurePathAndTheNextImportWorks) {
  writeLibrary("<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n\t<key>Tracks</key>\n\t<dict>\n");
  runImport();
  const QStringList lines = log();
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines.mid(0, 2), QStringList({"Starting Thread", "DBLoad: Loading XML..."}));
  EXPECT_TRUE(QRegularExpression(R"(^DBLoad: Error \d+:.+ loading database\.$)").match(lines[2]).hasMatch())
      << lines[2].toStdString();
  EXPECT_EQ(lines[3], "DBLoad: Database searches not available");
  EXPECT_FALSE(modMain.loadcomplete);

  activityLog().clear();
  modMain.itunesfile = kQuirks;
  runImport();
  EXPECT_EQ(log().constLast(), "DBLoad: Database searches are available");
}

TEST_F(ImportTest, AParseFaultIsReportedAtItsOffsetInTheFile) {
  // The track's unread pairs come before the fault; the text parsed first has none.
  const QByteArray xml =
      "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n\t<key>Tracks</key>\n\t<dict>\n"
      "\t\t<key>1</key>\n\t\t<dict>\n\t\t\t<key>Track ID</key><integer>1</integer>\n"
      "\t\t\t<key>Size</key><integer>5730758</integer>\n\t\t\t<key>Date Added</key><date>2010-10-10T17:26:22Z</date>\n"
      "\t\t</dict>\n\t</dict>\n\t<key>Playlists</key>\n\t<array>\n</dict>\n</plist>\n";
  writeLibrary(xml);
  pugi::xml_document doc;
  const pugi::xml_parse_result fault =
      doc.load_buffer(xml.constData(), size_t(xml.size()), pugi::parse_default | pugi::parse_embed_pcdata);
  ASSERT_FALSE(fault);
  ASSERT_GT(fault.offset, xml.indexOf("<key>Date Added</key>"));
  runImport();
  EXPECT_EQ(log().mid(2), QStringList({"DBLoad: Error " + QString::number(int(fault.status)) + ":" +
                                           QString::fromUtf8(fault.description()) + " at offset " +
                                           QString::number(fault.offset) + " loading database.",
                                       "DBLoad: Database searches not available"}));
}

class ReloadTest : public DbTest {};

TEST_F(ReloadTest, ReplacesOnlyThePlaylistTables) {
  modMain.itunesfile = kQuirks;
  runImport();
  const QStringList tracksBefore = rows("select * from Tracks order by TrackID");
  activityLog().clear();
  writeLibrary(libraryXml({}, {playlist("Fresh", 900, {11, 99})}));
  modMain.itunesfile = libraryPath();
  runReload();
  const QStringList expected =
      QStringList{"Starting Thread"} +
      prefixed({"Loading XML...", "XML data loaded OK", "Database opened OK",
                "Attempting to open database...", "Connected OK.  About to reload playlist tables...",
                "PlayLists table dropped", "PlayLists table recreated", "PlayLists Tracks table dropped",
                "PlayLists Tracks table recreated", "Table creation complete.  Importing XML...",
                "Finished traversing XML.  Processed 1 playlists", "About to create indexes...",
                "PlayListTracks TrackID index created", "PlayListTracks PlaylistID index created",
                "PlayListTracks combined index created", "PlayList PlaylistID index created",
                "PlayList Name index created",
                "Playlist table update complete.  Committing and closing database...",
                "Closed database connection. All Done.", "Thread execution time N seconds"}) +
      kOpenedQueryConnection;
  EXPECT_EQ(withoutExecutionTime(log()), expected);
  EXPECT_EQ(rows("select * from Tracks order by TrackID"), tracksBefore);
  EXPECT_EQ(rows("select PlayListID, Name from PlayLists"), QStringList({"900|Fresh"}));
  EXPECT_EQ(rows("select PlayListID, TrackID from PlayListTracks"), QStringList({"900|11", "900|99"}));
  EXPECT_EQ(rows("select name from sqlite_master where type = 'index' and tbl_name like 'playlist%' order by name"),
            QStringList({"idxPPlayListID", "idxPPlayListName", "idxPTBoth", "idxPTPlayListID", "idxPTTrackID"}));
}

TEST_F(ReloadTest, MissingDatabaseIsNotCreated) {
  modMain.itunesfile = kQuirks;
  runReload();
  EXPECT_EQ(log(), QStringList({"Starting Thread", "DBLoad: Loading XML...", "DBLoad: XML data loaded OK",
                                "DBLoad: Error: Database file Quaverly.sdb does not exist.  Database must be reloaded."}));
  EXPECT_FALSE(QFile::exists(db::databasePath()));
  EXPECT_FALSE(modMain.loadcomplete);
}

TEST_F(ReloadTest, FailingStatementStopsAndClosesTheImportConnection) {
  {
    sqlite::Connection stray(db::databasePath(), true);
    stray.exec("create table Tracks (TrackID integer)");
  }
  modMain.itunesfile = kQuirks;
  runReload();
  EXPECT_EQ(log().constLast(), "DBLoad: Error dropping playlist table: no such table: PlayLists");
  EXPECT_FALSE(modMain.db);
  EXPECT_FALSE(modMain.loadcomplete);
  // No lock is left behind: the next import rebuilds the file.
  activityLog().clear();
  runImport();
  EXPECT_EQ(log().constLast(), "DBLoad: Database searches are available");
}

class OneAtATimeTest : public DbTest {};

TEST_F(OneAtATimeTest, ASecondImportOrReloadOrOpenIsRefusedWhileOneRuns) {
  modMain.itunesfile = kQuirks;
  runImport();
  activityLog().clear();
  // As at start-up with both reload settings on.
  EXPECT_TRUE(DBLoad());
  EXPECT_FALSE(DBPLReload());
  EXPECT_FALSE(DBOpen());
  EXPECT_EQ(log(), QStringList({"Starting Thread",
                                "DBLoad: An import or playlist reload is already running.  Request refused",
                                "The database is being rebuilt; it opens when the rebuild ends"}));
  EXPECT_TRUE(qvtest::waitUntil([] { return !db::importRunning(); }, 20000));
  EXPECT_EQ(log().constLast(), "DBLoad: Database searches are available");
  EXPECT_EQ(log().filter("Starting Thread").size(), 1);
}

class OpenCloseTest : public DbTest {};

TEST_F(OpenCloseTest, OpenAndCloseLogAndFollowTheFile) {
  EXPECT_FALSE(DBOpen());
  EXPECT_FALSE(DBClose());
  modMain.itunesfile = kQuirks;
  runImport();
  EXPECT_TRUE(DBClose());
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_FALSE(window1.bottomHTML2.contains(R"(value="genre")"));
  EXPECT_TRUE(DBOpen());
  EXPECT_TRUE(modMain.loadcomplete);
  EXPECT_TRUE(window1.bottomHTML2.contains(R"(value="genre")"));
  const QStringList lines = log();
  EXPECT_EQ(lines.mid(0, 2), QStringList({"Error: No database file found.  Please reload", "Error closing database"}));
  EXPECT_EQ(lines.mid(lines.size() - 3),
            QStringList({"Database closed", "Connected to database OK.", "Database searches are available"}));
}

TEST(TrackImportTest, FailedInsertLogsTheStatementWithItsValues) {
  const QString path = qvtest::sandboxRoot() + "/failing-insert.sdb";
  QFile::remove(path);
  sqlite::Connection conn(path, true);
  conn.exec("Create table Tracks (TrackID integer, Name VarChar CHECK (Name <> 'Bad'), Artist VarChar, "
            "Album VarChar, Genre VarChar, Kind VarChar, Year VarChar, TotalTime VarChar)");
  pugi::xml_document doc;
  doc.load_string("<dict><key>Track ID</key><integer>7</integer><key>Name</key><string>Bad</string>"
                  "<key>Artist</key><string>O'Neil</string></dict>",
                  pugi::parse_default | pugi::parse_embed_pcdata);
  db::TrackImport track(conn);
  track.begin();
  const pugi::xml_node dict = doc.first_child();
  for (pugi::xml_node key = dict.first_child(); key; key = key.next_sibling().next_sibling())
    track.take(key, key.next_sibling());
  QStringList logged;
  track.insert([&](const QString& line) { logged << line; });
  EXPECT_EQ(logged, QStringList({"Error importing track:CHECK constraint failed: Name <> 'Bad'SQL was: "
                                 "Insert into Tracks (Name,Artist,TrackID,Album,Year,Genre,Kind,TotalTime) "
                                 "Values  ('Bad','O''Neil','7','','','','','')"}));
}

}  // namespace
}  // namespace dbtest
