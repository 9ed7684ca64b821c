#pragma once
// The playlist reload: only the playlist tables of an existing database file are
// replaced from the library file; tracks, genres and artists stay as they are.
#include "db/LibraryImport.h"

namespace db {

class PLUpdate : public LibraryImport {
 public:
  PLUpdate();
};

}  // namespace db
