// Every command word of the three scripts, answered on a small library.
#include <gtest/gtest.h>

#include <ostream>

#include <vector>

#include "PlayerSandbox.h"

namespace qvtest {
namespace {

struct Call {
  QString script;
  QStringList args;
};

Call it(const QString& word, const QString& a1 = "x", const QString& a2 = "x", const QString& mode = "itunes") {
  return {"itunes", {word, a1, a2, mode}};
}
Call qv(const QString& word, const QString& arg = "x") { return {"qvresults", {word, arg}}; }
Call pl(const QString& word, const QString& arg) { return {"plcontrol", {word, arg}}; }

// The first six now-playing fields of the small library's tracks at 0:00.
const QString kMorning = "Zoë & the Owls%@Morning Light%@First Album%@Indie%@2001%@0:00 / 3:20%@";
const QString kDontLook = "Zoë & the Owls%@Don’t Look Back%@First Album%@Indie%@2001%@0:00 / 3:05%@";
const QString kCafe = "Beyoncé Tribute Band%@Café <Live>%@Live at Café Noir%@R&B%@2010%@0:00 / 1:01%@";
const QString kTokyo = "夜の街%@東京%@%@%@%@0:00 / 4:00%@";
const QString kNoArtist = "%@No Artist Here%@Odds%@Misc%@1999%@0:00 / 3:00%@";
const QString kArt = "wbfittemp.png%@";

const QString kCafeLine = "<a href=\"/playsong.qv?plid=%1&tid=105\">Beyoncé Tribute Band - Café &lt;Live&gt;</a>%@";
const QString kMorningLine = "<a href=\"/playsong.qv?plid=%1&tid=101\">Zoë &amp; the Owls - Morning Light</a>%@";
const QString kDontLookLine = "<a href=\"/playsong.qv?plid=%1&tid=103\">Zoë &amp; the Owls - Don’t Look Back</a>%@";

QString cdLines() {
  const char* names[] = {"Dust on the Rafters", "A Lantern for Maud", "Paper Boats", "The Long Stair",
                         "Whistling Kettle Waltz", "Goodnight, Small Window"};
  QString out;
  for (int i = 0; i < 6; ++i)
    out += QString("<a href=\"/playsong.qv?plid=audiocd&tid=audiocd-%1\">The Lamplight Ensemble - %2</a>%@")
               .arg(i + 1)
               .arg(names[i]);
  return out;
}

struct ReplyCase {
  const char* name;
  std::vector<Call> setup;
  Call call;
  QString expected;
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class ReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyTest, AnswersExactly) {
  const ReplyCase& c = GetParam();
  PlayerSandbox player(simFixture("small_library.xml"));
  for (const Call& step : c.setup) player.run(step.script, step.args);
  EXPECT_EQ(player.run(c.call.script, c.call.args).toStdString(), c.expected.toStdString());
}

const ReplyCase kReplyCases[] = {
    // Now playing, and the message while stopped.
    {"ShowWhileStopped", {}, it("show"), kNotPlaying},
    {"NextWhileStopped", {}, it("next"), kNotPlaying},
    {"PrevWhileStopped", {}, it("prev"), kNotPlaying},
    {"PlayPauseStartsTheLibrary", {}, it("playpause"), kMorning + "Library%@50%@" + kArt},
    {"StartPlayStartsTheLibrary", {}, {"itunes", {"startplay", "hideQV", "x", "itunes"}},
     kMorning + "Library%@50%@" + kArt},
    {"ShowWhilePaused", {it("playpause"), it("playpause")}, it("show"), kMorning + "Library%@50%@" + kArt},
    {"ShowWhilePlaying", {it("playplaylist", "60")}, it("show", "x", "x", "usedb"),
     kCafe + "Mix \"Two\"%@60%@" + kArt},
    {"PlayPlaylist", {}, it("playplaylist", "80"), kMorning + "Short%@80%@" + kArt},
    {"PlayEmptyPlaylist", {}, it("playplaylist", "70"), kNotPlaying},
    {"PlayUnknownPlaylist", {}, it("playplaylist", "999"), "There is no playlist with the id 999."},
    {"Next", {it("playplaylist", "80")}, it("next"), kDontLook + "Short%@80%@" + kArt},
    {"TrackWithoutAlbumHasNoArt", {}, it("playsong", "50", "107"), kTokyo + "Library%@50%@%@"},
    {"TrackWithoutArtistOrLength", {}, it("playsong", "50", "109"), kNoArtist + "Library%@50%@" + kArt},
    {"PlaySongThenShow", {it("playsong", "60", "101")}, it("show"), kMorning + "Mix \"Two\"%@60%@" + kArt},
    {"PlaySongOutsideItsPlaylistPlaysInLibrary", {it("playsong", "60", "103")}, it("show"),
     kDontLook + "Library%@50%@" + kArt},
    {"PlaySongUnknownTrack", {}, it("playsong", "50", "4242"), "There is no track with the id 4242."},
    // Listings and playlist entries.
    {"ShowPlaylist", {}, it("showplaylist", "60"), kCafeLine.arg(60) + kMorningLine.arg(60) + "Mix \"Two\""},
    {"ShowEmptyPlaylist", {}, it("showplaylist", "70"), "Empty"},
    {"ShowUnknownPlaylist", {}, it("showplaylist", "999"), "There is no playlist with the id 999.%@"},
    {"ListPlaylists", {}, it("listpl"),
     "50\"\\>Library%@60\"\\>Mix &quot;Two&quot;%@70\"\\>Empty%@80\"\\>Short%@audiocd\"\\>Audio CD%@"},
    {"ListOnlyTheCd", {}, it("listpl", "x", "x", "cdonly"), "audiocd\"\\>Audio CD%@"},
    {"ListPlaylistsWithResults", {qv("createplaylist")}, it("listpl"),
     "50\"\\>Library%@60\"\\>Mix &quot;Two&quot;%@70\"\\>Empty%@80\"\\>Short%@"
     "81\"\\>Quaverly Search Results%@audiocd\"\\>Audio CD%@"},
    {"CurrentSongIdWhileStopped", {}, it("currentsongid"), ""},
    {"CurrentSongId", {it("playsong", "50", "105")}, it("currentsongid"), "105"},
    // Search: letter case, accents, apostrophes, "+" as a blank, fields.
    {"SearchWithoutAccents", {}, it("search", "beyonce", "artist", "createpl"), kCafeLine.arg(81) + "81"},
    {"SearchCapitalsWithAccent", {}, it("search", "CAFÉ", "name", "nopl"), kCafeLine.arg(50)},
    {"SearchPlainApostropheFindsTypographic", {}, it("search", "don't+look", "name", "nopl"),
     kDontLookLine.arg(50)},
    {"SearchEmptyFieldMeansName", {}, it("search", "morning", "", "nopl"), kMorningLine.arg(50)},
    {"SearchAlbum", {}, it("search", "first", "album", "nopl"), kMorningLine.arg(50) + kDontLookLine.arg(50)},
    {"SearchGenre", {}, it("search", "r&b", "genre", "nopl"), kCafeLine.arg(50)},
    {"SearchCjk", {}, it("search", "東京", "name", "nopl"),
     "<a href=\"/playsong.qv?plid=50&tid=107\">夜の街 - 東京</a>%@"},
    {"SearchNoMatch", {}, it("search", "zzz", "name", "createpl"), kNoMatches},
    {"SearchResultsPlay", {it("search", "owls", "artist", "createpl")}, qv("playresults"),
     kMorning + "Quaverly Search Results%@81%@" + kArt},
    // The search-results playlist.
    {"CreatePlaylist", {}, qv("createplaylist"), "81"},
    {"CreatePlaylistKeepsItsId", {qv("createplaylist")}, qv("createplaylist"), "81"},
    {"AddToPlaylist", {qv("createplaylist")}, qv("addtoplaylist", "103"), ""},
    {"AddUnknownTrack", {qv("createplaylist")}, qv("addtoplaylist", "4242"), "There is no track with the id 4242."},
    {"PlayResults", {qv("createplaylist"), qv("addtoplaylist", "103"), qv("addtoplaylist", "105")},
     qv("playresults"), kDontLook + "Quaverly Search Results%@81%@" + kArt},
    {"ShowResults", {qv("createplaylist"), qv("addtoplaylist", "105"), qv("addtoplaylist", "101")},
     it("showplaylist", "81"), kCafeLine.arg(81) + kMorningLine.arg(81) + "Quaverly Search Results"},
    {"PlayResultsWithoutResults", {}, qv("playresults"), kNotPlaying},
    {"PlayResultsEmptied", {qv("createplaylist")}, qv("playresults"), kNotPlaying},
    {"EmptyingResultsKeepsTheTrackPlaying",
     {qv("createplaylist"), qv("addtoplaylist", "103"), qv("playresults"), qv("createplaylist")},
     it("show"), kDontLook + "Library%@50%@" + kArt},
    // Volume, mute, shuffle, repeat.
    {"VolumeUp", {}, it("volup"), "Volume 60"},
    {"VolumeDown", {}, it("voldown"), "Volume 40"},
    {"VolumeStopsAt100", {it("volup"), it("volup"), it("volup"), it("volup"), it("volup")}, it("volup"),
     "Volume 100"},
    {"VolumeStopsAt0", {it("voldown"), it("voldown"), it("voldown"), it("voldown"), it("voldown")},
     it("voldown"), "Volume 0"},
    {"Mute", {}, it("mute"), "Volume 50, muted"},
    {"MuteAgainUnmutes", {it("mute")}, it("mute"), "Volume 50"},
    {"ShuffleOn", {}, pl("shuffle", "true"), "Shuffle on"},
    {"ShuffleOff", {pl("shuffle", "true")}, pl("shuffle", "false"), "Shuffle off"},
    {"ShuffleBadValue", {}, pl("shuffle", "maybe"), "Shuffle takes true or false."},
    {"RepeatAll", {}, pl("repeat", "all"), "Repeat all"},
    {"RepeatOne", {}, pl("repeat", "one"), "Repeat one"},
    {"RepeatOff", {pl("repeat", "all")}, pl("repeat", "off"), "Repeat off"},
    {"RepeatBadValue", {}, pl("repeat", "twice"), "Repeat takes off, all or one."},
    // The audio CD.
    {"PlayCd", {}, it("playplaylist", "audiocd"),
     "The Lamplight Ensemble%@Dust on the Rafters%@Songs from the Attic%@Folk%@1998%@0:00 / 3:21%@"
     "Audio CD%@audiocd%@" + kArt},
    {"ShowCd", {}, it("showplaylist", "audiocd"), cdLines() + "Audio CD"},
    {"PlayCdSong", {it("playsong", "audiocd", "audiocd-3")}, it("currentsongid"), "audiocd-3"},
    // Words the player does not know.
    {"UnknownWord", {}, it("rewind"), "Unknown command: rewind"},
    {"CommandWordsIgnoreCase", {}, it("VOLUP"), "Volume 60"},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, ReplyTest, ::testing::ValuesIn(kReplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimPlayerNames, AnswersOnlyToItsThreeNames) {
  PlayerSandbox player(simFixture("small_library.xml"));
  const QString direct = player.run("../qv-player", {"show", "x", "x", "itunes"});
  EXPECT_EQ(direct.toStdString(), "Call this player as itunes, qvresults or plcontrol, not qv-player.");
}

TEST(SimPlayerDemo, ListsTheDemoLibrary) {
  PlayerSandbox player(QStringLiteral(QV_SOURCE_DIR) + "/resources/demo/iTunes Music Library.xml");
  EXPECT_EQ(player.itunes("listpl").toStdString(),
            "2001\"\\>Library%@2054\"\\>Evening Quiet%@2061\"\\>Road Trip ’98%@"
            "2068\"\\>Kitchen Dance Party%@2075\"\\>Jazz &amp; Coffee%@"
            "2082\"\\>The &quot;Best&quot; of Everything%@2089\"\\>Empty Crate%@"
            "2096\"\\>Odds &amp; Ends%@audiocd\"\\>Audio CD%@");
  EXPECT_EQ(player.run("itunes", {"search", "renee", "artist", "nopl"}).count("%@"), 8);
}

}  // namespace
}  // namespace qvtest
