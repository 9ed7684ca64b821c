#include "db/PLUpdate.h"

#include "db/SchemaSteps.h"

namespace db {
namespace {

std::vector<ImportStep> reloadSteps() {
  std::vector<ImportStep> steps = {
      {"", "drop table PlayLists", "PlayLists table dropped", "Error dropping playlist table: "},
      schema::createPlayListsTable("PlayLists table recreated"),
      {"", "drop table PlayListTracks", "PlayLists Tracks table dropped",
       "Error dropping PlayLists Tracks table: "},
      schema::createPlayListTracksTable("PlayLists Tracks table recreated"),
      schema::beginTransaction("Table creation complete.  Importing XML..."),
      schema::walkLibrary(),
      schema::commitTransaction("Finished traversing XML.  Processed {playlists} playlists"),
  };
  for (ImportStep& step : schema::playlistIndexes("About to create indexes..."))
    steps.push_back(std::move(step));
  return steps;
}

}  // namespace

PLUpdate::PLUpdate()
    : LibraryImport(ImportPlan{
          .rebuild = false,
          .readTracks = false,
          .openFailed = "Error: Database could not be opened. Database searches not available",
          .opened = {"Database opened OK", "Attempting to open database...",
                     "Connected OK.  About to reload playlist tables..."},
          .steps = reloadSteps(),
          .complete = "Playlist table update complete.  Committing and closing database...",
      }) {}

}  // namespace db
