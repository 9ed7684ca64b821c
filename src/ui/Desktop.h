#pragma once
// The desktop side of process start, in its order: the application object with its menu
// bar, then the server window with the server it shows.
#include "app/ServerCore.h"
#include "ui/App.h"
#include "ui/Window1.h"

struct Desktop {
  Desktop() { app.attach(window1); }

  App app;
  ServerCore core;
  Window1 window1{core};
};
