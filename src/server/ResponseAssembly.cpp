#include "server/ResponseAssembly.h"

#include <QStringList>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "app/TextCodec.h"
#include "pages/FancyFrame.h"
#include "pages/Handheld.h"
#include "pages/NowPlaying.h"
#include "pages/PageWrappers.h"

namespace {

const QStringList kNowPlayingWords = {"show", "next", "prev", "playplaylist", "playresults"};

QString artCell(const QStringList& fields, const QString& timeStamp) {
  QString cell = QStringLiteral("&nbsp;");
  if (!modMain.blDisplayArt) return cell;
  const QString artFile = fields.value(8);
  for (const char* name : {"wbfittemp.jpg", "wbfittemp.png"})  // the second wins
    if (artFile.contains(QLatin1String(name), Qt::CaseInsensitive))
      cell = "<img height=170 width=170 src=\"/" + QString(name) + "?ts=" + timeStamp + "\">";
  return cell;
}

QString greeting(const RequestContext& ctx) {
  return "Hello music fan from " + ctx.clientAddress + ", it's " + logTimeText(ctx.greetingTime) +
         "<BR><BR>";
}

QString bodyText(const RequestContext& ctx) {
  QString body = greeting(ctx);
  if (ctx.commandWord != QLatin1String("nothing")) {
    if (modMain.blPlain) body = greeting(ctx) + ctx.replyText + "<br><br>" + ctx.controlBar;
    if (modMain.blfancy || modMain.blSimpleHTML || modMain.blTextOnly || modMain.blXML ||
        ctx.commandWord == QLatin1String("poll"))
      body = ctx.replyText;
    if (modMain.blPDA) body = ctx.replyText + ctx.controlBar;
    return body;
  }
  if (modMain.blfancy)
    body = "Hello music fan from address " + ctx.clientAddress + ", it's " +
           logTimeText(ctx.greetingTime) + "<br><br>Use the buttons below to control iTunes.";
  if (modMain.blPlain || modMain.blPDA) body += ctx.controlBar;
  if (modMain.blSimpleHTML) body = QStringLiteral("<p>Use the show command<p>");
  return body;
}

// Status line, server and content type, then the extra line (if any) and the tail.
QByteArray headerBlock(const QString& contentType, const QString& extraHeader,
                       const QString& tail = {}) {
  QStringList lines = {"HTTP/1.1 200 OK", "Server: Quaverly", "Content-Type: " + contentType};
  if (!extraHeader.isEmpty()) lines << extraHeader;
  if (!tail.isEmpty()) lines << tail;
  return text::toPageEncoding(lines.join(crlf) + crlf + crlf);
}

}  // namespace

void renderNowPlaying(RequestContext& ctx) {
  if (!kNowPlayingWords.contains(ctx.commandWord)) return;
  if (ctx.replyText.isEmpty()) {
    ctx.replyText = modMain.blTextOnly ? QStringLiteral("Sorry, please try again!")
                                       : QStringLiteral("<font color=red>Sorry, please try again!</font>");
    return;
  }
  if (!ctx.replyText.contains(QLatin1String("%@"))) return;  // a message from the player
  const QStringList fields = ctx.replyText.split(QStringLiteral("%@"));
  const QString attributes = modMain.blfancy ? QStringLiteral(" width=\"100%\"") : QStringLiteral(" ");
  if (modMain.blPlain || modMain.blfancy)
    ctx.replyText = SetNormal(fields, attributes, artCell(fields, ctx.timeStamp));
  if (modMain.blPDA) ctx.replyText = SetPDA(fields);
  if (modMain.blSimpleHTML) ctx.replyText = SetSimpleHTML(fields);
  if (modMain.blTextOnly) ctx.replyText = setJustText(fields);
  if (modMain.blXML) ctx.replyText = setXML(fields);
}

FramedResponse htmlResponse(const QString& page, const QString& extraHeader) {
  FramedResponse out;
  out.body = text::toPageEncoding(page);
  out.header = headerBlock("text/html", extraHeader, "Content-Length:" + QString::number(out.body.size()));
  return out;
}

FramedResponse assembleResponse(RequestContext& ctx, const QString& extraHeader) {
  renderNowPlaying(ctx);
  const QString body = bodyText(ctx);
  if (modMain.blfancy) {
    pages::setFancyPictureTags();
    return htmlResponse(pages::fancyPage(body), extraHeader);
  }
  if (modMain.blXML) {
    FramedResponse out;
    out.header = headerBlock("text/xml", extraHeader);
    out.body = XMLResponse(body).toUtf8();
    return out;
  }
  QString page;
  if (modMain.blPDA) page = PDAResponse(body);
  if (modMain.blPlain) page = PlainResponse(body);
  if (modMain.blSimpleHTML) page = SimpleHTMLResponse(body);
  if (modMain.blTextOnly) page = body;
  if (ctx.commandWord == QLatin1String("poll")) page = ctx.replyText;
  return htmlResponse(page, extraHeader);
}
