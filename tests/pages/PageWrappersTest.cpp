// Whole pages around a body: normal, simple HTML, handheld and XML.
#include "pages/Handheld.h"
#include "pages/PageWrappers.h"
#include "PageTestText.h"

using namespace pagestest;

namespace {

// The browser flag and the database state decide the optional pieces of a page.
struct PageCase {
  bool isIE5;
  bool loadcomplete;
};

void PrintTo(const PageCase& c, std::ostream* os) {
  *os << "isIE5=" << c.isIE5 << " loadcomplete=" << c.loadcomplete;
}

const PageCase kPageCases[] = {{false, false}, {false, true}, {true, false}, {true, true}};

const char kIEMeta[] = R"(<META HTTP-EQUIV="PRAGMA" CONTENT="NO-CACHE">)";
const char kIEHead[] = R"(<head><META HTTP-EQUIV="PRAGMA" CONTENT="NO-CACHE"></head>)";
// The script that sends now-playing pages back to "/show/", in the normal and handheld pages.
const char kRedirectScript[] = R"~(<script language="javascript">
<!--
setTimeout( "redirect()", 30000 );
function redirect()
{
    if (  window.location.href.indexOf('/show')>0 & window.location.href.indexOf('/showplaylist')<0 ) {
       window.location.href = '/show/' ;
      }
    if (window.location.href.indexOf('/volup')>=0 | window.location.href.indexOf('/voldown')>=0 | window.location.href.indexOf('/mute')>=0 ) {
      window.location.href = '/show/' ;
      }
    if (window.location.href.indexOf('/playsong')>=0) {
      window.location.href = '/show/' ;
      }
}
//-->
</script>)~";
const char kGenreRadio[] = "\r\n" R"(<input type="radio" name="type" value="genre">Genre)";

class WrapperTest : public PagesTest, public ::testing::WithParamInterface<PageCase> {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    window1.isIE5 = GetParam().isIE5;
    modMain.loadcomplete = GetParam().loadcomplete;
  }
  // Fills {REDIRECT_SCRIPT}, {IE_META}, {GENRE}, {IE_HEAD} and {BODY}.
  QString expected(const QString& page, const QString& body) const {
    return crlfText(page)
        .replace("{REDIRECT_SCRIPT}", crlfText(kRedirectScript))
        .replace("{IE_META}", GetParam().isIE5 ? kIEMeta : "")
        .replace("{GENRE}", GetParam().loadcomplete ? kGenreRadio : "")
        .replace("{IE_HEAD}", GetParam().isIE5 ? kIEHead : "")
        .replace("{BODY}", body);
  }
};

TEST_P(WrapperTest, NormalPage) {
  const QString body = "Good evening.<br>Some message";
  EXPECT_EQ(PlainResponse(body), expected(R"~(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">{IE_META}
<META HTTP-EQUIV="EXPIRES" CONTENT="-1">
<html><head>
{REDIRECT_SCRIPT}
<title>Quaverly</title>
<style type=text/css>
body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;}
a {color:#7405E3;}
a.button {padding:2px; color:#7405E3; text-decoration:none; border-style:solid; border-color: #7405E3; border-width:1px;}
a.gbutton {font-size:smaller; padding:2px; color:#333333; text-decoration:none; border-style:solid; border-color:#333333; border-width:1px;}
.hilite {text-decoration:none;background-color:#7405E3;color:#FFFFFF;}
</style></head>
<body>
<table border="0" width="400"><tr><td><img width="100" height="84" src="/ilogo.gif" /></td><td ><h3>Quaverly</h3>Version 0.2.2 Beta</td><td align=right valign=bottom><a class="gbutton" href="/preferences/">Preferences</a></tr></table>
<p align=left>{BODY}</p>
<p><form name="qv" action="/search.qv" method="get"><input name="search" type="text">
<input type="radio" name="type" value="name" CHECKED>Track
<input type="radio" name="type" value="artist">Artist
<input type="radio" name="type" value="album">Album{GENRE}<input type="hidden" name="startp" value="1"><input type="submit" value="Search">
</form></body>{IE_HEAD}</html>)~",
                                          body));
}

TEST_P(WrapperTest, SimplePage) {
  EXPECT_EQ(SimpleHTMLResponse("<b>x</b>"), expected(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">{IE_META}
<META HTTP-EQUIV="EXPIRES" CONTENT="-1">
<html><head>
<title>Quaverly</title>
</head>
<body>
{BODY}
</body>{IE_HEAD}</html>)",
                                                      "<b>x</b>"));
}

TEST_P(WrapperTest, HandheldPage) {
  const QString body = "Hello" + SetPDA(kFields);
  EXPECT_EQ(PDAResponse(body), expected(R"~(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">{IE_META}
<META HTTP-EQUIV="EXPIRES" CONTENT="-1">
<html><head>
{REDIRECT_SCRIPT}
<title>Quaverly</title></head>
<body link="#7405E3" alink="#7405E3" vlink="#7405E3" bgcolor="#FFFFFF"><font face=Tahoma, Verdana, Arial>
<table bgcolor=#FFFFFF border="0" width="240" cellpadding="0" cellspacing="0">
<tr><td ><h3><font color="#400080">Quaverly</font></h3>Version 0.2.2 Beta</td><td align=right valign=bottom><a href="/preferences/">Preferences</a></td></tr></table>
{BODY}
<table bgcolor="#FFFFFF" border="0" width="240" cellpadding="0" cellspacing="0"><tr><td colspan="2"><form name="qv" action="/search.qv" method="get"><input size="20" name="search" type="text">
<br><input type="radio" name="type" value="name" CHECKED>Track
<input type="radio" name="type" value="artist">Artist
<input type="radio" name="type" value="album">Album{GENRE}<input type="hidden" name="startp" value="1"><input type="submit" value="Search">
</form></td></tr></table></font></body>{IE_HEAD}</html>)~",
                                        body));
}

INSTANTIATE_TEST_SUITE_P(BrowserAndDatabase, WrapperTest, ::testing::ValuesIn(kPageCases));

TEST_F(PagesTest, SimplePageWithEmptyBodyKeepsTheEmptyLine) {
  EXPECT_TRUE(SimpleHTMLResponse("").endsWith("<body>\r\n\r\n</body></html>"));
}

TEST_F(PagesTest, HandheldNowPlayingTableStartsOnItsOwnLine) {
  EXPECT_TRUE(PDAResponse("Hello" + SetPDA(kFields))
                  .contains("\r\nHello\r\n<table bgcolor=#FFFFFF border=0 width=240 "));
}

TEST_F(PagesTest, XMLResponsePrefixesTheDeclarationToAnyBody) {
  EXPECT_EQ(XMLResponse("Playing."), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\nPlaying.");
}

}  // namespace
