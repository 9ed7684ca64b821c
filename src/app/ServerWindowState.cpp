#include "app/ServerWindowState.h"

ServerWindowState window1;

void resetServerWindowState() { window1 = ServerWindowState{}; }
