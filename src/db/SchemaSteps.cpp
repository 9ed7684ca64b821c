#include "db/SchemaSteps.h"

namespace db::schema {

ImportStep createPlayListsTable(const QString& success) {
  return {"", "Create table PlayLists (PlayListID integer, Name VarChar)", success,
          "Error creating playlist table: "};
}

ImportStep createPlayListTracksTable(const QString& success) {
  return {"", "Create table PlayListTracks (TrackID integer,PlayListID integer)", success,
          "Error creating PlayLists Tracks table: "};
}

ImportStep beginTransaction(const QString& before) {
  return {before, "begin transaction docreate", "", "Error beginning SQL transaction: "};
}

ImportStep walkLibrary() { return {}; }

ImportStep commitTransaction(const QString& success) {
  return {"", "commit transaction docreate", success, "Error comitting SQL transaction: "};
}

std::vector<ImportStep> playlistIndexes(const QString& before) {
  return {
      {before, "create index idxPTTrackID on PlayListTracks(TrackID)",
       "PlayListTracks TrackID index created", "Error creating PlayListTracks TrackID index: "},
      {"", "create index idxPTPlayListID on PlayListTracks(PlayListID)",
       "PlayListTracks PlaylistID index created",
       "Error creating PlayListTracks PlaylistID index: "},
      {"", "create index idxPTBoth on PlayListTracks(PlayListID,TrackID)",
       "PlayListTracks combined index created", "Error creating PlayListTracks combined index: "},
      {"", "create index idxPPlayListID on Playlists(PlayListID)",
       "PlayList PlaylistID index created", "Error creating PlayList PlaylistID index: "},
      {"", "create index idxPPlayListName on Playlists(Name)", "PlayList Name index created",
       "Error creating PlayList name index: "},
  };
}

}  // namespace db::schema
