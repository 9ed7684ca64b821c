// Next and previous through a playlist, following repeat and shuffle.
#include <gtest/gtest.h>

#include <ostream>

#include <QSet>
#include <vector>

#include "PlayerSandbox.h"

namespace qvtest {
namespace {

// The now-playing reply for a track of the playlist "Short" (80) at 0:00.
QString inShort(const QString& trackStart) { return trackStart + "Short%@80%@wbfittemp.png%@"; }

const QString kMorning = inShort("Zoë & the Owls%@Morning Light%@First Album%@Indie%@2001%@0:00 / 3:20%@");
const QString kDontLook = inShort("Zoë & the Owls%@Don’t Look Back%@First Album%@Indie%@2001%@0:00 / 3:05%@");
const QString kCafe =
    inShort("Beyoncé Tribute Band%@Café <Live>%@Live at Café Noir%@R&B%@2010%@0:00 / 1:01%@");

struct StepCase {
  const char* name;
  const char* repeat;
  bool pausedFirst;
  std::vector<QString> words;     // "next" or "prev", in order
  std::vector<QString> expected;  // the reply to each
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class TransitionTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(TransitionTest, FollowsRepeat) {
  const StepCase& c = GetParam();
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("plcontrol", {"repeat", c.repeat});
  player.run("itunes", {"playplaylist", "80", "x", "itunes"});
  if (c.pausedFirst) player.itunes("playpause");
  for (size_t i = 0; i < c.words.size(); ++i)
    EXPECT_EQ(player.itunes(c.words[i]).toStdString(), c.expected[i].toStdString()) << "step " << i;
}

const StepCase kStepCases[] = {
    {"NextToTheEndStops", "off", false, {"next", "next", "next", "show"},
     {kDontLook, kCafe, kNotPlaying, kNotPlaying}},
    {"NextWrapsWithRepeatAll", "all", false, {"next", "next", "next"}, {kDontLook, kCafe, kMorning}},
    {"NextMovesOnAndWrapsWithRepeatOne", "one", false, {"next", "next", "next"}, {kDontLook, kCafe, kMorning}},
    {"PrevAtTheStartRestartsTheFirst", "off", false, {"prev"}, {kMorning}},
    {"PrevAtTheStartWrapsWithRepeatAll", "all", false, {"prev", "prev"}, {kCafe, kDontLook}},
    {"NextThenPrev", "off", false, {"next", "next", "prev", "prev"}, {kDontLook, kCafe, kDontLook, kMorning}},
    {"PausedStaysPausedAcrossNext", "off", true, {"next", "show"}, {kDontLook, kDontLook}},
    {"PlayPauseAfterTheEndStartsOver", "off", false, {"next", "next", "next", "playpause"},
     {kDontLook, kCafe, kNotPlaying, kMorning}},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, TransitionTest, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The track name (second field) of a now-playing reply.
QString trackName(const QString& reply) { return reply.split("%@").value(1); }

struct ShuffleCase {
  const char* name;
  const char* repeat;
  bool shuffleWhilePlaying;  // else before the playlist starts
};

void PrintTo(const ShuffleCase& c, std::ostream* os) { *os << c.name; }

class ShuffleTest : public ::testing::TestWithParam<ShuffleCase> {};

// Whatever the random order, one pass plays every track of the library playlist once;
// then the player stops, or starts the same order again with repeat all.
TEST_P(ShuffleTest, PlaysEveryTrackOnceThenFollowsRepeat) {
  const ShuffleCase& c = GetParam();
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("plcontrol", {"repeat", c.repeat});
  if (!c.shuffleWhilePlaying) player.run("plcontrol", {"shuffle", "true"});
  std::vector<QString> order{trackName(player.run("itunes", {"playplaylist", "50", "x", "itunes"}))};
  if (c.shuffleWhilePlaying) {
    player.run("plcontrol", {"shuffle", "true"});
    ASSERT_EQ(trackName(player.itunes("show")), order[0]);  // the playing track stays
  }
  for (int i = 0; i < 4; ++i) order.push_back(trackName(player.itunes("next")));
  const QSet<QString> distinct(order.begin(), order.end());
  EXPECT_EQ(distinct, (QSet<QString>{"Morning Light", "Don’t Look Back", "Café <Live>", "東京", "No Artist Here"}));

  const QString afterLast = player.itunes("next");
  if (QString(c.repeat) == "off") EXPECT_EQ(afterLast.toStdString(), kNotPlaying);
  else EXPECT_EQ(trackName(afterLast), order[0]);
}

TEST_P(ShuffleTest, PrevRetracesTheOrder) {
  const ShuffleCase& c = GetParam();
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("plcontrol", {"repeat", c.repeat});
  player.run("plcontrol", {"shuffle", "true"});
  const QString first = trackName(player.run("itunes", {"playplaylist", "50", "x", "itunes"}));
  const QString second = trackName(player.itunes("next"));
  player.itunes("next");
  EXPECT_EQ(trackName(player.itunes("prev")), second);
  EXPECT_EQ(trackName(player.itunes("prev")), first);
}

const ShuffleCase kShuffleCases[] = {
    {"RepeatOff", "off", false},
    {"RepeatAll", "all", false},
    {"RepeatOffTurnedOnWhilePlaying", "off", true},
    {"RepeatAllTurnedOnWhilePlaying", "all", true},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, ShuffleTest, ::testing::ValuesIn(kShuffleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimPlayerShuffle, OffAgainContinuesInPlaylistOrder) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("plcontrol", {"shuffle", "true"});
  player.run("itunes", {"playsong", "80", "101", "itunes"});
  player.run("plcontrol", {"shuffle", "false"});
  EXPECT_EQ(player.itunes("next").toStdString(), kDontLook.toStdString());
}

}  // namespace
}  // namespace qvtest
