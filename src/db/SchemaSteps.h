#pragma once
// The statements that the full import and the playlist reload both run.
#include <vector>

#include "db/LibraryImport.h"

namespace db::schema {

ImportStep createPlayListsTable(const QString& success);
ImportStep createPlayListTracksTable(const QString& success);
ImportStep beginTransaction(const QString& before);
// Where the library is walked, inside the transaction.
ImportStep walkLibrary();
ImportStep commitTransaction(const QString& success);
// The five playlist indexes; `before` is logged ahead of the first.
std::vector<ImportStep> playlistIndexes(const QString& before);

}  // namespace db::schema
