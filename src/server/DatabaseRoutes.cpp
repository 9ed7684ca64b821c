#include "server/DatabaseRoutes.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"
#include "db/Queries.h"
#include "player/Scripts.h"
#include "server/QsParms.h"

namespace {

const QString kSeparator = QStringLiteral("%@");
const QString kEmptySearch = QStringLiteral("Empty search term.");

// The number a start page text begins with (0 when it begins with none).
double leadingNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)))"));
  const QRegularExpressionMatch match = number.match(text);
  return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

void setStartRecord(const RequestContext& ctx) {
  window1.dbStartRecord = int(std::trunc((leadingNumber(ctx.startPage) - 1) * modMain.dbLimit + 1));
}

// A page number in its shortest decimal form.
QString pageText(double page) { return QString::number(page, 'g', 15); }

bool byGenreOff(const RequestContext& ctx) {
  return ctx.byGenre.compare("false", Qt::CaseInsensitive) == 0;
}

// Each field but the last, followed by "<br>".
QString listedFields(const QString& reply) {
  const QStringList fields = reply.split(kSeparator);
  QString listed;
  for (qsizetype i = 0; i + 1 < fields.size(); ++i) listed += fields[i] + "<br>";
  return listed;
}

struct PagingRoute {
  QString linkStart;
  double threshold;
  QString firstPageLink;
};

PagingRoute pagingRoute(const RequestContext& ctx) {
  const QString button = QStringLiteral("<a class=\"gbutton\" href=\"");
  const QString& word = ctx.commandWord;
  if (word == QLatin1String("search")) {
    const QString start = button + "/search.qv?search=" + text::percentEncode(ctx.searchTerm) +
                          "&type=" + text::percentEncode(ctx.searchField);
    return {start, 2, start + "&startp=1&done=true\">Previous Page</a> "};
  }
  if (word == QLatin1String("artistbrowse")) {
    const QString start = button + "/artistbrowse.qv?startp=";
    return {start, 1, start + "1\">Previous Page</a> "};
  }
  QString start;
  if (word == QLatin1String("browsegenre"))
    start = button + "/browsegenre.qv?gid=" + text::percentEncode(ctx.genreId);
  else
    start = button + "/browseartist.qv" + (byGenreOff(ctx) ? "?bygenre=false" : "?bygenre=true") +
            "&aid=" + text::percentEncode(ctx.artistId);
  return {start, 1, start + "&startp=1\">Previous Page</a> "};
}

QString pagingLinks(const RequestContext& ctx) {
  if (!modMain.loadcomplete || window1.dbStartRecord <= 0 || modMain.dbLimit <= 0) return {};
  const PagingRoute route = pagingRoute(ctx);
  const double page = leadingNumber(ctx.startPage);
  // artistbrowse links already end in "startp="; the others add it.
  const QString pageKey = ctx.commandWord == QLatin1String("artistbrowse") ? "" : "&startp=";
  QString links = page > route.threshold
                      ? route.linkStart + pageKey + pageText(page - 1) + "\">Previous Page</a> "
                      : route.firstPageLink;
  links += " Displaying " + QString::number(modMain.dbLimit) + " records, starting at " +
           QString::number(window1.dbStartRecord) + " ";
  links += route.linkStart + pageKey + pageText(page + 1) + "\">Next Page</a>";
  return links + "<br><br>";
}

void shapeSearch(RequestContext& ctx) {
  const QString reply = ctx.replyText;
  if (reply == QLatin1String(kNoTracksMatched) || reply == kEmptySearch) {
    // A message, not a listing: its text is no playlist id and there is nothing to page.
    ctx.replyText += "<br>";
    return;
  }
  ctx.replyText = listedFields(reply);
  if (modMain.loadcomplete) {
    if (!modMain.blNoQVSR) ctx.replyText += "<a href=\"/playresults\">Play all</a><br>";
    ctx.pagingLinks = pagingLinks(ctx);
  } else if (!modMain.blNoQVSR) {
    // The player's reply ends with the id of the results playlist it made.
    if (reply.isEmpty()) throw RequestFailure("the player's search reply is empty");
    const QString resultsPlaylist = reply.split(kSeparator).constLast();
    ctx.replyText += "<a href=\"/playplaylist.qv?plid=" + text::percentEncode(resultsPlaylist) +
                     "\">Play all</a><br>";
  }
}

}  // namespace

void routeSearch(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("search");
  const QueryParameters parms = qsParms(ctx.requestText);
  takeParameter(parms, "startp", ctx.startPage);
  takeParameter(parms, "type", ctx.searchField);
  takeParameter(parms, "search", ctx.searchTerm);
  if (ctx.searchTerm.isEmpty()) {
    ctx.replyText = kEmptySearch;
    return;
  }
  window1.dbStartRecord = 0;
  if (ctx.contains("1&done=true")) {
    ctx.startPage = QStringLiteral("1");
    ctx.done = true;
  }
  setStartRecord(ctx);
  if (ctx.searchField.isEmpty()) ctx.searchField = QStringLiteral("name");
  if (!modMain.loadcomplete) {
    ctx.replyText = itunes({"search", ctx.searchTerm, ctx.searchField, modMain.blNoQVSR ? "nopl" : "createpl"});
    return;
  }
  const bool pageOne = ctx.startPage == QLatin1String("1");
  modMain.TrackArray.clear();
  modMain.TrackCount = 0;
  modMain.queryparm2 = pageOne ? QStringLiteral("pageone") : QString();
  ctx.replyText = DBQuerySearchTrack(ctx.searchTerm, ctx.searchField);
  if (modMain.TrackCount > 0 && pageOne && !ctx.done) modMain.blDoPlayList = true;
}

void routeBrowseGenre(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("browsegenre");
  window1.dbStartRecord = 0;
  const QueryParameters parms = qsParms(ctx.requestText);
  takeParameter(parms, "startp", ctx.startPage);
  takeParameter(parms, "gid", ctx.genreId);
  setStartRecord(ctx);
  if (modMain.loadcomplete) ctx.replyText = DBQueryBrowseGenre(ctx.genreId);
}

void routeBrowseArtist(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("browseartist");
  window1.dbStartRecord = 0;
  const QueryParameters parms = qsParms(ctx.requestText);
  takeParameter(parms, "startp", ctx.startPage);
  takeParameter(parms, "aid", ctx.artistId);
  takeParameter(parms, "bygenre", ctx.byGenre);
  setStartRecord(ctx);
  if (modMain.loadcomplete) ctx.replyText = DBQueryBrowseArtist(ctx.artistId, !byGenreOff(ctx));
}

void routeArtistBrowse(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("artistbrowse");
  window1.dbStartRecord = 0;
  takeParameter(qsParms(ctx.requestText), "startp", ctx.startPage);
  setStartRecord(ctx);
  if (modMain.loadcomplete) ctx.replyText = DBQueryArtistBrowser();
}

void routeDoBrowse(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("dobrowse");
  if (modMain.loadcomplete) ctx.replyText = DBQueryListGenres();
}

QString listPlaylistsFromDatabase() {
  return itunes({"listpl", "x", "x", "cdonly"}) + DBQueryListPlayLists();
}

void showPlaylistFromDatabase(RequestContext& ctx) {
  const QString playing = itunes({"currentsongid", "x", "x", "itunes"});
  ctx.replyText = DBQueryShowPlayList(ctx.playlistId, playing);
}

void shapeDatabaseReply(RequestContext& ctx) {
  const QString& word = ctx.commandWord;
  if (word == QLatin1String("search")) {
    shapeSearch(ctx);
  } else if (word == QLatin1String("dobrowse")) {
    ctx.replyText = modMain.loadcomplete ? listedFields(ctx.replyText)
                                         : QStringLiteral("Sorry, you must use the SQL database to Browse<br>");
  } else {
    ctx.replyText = listedFields(ctx.replyText);
    ctx.pagingLinks = pagingLinks(ctx);
  }
}
