#pragma once
// The route table: the first route whose text occurs in the request decides the
// command, carries it out through the player scripts and shapes its reply.
#include "server/RequestContext.h"

// Routes the request and shapes the reply text; the response assembly takes it from
// there. Throws RequestFailure when the request cannot be served.
void routeRequest(RequestContext& ctx);

// The reply shaping of the playlist list, a playlist page, shuffle, repeat, the poll
// and the preferences page (the database lists are shaped by their own routes).
void shapeReply(RequestContext& ctx);
