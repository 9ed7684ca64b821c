#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "player/Scripts.h"
#include "support/TestSupport.h"

namespace {

class ScriptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetModMain();
    activityLog().setEcho(false);
    activityLog().clear();
    folder_ = qvtest::sandboxRoot() + "/scripts-test";
    QDir(folder_).removeRecursively();
    paths::setResourcesFolder(folder_);
  }
  void TearDown() override { paths::setResourcesFolder({}); }

  void script(const QString& name, const QByteArray& body) {
    qvtest::writeFile(folder_ + "/scripts/" + name, "#!/bin/sh\n" + body, true);
  }

  QString folder_;
};

TEST_F(ScriptsTest, PassesArgumentsInOrderAndReturnsReplyWithoutOneLineEnd) {
  script("itunes", "printf '%s|' \"$@\"; printf '\\n\\n'\n");
  EXPECT_EQ(itunes({"show", "x", 42, "a b"}), "show|x|42|a b|\n");
  EXPECT_TRUE(activityLog().lines().isEmpty());
}

TEST_F(ScriptsTest, EachWrapperRunsTheScriptOfItsName) {
  for (const char* name : {"itunes", "qvresults", "plcontrol"})
    script(name, QByteArray("echo ") + name + "\n");
  EXPECT_EQ(itunes({}), "itunes");
  EXPECT_EQ(qvresults({"x"}), "qvresults");
  EXPECT_EQ(plcontrol({"shuffle", "true"}), "plcontrol");
}

TEST_F(ScriptsTest, ChildSeesLibraryTempAndDataFolders) {
  modMain.itunesfile = "/music/lib.xml";
  script("itunes", "printf '%s\\n%s\\n%s' \"$QUAVERLY_LIBRARY\" \"$QUAVERLY_TEMP\" \"$QUAVERLY_DATA\"\n");
  const QStringList lines = itunes({"show"}).split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "/music/lib.xml");
  EXPECT_EQ(lines[1], paths::tempItemsFolder());
  EXPECT_EQ(lines[2], paths::dataFolder());
}

TEST_F(ScriptsTest, ReplyIsReadAsUtf8) {
  script("itunes", "printf 'Beyonc\\303\\251 \\343\\201\\202'\n");
  EXPECT_EQ(itunes({"show"}), QString::fromUtf8("Beyonc\u00e9 \u3042"));
}

TEST_F(ScriptsTest, MissingScriptGivesEmptyReplyAndOneLogLine) {
  EXPECT_EQ(plcontrol({"repeat", "one"}), "");
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines()[0].endsWith(
      "] Player script plcontrol failed: not found at " + folder_ + "/scripts/plcontrol"));
}

TEST_F(ScriptsTest, CrashingScriptGivesEmptyReply) {
  script("itunes", "echo partial\nkill -SEGV $$\n");
  EXPECT_EQ(itunes({"show"}), "");
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines()[0].endsWith("] Player script itunes failed: crashed"));
}

TEST_F(ScriptsTest, HangingScriptIsKilledAfterTheTimeout) {
  script("qvresults", "exec sleep 30\n");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(qvresults({"createplaylist", "x"}), "");
  EXPECT_LT(clock.elapsed(), kScriptTimeoutMs + 3000);
  EXPECT_GE(clock.elapsed(), kScriptTimeoutMs - 100);
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines()[0].endsWith(
      "] Player script qvresults failed: no answer within 10 seconds"));
}

}  // namespace
