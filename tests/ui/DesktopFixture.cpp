#include "DesktopFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "app/ServerWindowState.h"
#include "db/DatabaseOperations.h"
#include "db/LibraryImport.h"
#include "support/LogLines.h"
#include "support/TestSupport.h"

namespace uitest {

QList<QMessageBox*> visibleMessageBoxes() {
  QList<QMessageBox*> boxes;
  for (QWidget* widget : QApplication::allWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) boxes << box;
  return boxes;
}

QStringList messageTexts() {
  QStringList texts;
  for (QMessageBox* box : visibleMessageBoxes()) texts << box->text();
  return texts;
}

void dismissMessageBoxes() {
  for (QMessageBox* box : visibleMessageBoxes())
    QTest::mouseClick(static_cast<QWidget*>(box->button(QMessageBox::Ok)), Qt::LeftButton);
  qvtest::waitUntil([] { return visibleMessageBoxes().isEmpty(); });
}

QString demoLibrary() { return QStringLiteral(QV_SOURCE_DIR "/resources/demo/iTunes Music Library.xml"); }

bool loadDemoDatabase() {
  modMain.itunesfile = demoLibrary();
  if (!DBLoad()) return false;
  return qvtest::waitUntil([] { return modMain.loadcomplete; }, 30000);
}

}  // namespace uitest

void DesktopTest::SetUp() {
  resetModMain();
  resetServerWindowState();
  qvtest::clearLog();
  QFile::remove(prefsFilePath());
  QFile::remove(legacyPrefsFilePath());
  QFile::remove(paths::dataFile(QStringLiteral("Quaverly.sdb")));
  paths::setResourcesFolder(QStringLiteral(QV_BUILD_DIR));
  setMachineAddressSource([] { return std::optional<QString>(QStringLiteral("127.0.0.1")); });
}

void DesktopTest::TearDown() {
  uitest::dismissMessageBoxes();
  // An import still running would outlive the test's settings.
  qvtest::waitUntil([] { return !db::importRunning(); }, 30000);
  if (modMain.idb) DBClose();
  desktop.reset();
  setMachineAddressSource(nullptr);
}

void DesktopTest::openDesktop() {
  desktop = std::make_unique<Desktop>();
  desktop->window1.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&desktop->window1));
}
