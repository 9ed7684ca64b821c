#include "server/Routes.h"

#include <QStringList>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"
#include "pages/NowPlaying.h"
#include "player/Scripts.h"
#include "server/DatabaseRoutes.h"
#include "server/QsParms.h"
#include "server/SettingsRoute.h"

QString scriptMode() { return modMain.loadcomplete ? QStringLiteral("usedb") : QStringLiteral("itunes"); }

namespace {

const QString kSep = QStringLiteral("%@");
const QString kNotPlaying = QStringLiteral("Not playing.  Please click play/pause.");

void show(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("show");
  ctx.replyText = itunes({"show", "x", "x", scriptMode()});
}

// Volume, mute and play/pause answer with the now-playing page, not their own reply.
void actThenShow(RequestContext& ctx, const QString& action) {
  itunes({action, "x", "x", "itunes"});
  show(ctx);
}

void routeShuffle(RequestContext& ctx) {
  const bool on = ctx.contains("GET /shuffleon");
  ctx.commandWord = on ? QStringLiteral("shuffleon") : QStringLiteral("shuffleoff");
  plcontrol({"shuffle", on ? "true" : "false"});
}

void routeRepeat(RequestContext& ctx) {
  QString mode = QStringLiteral("one");
  if (ctx.contains("GET /repeatoff"))
    mode = QStringLiteral("off");
  else if (ctx.contains("GET /repeatall"))
    mode = QStringLiteral("all");
  ctx.commandWord = "repeat" + mode;
  plcontrol({"repeat", mode});
}

void routeListPlaylists(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("listpl");
  ctx.replyText = modMain.loadcomplete ? listPlaylistsFromDatabase() : itunes({"listpl", "x", "x", "itunes"});
}

bool isCdPlaylist(const QString& playlistId) { return playlistId.contains(QLatin1String("cd"), Qt::CaseInsensitive); }

void routePlayPlaylist(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("playplaylist");
  takeParameter(qsParms(ctx.requestText), "plid", ctx.playlistId);
  const QString mode = isCdPlaylist(ctx.playlistId) ? QStringLiteral("itunes") : scriptMode();
  ctx.replyText = itunes({"playplaylist", ctx.playlistId, "x", mode});
}

void routeShowPlaylist(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("showplaylist");
  const QueryParameters parms = qsParms(ctx.requestText);
  takeParameter(parms, "plid", ctx.playlistId);
  takeParameter(parms, "startp", ctx.startPage);
  window1.dbStartRecord = 0;
  if (isCdPlaylist(ctx.playlistId) || !modMain.loadcomplete)
    ctx.replyText = itunes({"showplaylist", ctx.playlistId, "x", "itunes"});
  else
    showPlaylistFromDatabase(ctx);
}

void routePlaySong(RequestContext& ctx) {
  const QueryParameters parms = qsParms(ctx.requestText);
  takeParameter(parms, "plid", ctx.playlistId);
  takeParameter(parms, "tid", ctx.trackId);
  itunes({"playsong", ctx.playlistId, ctx.trackId, scriptMode()});
  show(ctx);
}

struct Route {
  const char* text;
  void (*act)(RequestContext&);
};

// In table order; the first route whose text the request contains decides.
const Route kRoutes[] = {
    {"GET /preferences", [](RequestContext& ctx) { ctx.commandWord = QStringLiteral("preferences"); }},
    {"GET /show", [](RequestContext& ctx) { show(ctx); }},
    {"GET /poll",
     [](RequestContext& ctx) {
       show(ctx);
       ctx.commandWord = QStringLiteral("poll");
     }},
    {"GET /volup", [](RequestContext& ctx) { actThenShow(ctx, "volup"); }},
    {"GET /voldown", [](RequestContext& ctx) { actThenShow(ctx, "voldown"); }},
    {"GET /mute", [](RequestContext& ctx) { actThenShow(ctx, "mute"); }},
    {"GET /next",
     [](RequestContext& ctx) {
       ctx.commandWord = QStringLiteral("next");
       ctx.replyText = itunes({"next", "x", "x", scriptMode()});
     }},
    {"GET /prev",
     [](RequestContext& ctx) {
       ctx.commandWord = QStringLiteral("prev");
       ctx.replyText = itunes({"prev", "x", "x", scriptMode()});
     }},
    {"GET /shuffle", routeShuffle},
    {"GET /repeat", routeRepeat},
    {"GET /listpl", routeListPlaylists},
    {"GET /search.qv", routeSearch},
    {"GET /playpause", [](RequestContext& ctx) { actThenShow(ctx, "playpause"); }},
    {"GET /playplaylist.qv", routePlayPlaylist},
    {"GET /playresults",
     [](RequestContext& ctx) {
       ctx.commandWord = QStringLiteral("playresults");
       ctx.replyText = qvresults({"playresults", "x"});
     }},
    {"GET /showplaylist.qv", routeShowPlaylist},
    {"GET /playsong.qv", routePlaySong},
    {"GET /browsegenre.qv", routeBrowseGenre},
    {"GET /browseartist.qv", routeBrowseArtist},
    {"GET /artistbrowse.qv", routeArtistBrowse},
    {"GET /dobrowse", routeDoBrowse},
    {"GET /setprefs", routeSetPrefs},
};

bool matches(const RequestContext& ctx, const Route& route) {
  const QString text = QLatin1String(route.text);
  // "/show" also occurs in "/showplaylist.qv", which has a route of its own.
  if (text == QLatin1String("GET /show")) return ctx.contains(text) && !ctx.contains("GET /showplaylist.qv");
  return ctx.contains(text);
}

// Each non-empty playlist entry (link target, quote, backslash, ">", name) becomes a
// link to its track list and a "[>]" link that plays it.
QString playlistLinks(const QString& reply) {
  QString out;
  for (const QString& entry : reply.split(kSep)) {
    if (entry.isEmpty()) continue;
    const qsizetype separator = entry.indexOf(QLatin1String("\\>"));
    const QString id = separator > 0 ? entry.left(separator - 1) : entry;
    out += "<a href=\"/showplaylist.qv?plid=" + entry +
           "</a>&nbsp;&nbsp;<a title=\"Play playlist\" href=\"/playplaylist.qv?plid=" + id +
           "\"\\>[>]</a><br>" + crlf;
  }
  return out;
}

QString playlistTrackLines(const RequestContext& ctx) {
  const QStringList fields = ctx.replyText.split(kSep);
  QString out;
  for (qsizetype i = 0; i + 1 < fields.size(); ++i) out += fields[i] + "<br>";
  out += "<a href=\"/playplaylist.qv?plid=" + text::percentEncode(ctx.playlistId) + "\">Play all: " +
         text::htmlEscape(fields.last()) + "</a><br>";
  if (modMain.blfancy) out += "<br>";
  return out;
}

QString pollAnswer(const QString& reply) {
  const QStringList fields = reply.split(kSep);
  if (fields.size() >= 2) return setJustText(fields) + crlf + "POLL OK";
  return reply.compare(kNotPlaying, Qt::CaseInsensitive) == 0 ? QStringLiteral("POLL OK")
                                                               : QStringLiteral("BAD POLL");
}

}  // namespace

void routeRequest(RequestContext& ctx) {
  for (const Route& route : kRoutes) {
    if (matches(ctx, route)) {
      route.act(ctx);
      shapeReply(ctx);
      return;
    }
  }
  Status("No valid command received");
}

void shapeReply(RequestContext& ctx) {
  const QString& word = ctx.commandWord;
  if (word == QLatin1String("poll"))
    ctx.replyText = pollAnswer(ctx.replyText);
  else if (word == QLatin1String("preferences"))
    ctx.replyText += window1.PrefsFormHTML;
  else if (word == QLatin1String("repeatoff"))
    ctx.replyText = QStringLiteral("Repeat set to Off");
  else if (word == QLatin1String("repeatall"))
    ctx.replyText = QStringLiteral("Repeat set to All");
  else if (word == QLatin1String("repeatone"))
    ctx.replyText = QStringLiteral("Repeat set to One");
  else if (word == QLatin1String("shuffleon"))
    ctx.replyText = QStringLiteral("Shuffle set to On");
  else if (word == QLatin1String("shuffleoff"))
    ctx.replyText = QStringLiteral("Shuffle set to Off");
  else if (word == QLatin1String("listpl"))
    ctx.replyText = playlistLinks(ctx.replyText);
  else if (word == QLatin1String("showplaylist"))
    ctx.replyText = playlistTrackLines(ctx);
  else if (QStringList{"search", "dobrowse", "browsegenre", "browseartist", "artistbrowse"}.contains(word))
    shapeDatabaseReply(ctx);
}
