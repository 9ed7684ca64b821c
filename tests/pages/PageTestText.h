#pragma once
// Helpers for the page tests: expected pages are written as multi-line literals and
// turned into CR LF text; every test starts from the zeroed application state.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <ostream>

#include "app/ModMain.h"
#include "app/ServerWindowState.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace pagestest {

// A literal written with plain line feeds, as the CR LF text a page uses.
inline QString crlfText(const QString& text) {
  return QString(text).replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

// Nine plain now-playing fields.
inline const QStringList kFields = {"Ann Artist", "Some Title", "The Album",
                                    "Jazz",       "1999",       "1:02 / 3:45",
                                    "Evening List", "4C2F",     "wbfittemp.jpg"};

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetModMain();
    resetServerWindowState();
  }
};

}  // namespace pagestest
