#include "db/DBLoad.h"

#include "db/SchemaSteps.h"

namespace db {
namespace {

std::vector<ImportStep> importSteps() {
  std::vector<ImportStep> steps = {
      {"",
       "Create table Tracks (TrackID integer, Name VarChar, Artist VarChar, Album VarChar, Genre "
       "VarChar, Kind VarChar, Year VarChar, TotalTime VarChar)",
       "Tracks table created", "Error creating tracks table: "},
      schema::createPlayListsTable("PlayLists table created"),
      schema::createPlayListTracksTable("PlayLists Tracks table created"),
      {"", "Create table Genres (GenreName VarChar)", "Genres table created",
       "Error creating Genres table: "},
      {"", "CREATE TABLE Artists(ArtistName VarChar, ArtistID INTEGER PRIMARY KEY)",
       "Artists table created", "Error creating Artists table: "},
      schema::beginTransaction("Database creation complete.  Importing XML..."),
      schema::walkLibrary(),
      schema::commitTransaction(
          "Finished traversing XML.  Processed {tracks} tracks and {playlists} playlists"),
      {"About to create indexes...", "create index idxTrackID on Tracks(TrackID)",
       "TrackID index created", "Error creating TrackID index: "},
      {"", "create index idxName on Tracks(Name)", "Name index created",
       "Error creating name index: "},
      {"", "create index idxArtist on Tracks(Artist)", "Artist index created",
       "Error creating artist index: "},
      {"", "create index idxGenre on Tracks(Genre)", "Genre index created",
       "Error creating Genre index: "},
  };
  for (ImportStep& step : schema::playlistIndexes("")) steps.push_back(std::move(step));
  steps.insert(steps.end(), {
      {"", "insert into Genres(GenreName) select distinct genre from tracks", "Genre table loaded",
       "Error creating loading genres: "},
      {"", "create index idxGName on Genres(GenreName)", "Genre Name index created",
       "Error creating Genre name index: "},
      {"", "insert into artists (artistname) select distinct artist from tracks",
       "Artist table loaded", "Error loading artists table: "},
      {"", "create index idxAName on Artists(ArtistName)", "Artist Name index created",
       "Error creating Artist name index: "},
  });
  return steps;
}

}  // namespace

DBLoad::DBLoad()
    : LibraryImport(ImportPlan{
          .rebuild = true,
          .readTracks = true,
          .openFailed = "Error: Database could not be created. Database searches not available",
          .opened = {"Database created OK", "Attempting to open database...",
                     "Connected OK.  About to create tables..."},
          .steps = importSteps(),
          .complete = "Database update complete.  Committing and closing database...",
      }) {}

}  // namespace db
