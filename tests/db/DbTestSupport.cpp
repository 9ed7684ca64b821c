#include "DbTestSupport.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/ServerWindowState.h"
#include "db/DatabaseOperations.h"
#include "db/DoResultPL.h"
#include "db/LibraryImport.h"
#include "db/QueryConnection.h"
#include "support/TestSupport.h"

namespace dbtest {

QString escapeXml(const QString& text) {
  return QString(text).replace("&", "&#38;").replace("<", "&#60;").replace(">", "&#62;");
}

Track track(int id, const QString& name, const QString& artist, const QString& album,
            const QString& genre) {
  Track t{id, {{"Track ID", "<integer>" + QString::number(id) + "</integer>"}}};
  t.pairs.push_back({"Name", "<string>" + escapeXml(name) + "</string>"});
  if (!artist.isNull()) t.pairs.push_back({"Artist", "<string>" + escapeXml(artist) + "</string>"});
  if (!album.isNull()) t.pairs.push_back({"Album", "<string>" + escapeXml(album) + "</string>"});
  if (!genre.isNull()) t.pairs.push_back({"Genre", "<string>" + escapeXml(genre) + "</string>"});
  t.pairs.push_back({"Kind", "<string>MPEG audio file</string>"});
  t.pairs.push_back({"Size", "<integer>5730758</integer>"});
  t.pairs.push_back({"Total Time", "<integer>206915</integer>"});
  t.pairs.push_back({"Year", "<integer>2001</integer>"});
  t.pairs.push_back({"Date Added", "<date>2010-10-10T17:26:22Z</date>"});
  return t;
}

Playlist playlist(const QString& name, int id, std::vector<int> items) {
  return {{{"Name", "<string>" + escapeXml(name) + "</string>"},
           {"Playlist ID", "<integer>" + QString::number(id) + "</integer>"},
           {"Playlist Persistent ID", "<string>4A11DC05095C54BB</string>"}},
          std::move(items)};
}

QByteArray libraryXml(const std::vector<Track>& tracks, const std::vector<Playlist>& playlists) {
  QString x = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>Major Version</key><integer>1</integer>
	<key>Application Version</key><string>10.0.1</string>
	<key>Tracks</key>
	<dict>
)";
  for (const Track& t : tracks) {
    x += "\t\t<key>" + QString::number(t.id) + "</key>\n\t\t<dict>\n";
    for (const auto& [key, value] : t.pairs) x += "\t\t\t<key>" + key + "</key>" + value + "\n";
    x += "\t\t</dict>\n";
  }
  x += "\t</dict>\n\t<key>Playlists</key>\n\t<array>\n";
  for (const Playlist& p : playlists) {
    x += "\t\t<dict>\n";
    for (const auto& [key, value] : p.pairs) x += "\t\t\t<key>" + key + "</key>" + value + "\n";
    if (p.hasItems) {
      x += "\t\t\t<key>Playlist Items</key>\n\t\t\t<array>\n";
      for (int id : p.items)
        x += "\t\t\t\t<dict>\n\t\t\t\t\t<key>Track ID</key><integer>" + QString::number(id) +
             "</integer>\n\t\t\t\t</dict>\n";
      x += "\t\t\t</array>\n";
    }
    x += "\t\t</dict>\n";
  }
  x += "\t</array>\n</dict>\n</plist>\n";
  return x.toUtf8();
}

namespace {

// Walks the pairs of the dict the reader stands in, calling onValue(key) at each value
// element; onValue reads or skips that element.
template <typename F>
void forEachPair(QXmlStreamReader& xml, F onValue) {
  QString key;
  while (xml.readNextStartElement()) {
    if (xml.name() == u"key")
      key = xml.readElementText();
    else
      onValue(key);
  }
}

}  // namespace

LibraryCounts countLibrary(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  QXmlStreamReader xml(&file);
  LibraryCounts counts;
  xml.readNextStartElement();  // plist
  xml.readNextStartElement();  // its dict
  forEachPair(xml, [&](const QString& key) {
    if (key == "Tracks") {
      while (xml.readNextStartElement()) {
        if (xml.name() == u"dict") ++counts.tracks;
        xml.skipCurrentElement();
      }
    } else if (key == "Playlists") {
      while (xml.readNextStartElement()) {
        ++counts.playlists;
        forEachPair(xml, [&](const QString& playlistKey) {
          if (playlistKey != "Playlist Items") return xml.skipCurrentElement();
          while (xml.readNextStartElement())
            forEachPair(xml, [&](const QString& itemKey) {
              if (itemKey == "Track ID") ++counts.entries;
              xml.skipCurrentElement();
            });
        });
      }
    } else {
      xml.skipCurrentElement();
    }
  });
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return counts;
}

QStringList rows(const QString& sql) {
  sqlite3* db = nullptr;
  QStringList out;
  if (sqlite3_open_v2(db::databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    sqlite3_exec(
        db, sql.toUtf8().constData(),
        [](void* list, int n, char** values, char**) {
          QStringList columns;
          for (int i = 0; i < n; ++i) columns << QString::fromUtf8(values[i] ? values[i] : "NULL");
          static_cast<QStringList*>(list)->append(columns.join('|'));
          return 0;
        },
        &out, nullptr);
  }
  sqlite3_close(db);
  return out;
}

LibraryCounts countDatabase() {
  return {rows("select count(*) from Tracks").value(0).toInt(),
          rows("select count(*) from PlayLists").value(0).toInt(),
          rows("select count(*) from PlayListTracks").value(0).toInt()};
}

void DbTest::SetUp() {
  resetModMain();
  resetServerWindowState();
  activityLog().setEcho(false);
  activityLog().clear();
  folder_ = qvtest::sandboxRoot() + "/db-test";
  QDir(folder_).removeRecursively();
  QDir().mkpath(folder_);
  QFile::remove(db::databasePath());
  paths::setResourcesFolder(folder_);
  modMain.itunesfile = libraryPath();
}

void DbTest::TearDown() {
  qvtest::waitUntil([] { return !db::importRunning() && !ResultPL(); }, 20000);
  modMain.idb.reset();
  paths::setResourcesFolder({});
}

void DbTest::writeLibrary(const QByteArray& xml) const { qvtest::writeFile(libraryPath(), xml); }

void DbTest::script(const QString& name, const QByteArray& body) const {
  qvtest::writeFile(folder_ + "/scripts/" + name,
                    "#!/bin/sh\necho \"" + name.toUtf8() + " $*\" >> '" + folder_.toUtf8() +
                        "/calls.log'\n" + body,
                    true);
}

QStringList DbTest::scriptCalls() const {
  return QString::fromUtf8(qvtest::readFile(folder_ + "/calls.log")).split('\n', Qt::SkipEmptyParts);
}

void DbTest::runImport() const {
  DBLoad();
  EXPECT_TRUE(qvtest::waitUntil([] { return !db::importRunning(); }, 60000));
}

void DbTest::runReload() const {
  DBPLReload();
  EXPECT_TRUE(qvtest::waitUntil([] { return !db::importRunning(); }, 60000));
}

QStringList DbTest::log() {
  QStringList lines;
  for (const QString& line : activityLog().lines()) lines.prepend(line.mid(line.indexOf("] ") + 2));
  return lines;
}

}  // namespace dbtest

namespace dbtest {

QByteArray catalogueXml() {
  std::vector<Track> tracks;
  std::vector<int> all;
  for (int n = 1; n <= 37; ++n) {
    tracks.push_back(track(100 + n, QString("Love %1").arg(n, 2, 10, QChar('0')), "The Lovers",
                           "Loveless", "Lovecore"));
    all.push_back(100 + n);
  }
  tracks.push_back(track(201, "Halo", QString::fromUtf8("Beyoncé"), "I Am", "R&B"));
  tracks.push_back(track(202, QString::fromUtf8("Déjà Vu"), QString::fromUtf8("Beyoncé"), "B'Day", "r&b"));
  tracks.push_back(track(203, QString::fromUtf8("Ojalá"), QString::fromUtf8("Café Tacvba"), "Re", "Rock"));
  tracks.push_back(track(204, "It's Only", "Alpha", "O'Brien \"Live\"", "Rock"));
  tracks.push_back(track(205, "Quiet", "Alpha", "Quiet Times", "Jazz"));
  all.insert(all.end(), {201, 202, 203, 204, 205});
  return libraryXml(tracks, {playlist("Library", 1000, all), playlist("Mix", 2000, {203, 201, 204}),
                             playlist("Rock 'n' Roll", 3000, {})});
}

void CatalogueTest::SetUp() {
  DbTest::SetUp();
  writeLibrary(catalogueXml());
  script("itunes",
         "case \"$1\" in listpl) printf '%s' 'cd7\"\\>Audio CD%@';; currentsongid) printf '%s' 201;; search) printf '%s' '<a href=\"/playsong.qv?plid=77&tid=5\">A - B</a>%@QV Results 1';; esac\n");
  script("qvresults", "case \"$1\" in createplaylist) printf '%s' 9000;; esac\n");
  runImport();
  ASSERT_TRUE(modMain.loadcomplete);
  modMain.blPageResults = true;
  modMain.intResultsPerPage = 10;
  modMain.dbLimit = 10;
  activityLog().clear();
}

QString CatalogueTest::artistId(const QString& name) {
  return rows("select ArtistID from Artists where ArtistName = '" + name + "'").value(0);
}

}  // namespace dbtest
