// The search-results playlist built after page 1 of a search has been sent.
#include "DbTestSupport.h"
#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "db/DatabaseOperations.h"
#include "db/DoResultPL.h"
#include "server/DatabaseRoutes.h"
#include "support/TestSupport.h"

namespace dbtest {
namespace {

class ResultsPlaylistTest : public CatalogueTest {
 protected:
  // Page 1 of a search for the 37 tracks, then the send completing.
  void searchPageOneAndSend() {
    RequestContext ctx;
    ctx.requestText = "GET /search.qv?search=love&type=name&startp=1 HTTP/1.1\r\n\r\n";
    modMain.queryresult.clear();
    routeSearch(ctx);
    startResultPlaylist();
  }
  static bool builderDone() { return !ResultPL(); }
  static QStringList expectedAdds() {
    QStringList adds;
    for (int id = 101; id <= 137; ++id) adds << "qvresults addtoplaylist " + QString::number(id);
    return adds;
  }
};

TEST_F(ResultsPlaylistTest, AllMatchesGoToThePlayerAndTheDatabaseInResultOrder) {
  searchPageOneAndSend();
  EXPECT_FALSE(modMain.blDoPlayList) << "cleared as the builder starts";
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(scriptCalls(), QStringList{"qvresults createplaylist x"} + expectedAdds());
  EXPECT_EQ(log(), QStringList({"Creating Quaverly Search Results playlist",
                                "Quaverly Search Results playlist created with ID:9000",
                                "Added 37 results to Quaverly Search Results playlist"}));
  EXPECT_EQ(rows("select PlayListID, Name from PlayLists where PlayListID = 9000"),
            QStringList({"9000|Quaverly Search Results"}));
  QStringList entries;
  for (int id = 101; id <= 137; ++id) entries << QString::number(id) + "|9000";
  EXPECT_EQ(rows("select TrackID, PlayListID from PlayListTracks where PlayListID = 9000 order by rowid"), entries);
}

TEST_F(ResultsPlaylistTest, ANewRunReplacesThePreviousRows) {
  searchPageOneAndSend();
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  script("qvresults", "case \"$1\" in createplaylist) printf '%s' 9001;; esac\n");
  searchPageOneAndSend();
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(rows("select PlayListID from PlayLists where Name = 'Quaverly Search Results'"), QStringList({"9001"}));
  EXPECT_EQ(rows("select count(*) from PlayListTracks where PlayListID = 9000"), QStringList({"0"}));
  EXPECT_EQ(rows("select count(*) from PlayListTracks where PlayListID = 9001"), QStringList({"37"}));
}

TEST_F(ResultsPlaylistTest, SettingOffBuildsNothing) {
  modMain.blNoQVSR = true;
  searchPageOneAndSend();
  qvtest::spin(100);
  EXPECT_TRUE(scriptCalls().isEmpty());
  EXPECT_TRUE(log().isEmpty());
  EXPECT_TRUE(rows("select * from PlayLists where PlayListID = 9000").isEmpty());
}

TEST_F(ResultsPlaylistTest, ASecondSendWithoutANewSearchStartsNoSecondBuilder) {
  searchPageOneAndSend();
  startResultPlaylist();  // e.g. the logo, answered before the next request's reset
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(scriptCalls().filter("createplaylist").size(), 1);
}

TEST_F(ResultsPlaylistTest, ANewerBuilderCancelsTheOlder) {
  searchPageOneAndSend();
  searchPageOneAndSend();
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(log().filter("Added 37 results").size(), 1);
  EXPECT_EQ(rows("select count(*) from PlayListTracks where PlayListID = 9000"), QStringList({"37"}));
}

TEST_F(ResultsPlaylistTest, EmptyPlaylistIdIsAFailure) {
  script("qvresults", "exit 0\n");
  searchPageOneAndSend();
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(scriptCalls(), QStringList({"qvresults createplaylist x"}));
  EXPECT_EQ(log().constLast(), "Could not create Quaverly Search Results playlist: the player gave no ID");
  EXPECT_TRUE(rows("select * from PlayLists where Name = 'Quaverly Search Results'").isEmpty());
}

TEST_F(ResultsPlaylistTest, ClosedQueryConnectionSkipsTheDatabaseHalf) {
  searchPageOneAndSend();
  DBClose();
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(scriptCalls(), QStringList{"qvresults createplaylist x"} + expectedAdds());
  EXPECT_TRUE(rows("select * from PlayLists where PlayListID = 9000").isEmpty());
  EXPECT_TRUE(rows("select * from PlayListTracks where PlayListID = 9000").isEmpty());
}

TEST_F(ResultsPlaylistTest, BuilderKeepsTheIdsItStartedWith) {
  searchPageOneAndSend();
  modMain.TrackArray = {"1", "2"};
  modMain.TrackCount = 2;
  ASSERT_TRUE(qvtest::waitUntil(builderDone, 30000));
  EXPECT_EQ(scriptCalls().filter("addtoplaylist"), expectedAdds());
}

}  // namespace
}  // namespace dbtest
