#pragma once
// The server window's non-visual properties: page templates, pictures and per-request
// flags that the renderers, the request handler and the database code share. The Qt
// window only shows what the core keeps here.
#include <QByteArray>
#include <QDateTime>
#include <QString>

struct ServerWindowState {
  // Fancy frame templates, rebuilt by SetHTML.
  QString topHTML, topHTML2, topHTML3, bottomHTML, bottomHTML2;
  // Picture tags slotted between the templates on every fancy page.
  QString imgTitleTag, imgMiddleTag, imgBarTag;
  // The five fixed pictures, read once at start-up.
  QByteArray slogo, image1, image2, image3, image6;
  // Header blocks last built for each picture type.
  QString strGifHeader, strJpgHeader, strPngHeader;
  // A fixed picture is being pushed out: no send-progress lines meanwhile.
  bool handlingAnImage = false;
  // The current request comes from a version 5 Internet Explorer.
  bool isIE5 = false;
  // The web preferences form, rebuilt by SetPrefsHTML.
  QString PrefsFormHTML;
  // 1-based first record of the requested result page (0: no paging).
  int dbStartRecord = 0;
};

extern ServerWindowState window1;

inline constexpr char crlf[] = "\r\n";

void resetServerWindowState();
