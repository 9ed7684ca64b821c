#include "pages/LoginAndControlBar.h"

#include "app/ModMain.h"
#include "pages/PageParts.h"

using namespace pages;

QString LoginPage() {
  return joinLines(
      {kDoctype, "<html><head>", kTitle, "<style type=text/css>", kBodyFontRule,
       kLinkColourRule, kButtonRule,
       "a.gbutton {font-size:smaller;padding:2px; color:#333333; text-decoration:none; "
       "border-style:solid; border-color: #333333; border-width:1px;}",
       kHiliteRule, "</style></head>",
       QString(R"(<body><table><tr><td><img width="100" height="84" src="/ilogo.gif" /></td>)"
               R"(<td><h3>Quaverly</h3>Version )") +
           kVersionText + "</td></tr></table><p align=left></p>",
       R"(<p>You must enter a password<form name="qv" action="/login" method="post"><input name="password" type="password">)",
       R"(<input type="submit" value="Login"></form>)", "</body></html>"});
}

QString ControlBar() {
  QString bar =
      R"(<a title="Previous Song" class="button" href = "/prev">&lt;&lt;</a> )"
      R"(<a title="Play/Pause" class="button" href = "/playpause">&nbsp;&gt;&nbsp;</a> )"
      R"(<a title="Next Song" class="button" href = "/next">&gt;&gt;</a> )"
      R"(<a title="Now Playing" class="button" href = "/show">Now Playing</a> )"
      R"(<a title="Playlists" class="button" href = "/listpl">Playlists</a> )";
  if (modMain.loadcomplete) {
    if (modMain.browseMode.compare("genre", Qt::CaseInsensitive) == 0)
      bar += R"(<a title="Browse Genres" class="button" href = "/dobrowse">Browse</a> )";
    else
      bar += R"(<a title="Browse Artists" class="button" href = "/artistbrowse.qv?startp=1">Browse</a> )";
  }
  bar += R"(<a title="Vol+" class="button" href = "/volup">Vol+</a> )"
         R"(<a title="Vol-"  class="button" href = "/voldown">Vol-</a> )"
         R"(<a title="Mute"  class="button" href = "/mute">Mute</a>)";
  if (modMain.blPDA)
    bar = "<table border=0 bgcolor=#FFFFFF width=240 cellpadding=0 cellspacing=0><tr><td>" +
          bar + "</td></tr></table>";
  return bar;
}
