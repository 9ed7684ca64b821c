#include "app/ModMain.h"

ModMain modMain;

void resetModMain() { modMain = ModMain{}; }
