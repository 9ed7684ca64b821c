// The cover picture written for the playing track.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <sys/stat.h>

#include "PlayerSandbox.h"
#include "support/TestSupport.h"

namespace qvtest {
namespace {

ino_t inodeOf(const QString& path) {
  struct stat st {};
  return ::stat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_ino : 0;
}

TEST(SimPlayerArt, WritesAPngForTheAlbum) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("itunes", {"playsong", "50", "101", "itunes"});
  const QByteArray png = readFile(player.artPath());
  ASSERT_GE(png.size(), 33);
  EXPECT_EQ(png.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.mid(12, 4), QByteArray("IHDR"));
  EXPECT_EQ(png.mid(16, 8), QByteArray("\0\0\0\x80\0\0\0\x80", 8));  // 128 x 128
  EXPECT_TRUE(png.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8)));
}

TEST(SimPlayerArt, SameAlbumSamePictureOtherAlbumAnother) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("itunes", {"playsong", "50", "101", "itunes"});
  const QByteArray first = readFile(player.artPath());
  player.itunes("next");  // same album
  EXPECT_EQ(readFile(player.artPath()), first);
  player.itunes("next");  // another album
  EXPECT_NE(readFile(player.artPath()), first);
}

TEST(SimPlayerArt, RewrittenOnlyWhenTheTrackChanges) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("itunes", {"playsong", "50", "101", "itunes"});
  const ino_t written = inodeOf(player.artPath());
  ASSERT_NE(written, ino_t{0});
  player.itunes("show");
  EXPECT_EQ(inodeOf(player.artPath()), written);
  player.itunes("next");
  EXPECT_NE(inodeOf(player.artPath()), written);
}

TEST(SimPlayerArt, WrittenAgainWhenRemoved) {
  PlayerSandbox player(simFixture("small_library.xml"));
  player.run("itunes", {"playsong", "50", "101", "itunes"});
  ASSERT_TRUE(QFile::remove(player.artPath()));
  EXPECT_TRUE(player.itunes("show").endsWith("wbfittemp.png%@"));
  EXPECT_TRUE(QFileInfo::exists(player.artPath()));
}

}  // namespace
}  // namespace qvtest
