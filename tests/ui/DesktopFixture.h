#pragma once
// A fresh desktop for every test: settings zeroed, no preferences file, the log empty,
// the resources of the build tree, then the application object and the server window,
// shown (which runs the start-up sequence) on the offscreen platform.
#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <memory>

#include "ui/Desktop.h"

class QMessageBox;

namespace uitest {

// Message boxes showing now, oldest first.
QList<QMessageBox*> visibleMessageBoxes();
// Texts of the message boxes showing now.
QStringList messageTexts();
// Dismisses every message box, as the user would with OK.
void dismissMessageBoxes();

// The demo library of the repository.
QString demoLibrary();
// Builds the track database from the demo library and waits until it is open.
bool loadDemoDatabase();

}  // namespace uitest

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the desktop and shows the server window (its first show runs start-up).
  void openDesktop();

  std::unique_ptr<Desktop> desktop;
  Window1* window() { return &desktop->window1; }
};
