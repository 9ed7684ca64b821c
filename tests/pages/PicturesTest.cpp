// The fixed pictures: loading, their responses, the album-art header, and the committed
// artwork itself.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "app/ActivityLog.h"
#include "app/Paths.h"
#include "pages/Pictures.h"
#include "PageTestText.h"
#include "support/TestSupport.h"

using namespace pagestest;

namespace {

const char* const kNames[] = {"ilogo.gif", "eclairs.jpg", "middle.png", "middle_bar.png",
                              "title.png"};

class PicturesTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    activityLog().setEcho(false);
    activityLog().clear();
    ASSERT_TRUE(folder_.isValid());
    paths::setResourcesFolder(folder_.path());
  }
  void TearDown() override { paths::setResourcesFolder(QString()); }

  QString picturePath(const QString& name) const { return folder_.path() + "/images/" + name; }
  // Each picture gets content of its own, so a mix-up shows.
  void writeAllBut(const QString& missing = {}) {
    for (const char* name : kNames)
      if (name != missing) qvtest::writeFile(picturePath(name), QByteArray("bytes of ") + name);
  }

  QTemporaryDir folder_;
};

TEST_F(PicturesTest, LoadsEveryPictureIntoItsProperty) {
  writeAllBut();
  LoadImages();
  EXPECT_EQ(window1.slogo, "bytes of ilogo.gif");
  EXPECT_EQ(window1.image1, "bytes of eclairs.jpg");
  EXPECT_EQ(window1.image2, "bytes of middle.png");
  EXPECT_EQ(window1.image3, "bytes of middle_bar.png");
  EXPECT_EQ(window1.image6, "bytes of title.png");
  EXPECT_TRUE(activityLog().lines().isEmpty());
}

TEST_F(PicturesTest, MissingPictureIsLoggedAndStopsTheLoading) {
  writeAllBut("middle.png");
  LoadImages();
  EXPECT_EQ(window1.slogo, "bytes of ilogo.gif");
  EXPECT_EQ(window1.image1, "bytes of eclairs.jpg");
  EXPECT_TRUE(window1.image2.isEmpty());
  EXPECT_TRUE(window1.image3.isEmpty());
  EXPECT_TRUE(window1.image6.isEmpty());
  ASSERT_EQ(activityLog().lines().size(), 1);
  EXPECT_TRUE(activityLog().lines().first().endsWith(
      "] Cannot read picture " + picturePath("middle.png")))
      << activityLog().lines().first().toStdString();
}

struct ResponseCase {
  const char* name;
  QByteArray ServerWindowState::*bytes;
  const char* contentType;
  QString ServerWindowState::*header;
};

void PrintTo(const ResponseCase& c, std::ostream* os) { *os << c.name; }

class ImageResponseTest : public PicturesTest,
                          public ::testing::WithParamInterface<ResponseCase> {};

TEST_P(ImageResponseTest, HeaderLetsBrowsersCacheForADay) {
  writeAllBut();
  LoadImages();
  const QString header = QString("HTTP/1.1 200 OK\r\n"
                                 "Server: Quaverly\r\n"
                                 "Connection: close\r\n"
                                 "Cache-Control: max-age=86400, must-revalidate\r\n"
                                 "Content-Type: %1\r\n"
                                 "Content-Length:%2\r\n\r\n")
                             .arg(GetParam().contentType)
                             .arg(QByteArray("bytes of ").size() + qstrlen(GetParam().name));
  EXPECT_EQ(pages::imageResponse(GetParam().name),
            header.toLatin1() + "bytes of " + GetParam().name);
  EXPECT_EQ(window1.*GetParam().header, header);
}

INSTANTIATE_TEST_SUITE_P(
    FixedPictures, ImageResponseTest,
    ::testing::Values(
        ResponseCase{"ilogo.gif", &ServerWindowState::slogo, "image/gif", &ServerWindowState::strGifHeader},
        ResponseCase{"eclairs.jpg", &ServerWindowState::image1, "image/jpeg", &ServerWindowState::strJpgHeader},
        ResponseCase{"middle.png", &ServerWindowState::image2, "image/png", &ServerWindowState::strPngHeader},
        ResponseCase{"middle_bar.png", &ServerWindowState::image3, "image/png", &ServerWindowState::strPngHeader},
        ResponseCase{"title.png", &ServerWindowState::image6, "image/png", &ServerWindowState::strPngHeader}));

TEST_F(PicturesTest, EmptyPictureIsServedWithLengthZero) {
  EXPECT_EQ(pages::imageResponse("title.png"),
            "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nConnection: close\r\n"
            "Cache-Control: max-age=86400, must-revalidate\r\nContent-Type: image/png\r\n"
            "Content-Length:0\r\n\r\n");
}

TEST_F(PicturesTest, UnknownNameGivesNothing) {
  writeAllBut();
  LoadImages();
  EXPECT_TRUE(pages::imageResponse("secret.png").isEmpty());
  EXPECT_TRUE(pages::imageResponse("MIDDLE.PNG").isEmpty());
  EXPECT_TRUE(window1.strPngHeader.isEmpty());
}

class AlbumArtHeaderTest : public PagesTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(AlbumArtHeaderTest, ForbidsCaching) {
  const QString type = GetParam();
  const QString expected = "HTTP/1.1 200 OK\r\n"
                           "Server: Quaverly\r\n"
                           "Connection: close\r\n"
                           "Cache-Control: max-age=0, no-store, no-cache, must-revalidate, post-check=0, pre-check=0\r\n"
                           "Pragma: no-cache\r\n"
                           "Expires: 0\r\n"
                           "Content-Type: " + type + "\r\n"
                           "Content-Length:123456\r\n\r\n";
  EXPECT_EQ(pages::albumArtHeader(type, 123456), expected.toLatin1());
  EXPECT_EQ(type == "image/png" ? window1.strPngHeader : window1.strJpgHeader, expected);
  EXPECT_TRUE((type == "image/png" ? window1.strJpgHeader : window1.strPngHeader).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Types, AlbumArtHeaderTest, ::testing::Values("image/jpeg", "image/png"));

// The committed artwork: real files of the advertised formats and sizes.
QByteArray committed(const char* name) {
  return qvtest::readFile(QString(QV_SOURCE_DIR) + "/resources/images/" + name);
}

TEST(CommittedPictures, LogoIsAGifOf100By84) {
  const QByteArray gif = committed("ilogo.gif");
  ASSERT_GE(gif.size(), 10);
  EXPECT_TRUE(gif.startsWith("GIF89a") || gif.startsWith("GIF87a"));
  EXPECT_EQ(qFromLittleEndian<quint16>(gif.constData() + 6), 100);
  EXPECT_EQ(qFromLittleEndian<quint16>(gif.constData() + 8), 84);
}

struct PngCase {
  const char* name;
  quint32 width;
  quint32 height;  // 0: any
};

void PrintTo(const PngCase& c, std::ostream* os) { *os << c.name; }

class CommittedPngTest : public ::testing::TestWithParam<PngCase> {};

TEST_P(CommittedPngTest, IsAPngOfTheFrameWidth) {
  const QByteArray png = committed(GetParam().name);
  ASSERT_GE(png.size(), 24);
  EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
  EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), GetParam().width);
  if (GetParam().height) {
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 20), GetParam().height);
  }
}

INSTANTIATE_TEST_SUITE_P(FramePictures, CommittedPngTest,
                         ::testing::Values(PngCase{"middle_bar.png", 512, 64},
                                           PngCase{"middle.png", 512, 0},
                                           PngCase{"title.png", 512, 0}));

TEST(CommittedPictures, BackgroundIsAJpeg) {
  EXPECT_TRUE(committed("eclairs.jpg").startsWith("\xff\xd8\xff"));
}

// The build copies the pictures beside the executables, where a built Quaverly looks.
TEST(CommittedPictures, BuildTreeHoldsTheSamePictures) {
  for (const char* name : kNames)
    EXPECT_EQ(qvtest::readFile(QString(QV_BUILD_DIR) + "/images/" + name), committed(name)) << name;
}

}  // namespace
