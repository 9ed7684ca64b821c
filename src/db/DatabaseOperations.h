#pragma once
// Opening, closing and rebuilding the track database: the operations the start-up
// sequence, the server window's buttons and the web settings call.
#include <QString>

// Opens the query connection on the existing database file. Refused (false) while an
// import or playlist reload runs, whose end opens it anyway.
bool DBOpen();
// Closes the query connection; false when there is none.
bool DBClose();
// Starts the full import in the background; false when an import or reload is running.
bool DBLoad();
// Starts the playlist reload in the background; false when an import or reload is running.
bool DBPLReload();
