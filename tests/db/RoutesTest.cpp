// The search, browse and database playlist routes, whole replies byte for byte.
#include "DbTestSupport.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "server/DatabaseRoutes.h"

namespace dbtest {
namespace {

using Route = void (*)(RequestContext&);

// One request through its route and the reply shaping, as the request handler runs them.
RequestContext answer(Route route, const QString& path) {
  RequestContext ctx;
  ctx.requestText = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  modMain.queryresult.clear();
  modMain.blDoPlayList = false;
  route(ctx);
  shapeDatabaseReply(ctx);
  return ctx;
}

QString paging(const QString& previous, int start, const QString& next) {
  return previous + " Displaying 10 records, starting at " + QString::number(start) + " " + next +
         "<br><br>";
}

QString button(const QString& href, const QString& label) {
  return "<a class=\"gbutton\" href=\"" + href + "\">" + label + "</a>";
}

class RoutesTest : public CatalogueTest {};

TEST_F(RoutesTest, DoBrowseListsTheGenres) {
  const RequestContext ctx = answer(routeDoBrowse, "/dobrowse");
  EXPECT_EQ(ctx.replyText,
            "<a href=\"/browsegenre.qv?gid=Jazz&startp=1\">Jazz</a><br>"
            "<a href=\"/browsegenre.qv?gid=Lovecore&startp=1\">Lovecore</a><br>"
            "<a href=\"/browsegenre.qv?gid=R%26B&startp=1\">R&amp;B</a><br>"
            "<a href=\"/browsegenre.qv?gid=Rock&startp=1\">Rock</a><br>"
            "<a href=\"/browsegenre.qv?gid=r%26b&startp=1\">r&amp;b</a><br>");
  EXPECT_EQ(ctx.pagingLinks, "");
}

TEST_F(RoutesTest, GenreThenItsArtistByGenre) {
  const QString beyonce = artistId(QString::fromUtf8("Beyoncé"));
  RequestContext ctx = answer(routeBrowseGenre, "/browsegenre.qv?gid=R%26B&startp=1");
  EXPECT_EQ(ctx.replyText, QString::fromUtf8("<a href=\"/browseartist.qv?bygenre=true&aid=%1&startp=1\">Beyoncé</a><br><br>").arg(beyonce));
  EXPECT_EQ(ctx.pagingLinks, paging(button("/browsegenre.qv?gid=R%26B&startp=1", "Previous Page") + " ", 1,
                                    button("/browsegenre.qv?gid=R%26B&startp=2", "Next Page")));
  EXPECT_EQ(window1.dbStartRecord, 1);

  ctx = answer(routeBrowseArtist, "/browseartist.qv?bygenre=true&aid=" + beyonce + "&startp=1");
  EXPECT_EQ(ctx.replyText, QString::fromUtf8("<a href=\"/playsong.qv?plid=1000&tid=202\">Beyoncé - Déjà Vu</a><br>"
                                             "<a href=\"/playsong.qv?plid=1000&tid=201\">Beyoncé - Halo</a><br><br>"));
  const QString start = "/browseartist.qv?bygenre=true&aid=" + beyonce;
  EXPECT_EQ(ctx.pagingLinks, paging(button(start + "&startp=1", "Previous Page") + " ", 1,
                                    button(start + "&startp=2", "Next Page")));
}

TEST_F(RoutesTest, ArtistNotByGenre) {
  const QString alpha = artistId("Alpha");
  const RequestContext ctx = answer(routeBrowseArtist, "/browseartist.qv?bygenre=FALSE&aid=" + alpha + "&startp=1");
  EXPECT_EQ(ctx.replyText, "<a href=\"/playsong.qv?plid=1000&tid=204\">Alpha - It&#39;s Only</a><br>"
                           "<a href=\"/playsong.qv?plid=1000&tid=205\">Alpha - Quiet</a><br><br>");
  const QString start = "/browseartist.qv?bygenre=false&aid=" + alpha;
  EXPECT_EQ(ctx.pagingLinks, paging(button(start + "&startp=1", "Previous Page") + " ", 1,
                                    button(start + "&startp=2", "Next Page")));
}

TEST_F(RoutesTest, ArtistBrowsePages) {
  const auto item = [](const QString& name) {
    return "<a href=\"/browseartist.qv?bygenre=false&aid=" + artistId(name) + "&startp=1\">" + name + "</a><br>";
  };
  RequestContext ctx = answer(routeArtistBrowse, "/artistbrowse.qv?startp=1");
  EXPECT_EQ(ctx.replyText, item("Alpha") + item(QString::fromUtf8("Beyoncé")) +
                               item(QString::fromUtf8("Café Tacvba")) + item("The Lovers") + "<br>");
  EXPECT_EQ(ctx.pagingLinks, paging(button("/artistbrowse.qv?startp=1", "Previous Page") + " ", 1,
                                    button("/artistbrowse.qv?startp=2", "Next Page")));

  modMain.dbLimit = 2;
  ctx = answer(routeArtistBrowse, "/artistbrowse.qv?startp=2");
  EXPECT_EQ(ctx.replyText, item(QString::fromUtf8("Café Tacvba")) + item("The Lovers") + "<br>");
  EXPECT_EQ(ctx.pagingLinks, button("/artistbrowse.qv?startp=1", "Previous Page") +
                                 "  Displaying 2 records, starting at 3 " +
                                 button("/artistbrowse.qv?startp=3", "Next Page") + "<br><br>");
}

TEST_F(RoutesTest, BrowseWithoutStartPageShowsNoPagingLinks) {
  const RequestContext ctx = answer(routeBrowseGenre, "/browsegenre.qv?gid=Jazz");
  EXPECT_EQ(window1.dbStartRecord, -9);
  EXPECT_EQ(ctx.replyText, "<a href=\"/browseartist.qv?bygenre=true&aid=" + artistId("Alpha") +
                               "&startp=1\">Alpha</a><br><br>");
  EXPECT_EQ(ctx.pagingLinks, "");
}

struct SearchCase {
  const char* type;
  const char* albumSuffix;
};

class SearchRouteTest : public CatalogueTest, public ::testing::WithParamInterface<SearchCase> {
 protected:
  // Rows first to last (1-based) of the 37 matches, as listed lines.
  static QString lines(int first, int last) {
    QString out;
    for (int n = first; n <= last; ++n)
      out += QString("<a href=\"/playsong.qv?plid=1000&tid=%1\">The Lovers - Love %2%3</a><br>")
                 .arg(100 + n)
                 .arg(n, 2, 10, QChar('0'))
                 .arg(GetParam().albumSuffix);
    // The empty field before the trailer is listed as well.
    return out + "<br><a href=\"/playresults\">Play all</a><br>";
  }
  static QString link(const QString& rest, const QString& label) {
    return button(QString("/search.qv?search=LOVE&type=") + GetParam().type + rest, label);
  }
};

TEST_P(SearchRouteTest, PagesOneTwoThreeAndBackToOne) {
  const QString type = GetParam().type;
  const QString firstPageLink = link("&startp=1&done=true", "Previous Page") + " ";

  RequestContext ctx = answer(routeSearch, "/search.qv?search=LOVE&type=" + type + "&startp=1");
  EXPECT_EQ(ctx.replyText, lines(1, 10));
  EXPECT_EQ(ctx.pagingLinks, paging(firstPageLink, 1, link("&startp=2", "Next Page")));
  EXPECT_TRUE(modMain.blDoPlayList);
  EXPECT_EQ(modMain.TrackCount, 37);
  EXPECT_EQ(modMain.TrackArray.size(), 37);

  ctx = answer(routeSearch, "/search.qv?search=LOVE&type=" + type + "&startp=2");
  EXPECT_EQ(ctx.replyText, lines(11, 20));
  EXPECT_EQ(ctx.pagingLinks, paging(firstPageLink, 11, link("&startp=3", "Next Page")));
  EXPECT_FALSE(modMain.blDoPlayList);

  ctx = answer(routeSearch, "/search.qv?search=LOVE&type=" + type + "&startp=3");
  EXPECT_EQ(ctx.replyText, lines(21, 30));
  EXPECT_EQ(ctx.pagingLinks, paging(link("&startp=2", "Previous Page") + " ", 21, link("&startp=4", "Next Page")));

  ctx = answer(routeSearch, "/search.qv?search=LOVE&type=" + type + "&startp=1&done=true");
  EXPECT_EQ(ctx.replyText, lines(1, 10));
  EXPECT_EQ(ctx.pagingLinks, paging(firstPageLink, 1, link("&startp=2", "Next Page")));
  EXPECT_TRUE(ctx.done);
  EXPECT_FALSE(modMain.blDoPlayList) << "a return to page 1 builds no playlist";
}

INSTANTIATE_TEST_SUITE_P(FourTypes, SearchRouteTest,
                         ::testing::Values(SearchCase{"artist", ""}, SearchCase{"name", ""},
                                           SearchCase{"genre", ""}, SearchCase{"album", " [Loveless]"}),
                         [](const auto& info) { return std::string(info.param.type); });

TEST_F(RoutesTest, SearchEdgeCases) {
  RequestContext ctx = answer(routeSearch, "/search.qv?search=&type=name");
  EXPECT_EQ(ctx.replyText, "Empty search term.<br>");
  EXPECT_EQ(ctx.pagingLinks, "");

  ctx = answer(routeSearch, "/search.qv?search=zzz&type=&startp=1");
  EXPECT_EQ(ctx.searchField, "name");
  EXPECT_EQ(ctx.replyText, "No tracks matched the search query.<br>");
  EXPECT_EQ(ctx.pagingLinks, "");
  EXPECT_FALSE(modMain.blDoPlayList);

  modMain.blNoQVSR = true;
  ctx = answer(routeSearch, "/search.qv?search=Quiet%20Times&type=album&startp=1");
  EXPECT_EQ(ctx.replyText, "<a href=\"/playsong.qv?plid=1000&tid=205\">Alpha - Quiet [Quiet Times]</a><br><br>");
  EXPECT_EQ(ctx.pagingLinks, paging(button("/search.qv?search=Quiet%20Times&type=album&startp=1&done=true", "Previous Page") + " ", 1,
                                    button("/search.qv?search=Quiet%20Times&type=album&startp=2", "Next Page")));
}

TEST_F(RoutesTest, WithoutTheDatabaseSearchUsesThePlayerAndBrowsingIsRefused) {
  modMain.loadcomplete = false;
  RequestContext ctx = answer(routeSearch, "/search.qv?search=b&type=name&startp=1");
  EXPECT_EQ(ctx.replyText, "<a href=\"/playsong.qv?plid=77&tid=5\">A - B</a><br>"
                           "<a href=\"/playplaylist.qv?plid=QV%20Results%201\">Play all</a><br>");
  EXPECT_EQ(ctx.pagingLinks, "");
  EXPECT_EQ(scriptCalls().constLast(), "itunes search b name createpl");

  ctx = answer(routeDoBrowse, "/dobrowse");
  EXPECT_EQ(ctx.replyText, "Sorry, you must use the SQL database to Browse<br>");
  ctx = answer(routeArtistBrowse, "/artistbrowse.qv?startp=1");
  EXPECT_EQ(ctx.replyText, "");
  EXPECT_EQ(ctx.pagingLinks, "");
}

TEST_F(RoutesTest, ListPlaylistsPutsTheAudioCdFirst) {
  modMain.queryresult.clear();
  EXPECT_EQ(listPlaylistsFromDatabase(),
            "cd7\"\\>Audio CD%@"
            "1000&startp=1\"\\>Library%@"
            "2000&startp=1\"\\>Mix%@"
            "3000&startp=1\"\\>Rock &#39;n&#39; Roll%@");
  EXPECT_EQ(scriptCalls(), QStringList({"itunes listpl x x cdonly"}));
}

TEST_F(RoutesTest, ShowPlaylistMarksThePlayingTrack) {
  RequestContext ctx;
  ctx.playlistId = "2000";
  modMain.queryresult.clear();
  showPlaylistFromDatabase(ctx);
  EXPECT_EQ(ctx.replyText, QString::fromUtf8(
                               "<a href=\"/playsong.qv?plid=2000&tid=204\">Alpha - It&#39;s Only</a>%@"
                               "<a class=\"hilite\" href=\"/playsong.qv?plid=2000&tid=201\">Beyoncé - Halo</a>%@"
                               "<a href=\"/playsong.qv?plid=2000&tid=203\">Café Tacvba - Ojalá</a>%@%@"
                               "Mix"));
  EXPECT_EQ(scriptCalls(), QStringList({"itunes currentsongid x x itunes"}));

  ctx.playlistId = "3000";
  modMain.queryresult.clear();
  showPlaylistFromDatabase(ctx);
  EXPECT_EQ(ctx.replyText, "%@Rock 'n' Roll");
}

}  // namespace
}  // namespace dbtest
