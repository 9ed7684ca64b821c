// The query operations: bound values, the folded lower(), paging, and row rendering.
#include "DbTestSupport.h"
#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "db/BetterSQLiteDatabase.h"
#include "db/Queries.h"
#include "db/SQLiteQueryResultHandler.h"
#include "db/SearchFold.h"

namespace dbtest {
namespace {

class QueriesTest : public CatalogueTest {
 protected:
  // The track ids a search shows, in order.
  static QStringList searchIds(const QString& term, const QString& type) {
    modMain.TrackArray.clear();
    modMain.TrackCount = 0;
    modMain.queryresult.clear();
    DBQuerySearchTrack(term, type);
    return modMain.TrackArray;
  }
};

TEST(SearchFoldTest, IgnoresCaseOfEveryLetterAndAccents) {
  EXPECT_EQ(db::searchFold(QString::fromUtf8("CAFÉ")), "cafe");
  EXPECT_EQ(db::searchFold(QString::fromUtf8("Beyoncé")), "beyonce");
  EXPECT_EQ(db::searchFold(QString::fromUtf8("ÅNGSTRÖM Ολα")), QString::fromUtf8("angstrom ολα"));
  EXPECT_EQ(db::searchFold("R&B 'n' Roll"), "r&b 'n' roll");
}

TEST_F(QueriesTest, SearchIgnoresCaseAndAccents) {
  EXPECT_EQ(searchIds("beyonce", "artist"), QStringList({"202", "201"}));
  EXPECT_EQ(searchIds(QString::fromUtf8("CAFÉ"), "artist"), QStringList({"203"}));
  EXPECT_EQ(searchIds("deja", "name"), QStringList({"202"}));
  EXPECT_EQ(searchIds("R&B", "genre"), QStringList({"202", "201"}));
}

TEST_F(QueriesTest, SearchTermsAreBoundNotPasted) {
  EXPECT_EQ(searchIds("it's", "name"), QStringList({"204"}));
  EXPECT_EQ(searchIds("\"live\"", "album"), QStringList({"204"}));
  modMain.queryresult.clear();
  EXPECT_EQ(DBQuerySearchTrack("' or ''='", "name"), kNoTracksMatched);
  EXPECT_TRUE(activityLog().lines().isEmpty());
}

TEST_F(QueriesTest, PlusInATermSearchesForABlank) {
  EXPECT_EQ(searchIds("love+3", "name").size(), 8);  // "Love 30" to "Love 37"
}

TEST_F(QueriesTest, IdsThatAreNotNumbersGiveNoRows) {
  modMain.queryresult.clear();
  EXPECT_EQ(DBQueryShowPlayList("2000 or 1=1", "201"), "%@");
  modMain.queryresult.clear();
  EXPECT_EQ(DBQueryBrowseArtist(artistId("Alpha") + "abc", false), kNoTracksMatched);
  EXPECT_TRUE(activityLog().lines().isEmpty());
}

TEST_F(QueriesTest, ByGenreArtistPageComparesTheGenreIgnoringCase) {
  DBQueryBrowseGenre("R&B");
  EXPECT_EQ(modMain.savegenre, "R&B");
  modMain.queryresult.clear();
  const QString reply = DBQueryBrowseArtist(artistId(QString::fromUtf8("Beyoncé")), true);
  EXPECT_EQ(reply.count("playsong.qv"), 2) << reply.toStdString();
}

TEST_F(QueriesTest, ZeroRowsPerPageWithPagingOnMeansNoPaging) {
  modMain.dbLimit = 0;
  window1.dbStartRecord = 1;
  modMain.queryparm2 = "pageone";
  EXPECT_EQ(searchIds("love", "name").size(), 37);
  EXPECT_EQ(modMain.queryresult.count("playsong.qv"), 37);
  modMain.queryresult.clear();
  modMain.queryparm2.clear();
  EXPECT_EQ(DBQueryArtistBrowser().count("browseartist.qv"), 4);
}

TEST_F(QueriesTest, PagedQueriesFetchOnePage) {
  modMain.dbLimit = 2;
  window1.dbStartRecord = 3;
  modMain.queryresult.clear();
  const auto link = [](const QString& name) {
    return "<a href=\"/browseartist.qv?bygenre=false&aid=" + artistId(name) + "&startp=1\">" +
           name + "</a>%@";
  };
  EXPECT_EQ(DBQueryArtistBrowser(), link(QString::fromUtf8("Café Tacvba")) + link("The Lovers") + "%@");
}

TEST_F(QueriesTest, EmptyTablesGiveEmptyLists) {
  modMain.idb->exec("delete from Genres");
  modMain.idb->exec("delete from PlayLists");
  EXPECT_EQ(DBQueryListGenres(), "");
  EXPECT_EQ(DBQueryListPlayLists(), "");
}

TEST_F(QueriesTest, RejectedStatementLogsTheConnectionsMessage) {
  modMain.querytype = "DBQueryListGenres";
  modMain.idb->SQLExecuteWithHandler("select GenreName from Nowhere", std::make_shared<SQLiteQueryResultHandler>());
  EXPECT_EQ(modMain.queryresult, "");
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines()[0].endsWith("] Error: no such table: Nowhere"));
}

TEST_F(QueriesTest, UnknownQueryTypeRendersNothing) {
  modMain.querytype = "DBQuerySomethingElse";
  modMain.idb->SQLExecuteWithHandler("select GenreName from Genres", std::make_shared<SQLiteQueryResultHandler>());
  EXPECT_EQ(modMain.queryresult, "");
}

}  // namespace
}  // namespace dbtest
