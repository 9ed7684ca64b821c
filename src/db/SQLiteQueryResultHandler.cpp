#include "db/SQLiteQueryResultHandler.h"

#include "app/ModMain.h"
#include "app/TextCodec.h"
#include "db/Sqlite.h"

namespace {

const QString kSeparator = QStringLiteral("%@");

bool isType(const char* name) { return modMain.querytype.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; }

// Values go into a link's query string percent-encoded and into its text HTML-escaped.
QString param(const QString& value) { return text::percentEncode(value); }
QString shown(const QString& value) { return text::htmlEscape(value); }

QString playLink(const QString& playlistId, const QString& trackId, const QString& label) {
  return "<a href=\"/playsong.qv?plid=" + param(playlistId) + "&tid=" + param(trackId) + "\">" +
         label + "</a>" + kSeparator;
}

// Search rows: with paging on (and a page size), only the first dbLimit rows are shown,
// but every row's id is recorded for the search-results playlist. Page 1 fetches every
// match, so the label is built only for the rows shown.
template <typename Label>
void searchRow(const QString& trackId, Label label) {
  const bool paging = modMain.blPageResults && modMain.dbLimit > 0;
  if (!paging || modMain.TrackCount < modMain.dbLimit)
    modMain.queryresult += playLink(modMain.queryparm1, trackId, label());
  modMain.TrackArray.append(trackId);
  ++modMain.TrackCount;
}

}  // namespace

bool SQLiteQueryResultHandler::HandleOneResult(const sqlite::Row& row) {
  if (isType("DBQueryListPlayLists")) {
    modMain.queryresult += param(row.text(1)) + "&startp=1\"\\>" + shown(row.text(0)) + kSeparator;
  } else if (isType("DBQueryGetPlayListName") || isType("DBQueryGetQVResultsID")) {
    modMain.queryresult = row.text(0);
  } else if (isType("DBQueryShowPlayList")) {
    const QString trackId = row.text(2);
    vClass = trackId.compare(modMain.queryparm1, Qt::CaseInsensitive) == 0
                 ? QStringLiteral(" class=\"hilite\"")
                 : QString();
    modMain.queryresult += "<a" + vClass + " href=\"/playsong.qv?plid=" + param(modMain.queryparm2) +
                           "&tid=" + param(trackId) + "\">" + shown(row.text(0)) + " - " +
                           shown(row.text(1)) + "</a>" + kSeparator;
  } else if (isType("DBQuerySearchTrack")) {
    searchRow(row.text(2), [&] { return shown(row.text(0)) + " - " + shown(row.text(1)); });
  } else if (isType("DBQuerySearchTrackAlbum")) {
    searchRow(row.text(2), [&] {
      return shown(row.text(0)) + " - " + shown(row.text(1)) + " [" + shown(row.text(3)) + "]";
    });
  } else if (isType("DBQueryBrowseArtist")) {
    modMain.queryresult +=
        playLink(modMain.queryparm1, row.text(2), shown(row.text(0)) + " - " + shown(row.text(1)));
  } else if (isType("DBQueryListGenres")) {
    const QString genre = row.text(0);
    modMain.queryresult += "<a href=\"/browsegenre.qv?gid=" + param(genre) + "&startp=1\">" +
                           shown(genre) + "</a>" + kSeparator;
  } else if (isType("DBQueryBrowseGenre") || isType("DBQueryArtistBrowser")) {
    const QString byGenre = isType("DBQueryBrowseGenre") ? "true" : "false";
    modMain.queryresult += "<a href=\"/browseartist.qv?bygenre=" + byGenre + "&aid=" +
                           param(row.text(1)) + "&startp=1\">" + shown(row.text(0)) + "</a>" +
                           kSeparator;
  }
  return false;
}
