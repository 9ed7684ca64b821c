// The start-up sequence: its log for a first run, an automatic start with a changed
// address, automatic play, and a run that keeps away from the database.
#include <QFile>

#include "StartupFixture.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "app/ServerWindowState.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

class StartupTest : public StartupFixture {
 protected:
  // A preferences file without the database, for the cases below to adjust.
  static PrefsArgs storedSettings() {
    PrefsArgs s;
    s.listenIPAddress = "127.0.0.1";
    s.listenPort = qvtest::freePort();
    s.plainStyle = true;
    s.resultsPerPage = 20;
    s.browseMode = "genre";
    return s;
  }
};

TEST_F(StartupTest, AFirstRunWaitsForStart) {
  core->open();
  EXPECT_EQ(qvtest::logMessages().mid(0, 2), QStringList({"Reading preferences", "Click Start to begin"}));
  EXPECT_EQ(modMain.ServerStatus, "Stopped");
  EXPECT_EQ(core->server.title(), "Quaverly - Stopped");
  EXPECT_FALSE(core->server.TCPSocket1.isListening());
  EXPECT_EQ(core->server.TCPSocket1.Address, "127.0.0.1");
  EXPECT_EQ(core->server.TCPSocket1.Port, 8080);
  EXPECT_EQ(modMain.dbLimit, 20);
  EXPECT_FALSE(window1.topHTML.isEmpty());
  EXPECT_FALSE(window1.PrefsFormHTML.isEmpty());
  EXPECT_FALSE(window1.slogo.isEmpty());
  EXPECT_EQ(core->watchdog.stCheck(), "");
  EXPECT_FALSE(core->watchdog.isPolling());
  EXPECT_EQ(player->calls(), QStringList());
}

TEST_F(StartupTest, AutomaticStartTakesTheChangedAddressAndListens) {
  PrefsArgs s = storedSettings();
  s.listenIPAddress = "192.0.2.44";
  s.autoStart = true;
  s.autoIPUpdate = true;
  SetPrefs(s);
  core->open();
  const QString listening = "Auto-Start. Listening on 127.0.0.1:" + QString::number(s.listenPort);
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Reading preferences", "IP Address updated", listening}));
  EXPECT_EQ(modMain.ServerStatus, "Running");
  player->setReply("itunes", "show", "A%@B%@C%@D%@1999%@0:01 / 1:00%@Library%@1%@%@");
  EXPECT_EQ(modMain.ipaddress, "127.0.0.1");
  EXPECT_TRUE(qvtest::exchange(quint16(s.listenPort), "GET /show HTTP/1.1\r\n\r\n").contains("<td>B</td>"));
}

TEST_F(StartupTest, TheStoredAddressStaysWhenDetectionFailsOrAgrees) {
  PrefsArgs s = storedSettings();
  s.autoIPUpdate = true;
  SetPrefs(s);
  setMachineAddress(std::nullopt);
  core->open();
  EXPECT_EQ(modMain.ipaddress, "127.0.0.1");
  setMachineAddress(QStringLiteral("127.0.0.1"));
  core->open();
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Reading preferences", "Click Start to begin", "Reading preferences",
                                                "Click Start to begin"}));
}

TEST_F(StartupTest, AutomaticPlayPassesTheHideFlags) {
  PrefsArgs s = storedSettings();
  s.autoPlay = true;
  s.hideQV = true;
  SetPrefs(s);
  core->open();
  EXPECT_EQ(player->calls(), QStringList({"itunes|startplay|hideQV|x|itunes"}));
  player->clearCalls();
  s.hideQV = false;
  s.hideIT = true;
  SetPrefs(s);
  core->open();
  EXPECT_EQ(player->calls(), QStringList({"itunes|startplay|x|hideIT|itunes"}));
}

TEST_F(StartupTest, TheHideFlagsAloneStartNothing) {
  PrefsArgs s = storedSettings();
  s.hideQV = s.hideIT = true;
  SetPrefs(s);
  core->open();
  EXPECT_EQ(player->calls(), QStringList());
}

TEST_F(StartupTest, WithoutTheDatabaseSettingNoDatabaseIsTouched) {
  PrefsArgs s = storedSettings();
  s.autoLoadDB = s.autoLoadPL = true;
  s.polling = true;
  SetPrefs(s);
  core->open();
  qvtest::spin(50);
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Reading preferences", "Click Start to begin"}));
  EXPECT_FALSE(QFile::exists(paths::dataFile("Quaverly.sdb")));
  EXPECT_FALSE(modMain.loadcomplete);
  EXPECT_TRUE(core->watchdog.isPolling());
}

TEST_F(StartupTest, QuitClosesTheSocket) {
  PrefsArgs s = storedSettings();
  s.autoStart = true;
  SetPrefs(s);
  core->open();
  qvtest::clearLog();
  core->shutDown();
  EXPECT_FALSE(core->server.TCPSocket1.isListening());
  // Quit closes the database whether or not one is open.
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Error closing database", "Socket closed"}));
}

}  // namespace
