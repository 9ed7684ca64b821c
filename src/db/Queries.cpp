#include "db/Queries.h"

#include <QVariantList>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "db/BetterSQLiteDatabase.h"
#include "db/SQLiteQueryResultHandler.h"
#include "db/SearchFold.h"

namespace {

void runQuery(const char* type, const QString& sql, const QVariantList& values = {}) {
  modMain.querytype = QString::fromLatin1(type);
  if (!modMain.idb) {
    Status("Error: no database connection");
    return;
  }
  modMain.idb->SQLExecuteWithHandler(sql, std::make_shared<SQLiteQueryResultHandler>(), values);
}

// Ids are numbers; anything else binds NULL, which matches no row.
QVariant idValue(const QString& id) {
  bool ok = false;
  const qint64 number = id.trimmed().toLongLong(&ok);
  return ok ? QVariant(number) : QVariant();
}

QString pagingSuffix() {
  if (!modMain.blPageResults || window1.dbStartRecord <= 0 || modMain.dbLimit <= 0) return {};
  return " limit " + QString::number(modMain.dbLimit) + " offset " +
         QString::number(window1.dbStartRecord - 1);
}

// The result of a lookup query, leaving queryresult empty for the next query.
QString takeResult() { return std::exchange(modMain.queryresult, QString()); }

QString libraryPlaylistId() {
  runQuery("DBQueryGetPlayListName",
           "SELECT playlists.playlistid FROM playlists WHERE playlists.name = 'Library'");
  return takeResult();
}

QString resultOrNoMatch(const QString& trailer) {
  if (modMain.queryresult.isEmpty()) return QString::fromLatin1(kNoTracksMatched);
  return modMain.queryresult + "%@" + trailer;
}

const char kSearchColumns[] = "SELECT tracks.artist, tracks.name, tracks.trackid FROM tracks";

}  // namespace

QString DBQueryListPlayLists() {
  runQuery("DBQueryListPlayLists", "select name, playlistid from playlists order by name");
  return modMain.queryresult;
}

QString DBQueryListGenres() {
  runQuery("DBQueryListGenres", "select GenreName from Genres order by GenreName");
  return modMain.queryresult;
}

QString DBQueryShowPlayList(const QString& playlistId, const QString& currentTrackId) {
  const QVariant id = idValue(playlistId);
  runQuery("DBQueryGetPlayListName",
           "SELECT playlists.name FROM playlists WHERE playlists.playlistid = ?", {id});
  const QString name = takeResult();
  modMain.queryparm1 = currentTrackId;
  modMain.queryparm2 = playlistId;
  runQuery("DBQueryShowPlayList",
           "SELECT Tracks.Artist, Tracks.Name, Tracks.TrackID FROM Tracks INNER JOIN "
           "PlayListTracks ON Tracks.TrackID = PlayListTracks.TrackID WHERE "
           "PlayListTracks.PlayListID=? ORDER BY Tracks.Artist, Tracks.Name" +
               pagingSuffix(),
           {id});
  return modMain.queryresult + "%@" + name;
}

QString DBQuerySearchTrack(const QString& term, const QString& type) {
  const QString libraryId = libraryPlaylistId();
  modMain.queryparm1 = libraryId;
  const QString pattern = "%" + db::searchFold(QString(term).replace('+', ' ')) + "%";
  const char* queryType = "DBQuerySearchTrack";
  QString sql;
  if (type.compare("artist", Qt::CaseInsensitive) == 0) {
    sql = QString(kSearchColumns) + " where lower(tracks.artist) like ?";
  } else if (type.compare("genre", Qt::CaseInsensitive) == 0) {
    sql = QString(kSearchColumns) + " where lower(tracks.genre) like ?";
  } else if (type.compare("album", Qt::CaseInsensitive) == 0) {
    queryType = "DBQuerySearchTrackAlbum";
    sql = "SELECT tracks.artist, tracks.name, tracks.trackid, tracks.album FROM tracks where "
          "lower(tracks.album) like ?";
  } else {
    sql = QString(kSearchColumns) + " where lower(tracks.name) like ?";
  }
  sql += " order by tracks.artist, tracks.name";
  // Page 1 fetches every match, so that the results playlist gets them all.
  if (modMain.queryparm2.isEmpty()) sql += pagingSuffix();
  runQuery(queryType, sql, {pattern});
  return resultOrNoMatch(libraryId);
}

QString DBQueryBrowseGenre(const QString& genre) {
  modMain.savegenre = genre;
  runQuery("DBQueryBrowseGenre",
           "select distinct artists.artistname, artists.artistid  from artists, tracks where "
           "artists.artistname = tracks.artist and lower(tracks.genre)=? order by "
           "artists.artistname" +
               pagingSuffix(),
           {db::searchFold(genre)});
  return resultOrNoMatch({});
}

QString DBQueryArtistBrowser() {
  runQuery("DBQueryArtistBrowser",
           "select distinct artists.artistname, artists.artistid  from artists order by "
           "artists.artistname" +
               pagingSuffix());
  return resultOrNoMatch({});
}

QString DBQueryBrowseArtist(const QString& artistId, bool byGenre) {
  const QString libraryId = libraryPlaylistId();
  modMain.queryparm1 = libraryId;
  QString sql = QString(kSearchColumns) +
                ", artists where tracks.artist = artists.artistname and artists.artistid =?";
  QVariantList values{idValue(artistId)};
  if (byGenre) {
    sql += " and lower(tracks.genre) = ?";
    values << db::searchFold(modMain.savegenre);
  }
  sql += " order by tracks.artist, tracks.name" + pagingSuffix();
  runQuery("DBQueryBrowseArtist", sql, values);
  return resultOrNoMatch(libraryId);
}
