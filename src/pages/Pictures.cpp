#include "pages/Pictures.h"

#include <QFile>
#include <QStringList>
#include <array>

#include "app/ActivityLog.h"
#include "app/Paths.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"

namespace {

struct Picture {
  const char* name;
  QByteArray ServerWindowState::*bytes;
  const char* contentType;
  QString ServerWindowState::*header;
};

// In loading order.
const std::array<Picture, 5> kPictures = {{
    {"ilogo.gif", &ServerWindowState::slogo, "image/gif", &ServerWindowState::strGifHeader},
    {"eclairs.jpg", &ServerWindowState::image1, "image/jpeg", &ServerWindowState::strJpgHeader},
    {"middle.png", &ServerWindowState::image2, "image/png", &ServerWindowState::strPngHeader},
    {"middle_bar.png", &ServerWindowState::image3, "image/png", &ServerWindowState::strPngHeader},
    {"title.png", &ServerWindowState::image6, "image/png", &ServerWindowState::strPngHeader},
}};

// Each line followed by CR LF, then the empty line that ends the block.
QString headerBlock(const QStringList& lines) {
  QString block;
  for (const QString& line : lines) block += line + crlf;
  return block + crlf;
}

}  // namespace

void LoadImages() {
  const QString folder = paths::resourcesFolder() + "/images/";
  for (const Picture& picture : kPictures) {
    QFile file(folder + picture.name);
    if (!file.open(QIODevice::ReadOnly)) {
      Status("Cannot read picture " + file.fileName());
      return;
    }
    window1.*picture.bytes = file.readAll();
  }
}

namespace pages {

QByteArray imageResponse(const QString& name) {
  for (const Picture& picture : kPictures) {
    if (name != picture.name) continue;
    const QByteArray& bytes = window1.*picture.bytes;
    QString& header = window1.*picture.header;
    header = headerBlock({"HTTP/1.1 200 OK", "Server: Quaverly", "Connection: close",
                          "Cache-Control: max-age=86400, must-revalidate",
                          QString("Content-Type: ") + picture.contentType,
                          "Content-Length:" + QString::number(bytes.size())});
    return text::toPageEncoding(header) + bytes;
  }
  return {};
}

QByteArray albumArtHeader(const QString& contentType, qint64 byteCount) {
  QString& header =
      contentType == "image/png" ? window1.strPngHeader : window1.strJpgHeader;
  header = headerBlock({"HTTP/1.1 200 OK", "Server: Quaverly", "Connection: close",
                        "Cache-Control: max-age=0, no-store, no-cache, must-revalidate, "
                        "post-check=0, pre-check=0",
                        "Pragma: no-cache", "Expires: 0", "Content-Type: " + contentType,
                        "Content-Length:" + QString::number(byteCount)});
  return text::toPageEncoding(header);
}

}  // namespace pages
