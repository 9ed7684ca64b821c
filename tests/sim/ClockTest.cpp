// The clock: a track that ends moves on by itself, as repeat says. The library has
// tracks of one second ("One", "Two") before a one-minute one ("Three").
#include <gtest/gtest.h>

#include <ostream>

#include <QThread>

#include "PlayerSandbox.h"

namespace qvtest {
namespace {

QString clockTrack(const QString& name, const QString& time, const QString& playlist) {
  return "Clockwork%@" + name + "%@Seconds%@Test%@2020%@" + time + "%@" + playlist + "%@wbfittemp.png%@";
}

struct ClockCase {
  const char* name;
  const char* repeat;
  const char* playlistId;
  bool pause;
  int waitMs;
  QString expected;
};

void PrintTo(const ClockCase& c, std::ostream* os) { *os << c.name; }

class ClockTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockTest, TrackEndsMoveOn) {
  const ClockCase& c = GetParam();
  PlayerSandbox player(simFixture("clock_library.xml"));
  player.run("plcontrol", {"repeat", c.repeat});
  player.run("itunes", {"playplaylist", c.playlistId, "x", "itunes"});
  if (c.pause) player.itunes("playpause");
  QThread::msleep(c.waitMs);
  EXPECT_EQ(player.itunes("show").toStdString(), c.expected.toStdString());
}

const ClockCase kClockCases[] = {
    {"TwoShortTracksEndIntoTheThird", "off", "90", false, 2300, clockTrack("Three", "0:00 / 1:00", "Library%@90")},
    {"EndOfPlaylistStops", "off", "91", false, 2300, kNotPlaying},
    {"RepeatAllStartsOver", "all", "91", false, 2300, clockTrack("One", "0:00 / 0:01", "Pair%@91")},
    {"RepeatOnePlaysTheTrackAgain", "one", "91", false, 2300, clockTrack("One", "0:00 / 0:01", "Pair%@91")},
    {"PausedClockStands", "off", "91", true, 1300, clockTrack("One", "0:00 / 0:01", "Pair%@91")},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, ClockTest, ::testing::ValuesIn(kClockCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimPlayerClock, ElapsedTimeRuns) {
  PlayerSandbox player(simFixture("clock_library.xml"));
  player.run("itunes", {"playsong", "90", "205", "itunes"});
  QThread::msleep(1100);
  EXPECT_EQ(player.itunes("show").toStdString(), clockTrack("Three", "0:01 / 1:00", "Library%@90").toStdString());
}

}  // namespace
}  // namespace qvtest
