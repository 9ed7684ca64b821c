#pragma once
// The full import: the database file built anew from the library file.
#include "db/LibraryImport.h"

namespace db {

class DBLoad : public LibraryImport {
 public:
  DBLoad();
};

}  // namespace db
