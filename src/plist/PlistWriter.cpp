// The property-list writer: the document's lines in the layout the reader expects (one
// element per line, tabs for indentation), saved atomically with owner-only permissions.
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include "plist/Plist.h"

namespace {

bool same(const QString& a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

// The nested node written for a container key: the last one of that name, the one a
// repeated key in a file left in force.
plistDict* plistDict::nestedForWrite(const QString& key) const {
  const qsizetype at = childrenNames_.lastIndexOf(key);
  return at < 0 ? nullptr : children_[at].get();
}

void plistDict::Write(QTextStream& out, int depth) const {
  const QString indent(depth, u'\t');
  for (const QString& key : order_) {
    const QString type = types_.value(key);
    if (!isArray_) out << indent << "<key>" << key << "</key>\n";
    if (same(type, u"boolean")) {
      out << indent << (same(values_.value(key), u"true") ? "<true/>" : "<false/>") << '\n';
    } else if (same(type, u"data")) {
      out << indent << "<data>\n" << indent << values_.value(key) << '\n'
          << indent << "</data>\n";
    } else if (same(type, u"dict") || same(type, u"array")) {
      const QString tag = type.toLower();
      const plistDict* node = nestedForWrite(key);
      if (!node || node->count() == 0) {
        out << indent << '<' << tag << "/>\n";
      } else {
        out << indent << '<' << tag << ">\n";
        node->Write(out, depth + 1);
        out << indent << "</" << tag << ">\n";
      }
    } else {
      out << indent << '<' << type << '>' << values_.value(key) << "</" << type << ">\n";
    }
  }
}

QString plist::text() const {
  // A header without its "<dict>" line (a file read as "Not a plist file") would make
  // the saved file unreadable, so such a document is written with the standard header.
  const bool usable = !headers.isEmpty() && same(headers.last(), u"<dict>");
  QString all;
  QTextStream out(&all);
  for (const QString& line : usable ? headers : standardHeaders()) out << line << '\n';
  root_->Write(out, 1);
  out << "</dict>\n</plist>\n";
  out.flush();
  return all;
}

bool plist::Save() {
  if (headers.isEmpty() || !same(headers.last(), u"<dict>")) headers = standardHeaders();
  // The file holds the password: written beside the old one, owner-only, and renamed
  // over it only when complete, so a crash or a full disk never leaves half a file.
  QSaveFile file(savePath);
  bool ok = file.open(QIODevice::WriteOnly) &&
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  if (ok) {
    const QByteArray bytes = text().toUtf8();
    // QSaveFile commits a short file when only the final flush fails (a full disk, the
    // file-size limit), so the flush and the size are checked before the rename.
    ok = file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size() &&
         file.commit();
  }
  if (!ok) {
    file.cancelWriting();
    setError("Could not open file for saving");
  }
  return ok;
}
