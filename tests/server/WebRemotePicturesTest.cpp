// The five fixed pictures and the album art, as whole responses.
#include <QFile>

#include "WebRemoteFixture.h"
#include "app/ModMain.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

QByteArray pictureBytes(const QString& name) { return qvtest::readFile(QStringLiteral(QV_BUILD_DIR "/images/") + name); }

QByteArray pictureResponse(const char* type, const QByteArray& bytes) {
  return "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nConnection: close\r\n"
         "Cache-Control: max-age=86400, must-revalidate\r\nContent-Type: " +
         QByteArray(type) + "\r\nContent-Length:" + QByteArray::number(bytes.size()) + "\r\n\r\n" + bytes;
}

QByteArray albumArtResponse(const char* type, const QByteArray& bytes) {
  return "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nConnection: close\r\n"
         "Cache-Control: max-age=0, no-store, no-cache, must-revalidate, post-check=0, pre-check=0\r\n"
         "Pragma: no-cache\r\nExpires: 0\r\nContent-Type: " +
         QByteArray(type) + "\r\nContent-Length:" + QByteArray::number(bytes.size()) + "\r\n\r\n" + bytes;
}

struct PictureCase {
  const char* requestLine;
  const char* file;
  const char* type;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.requestLine; }

class PictureTest : public WebRemoteFixture, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureTest, IsServedFromMemoryWithItsCachingHeader) {
  const PictureCase& c = GetParam();
  const QByteArray bytes = pictureBytes(c.file);
  ASSERT_FALSE(bytes.isEmpty());
  EXPECT_EQ(request(QByteArray(c.requestLine) + "\r\nHost: 127.0.0.1\r\n\r\n"), pictureResponse(c.type, bytes));
  EXPECT_EQ(player->calls(), QStringList());
  ASSERT_TRUE(qvtest::waitUntil([] { return qvtest::logMessages().size() >= 3; }));
  EXPECT_EQ(qvtest::logMessages(),
            QStringList({"Client connected", "Received request", "Disconnected.  Session time 0 seconds"}))
      << "no send-progress lines for a fixed picture";
}

INSTANTIATE_TEST_SUITE_P(
    FivePictures, PictureTest,
    ::testing::Values(PictureCase{"GET /ilogo.gif HTTP/1.1", "ilogo.gif", "image/gif"},
                      PictureCase{"GET /images/eclairs.jpg HTTP/1.1", "eclairs.jpg", "image/jpeg"},
                      PictureCase{"GET /images/middle_bar.png HTTP/1.1", "middle_bar.png", "image/png"},
                      PictureCase{"GET /images/middle.png HTTP/1.1", "middle.png", "image/png"},
                      PictureCase{"GET /images/title.png HTTP/1.1", "title.png", "image/png"},
                      PictureCase{"get /IMAGES/Title.PNG HTTP/1.1", "title.png", "image/png"}));

using AlbumArtTest = WebRemoteFixture;

TEST_F(AlbumArtTest, TheCurrentFileIsServedWithoutCachingWhateverTheTimeStamp) {
  const QByteArray png = "\x89PNG\r\n\x1a\n fake art";
  qvtest::writeFile(albumArtPath("wbfittemp.png"), png);
  EXPECT_EQ(get("/wbfittemp.png?ts=1"), albumArtResponse("image/png", png));
  const QByteArray jpeg = "\xff\xd8\xff other art";
  qvtest::writeFile(albumArtPath("wbfittemp.jpg"), jpeg);
  EXPECT_EQ(get("/wbfittemp.jpg?ts=99999"), albumArtResponse("image/jpeg", jpeg));
  ASSERT_TRUE(qvtest::waitUntil([] { return !qvtest::logMessages().filter("Sending data").isEmpty(); }));
}

TEST_F(AlbumArtTest, ALinkIsRefusedAndTheServerGoesOn) {
  const QString elsewhere = dir->path() + "/secret.png";
  qvtest::writeFile(elsewhere, "not for browsers");
  ASSERT_TRUE(QFile::link(elsewhere, albumArtPath("wbfittemp.png")));
  EXPECT_EQ(get("/wbfittemp.png?ts=1"), QByteArray());
  EXPECT_EQ(qvtest::logMessages().filter("Exception"), QStringList({"Quaverly Server: Exception!  Please restart"}));
  QFile::remove(albumArtPath("wbfittemp.png"));
  EXPECT_TRUE(get("/show").startsWith("HTTP/1.1 200 OK\r\n"));
}

TEST_F(AlbumArtTest, AMissingFileSendsNothing) {
  EXPECT_EQ(get("/wbfittemp.jpg"), QByteArray());
  EXPECT_EQ(qvtest::logMessages().filter("Exception"), QStringList({"Quaverly Server: Exception!  Please restart"}));
}

}  // namespace
