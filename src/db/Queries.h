#pragma once
// One query operation per database page. Each runs its one statement through the
// query connection, with every value from the request bound as a parameter, and returns
// the rendered result items ("%@" after each), with a trailer where the page needs one.
#include <QString>

inline constexpr char kNoTracksMatched[] = "No tracks matched the search query.";

QString DBQueryListPlayLists();
// The playlist's tracks, the current track marked; the trailer is the playlist's name.
QString DBQueryShowPlayList(const QString& playlistId, const QString& currentTrackId);
// type: "artist", "name", "genre" or "album"; the trailer is the library playlist's id.
QString DBQuerySearchTrack(const QString& term, const QString& type);
QString DBQueryListGenres();
// The artists of a genre (letter case and accents ignored); remembered in savegenre.
QString DBQueryBrowseGenre(const QString& genre);
QString DBQueryArtistBrowser();
// An artist's tracks, restricted to savegenre when byGenre.
QString DBQueryBrowseArtist(const QString& artistId, bool byGenre);
