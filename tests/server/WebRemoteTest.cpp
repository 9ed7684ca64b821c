// Every route of the web remote, driven through a real listener in front of the fake
// player: the script calls each one makes, in order, and the whole page it answers with.
#include <QStringList>
#include <tuple>
#include <vector>

#include "ExpectedText.h"
#include "WebRemoteFixture.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "pages/PageWrappers.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

const QByteArray kShowReply = "Ana Example%@First Song%@Blue Album%@Jazz%@1999%@1:02 / 3:04%@Library%@2001%@%@";
const QByteArray kOtherReply = "Bo Other%@Second Song%@Red Album%@Folk%@2004%@0:00 / 2:10%@Rock%@7%@%@";

enum class Shape {
  NowPlaying,   // text: the player reply shown as the now-playing table
  Reply,        // text: the shaped reply between greeting and control bar
  Preferences,  // the web preferences form
  Greeting,     // no route: greeting and control bar only
};

struct Canned {
  const char* script;
  const char* command;
  QByteArray reply;
};

struct RouteCase {
  const char* name;
  const char* target;
  std::vector<Canned> replies;
  QStringList calls;
  Shape shape;
  QString text;
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.target; }

QString nowPlayingTable(const QString& reply) {
  return expected::normalTable(reply.split("%@"), " ", "&nbsp;");
}

const QString kShow = QStringLiteral("itunes|show|x|x|itunes");
const QString kListing1 = QStringLiteral(R"(<a href="/playsong.qv?plid=99&tid=5">Ana - One</a>)");
const QString kListing2 = QStringLiteral(R"(<a href="/playsong.qv?plid=99&tid=6">Ana - Two</a>)");

std::vector<RouteCase> routeCases() {
  const QByteArray listing = (kListing1 + "%@" + kListing2 + "%@").toUtf8();
  return {
      {"Preferences", "/preferences/", {}, {}, Shape::Preferences, {}},
      {"Show", "/show", {{"itunes", "show", kShowReply}}, {kShow}, Shape::NowPlaying, kShowReply},
      {"VolumeUp", "/volup/", {{"itunes", "show", kShowReply}, {"itunes", "volup", "70"}},
       {"itunes|volup|x|x|itunes", kShow}, Shape::NowPlaying, kShowReply},
      {"VolumeDown", "/voldown", {{"itunes", "show", kShowReply}}, {"itunes|voldown|x|x|itunes", kShow},
       Shape::NowPlaying, kShowReply},
      {"Mute", "/mute", {{"itunes", "show", kShowReply}}, {"itunes|mute|x|x|itunes", kShow}, Shape::NowPlaying,
       kShowReply},
      {"Next", "/next", {{"itunes", "show", kShowReply}, {"itunes", "next", kOtherReply}}, {"itunes|next|x|x|itunes"},
       Shape::NowPlaying, kOtherReply},
      {"Previous", "/prev", {{"itunes", "prev", kOtherReply}}, {"itunes|prev|x|x|itunes"}, Shape::NowPlaying,
       kOtherReply},
      {"ShuffleOn", "/shuffleon", {{"plcontrol", "shuffle", "done"}}, {"plcontrol|shuffle|true"}, Shape::Reply,
       "Shuffle set to On"},
      {"ShuffleOff", "/shuffleoff", {}, {"plcontrol|shuffle|false"}, Shape::Reply, "Shuffle set to Off"},
      {"ShuffleAloneTurnsItOff", "/shuffle", {}, {"plcontrol|shuffle|false"}, Shape::Reply, "Shuffle set to Off"},
      {"RepeatOff", "/repeatoff", {{"plcontrol", "repeat", "done"}}, {"plcontrol|repeat|off"}, Shape::Reply,
       "Repeat set to Off"},
      {"RepeatAll", "/repeatall", {}, {"plcontrol|repeat|all"}, Shape::Reply, "Repeat set to All"},
      {"RepeatOne", "/repeatone", {}, {"plcontrol|repeat|one"}, Shape::Reply, "Repeat set to One"},
      {"RepeatAloneRepeatsOne", "/repeat", {}, {"plcontrol|repeat|one"}, Shape::Reply, "Repeat set to One"},
      {"ListPlaylistsSkipsEmptyEntries",
       "/listpl",
       {{"itunes", "listpl", R"(7"\>Rock%@cd1"\>Audio CD%@)"}},
       {"itunes|listpl|x|x|itunes"},
       Shape::Reply,
       R"(<a href="/showplaylist.qv?plid=7"\>Rock</a>&nbsp;&nbsp;<a title="Play playlist" href="/playplaylist.qv?plid=7"\>[>]</a><br>)"
       "\r\n"
       R"(<a href="/showplaylist.qv?plid=cd1"\>Audio CD</a>&nbsp;&nbsp;<a title="Play playlist" href="/playplaylist.qv?plid=cd1"\>[>]</a><br>)"
       "\r\n"},
      {"Search",
       "/search.qv?search=blue%20note&type=artist&startp=1",
       {{"itunes", "search", listing + "99 9"}},
       {"itunes|search|blue note|artist|createpl"},
       Shape::Reply,
       kListing1 + "<br>" + kListing2 + "<br>" + R"(<a href="/playplaylist.qv?plid=99%209">Play all</a><br>)"},
      {"SearchWithEmptyFieldSearchesNames",
       "/search.qv?search=one&type=&startp=1",
       {{"itunes", "search", listing + "99"}},
       {"itunes|search|one|name|createpl"},
       Shape::Reply,
       kListing1 + "<br>" + kListing2 + "<br>" + R"(<a href="/playplaylist.qv?plid=99">Play all</a><br>)"},
      {"SearchWithoutMatchShowsOnlyTheMessage",
       "/search.qv?search=zzz&type=name&startp=1",
       {{"itunes", "search", "No tracks matched the search query."}},
       {"itunes|search|zzz|name|createpl"},
       Shape::Reply,
       "No tracks matched the search query.<br>"},
      {"SearchWithEmptyTermShowsOnlyTheMessage", "/search.qv?search=&type=name&startp=1", {}, {}, Shape::Reply,
       "Empty search term.<br>"},
      {"PlayPause", "/playpause", {{"itunes", "show", kShowReply}}, {"itunes|playpause|x|x|itunes", kShow},
       Shape::NowPlaying, kShowReply},
      {"PlayPlaylist", "/playplaylist.qv?plid=7", {{"itunes", "playplaylist", kOtherReply}},
       {"itunes|playplaylist|7|x|itunes"}, Shape::NowPlaying, kOtherReply},
      {"PlayCdPlaylist", "/playplaylist.qv?plid=CD1", {{"itunes", "playplaylist", kOtherReply}},
       {"itunes|playplaylist|CD1|x|itunes"}, Shape::NowPlaying, kOtherReply},
      {"PlayResults", "/playresults", {{"qvresults", "playresults", kOtherReply}}, {"qvresults|playresults|x"},
       Shape::NowPlaying, kOtherReply},
      {"ShowPlaylist",
       "/showplaylist.qv?plid=7%2001",
       {{"itunes", "showplaylist", listing + "Rock & Roll"}},
       {"itunes|showplaylist|7 01|x|itunes"},
       Shape::Reply,
       kListing1 + "<br>" + kListing2 + "<br>" +
           R"(<a href="/playplaylist.qv?plid=7%2001">Play all: Rock &amp; Roll</a><br>)"},
      {"PlaySong", "/playsong.qv?plid=7&tid=42", {{"itunes", "show", kShowReply}},
       {"itunes|playsong|7|42|itunes", kShow}, Shape::NowPlaying, kShowReply},
      {"BrowseGenreWithoutDatabase", "/browsegenre.qv?gid=3&startp=1", {}, {}, Shape::Reply, ""},
      {"BrowseArtistWithoutDatabase", "/browseartist.qv?aid=3&bygenre=false&startp=1", {}, {}, Shape::Reply, ""},
      {"ArtistBrowseWithoutDatabase", "/artistbrowse.qv?startp=1", {}, {}, Shape::Reply, ""},
      {"DoBrowseWithoutDatabase", "/dobrowse", {}, {}, Shape::Reply,
       "Sorry, you must use the SQL database to Browse<br>"},
      {"NoRoute", "/favicon.ico", {{"itunes", "show", kShowReply}}, {}, Shape::Greeting, {}},
  };
}

class RouteTest : public WebRemoteFixture, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(RouteTest, CallsThePlayerInOrderAndAnswersWithTheWholePage) {
  const RouteCase& c = GetParam();
  for (const Canned& canned : c.replies) player->setReply(canned.script, canned.command, canned.reply);
  const QByteArray response = get(c.target);
  EXPECT_EQ(player->calls(), c.calls);
  expectResponse(response, [&](const Moment& m) {
    switch (c.shape) {
      case Shape::NowPlaying: return normalPage(nowPlayingTable(c.text), m);
      case Shape::Reply: return normalPage(c.text, m);
      case Shape::Preferences: return normalPage(window1.PrefsFormHTML, m);
      case Shape::Greeting: break;
    }
    return html(PlainResponse(greeting(m) + expected::kControlBar));
  });
  EXPECT_EQ(qvtest::logMessages().filter("Quaverly Server: Exception!"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(WebRemote, RouteTest, ::testing::ValuesIn(routeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

using WebRemoteRoutes = WebRemoteFixture;

TEST_F(WebRemoteRoutes, ARequestWithoutRouteLogsThatNoCommandCame) {
  get("/nowhere");
  EXPECT_EQ(qvtest::logMessages().mid(0, 3),
            QStringList({"Client connected", "Received request", "No valid command received"}));
}

TEST_F(WebRemoteRoutes, AFailedRequestSendsNothingAndTheNextOneIsServed) {
  player->setReply("itunes", "show", kShowReply);
  EXPECT_EQ(get("/playplaylist.qv?plid=7&"), QByteArray());
  EXPECT_EQ(player->calls(), QStringList());
  EXPECT_EQ(qvtest::logMessages().mid(0, 3),
            QStringList({"Client connected", "Received request", "Quaverly Server: Exception!  Please restart"}));
  const QByteArray response = get("/show");
  expectResponse(response, [](const Moment& m) { return normalPage(nowPlayingTable(kShowReply), m); });
  EXPECT_EQ(player->calls(), QStringList({kShow}));
}

}  // namespace
