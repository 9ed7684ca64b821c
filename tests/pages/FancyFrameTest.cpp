// The fancy frame: its five templates, the picture tags and the order of assembly.
#include "pages/FancyFrame.h"
#include "pages/NowPlaying.h"
#include "PageTestText.h"

using namespace pagestest;

namespace {

const QString kTopHTML = crlfText(R"~(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">
<META HTTP-EQUIV="EXPIRES" CONTENT="-1">
<html>
<head>
<title>Quaverly</title>
<style type=text/css>
body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;color:#FFFFFF;}
a {color:#FFFFFF;}
a.button {padding:2px; color:#7405E3; text-decoration:none; border-style:solid; border-color: #7405E3; border-width:1px;}
a.gbutton {font-size:smaller;padding:2px; color:#FFFFFF; text-decoration:none; border-style:solid; border-color: #CCCCCC; border-width:1px;}
.hilite {text-decoration:none;background-color:#000000;color:#FFFFFF;}
</style>
<script language="javascript">
<!--
var myimages=new Array();
preloadimages("/images/eclairs.jpg","/images/title.png","/images/middle.png","/images/middle_bar.png")
setTimeout( "redirect()", 30000 );
function redirect() {
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
function preloadimages(){
     for (i=0;i<preloadimages.arguments.length;i++){
          myimages[i]=new Image()
         myimages[i].src=preloadimages.arguments[i]
     }
}
//-->
</script>
</head>
<body background="/images/eclairs.jpg" leftmargin="0" topmargin="0" marginwidth="0" marginheight="0">
<table width="100%" height="100%"  border="0" align="center">
<tr>
<td>
<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">
<tr>
<td height="110" valign="bottom">)~");

const QString kTopHTML2 = crlfText(R"(
</td>
</tr>
</table>)");

const QString kTopHTML3 = crlfText(R"(
<tr>
<td height="120" align="left" valign="top">
<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">
<tr>
<td width="60">&nbsp;</td><td  height="114" valign="top">)");

const QString kBottomHTML = crlfText(R"(</td>
</tr>
</table>
</td>
</tr>
</table>
<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">
<tr>)");

// %1: the Genre radio (database loaded), %2: the browse area.
const char kBottomHTML2[] = R"(
</td><tr><td  align=middle><form name="qv" action="/search.qv" method="get"><input name="search" type="text">
<input type="radio" name="type" value="name" CHECKED>Track
<input type="radio" name="type" value="artist">Artist
<input type="radio" name="type" value="album">Album%1<input type="hidden" name="startp" value="1"><input type="submit" value="Search"></form>
</td>
</tr>
</table>
<map name="MapMap">
<area shape="rect" coords="58,6,98,24" href="/prev" alt="Previous Song" title="Previous Song">
<area shape="rect" coords="98,6,138,24" href="/playpause/" alt="Pause" title="Pause">
<area shape="rect" coords="138,6,178,24" href="/playpause/" alt="Play" title="Play">
<area shape="rect" coords="178,6,218,24" href="/next" alt="Next Song" title="Next Song">
<area shape="rect" coords="218,6,260,24" href="/show" alt="Info" title="Now Playing">
<area shape="rect" coords="260,6,300,24" href="/listpl/" alt="Playlists" title="Playlists">
<area shape="rect" coords="300,6,334,24" href="/voldown/" alt="Vol-" title="Vol-">
<area  shape="rect" coords="334,6,368,24" href="/volup/" alt="Vol+" title="Vol+">
%2
<area  shape="rect" coords="420,6,460,24" href="/preferences/" alt="Preferences" title="Preferences">
</map>
</td>
</tr>
</table>
</body>
</html>)";

const char kGenreRadio[] = "\n" R"(<input type="radio" name="type" value="genre">Genre)";
const char kArtistArea[] =
    R"(<area  shape="rect" coords="380,6,416,24" href="/artistbrowse.qv?startp=1" alt="Browse Artists" title="Browse Artists">)";
const char kGenreArea[] =
    R"(<area  shape="rect" coords="380,6,416,24" href="/dobrowse/" alt="Browse Genres" title="Browse Genres">)";

struct FrameCase {
  bool loadcomplete;
  const char* browseMode;
  bool artistArea;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
  *os << "loadcomplete=" << c.loadcomplete << " browseMode=\"" << c.browseMode << '"';
}

class FrameTest : public PagesTest, public ::testing::WithParamInterface<FrameCase> {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    modMain.loadcomplete = GetParam().loadcomplete;
    modMain.browseMode = GetParam().browseMode;
    SetHTML();
  }
};

TEST_P(FrameTest, TemplatesFollowDatabaseAndBrowseMode) {
  EXPECT_EQ(window1.topHTML, kTopHTML);
  EXPECT_EQ(window1.topHTML2, kTopHTML2);
  EXPECT_EQ(window1.topHTML3, kTopHTML3);
  EXPECT_EQ(window1.bottomHTML, kBottomHTML);
  EXPECT_EQ(window1.bottomHTML2,
            crlfText(QString(kBottomHTML2)
                         .arg(QString(GetParam().loadcomplete ? kGenreRadio : ""),
                              QString(GetParam().artistArea ? kArtistArea : kGenreArea))));
}

INSTANTIATE_TEST_SUITE_P(Settings, FrameTest,
                         ::testing::Values(FrameCase{true, "genre", false},
                                           FrameCase{false, "genre", false},
                                           FrameCase{true, "artist", true},
                                           FrameCase{false, "Artist", true},
                                           FrameCase{true, "ARTIST", true},
                                           FrameCase{true, "", false}));

TEST_F(PagesTest, BrowseModeChangeAloneKeepsTheBrowseArea) {
  modMain.browseMode = "genre";
  SetHTML();
  modMain.browseMode = "artist";
  EXPECT_TRUE(window1.bottomHTML2.contains(kGenreArea));
}

TEST_F(PagesTest, FancyPageJoinsTemplatesTagsAndBodyInOrder) {
  modMain.loadcomplete = true;
  modMain.browseMode = "genre";
  SetHTML();
  pages::setFancyPictureTags();
  const QString body = "Good evening." + SetNormal(kFields, R"( width="100%")", "&nbsp;");
  const QString titleTag = "\r\n" R"(<div align="left"><img src="/images/title.png"></div>)";
  const QString middleTag =
      "\r\n" R"(<table width="512" border="0" align="center" cellpadding="0" cellspacing="0" background="/images/middle.png">)";
  const QString barTag =
      "\r\n" R"(<td style="height:64; width:512; " align="center"><img src="/images/middle_bar.png" border="0" usemap="#MapMap">)";
  EXPECT_EQ(window1.imgTitleTag, titleTag);
  EXPECT_EQ(window1.imgMiddleTag, middleTag);
  EXPECT_EQ(window1.imgBarTag, barTag);
  EXPECT_EQ(pages::fancyPage(body),
            kTopHTML + titleTag + kTopHTML2 + middleTag + kTopHTML3 + body + kBottomHTML +
                barTag + crlfText(QString(kBottomHTML2).arg(QString(kGenreRadio), QString(kGenreArea))));
  // The body continues the cell's line and the cell closes right after its last line.
  EXPECT_TRUE(pages::fancyPage(body).contains(
      R"(<td  height="114" valign="top">Good evening.)" "\r\n" R"(<table width="100%" border=0>)"));
  EXPECT_TRUE(pages::fancyPage(body).contains("</table></td>\r\n</tr>"));
}

}  // namespace
