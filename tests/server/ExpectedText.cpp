#include "ExpectedText.h"

namespace expected {

QString lines(const QStringList& lines) { return lines.join("\r\n"); }

const QString kControlBar = QStringLiteral(
    R"(<a title="Previous Song" class="button" href = "/prev">&lt;&lt;</a> )"
    R"(<a title="Play/Pause" class="button" href = "/playpause">&nbsp;&gt;&nbsp;</a> )"
    R"(<a title="Next Song" class="button" href = "/next">&gt;&gt;</a> )"
    R"(<a title="Now Playing" class="button" href = "/show">Now Playing</a> )"
    R"(<a title="Playlists" class="button" href = "/listpl">Playlists</a> )"
    R"(<a title="Vol+" class="button" href = "/volup">Vol+</a> )"
    R"(<a title="Vol-"  class="button" href = "/voldown">Vol-</a> )"
    R"(<a title="Mute"  class="button" href = "/mute">Mute</a>)");

QString handheldControlBar() {
  return "<table border=0 bgcolor=#FFFFFF width=240 cellpadding=0 cellspacing=0><tr><td>" + kControlBar +
         "</td></tr></table>";
}

namespace {
const QString kShuffleRepeatRow = QStringLiteral(
    "<tr><td colspan=2>Shuffle:<a href=/shuffleon>On</a>/<a href=/shuffleoff>Off</a>&nbsp;"
    "Repeat:<a href=/repeatoff>Off</a>/<a href=/repeatall>All</a>/<a href=/repeatone>One</a></td></tr>");
}

QString normalTable(const QStringList& f, const QString& tableAttributes, const QString& artCell) {
  return lines({"",
                "<table" + tableAttributes + " border=0>",
                "<tr><td>Artist:</td><td>" + f[0] + "</td><td align=left valign=top rowspan=10>" + artCell +
                    "</td></tr>",
                "<tr><td>Title:</td><td>" + f[1] + "</td></tr>",
                "<tr><td>Album:</td><td>" + f[2] + "</td></tr>",
                "<tr><td>Genre:</td><td>" + f[3] + "</td></tr>",
                "<tr><td>Year:</td><td>" + f[4] + "</td></tr>",
                "<tr><td>Time:</td><td>" + f[5] + "</td></tr>",
                "<tr><td colspan=2>&nbsp;</td></tr>",
                "<tr><td colspan=2>&nbsp;</td></tr>",
                "<tr><td><i>Current Playlist:</i></td><td><i><a href=\"/showplaylist.qv?plid=" + f[7] + "\">" +
                    f[6] + "</a></i></td></tr>",
                kShuffleRepeatRow,
                "</table>"});
}

QString handheldTable(const QStringList& f) {
  QStringList out = {"", "<table bgcolor=#FFFFFF border=0 width=240 cellspadding=0 cellspacing=0>"};
  const char* labels[] = {"Artist:", "Title:", "Album:", "Genre:", "Year:", "Time:"};
  for (int i = 0; i < 6; ++i)
    out << "<tr><td width=\"60\">" + QString(labels[i]) + "</td><td width=\"180\">" + f[i] + "</td></tr>";
  out << "<tr><td width=\"60\"><i>Playlist:</i></td><td><i><a href=\"/showplaylist.qv?plid=" + f[7] + "\">" +
             f[6] + "</a></i></td></tr>"
      << kShuffleRepeatRow << "</table>";
  return lines(out);
}

QString simpleTable(const QStringList& f) {
  QStringList out = {"", "<table id=\"info\" border=\"0\">"};
  const char* ids[] = {"Artist", "Title", "Album", "Genre", "Year", "Time", "Playlist"};
  for (int i = 0; i < 7; ++i) {
    const QString id = ids[i];
    const QString label = i == 6 ? QStringLiteral("Current Playlist:") : id + ":";
    out << "<tr>" << "<td id=\"lbl" + id + "\">" + label + "</td>" << "<td id=\"txt" + id + "\">" + f[i] + "</td>"
        << "</tr>";
  }
  out << "</table>";
  return lines(out);
}

QString justText(const QStringList& f) { return lines(f.mid(0, 7)); }

QString xmlInfo(const QStringList& f) {
  return lines({"<QuaverlyInfo>", "<qvCurrentSong>", "<qvArtist>" + f[0] + "</qvArtist>",
                "<qvTitle>" + f[1] + "</qvTitle >", "<qvAlbum>" + f[2] + "</qvAlbum>",
                "<qvGenre>" + f[3] + "</qvGenre>", "<qvYear>" + f[4] + "</qvYear>",
                "<qvTime>" + f[5] + "</qvTime>", "</qvCurrentSong>", "<qvCurrentPlayList>",
                "<qvPlaylist>" + f[6] + "</qvPlaylist>", "</qvCurrentPlayList>", "</QuaverlyInfo>"});
}

QString loginPage() {
  return lines({
      R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)",
      "<html><head>",
      "<title>Quaverly</title>",
      "<style type=text/css>",
      R"(body,td,th {font-size:smaller;font-family: "Trebuchet MS",Verdana,Arial;})",
      "a {color:#7405E3;}",
      "a.button {padding:2px; color:#7405E3; text-decoration:none; border-style:solid; border-color: #7405E3; "
      "border-width:1px;}",
      "a.gbutton {font-size:smaller;padding:2px; color:#333333; text-decoration:none; border-style:solid; "
      "border-color: #333333; border-width:1px;}",
      ".hilite {text-decoration:none;background-color:#7405E3;color:#FFFFFF;}",
      "</style></head>",
      R"(<body><table><tr><td><img width="100" height="84" src="/ilogo.gif" /></td><td><h3>Quaverly</h3>Version )"
      "0.2.2 Beta</td></tr></table><p align=left></p>",
      R"(<p>You must enter a password<form name="qv" action="/login" method="post"><input name="password" type="password">)",
      R"(<input type="submit" value="Login"></form>)",
      "</body></html>",
  });
}

}  // namespace expected
