// A damaged state file, an unreadable library and a changed library: the player
// answers in one line and never crashes.
#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "PlayerSandbox.h"
#include "support/TestSupport.h"

namespace qvtest {
namespace {

struct DamageCase {
  const char* name;
  QByteArray (*damage)(const QByteArray& goodState);
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedStateTest : public ::testing::TestWithParam<DamageCase> {};

// A player left playing with the volume at 70, whose state file is then damaged,
// starts afresh: stopped, volume back at 50.
TEST_P(DamagedStateTest, StartsAfresh) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.itunes("volup");
  player.itunes("volup");
  player.itunes("playpause");
  writeFile(player.statePath(), GetParam().damage(readFile(player.statePath())));
  EXPECT_EQ(player.itunes("show").toStdString(), kNotPlaying);
  EXPECT_EQ(player.itunes("volup").toStdString(), "Volume 60");
}

const DamageCase kDamageCases[] = {
    {"Empty", [](const QByteArray&) { return QByteArray(); }},
    {"Garbage", [](const QByteArray&) { return QByteArray("\x00\xff\x13 not a state\n", 18); }},
    {"CutInHalf", [](const QByteArray& s) { return s.left(s.size() / 2); }},
    {"VolumeOutOfSteps", [](const QByteArray& s) { return QByteArray(s).replace("volume=70", "volume=75"); }},
    {"UnknownTransport", [](const QByteArray& s) { return QByteArray(s).replace("transport=playing", "transport=x"); }},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, DamagedStateTest, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LibraryCase {
  const char* name;
  const char* fileName;  // in a temporary folder; null: QUAVERLY_LIBRARY unset
  QByteArray content;    // null: the file does not exist
  QString expected;      // %1 stands for the library path
};

void PrintTo(const LibraryCase& c, std::ostream* os) { *os << c.name; }

class BadLibraryTest : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(BadLibraryTest, AnswersWithOneLine) {
  const LibraryCase& c = GetParam();
  QTemporaryDir dir;
  const QString path = c.fileName ? dir.filePath(c.fileName) : QString();
  if (!c.content.isNull()) writeFile(path, c.content);
  PlayerSandbox player(path);
  EXPECT_EQ(player.itunes("show").toStdString(), kNotPlaying);  // a stopped player needs no library
  EXPECT_EQ(player.itunes("playpause").toStdString(), c.expected.arg(path).toStdString());
  EXPECT_EQ(player.itunes("listpl").toStdString(), c.expected.arg(path).toStdString());
}

const LibraryCase kLibraryCases[] = {
    {"Unset", nullptr, QByteArray(), "No music library file is set."},
    {"Missing", "gone.xml", QByteArray(), "Cannot read the music library file %1: No such file or directory."},
    {"NotXml", "broken.xml", "<plist><dict><key>Tracks</key>",
     "The music library file %1 is damaged near byte 30."},
    // Stops where the unfinished name begins, after its 77 bytes of markup.
    {"CutShort", "cut.xml", "<plist><dict><key>Tracks</key><dict><key>1</key><dict><key>Name</key><string>Half",
     "The music library file %1 is damaged near byte 77."},
    {"NotAPropertyList", "page.xml", "<html><body/></html>", "The music library file %1 is not a library export."},
};

INSTANTIATE_TEST_SUITE_P(SimPlayer, BadLibraryTest, ::testing::ValuesIn(kLibraryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimPlayerCache, FollowsAChangedLibrary) {
  QTemporaryDir dir;
  const QString path = dir.filePath("library.xml");
  const QByteArray original = readFile(simFixture("small_library.xml"));
  writeFile(path, original);
  PlayerSandbox player(path);
  player.run("itunes", {"playsong", "50", "101", "itunes"});
  writeFile(path, QByteArray(original).replace("Morning Light", "Evening Shade, Longer"));
  EXPECT_EQ(player.itunes("show").split("%@").value(1).toStdString(), "Evening Shade, Longer");
}

TEST(SimPlayerCache, RebuildsADamagedCache) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("itunes", {"playsong", "50", "103", "itunes"});
  const QString cache = player.dataDir() + "/player-library.cache";
  ASSERT_TRUE(QFile::exists(cache));
  const QByteArray whole = readFile(cache);
  writeFile(cache, whole.left(whole.size() / 3));
  EXPECT_EQ(player.itunes("currentsongid").toStdString(), "103");
  EXPECT_EQ(readFile(cache), whole);
}

}  // namespace
}  // namespace qvtest
