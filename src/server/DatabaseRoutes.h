#pragma once
// The search and browse routes, the playlist routes while the track database is
// loaded, and the shaping of their replies into lines with page-by-page links.
#include <QString>

#include "server/RequestContext.h"

// "/search.qv": the database search, or the player's own without the database.
void routeSearch(RequestContext& ctx);
// "/browsegenre.qv": the artists of a genre.
void routeBrowseGenre(RequestContext& ctx);
// "/browseartist.qv": an artist's tracks, by genre unless bygenre=false.
void routeBrowseArtist(RequestContext& ctx);
// "/artistbrowse.qv": all artists.
void routeArtistBrowse(RequestContext& ctx);
// "/dobrowse": all genres.
void routeDoBrowse(RequestContext& ctx);

// "/listpl" with the database: the player's audio-CD playlists, then the database's.
QString listPlaylistsFromDatabase();
// "/showplaylist.qv" with the database: ctx.playlistId's tracks, the playing one marked.
void showPlaylistFromDatabase(RequestContext& ctx);

// After routing, for the command words search, dobrowse, browsegenre, browseartist and
// artistbrowse: the reply as lines, and the paging links.
void shapeDatabaseReply(RequestContext& ctx);
