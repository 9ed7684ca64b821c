#pragma once
// The last stage of a request: renders a now-playing reply in the configured style, puts
// greeting and control bar around it, wraps the page and frames it for sending.
#include <QByteArray>
#include <QString>

#include "server/RequestContext.h"

// The reply text after the style renderers for now-playing command words.
void renderNowPlaying(RequestContext& ctx);

struct FramedResponse {
  QByteArray header;
  QByteArray body;
};

// The header block and the body, ready for two writes. extraHeader (a whole header
// line without line end, such as a Set-Cookie line) is added when not empty.
FramedResponse assembleResponse(RequestContext& ctx, const QString& extraHeader = {});

// An HTML page in page encoding with its header block.
FramedResponse htmlResponse(const QString& page, const QString& extraHeader = {});
