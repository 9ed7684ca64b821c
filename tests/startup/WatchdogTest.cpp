// The self-poll watchdog: its countdown, and what a good poll, a bad poll, an unreachable
// server and a stopped server log; polling also works behind a password.
#include "StartupFixture.h"
#include "app/ModMain.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

const QByteArray kNowPlaying = "A%@B%@C%@D%@1999%@0:01 / 1:00%@Library%@1%@%@";

class WatchdogTest : public StartupFixture {
 protected:
  void SetUp() override {
    StartupFixture::SetUp();
    modMain.blPlain = true;
    modMain.ipaddress = "127.0.0.1";
    modMain.listenport = qvtest::freePort();
    listening = "Listening on 127.0.0.1:" + QString::number(modMain.listenport);
  }

  // Ticks up to the poll and waits for the line that ends it.
  void pollNow() {
    core->watchdog.timerCheck = 59;
    core->watchdog.Timer1_Action();
    EXPECT_EQ(core->watchdog.timerCheck, 0);
    EXPECT_EQ(core->watchdog.stCheck(), "Next server poll: 0");
    ASSERT_TRUE(qvtest::waitUntil([] { return !qvtest::logMessages().filter("Server poll").isEmpty(); }, 10000));
    qvtest::spin(50);
  }

  // The log from the poll line on.
  static QStringList fromPollLine() {
    const QStringList log = qvtest::logMessages();
    for (qsizetype i = 0; i < log.size(); ++i)
      if (log[i].startsWith("Server poll")) return log.mid(i);
    return {};
  }

  QString listening;
};

TEST_F(WatchdogTest, CountsDownOneSecondATime) {
  core->watchdog.Timer1_Action();
  EXPECT_EQ(core->watchdog.stCheck(), "Next server poll: 59");
  EXPECT_EQ(core->watchdog.timerCheck, 1);
  core->watchdog.Timer1_Action();
  EXPECT_EQ(core->watchdog.stCheck(), "Next server poll: 58");
}

TEST_F(WatchdogTest, AGoodPollIsLoggedAndNothingElseHappens) {
  core->server.bbStart_Action();
  player->setReply("itunes", "show", kNowPlaying);
  qvtest::clearLog();
  pollNow();
  EXPECT_EQ(fromPollLine(), QStringList({"Server poll - Good poll result"}));
  EXPECT_EQ(qvtest::logMessages().mid(0, 2), QStringList({"Client connected", "Received request"}));
  EXPECT_EQ(player->calls(), QStringList({"itunes|show|x|x|itunes"}));
}

TEST_F(WatchdogTest, NothingPlayingIsAGoodPollToo) {
  core->server.bbStart_Action();
  player->setReply("itunes", "show", "Not playing.  Please click play/pause.");
  pollNow();
  EXPECT_EQ(fromPollLine(), QStringList({"Server poll - Good poll result"}));
}

TEST_F(WatchdogTest, ABadPollRestartsTheListener) {
  core->server.bbStart_Action();
  qvtest::clearLog();
  pollNow();
  EXPECT_EQ(fromPollLine(),
            QStringList({"Server poll - Bad poll result", "Restarting...", "Socket closed.", listening}));
  EXPECT_EQ(modMain.ServerStatus, "Running");
  player->setReply("itunes", "show", kNowPlaying);
  EXPECT_TRUE(qvtest::exchange(quint16(modMain.listenport), "GET /show HTTP/1.1\r\n\r\n").contains("<td>B</td>"));
}

TEST_F(WatchdogTest, AnUnreachableServerIsRestarted) {
  // Running as far as the window knows, but nothing listens on the port.
  core->server.TCPSocket1.Address = modMain.ipaddress;
  core->server.TCPSocket1.Port = quint16(modMain.listenport);
  core->server.ServerStatus("Running");
  pollNow();
  EXPECT_EQ(fromPollLine(),
            QStringList({"Server poll  - Error 1", "Restarting...", "Socket closed.", listening}));
  EXPECT_TRUE(core->server.TCPSocket1.isListening());
}

TEST_F(WatchdogTest, AStoppedServerIsNotPolled) {
  core->server.ServerStatus("Stopped");
  core->watchdog.timerCheck = 59;
  core->watchdog.Timer1_Action();
  qvtest::spin(100);
  EXPECT_EQ(qvtest::logMessages(), QStringList({"Server stopped. Skipping poll"}));
  EXPECT_EQ(core->watchdog.timerCheck, 0);
  EXPECT_EQ(player->calls(), QStringList());
}

TEST_F(WatchdogTest, ThePollPassesThePasswordGateWithTheApplicationsSession) {
  modMain.password = "Secret";
  core->server.bbStart_Action();
  player->setReply("itunes", "show", kNowPlaying);
  pollNow();
  EXPECT_EQ(fromPollLine(), QStringList({"Server poll - Good poll result"}));
  EXPECT_TRUE(qvtest::exchange(quint16(modMain.listenport), "GET /poll HTTP/1.1\r\n\r\n").contains("You must enter a password"))
      << "a browser without a session still meets the gate";
}

}  // namespace
