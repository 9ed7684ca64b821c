#pragma once
// The working values of one request, from intake to the written response.
#include <QDateTime>
#include <QString>
#include <stdexcept>

struct RequestContext {
  QString requestText;  // all bytes of the request, as request text
  QString clientAddress;
  QString timeStamp;     // whole seconds of modMain.dtNow, against caching
  QDateTime greetingTime;
  QString commandWord = QStringLiteral("nothing");
  QString replyText;
  QString controlBar;
  QString pagingLinks;
  bool done = false;  // page 1 of a search reached through its Previous link

  // Route parameters, each empty until its query-string parameter fills it.
  QString playlistId, trackId, startPage, searchTerm, searchField, genreId, artistId, byGenre;

  // Substring test over the whole request text, letter case ignored.
  bool contains(const QString& needle) const {
    return requestText.contains(needle, Qt::CaseInsensitive);
  }
};

// A failure inside the request handler: caught once, by its catch-all.
struct RequestFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "usedb" while the track database is loaded, else "itunes".
QString scriptMode();
