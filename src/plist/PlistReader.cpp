// The line-by-line property-list reader. Not a general XML parser: one element, or one key,
// per line, in the layout of the platform's own writer (and of PlistWriter.cpp).
#include <QFile>
#include <QFileInfo>

#include "plist/Plist.h"
#include "plist/PlistLineStream.h"

namespace {

bool same(const QString& a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isContainer(const QString& type) { return same(type, u"dict") || same(type, u"array"); }

}  // namespace

void plist::Load(const QString& file, const QString& fallback) {
  root_.reset();
  headers.clear();
  savePath = file;
  const QString use = QFileInfo::exists(file) ? file : fallback;
  if (!QFileInfo::exists(use)) {
    setError(QFileInfo(use).absoluteFilePath() + " does not exist");
    headers = standardHeaders();
    newRoot(nullptr);
    return;
  }
  QFile in(use);
  if (!in.open(QIODevice::ReadOnly)) {
    setError(QFileInfo(use).absoluteFilePath() + " could not be read");
    headers = standardHeaders();
    newRoot(nullptr);
    return;
  }
  LoadText(in.readAll());
}

void plist::LoadText(const QByteArray& utf8) {
  headers.clear();
  PlistLineStream stream(QString::fromUtf8(utf8));
  bool found = false;
  while (!found && !stream.atEnd()) {
    headers.append(stream.readLine());
    found = same(headers.last(), u"<dict>");
  }
  if (!found) {
    setError("Not a plist file");
    newRoot(nullptr);
    return;
  }
  newRoot(&stream);
}

QString plistDict::StripAll(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].unicode() < 32) ++i;
  return i == 0 ? text : text.mid(i);
}

void plistDict::Load(PlistLineStream* stream, const QString& name, bool isArray,
                     plistDict* parent, plist* document, bool read) {
  values_.clear();
  types_.clear();
  order_.clear();
  children_.clear();
  childrenNames_.clear();
  name_ = name;
  parent_ = parent;
  rootClass_ = document;
  isArray_ = isArray;
  indexOf_ = -1;
  currentIndex_ = 0;
  eof_ = false;
  if (!read || !stream) return;
  if (depth() > plist::kMaxNestingDepth) {
    setError("Nesting deeper than " + QString::number(plist::kMaxNestingDepth) + " levels");
    stream->stop();  // what was read so far remains, as for a truncated file
    return;
  }
  const QStringView endLine = isArray ? u"</array>" : u"</dict>";

  QString currentKey, currentType, lastTag, buffer;
  bool multiLineOpen = false;

  while (!stream->atEnd()) {
    QString line = StripAll(stream->readLine());

    if (line.startsWith(u"<key>", Qt::CaseInsensitive)) {
      currentKey = line.mid(5);
      if (currentKey.endsWith(u"</key>", Qt::CaseInsensitive)) currentKey.chop(6);
      continue;
    }
    if (same(line, endLine)) break;

    const QString closing = "</" + lastTag + ">";
    if (multiLineOpen && !same(line, closing)) {
      const qsizetype cut = line.indexOf(closing, 0, Qt::CaseInsensitive);
      if (cut >= 0) {
        line.truncate(cut);
        multiLineOpen = false;
      }
      buffer += line;
      if (!same(lastTag, u"data")) buffer += u'\r';  // data lines join without separators
      if (!multiLineOpen) values_.insert(currentKey, buffer);
      continue;
    }

    const qsizetype gt = line.indexOf(u'>');
    if (gt < 0) continue;  // blank and other lines without ">" are skipped
    QString tag = line.left(gt);
    if (tag.startsWith(u'<')) tag.remove(0, 1);
    lastTag = tag;

    const bool closesValue = same(tag, QString(u'/' + currentType));
    if (isArray && !closesValue) {
      // Every tag line except the closing line of a multi-line value opens an element.
      ++indexOf_;
      currentKey = QString::number(indexOf_);
    }

    if (same(tag, u"false/") || same(tag, u"true/")) {
      put(currentKey, "boolean", same(tag, u"true/") ? "true" : "false");
      currentType = "boolean";
      continue;
    }
    if (closesValue) {
      // A stray closing tag of a container never gives a container key a value.
      if (!isContainer(currentType)) values_.insert(currentKey, buffer);
      buffer.clear();
      multiLineOpen = false;
      continue;
    }

    const bool selfClosing = tag.endsWith(u'/');
    QString type = selfClosing ? tag.chopped(1) : tag;
    if (isContainer(type)) type = type.toLower();
    currentType = type;
    putType(currentKey, type);

    if (isContainer(type)) {
      children_.push_back(std::make_unique<plistDict>());
      childrenNames_.append(currentKey);
      plistDict* node = children_.back().get();
      node->Load(stream, currentKey, type == u"array", this, document, !selfClosing);
      continue;
    }
    if (selfClosing) {
      // "<string/>" is an empty value (the design opened a multi-line value here and
      // swallowed the entries after it).
      values_.insert(currentKey, QString());
      buffer.clear();
      continue;
    }
    const QString rest = line.mid(gt + 1);
    const qsizetype end = rest.indexOf("</" + type, 0, Qt::CaseInsensitive);
    if (end >= 0) {
      buffer = rest.left(end);
      values_.insert(currentKey, buffer);
    } else {
      multiLineOpen = true;
      if (rest.contains(u'>'))
        buffer.clear();
      else
        buffer = same(type, u"data") ? rest : rest + u'\r';
    }
  }
}
