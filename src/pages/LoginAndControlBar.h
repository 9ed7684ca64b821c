#pragma once
// The password page and the row of control buttons above every normal-style body.
#include <QString>

// The page that asks for the access password (posted to "/login").
QString LoginPage();
// The button row: transport, now playing, playlists, Browse (only with the database
// loaded, by genre or by artist after modMain.browseMode), volume and mute; wrapped in
// a 240-pixel table in the handheld style (modMain.blPDA).
QString ControlBar();
