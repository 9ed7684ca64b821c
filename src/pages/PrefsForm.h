#pragma once
// The web preferences form, built ahead of time and served unchanged until rebuilt.

// Rebuilds window1.PrefsFormHTML (one line, no line ends) from the style, art,
// database, paging and browse-mode settings in modMain.
void SetPrefsHTML();
