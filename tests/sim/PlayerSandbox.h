#pragma once
// Runs the built player from the build tree, as Quaverly does, inside a private folder.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace qvtest {

inline constexpr char kNotPlaying[] = "Not playing.  Please click play/pause.";
inline constexpr char kNoMatches[] = "No tracks matched the search query.";

// A library file of tests/sim/fixtures.
QString simFixture(const QString& name);

class PlayerSandbox {
 public:
  // library: the file QUAVERLY_LIBRARY names; a null string leaves the variable unset.
  explicit PlayerSandbox(const QString& library);

  // Runs scripts/<script> with the arguments and returns its reply: standard output
  // with one trailing line end removed, decoded as UTF-8.
  QString run(const QString& script, const QStringList& args) const;
  // A call of the "itunes" script with the usual filler arguments for a bare word.
  QString itunes(const QString& word) const { return run("itunes", {word, "x", "x", "itunes"}); }

  void setLibrary(const QString& library) { library_ = library; }
  QString dataDir() const { return dir_.filePath("data"); }
  QString tempDir() const { return dir_.filePath("temp"); }
  QString statePath() const { return dataDir() + "/player-state"; }
  QString artPath() const { return tempDir() + "/wbfittemp.png"; }

 private:
  QTemporaryDir dir_;
  QString library_;
};

}  // namespace qvtest
