#pragma once
// Helpers of the property-list tests: temporary files and whole-tree comparison.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "plist/Plist.h"

namespace plisttest {

// The four header lines of a new document, as the writer puts them, and its last lines.
inline const QByteArray kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n"
    "<dict>\n";
inline const QByteArray kFooter = "</dict>\n</plist>\n";

inline QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(bytes);
  return path;
}

inline QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Same keys in the same order, same types and values, nested nodes alike.
inline void expectSameTree(plistDict& a, plistDict& b, const QString& where = "root") {
  SCOPED_TRACE(where.toStdString());
  ASSERT_EQ(a.keys(), b.keys());
  EXPECT_EQ(a.isArray(), b.isArray());
  for (const QString& key : a.keys()) {
    const QString type = a.GetType(key);
    EXPECT_EQ(type, b.GetType(key)) << key.toStdString();
    if (type == "dict" || type == "array") {
      plistDict* na = a.child(key);
      plistDict* nb = b.child(key);
      ASSERT_TRUE(na && nb) << key.toStdString();
      expectSameTree(*na, *nb, where + "/" + key);
    } else {
      EXPECT_EQ(a.GetValue(key), b.GetValue(key)) << key.toStdString();
    }
  }
}

}  // namespace plisttest
