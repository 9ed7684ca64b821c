// The login page and the control bar.
#include "pages/LoginAndControlBar.h"
#include "PageTestText.h"

using namespace pagestest;

namespace {

TEST_F(PagesTest, LoginPageAsksForThePassword) {
  EXPECT_EQ(LoginPage(), crlfText(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<html><head>
<title>Quaverly</title>
<style type=text/css>
body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;}
a {color:#7405E3;}
a.button {padding:2px; color:#7405E3; text-decoration:none; border-style:solid; border-color: #7405E3; border-width:1px;}
a.gbutton {font-size:smaller;padding:2px; color:#333333; text-decoration:none; border-style:solid; border-color: #333333; border-width:1px;}
.hilite {text-decoration:none;background-color:#7405E3;color:#FFFFFF;}
</style></head>
<body><table><tr><td><img width="100" height="84" src="/ilogo.gif" /></td><td><h3>Quaverly</h3>Version 0.2.2 Beta</td></tr></table><p align=left></p>
<p>You must enter a password<form name="qv" action="/login" method="post"><input name="password" type="password">
<input type="submit" value="Login"></form>
</body></html>)"));
}

const char kTransport[] =
    R"(<a title="Previous Song" class="button" href = "/prev">&lt;&lt;</a> )"
    R"(<a title="Play/Pause" class="button" href = "/playpause">&nbsp;&gt;&nbsp;</a> )"
    R"(<a title="Next Song" class="button" href = "/next">&gt;&gt;</a> )"
    R"(<a title="Now Playing" class="button" href = "/show">Now Playing</a> )"
    R"(<a title="Playlists" class="button" href = "/listpl">Playlists</a> )";
const char kVolume[] =
    R"(<a title="Vol+" class="button" href = "/volup">Vol+</a> )"
    R"(<a title="Vol-"  class="button" href = "/voldown">Vol-</a> )"
    R"(<a title="Mute"  class="button" href = "/mute">Mute</a>)";
const char kBrowseGenres[] = R"(<a title="Browse Genres" class="button" href = "/dobrowse">Browse</a> )";
const char kBrowseArtists[] =
    R"(<a title="Browse Artists" class="button" href = "/artistbrowse.qv?startp=1">Browse</a> )";

struct BarCase {
  bool loadcomplete;
  const char* browseMode;
  bool blPDA;
  const char* browseButton;
};

void PrintTo(const BarCase& c, std::ostream* os) {
  *os << "loadcomplete=" << c.loadcomplete << " browseMode=\"" << c.browseMode
      << "\" blPDA=" << c.blPDA;
}

class ControlBarTest : public PagesTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ControlBarTest, ButtonsFollowDatabaseBrowseModeAndStyle) {
  modMain.loadcomplete = GetParam().loadcomplete;
  modMain.browseMode = GetParam().browseMode;
  modMain.blPDA = GetParam().blPDA;
  QString expected = QString(kTransport) + GetParam().browseButton + kVolume;
  if (GetParam().blPDA)
    expected = "<table border=0 bgcolor=#FFFFFF width=240 cellpadding=0 cellspacing=0><tr><td>" +
               expected + "</td></tr></table>";
  EXPECT_EQ(ControlBar(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ControlBarTest,
    ::testing::Values(BarCase{false, "genre", false, ""}, BarCase{false, "artist", false, ""},
                      BarCase{true, "genre", false, kBrowseGenres},
                      BarCase{true, "Genre", false, kBrowseGenres},
                      BarCase{true, "artist", false, kBrowseArtists},
                      BarCase{true, "", false, kBrowseArtists},
                      BarCase{true, "genre", true, kBrowseGenres},
                      BarCase{false, "genre", true, ""}));

}  // namespace
