#include "server/RequestHandler.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"
#include "pages/LoginAndControlBar.h"
#include "pages/Pictures.h"
#include "server/ListeningSocket.h"
#include "server/RequestContext.h"
#include "server/ResponseAssembly.h"
#include "server/Routes.h"

namespace {

// The login form posts one field; browsers form-encode it.
QString postedPassword(const QString& requestText) {
  const qsizetype at = requestText.indexOf(QLatin1String("password="), 0, Qt::CaseInsensitive);
  if (at < 0) return {};
  QString raw = requestText.mid(at + 9);
  const qsizetype amp = raw.indexOf('&');
  if (amp >= 0) raw.truncate(amp);
  raw.replace('+', ' ');
  return text::percentDecode(raw.trimmed()).left(255).trimmed();
}

struct ImageRoute {
  const char* text;
  const char* name;
};

const ImageRoute kPictureRoutes[] = {
    {"GET /images/eclairs.jpg", "eclairs.jpg"},
    {"GET /images/middle_bar.png", "middle_bar.png"},
    {"GET /images/middle.png", "middle.png"},
    {"GET /images/title.png", "title.png"},
};

}  // namespace

RequestHandler::RequestHandler(ListeningSocket& socket, QObject* parent)
    : QObject(parent), TCPSocket1(socket) {}

bool RequestHandler::TCPSocket1_DataAvailable(const QByteArray& request) {
  try {
    handle(request);
    return true;
  } catch (const std::exception&) {
    Status("Quaverly Server: Exception!  Please restart");
    return false;
  }
}

void RequestHandler::handle(const QByteArray& request) {
  modMain.dtNow = QDateTime::currentDateTime();
  Status("Received request");
  modMain.queryresult.clear();
  modMain.querytype.clear();
  RequestContext ctx;
  ctx.greetingTime = QDateTime::currentDateTime();
  ctx.requestText = text::fromRequestEncoding(request);
  ctx.clientAddress = TCPSocket1.RemoteAddress();
  window1.isIE5 = ctx.contains("MSIE 5");
  ctx.timeStamp = QString::number(modMain.dtNow.toSecsSinceEpoch());
  if (ctx.contains("GET /ilogo.gif")) {
    HandleImage("ilogo.gif");
    return;
  }
  QString setCookie;
  if (!passesGate(ctx, setCookie)) {
    const FramedResponse login = htmlResponse(LoginPage());
    write(login.header, login.body);
    return;
  }
  // A fresh context already holds the command word "nothing", no paging links and no
  // done flag; only the shared flag needs resetting.
  modMain.blDoPlayList = false;
  ctx.controlBar = ControlBar();
  if (answersPicture(ctx)) return;

  routeRequest(ctx);
  emit requestRouted(ctx.requestText);
  if (!ctx.pagingLinks.isEmpty()) ctx.replyText = ctx.pagingLinks + ctx.replyText;
  const FramedResponse response = assembleResponse(ctx, setCookie);
  write(response.header, response.body);
}

bool RequestHandler::passesGate(RequestContext& ctx, QString& setCookie) {
  if (modMain.password.isEmpty() || sessions_.admits(ctx.requestText)) return true;
  if (!ctx.contains("POST /login")) return false;
  if (postedPassword(ctx.requestText).compare(modMain.password, Qt::CaseInsensitive) != 0) return false;
  setCookie = sessions_.open();
  return true;
}

bool RequestHandler::answersPicture(const RequestContext& ctx) {
  for (const ImageRoute& route : kPictureRoutes) {
    if (ctx.contains(QLatin1String(route.text))) {
      HandleImage(QLatin1String(route.name));
      return true;
    }
  }
  if (ctx.contains("GET /wbfittemp.jpg")) {
    sendAlbumArt("wbfittemp.jpg", "image/jpeg");
    return true;
  }
  if (ctx.contains("GET /wbfittemp.png")) {
    sendAlbumArt("wbfittemp.png", "image/png");
    return true;
  }
  return false;
}

void RequestHandler::HandleImage(const QString& name) {
  const QByteArray response = pages::imageResponse(name);
  if (response.isEmpty()) return;
  window1.handlingAnImage = true;  // until its send completes: no progress lines
  TCPSocket1.Write(response);
}

void RequestHandler::sendAlbumArt(const QString& fileName, const QString& contentType) {
  // Only a regular file in our private folder: never a link planted there.
  const QString folder = paths::tempItemsFolder();
  const QFileInfo info(folder + "/" + fileName);
  if (folder.isEmpty() || info.isSymLink() || !info.isFile()) throw RequestFailure("no album art");
  QFile file(info.filePath());
  if (!file.open(QIODevice::ReadOnly)) throw RequestFailure("album art unreadable");
  const QByteArray bytes = file.readAll();
  write(pages::albumArtHeader(contentType, bytes.size()), bytes);
}

void RequestHandler::write(const QByteArray& header, const QByteArray& body) {
  TCPSocket1.Write(header);
  TCPSocket1.Write(body);
}
