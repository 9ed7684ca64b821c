#include "pages/FancyFrame.h"

#include "app/ModMain.h"
#include "app/ServerWindowState.h"
#include "pages/PageParts.h"

using namespace pages;

namespace {

QString topHTML() {
  return joinLines(
      {kDoctype,
       R"(<META HTTP-EQUIV="CACHE-CONTROL" CONTENT="NO-CACHE">)",
       R"(<META HTTP-EQUIV="EXPIRES" CONTENT="-1">)",
       "<html>",
       "<head>",
       kTitle,
       "<style type=text/css>",
       R"(body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;color:#FFFFFF;})",
       "a {color:#FFFFFF;}",
       kButtonRule,
       "a.gbutton {font-size:smaller;padding:2px; color:#FFFFFF; text-decoration:none; "
       "border-style:solid; border-color: #CCCCCC; border-width:1px;}",
       ".hilite {text-decoration:none;background-color:#000000;color:#FFFFFF;}",
       "</style>",
       R"(<script language="javascript">)",
       "<!--",
       "var myimages=new Array();",
       R"~(preloadimages("/images/eclairs.jpg","/images/title.png","/images/middle.png","/images/middle_bar.png"))~",
       kRedirectTimer,
       "function redirect() {",
       kRedirectIfShow,
       "        window.location.href = '/show/' ;",
       "    }",
       kRedirectIfVolume,
       "        window.location.href = '/show/' ;",
       "    }",
       kRedirectIfPlaysong,
       "        window.location.href = '/show/' ;",
       "    }",
       "}",
       "function preloadimages(){",
       "     for (i=0;i<preloadimages.arguments.length;i++){",
       "          myimages[i]=new Image()",
       "         myimages[i].src=preloadimages.arguments[i]",
       "     }",
       "}",
       "//-->",
       "</script>",
       "</head>",
       R"(<body background="/images/eclairs.jpg" leftmargin="0" topmargin="0" marginwidth="0" marginheight="0">)",
       R"(<table width="100%" height="100%"  border="0" align="center">)",
       "<tr>",
       "<td>",
       R"(<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">)",
       "<tr>",
       R"(<td height="110" valign="bottom">)"});
}

QString bottomHTML2() {
  QStringList lines = {"",
                       R"(</td><tr><td  align=middle><form name="qv" action="/search.qv" )"
                       R"(method="get"><input name="search" type="text">)"};
  lines << searchTypeRadios(QString(kSearchSubmit) + "</form>");
  lines << "</td>" << "</tr>" << "</table>" << R"(<map name="MapMap">)"
        << R"(<area shape="rect" coords="58,6,98,24" href="/prev" alt="Previous Song" title="Previous Song">)"
        << R"(<area shape="rect" coords="98,6,138,24" href="/playpause/" alt="Pause" title="Pause">)"
        << R"(<area shape="rect" coords="138,6,178,24" href="/playpause/" alt="Play" title="Play">)"
        << R"(<area shape="rect" coords="178,6,218,24" href="/next" alt="Next Song" title="Next Song">)"
        << R"(<area shape="rect" coords="218,6,260,24" href="/show" alt="Info" title="Now Playing">)"
        << R"(<area shape="rect" coords="260,6,300,24" href="/listpl/" alt="Playlists" title="Playlists">)"
        << R"(<area shape="rect" coords="300,6,334,24" href="/voldown/" alt="Vol-" title="Vol-">)"
        << R"(<area  shape="rect" coords="334,6,368,24" href="/volup/" alt="Vol+" title="Vol+">)";
  if (modMain.browseMode.compare("artist", Qt::CaseInsensitive) == 0)
    lines << R"(<area  shape="rect" coords="380,6,416,24" href="/artistbrowse.qv?startp=1" )"
             R"(alt="Browse Artists" title="Browse Artists">)";
  else
    lines << R"(<area  shape="rect" coords="380,6,416,24" href="/dobrowse/" )"
             R"(alt="Browse Genres" title="Browse Genres">)";
  lines << R"(<area  shape="rect" coords="420,6,460,24" href="/preferences/" alt="Preferences" title="Preferences">)"
        << "</map>" << "</td>" << "</tr>" << "</table>" << "</body>" << "</html>";
  return joinLines(lines);
}

}  // namespace

void SetHTML() {
  window1.topHTML = topHTML();
  window1.topHTML2 = joinLines({"", "</td>", "</tr>", "</table>"});
  window1.topHTML3 = joinLines(
      {"", "<tr>", R"(<td height="120" align="left" valign="top">)",
       R"(<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">)",
       "<tr>", R"(<td width="60">&nbsp;</td><td  height="114" valign="top">)"});
  window1.bottomHTML = joinLines(
      {"</td>", "</tr>", "</table>", "</td>", "</tr>", "</table>",
       R"(<table width="512" border="0" align="center" cellpadding="0" cellspacing="0">)",
       "<tr>"});
  window1.bottomHTML2 = bottomHTML2();
}

namespace pages {

void setFancyPictureTags() {
  window1.imgTitleTag = kImgTitleTag;
  window1.imgMiddleTag = kImgMiddleTag;
  window1.imgBarTag = kImgBarTag;
}

QString fancyPage(const QString& body) {
  return window1.topHTML + window1.imgTitleTag + window1.topHTML2 + window1.imgMiddleTag +
         window1.topHTML3 + body + window1.bottomHTML + window1.imgBarTag + window1.bottomHTML2;
}

}  // namespace pages
