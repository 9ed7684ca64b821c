#include "FakePlayer.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

namespace {

// Records "name|args..." and prints replies/<name>.<command> when it exists.
const char kScript[] =
    "#!/bin/sh\n"
    "here=\"$(dirname \"$0\")/..\"\n"
    "name=\"$(basename \"$0\")\"\n"
    "(IFS='|'; printf '%s|%s\\n' \"$name\" \"$*\") >> \"$here/calls.txt\"\n"
    "reply=\"$here/replies/$name.$1\"\n"
    "if [ -f \"$reply\" ]; then cat \"$reply\"; fi\n";

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    std::abort();
}

}  // namespace

FakePlayer::FakePlayer(const QString& folder, const QString& imagesFolder) : folder_(folder) {
  QDir().mkpath(folder + "/scripts");
  QDir().mkpath(folder + "/replies");
  QDir().mkpath(folder + "/images");
  for (const char* name : {"itunes", "qvresults", "plcontrol"}) {
    const QString path = folder + "/scripts/" + name;
    writeBytes(path, kScript);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  for (const char* picture : {"ilogo.gif", "eclairs.jpg", "middle.png", "middle_bar.png", "title.png"})
    QFile::link(imagesFolder + "/" + picture, folder + "/images/" + picture);
  clearCalls();
}

void FakePlayer::setReply(const QString& script, const QString& command, const QByteArray& reply) {
  writeBytes(folder_ + "/replies/" + script + "." + command, reply);
}

QStringList FakePlayer::calls() const {
  QFile file(folder_ + "/calls.txt");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void FakePlayer::clearCalls() { writeBytes(folder_ + "/calls.txt", {}); }
