#pragma once
// A stand-in for the player: three small shell scripts (itunes, qvresults, plcontrol)
// that append their name and arguments to a calls file and print a canned reply chosen
// by script and command word. The folder also holds the pictures, so it can serve as
// the resources folder of a server under test.
#include <QString>
#include <QStringList>

class FakePlayer {
 public:
  // Writes the scripts into folder/scripts and links the five pictures of imagesFolder
  // into folder/images.
  FakePlayer(const QString& folder, const QString& imagesFolder);

  // What script answers to command (its first argument) from now on.
  void setReply(const QString& script, const QString& command, const QByteArray& reply);
  // Each call so far as "script|arg1|arg2|...", oldest first.
  QStringList calls() const;
  void clearCalls();

  QString folder() const { return folder_; }

 private:
  QString folder_;
};
