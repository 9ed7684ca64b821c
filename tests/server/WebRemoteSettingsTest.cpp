// The web settings route: what a form submission sets, the page it answers with, and
// what the preferences file keeps.
#include "ExpectedText.h"
#include "WebRemoteFixture.h"
#include "app/ModMain.h"
#include "app/PrefsStore.h"
#include "app/ServerWindowState.h"
#include "pages/Handheld.h"
#include "pages/PageWrappers.h"

namespace {

class WebSettings : public WebRemoteFixture {
 protected:
  void SetUp() override {
    WebRemoteFixture::SetUp();
    PrefsArgs stored;
    stored.listenIPAddress = "10.1.2.3";
    stored.listenPort = 8181;
    stored.plainStyle = true;
    stored.iTunesFile = "/music/library.xml";
    stored.xmlStyle = false;
    stored.resultsPerPage = 20;
    stored.browseMode = "genre";
    SetPrefs(stored);
  }
};

TEST_F(WebSettings, ASubmittedFormChangesTheSettingsAndAnswersInTheNewStyle) {
  const QByteArray response =
      get("/setprefs?webinterface=pda&displayart=displayart&pages=50&browsemode=artist&Submit=Save");
  EXPECT_TRUE(modMain.blPDA);
  EXPECT_FALSE(modMain.blPlain);
  EXPECT_FALSE(modMain.blfancy);
  EXPECT_TRUE(modMain.blDisplayArt);
  EXPECT_FALSE(modMain.blUseDB);
  EXPECT_FALSE(modMain.blPageResults);
  EXPECT_EQ(modMain.intResultsPerPage, 50);
  EXPECT_EQ(modMain.dbLimit, 0);
  EXPECT_EQ(modMain.browseMode, "artist");
  window1.isIE5 = false;
  EXPECT_EQ(response, html(PDAResponse("<br>Preferences have been saved" + expected::handheldControlBar())));
  EXPECT_TRUE(window1.PrefsFormHTML.contains(R"(value="pda" checked>)"));
  EXPECT_TRUE(window1.PrefsFormHTML.contains("<option selected>50</option>"));
  EXPECT_EQ(player->calls(), QStringList());

  resetModMain();
  GetPrefs();
  EXPECT_EQ(modMain.ipaddress, "10.1.2.3") << "the other keys keep their values";
  EXPECT_EQ(modMain.listenport, 8181);
  EXPECT_EQ(modMain.itunesfile, "/music/library.xml");
  EXPECT_TRUE(modMain.blPDA);
  EXPECT_FALSE(modMain.blPlain);
  EXPECT_TRUE(modMain.blDisplayArt);
  EXPECT_EQ(modMain.intResultsPerPage, 50);
  EXPECT_EQ(modMain.browseMode, "artist");
}

TEST_F(WebSettings, AFormWithNothingTickedTurnsEverythingOffAndSendsAnEmptyPage) {
  modMain.blDisplayArt = modMain.blUseDB = modMain.blPageResults = true;
  modMain.intResultsPerPage = 20;
  EXPECT_EQ(get("/setprefs?browsemode=genre&Submit=Save"), html(QByteArray()));
  EXPECT_FALSE(modMain.blPlain || modMain.blPDA || modMain.blfancy || modMain.blDisplayArt || modMain.blUseDB ||
               modMain.blPageResults);
  EXPECT_EQ(modMain.browseMode, "genre");
  EXPECT_EQ(modMain.dbLimit, 0);
  EXPECT_EQ(modMain.intResultsPerPage, 20);
}

TEST_F(WebSettings, TheLastPageSizeFoundWinsAndPagingUsesIt) {
  const QByteArray response = get("/setprefs?webinterface=normal&pageresults=pageresults&pages=1000&Submit=Save");
  EXPECT_EQ(modMain.intResultsPerPage, 1000);
  EXPECT_EQ(modMain.dbLimit, 1000);
  expectResponse(response, [](const Moment& m) { return normalPage("<br>Preferences have been saved", m); });
}

}  // namespace
