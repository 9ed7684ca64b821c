#pragma once
// "/setprefs": the target of the web preferences form.
#include "server/RequestContext.h"

// Applies the form's settings (each decided by a fixed text in the request), saves them,
// opens or closes the track database when that setting changed and starts a requested
// reload; the reply says what was done.
void routeSetPrefs(RequestContext& ctx);
