#include "pages/NowPlaying.h"

#include "app/TextCodec.h"
#include "pages/NowPlayingFields.h"
#include "pages/PageParts.h"

using pages::Field;

namespace {

QString html(const QStringList& fields, Field which) {
  return text::htmlEscape(pages::field(fields, which));
}

QString xml(const QStringList& fields, Field which) {
  return text::xmlEscape(pages::field(fields, which));
}

// One labelled row of the simple-HTML table, with its element ids.
QStringList simpleRow(const QString& id, const QString& label, const QString& value) {
  return {"<tr>", "<td id=\"lbl" + id + "\">" + label + ":</td>",
          "<td id=\"txt" + id + "\">" + value + "</td>", "</tr>"};
}

}  // namespace

QString SetNormal(const QStringList& fields, const QString& tableAttributes,
                  const QString& artCell) {
  const auto row = [&](const QString& label, Field which) {
    return "<tr><td>" + label + ":</td><td>" + html(fields, which) + "</td></tr>";
  };
  return pages::joinLines(
      {"", "<table" + tableAttributes + " border=0>",
       "<tr><td>Artist:</td><td>" + html(fields, Field::Artist) +
           "</td><td align=left valign=top rowspan=10>" + artCell + "</td></tr>",
       row("Title", Field::Title), row("Album", Field::Album), row("Genre", Field::Genre),
       row("Year", Field::Year), row("Time", Field::Time),
       "<tr><td colspan=2>&nbsp;</td></tr>", "<tr><td colspan=2>&nbsp;</td></tr>",
       "<tr><td><i>Current Playlist:</i></td><td><i>" + pages::currentPlaylistLink(fields) +
           "</i></td></tr>",
       pages::shuffleRepeatRow(), "</table>"});
}

QString SetSimpleHTML(const QStringList& fields) {
  QStringList lines = {"", R"(<table id="info" border="0">)"};
  lines << simpleRow("Artist", "Artist", html(fields, Field::Artist))
        << simpleRow("Title", "Title", html(fields, Field::Title))
        << simpleRow("Album", "Album", html(fields, Field::Album))
        << simpleRow("Genre", "Genre", html(fields, Field::Genre))
        << simpleRow("Year", "Year", html(fields, Field::Year))
        << simpleRow("Time", "Time", html(fields, Field::Time))
        << simpleRow("Playlist", "Current Playlist", html(fields, Field::PlaylistName));
  lines << "</table>";
  return pages::joinLines(lines);
}

QString setJustText(const QStringList& fields) {
  QStringList lines;
  for (Field which : {Field::Artist, Field::Title, Field::Album, Field::Genre, Field::Year,
                      Field::Time, Field::PlaylistName})
    lines << html(fields, which);
  return pages::joinLines(lines);
}

QString setXML(const QStringList& fields) {
  return pages::joinLines({"<QuaverlyInfo>", "<qvCurrentSong>",
                           "<qvArtist>" + xml(fields, Field::Artist) + "</qvArtist>",
                           "<qvTitle>" + xml(fields, Field::Title) + "</qvTitle >",
                           "<qvAlbum>" + xml(fields, Field::Album) + "</qvAlbum>",
                           "<qvGenre>" + xml(fields, Field::Genre) + "</qvGenre>",
                           "<qvYear>" + xml(fields, Field::Year) + "</qvYear>",
                           "<qvTime>" + xml(fields, Field::Time) + "</qvTime>",
                           "</qvCurrentSong>", "<qvCurrentPlayList>",
                           "<qvPlaylist>" + xml(fields, Field::PlaylistName) + "</qvPlaylist>",
                           "</qvCurrentPlayList>", "</QuaverlyInfo>"});
}
