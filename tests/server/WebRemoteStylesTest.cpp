// The now-playing page in each of the six styles, the poll, and what the page makes of
// unusual player replies: empty, short, with markup characters, accents and CJK text.
#include <QFile>
#include <QXmlStreamReader>
#include <functional>

#include "ExpectedText.h"
#include "WebRemoteFixture.h"
#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "pages/Handheld.h"
#include "pages/PageWrappers.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace {

const QStringList kFields = {"Ana Example", "First Song", "Blue Album", "Jazz", "1999",
                             "1:02 / 3:04", "Library",    "2001",       "wbfittemp.png"};
const QByteArray kIE5Agent = "User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows 98)\r\n";

QByteArray reply(const QStringList& fields) { return (fields.join("%@") + "%@").toUtf8(); }

QString fancyFrame(const QString& body) {
  return window1.topHTML + "\r\n<div align=\"left\"><img src=\"/images/title.png\"></div>" + window1.topHTML2 +
         "\r\n<table width=\"512\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\" "
         "background=\"/images/middle.png\">" +
         window1.topHTML3 + body + window1.bottomHTML +
         "\r\n<td style=\"height:64; width:512; \" align=\"center\"><img src=\"/images/middle_bar.png\" "
         "border=\"0\" usemap=\"#MapMap\">" +
         window1.bottomHTML2;
}

QByteArray xmlResponse(const QString& body) {
  return "HTTP/1.1 200 OK\r\nServer: Quaverly\r\nContent-Type: text/xml\r\n\r\n" +
         ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + body).toUtf8();
}

void useOnlyStyle(bool ModMain::*style) {
  for (bool ModMain::*flag : {&ModMain::blPlain, &ModMain::blfancy, &ModMain::blPDA, &ModMain::blSimpleHTML,
                              &ModMain::blTextOnly, &ModMain::blXML})
    modMain.*flag = false;
  modMain.*style = true;
}

struct StyleCase {
  const char* name;
  bool ModMain::*flag;
  // The whole response for a now-playing reply with these (page-ready) fields.
  std::function<QByteArray(const QStringList& fields, const QString& artCell, const Moment& m)> page;
};

QByteArray normalStyle(const QStringList& f, const QString& art, const Moment& m) {
  return normalPage(expected::normalTable(f, " ", art), m);
}
QByteArray fancyStyle(const QStringList& f, const QString& art, const Moment&) {
  return html(fancyFrame(expected::normalTable(f, " width=\"100%\"", art)));
}
QByteArray handheldStyle(const QStringList& f, const QString&, const Moment&) {
  return html(PDAResponse(expected::handheldTable(f) + expected::handheldControlBar()));
}
QByteArray simpleStyle(const QStringList& f, const QString&, const Moment&) {
  return html(SimpleHTMLResponse(expected::simpleTable(f)));
}
QByteArray textStyle(const QStringList& f, const QString&, const Moment&) { return html(expected::justText(f)); }
QByteArray xmlStyle(const QStringList& f, const QString&, const Moment&) {
  return xmlResponse(expected::xmlInfo(f));
}

const StyleCase kStyles[] = {
    {"Normal", &ModMain::blPlain, normalStyle},         {"Fancy", &ModMain::blfancy, fancyStyle},
    {"Handheld", &ModMain::blPDA, handheldStyle},       {"SimpleHTML", &ModMain::blSimpleHTML, simpleStyle},
    {"TextOnly", &ModMain::blTextOnly, textStyle},      {"XML", &ModMain::blXML, xmlStyle},
};

struct NowPlayingCase {
  StyleCase style;
  bool art;
  bool ie5;
};

void PrintTo(const NowPlayingCase& c, std::ostream* os) {
  *os << c.style.name << (c.art ? " with art" : "") << (c.ie5 ? " for MSIE 5" : "");
}

class NowPlayingStyleTest : public WebRemoteFixture, public ::testing::WithParamInterface<NowPlayingCase> {};

TEST_P(NowPlayingStyleTest, ShowsTheTrackInTheWholePageOfItsStyle) {
  const NowPlayingCase& c = GetParam();
  useOnlyStyle(c.style.flag);
  modMain.blDisplayArt = c.art;
  qvtest::writeFile(albumArtPath("wbfittemp.png"), "png bytes");
  player->setReply("itunes", "show", reply(kFields));
  const QByteArray response = get("/show", c.ie5 ? kIE5Agent : QByteArray());
  window1.isIE5 = c.ie5;
  expectResponse(response, [&](const Moment& m) {
    const QString artCell =
        c.art ? "<img height=170 width=170 src=\"/wbfittemp.png?ts=" + m.stamp + "\">" : QStringLiteral("&nbsp;");
    return c.style.page(kFields, artCell, m);
  });
}

std::vector<NowPlayingCase> nowPlayingCases() {
  std::vector<NowPlayingCase> cases;
  for (const StyleCase& style : kStyles)
    for (const bool art : {false, true})
      for (const bool ie5 : {false, true}) cases.push_back({style, art, ie5});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(SixStyles, NowPlayingStyleTest, ::testing::ValuesIn(nowPlayingCases()),
                         [](const auto& info) {
                           const NowPlayingCase& c = info.param;
                           return std::string(c.style.name) + (c.art ? "WithArt" : "") + (c.ie5 ? "ForIE5" : "");
                         });

using WebRemotePages = WebRemoteFixture;

TEST_F(WebRemotePages, ThePollInTheNormalStyleIsTheTextAndPollOkAlone) {
  player->setReply("itunes", "show", reply(kFields));
  EXPECT_EQ(get("/poll"), html(expected::justText(kFields) + "\r\nPOLL OK"));
  EXPECT_EQ(player->calls(), QStringList({"itunes|show|x|x|itunes"}));
}

TEST_F(WebRemotePages, ThePollInTheFancyStyleIsWrappedInTheFrame) {
  useOnlyStyle(&ModMain::blfancy);
  player->setReply("itunes", "show", reply(kFields));
  EXPECT_EQ(get("/poll"), html(fancyFrame(expected::justText(kFields) + "\r\nPOLL OK")));
}

TEST_F(WebRemotePages, ThePollJudgesAReplyWithoutFields) {
  player->setReply("itunes", "show", "NOT PLAYING.  Please click play/pause.");
  EXPECT_EQ(get("/poll"), html(QStringLiteral("POLL OK")));
  player->setReply("itunes", "show", "");
  EXPECT_EQ(get("/poll"), html(QStringLiteral("BAD POLL")));
}

TEST_F(WebRemotePages, AnEmptyReplyAsksToTryAgain) {
  const QByteArray normal = get("/show");
  expectResponse(normal, [](const Moment& m) {
    return normalPage("<font color=red>Sorry, please try again!</font>", m);
  });
  useOnlyStyle(&ModMain::blTextOnly);
  EXPECT_EQ(get("/next"), html(QStringLiteral("Sorry, please try again!")));
}

TEST_F(WebRemotePages, AReplyWithoutSeparatorIsShownAsAMessage) {
  player->setReply("itunes", "show", "Not playing.  Please click play/pause.");
  const QByteArray response = get("/show");
  expectResponse(response, [](const Moment& m) { return normalPage("Not playing.  Please click play/pause.", m); });
}

TEST_F(WebRemotePages, AReplyWithTooFewFieldsShowsTheMissingOnesEmpty) {
  modMain.blDisplayArt = true;
  player->setReply("itunes", "show", "Solo Artist%@Only Title");
  const QStringList shown = {"Solo Artist", "Only Title", "", "", "", "", "", ""};
  const QByteArray normal = get("/show");
  expectResponse(normal, [&](const Moment& m) { return normalStyle(shown, "&nbsp;", m); });
  useOnlyStyle(&ModMain::blPDA);
  EXPECT_EQ(get("/show"), handheldStyle(shown, {}, {}));
  EXPECT_EQ(qvtest::logMessages().filter("Exception"), QStringList());
}

TEST_F(WebRemotePages, MarkupCharactersInATitleShowAsText) {
  QStringList raw = kFields;
  raw[1] = "Rock & Roll <3 \"Live\"";
  player->setReply("itunes", "show", reply(raw));
  QStringList shown = kFields;
  shown[1] = "Rock &amp; Roll &lt;3 &quot;Live&quot;";
  const QByteArray normal = get("/show");
  expectResponse(normal, [&](const Moment& m) { return normalStyle(shown, "&nbsp;", m); });

  useOnlyStyle(&ModMain::blXML);
  const QByteArray response = get("/show");
  const qsizetype bodyAt = response.indexOf("\r\n\r\n") + 4;
  QXmlStreamReader xml(response.mid(bodyAt));
  QString title;
  while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
    if (xml.isStartElement() && xml.name() == QLatin1String("qvTitle")) title = xml.readElementText();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(title, raw[1]);
}

TEST_F(WebRemotePages, AccentsAndCjkTextAreCountedInBytesAsSent) {
  QStringList raw = kFields;
  raw[0] = QString::fromUtf8("Beyonc\u00e9 M\u00fcller");
  raw[1] = QString::fromUtf8("\u591c\u306e\u6b4c");
  player->setReply("itunes", "show", reply(raw));
  QStringList shown = raw;
  shown[1] = "&#22812;&#12398;&#27468;";
  const QByteArray normal = get("/show");
  expectResponse(normal, [&](const Moment& m) {
    return html(PlainResponse(greeting(m) + expected::normalTable(shown, " ", "&nbsp;") + "<br><br>" +
                              expected::kControlBar)
                    .toLatin1());
  });
  EXPECT_TRUE(normal.contains("<td>Beyonc\xe9 M\xfcller</td>"));

  useOnlyStyle(&ModMain::blXML);
  EXPECT_EQ(get("/show"), xmlResponse(expected::xmlInfo(raw)));
}

}  // namespace
