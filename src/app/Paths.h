#pragma once
// Where Quaverly keeps its files on Linux.
#include <QString>

namespace paths {

// $XDG_CONFIG_HOME/Quaverly (default ~/.config/Quaverly), created when missing.
QString preferencesFolder();
// The user's home folder.
QString homeFolder();
// ~/Music/iTunes/iTunes Music Library.xml, whether or not it exists.
QString defaultLibraryPath();
// $XDG_DATA_HOME/Quaverly (default ~/.local/share/Quaverly), created when missing; bare
// file names such as "Quaverly.sdb" resolve here.
QString dataFolder();
QString dataFile(const QString& name);
// A private folder for the album art: $XDG_RUNTIME_DIR/Quaverly, else quaverly-<uid> in
// the temporary folder; mode 0700 and owned by us, or empty when it cannot be had safely.
QString tempItemsFolder();
// The installed share/quaverly folder, else the folder of the executable (build tree).
QString resourcesFolder();
// Tests and tools point the resources elsewhere (fake players, fixture pictures).
void setResourcesFolder(const QString& folder);

}  // namespace paths
