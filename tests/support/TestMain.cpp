// Every test binary runs inside a private sandbox: the configuration, data, runtime and
// temporary folders and HOME point into one temporary folder, so no test touches the
// real home folder. The Qt application object gives the tests an event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>
#include <string>

#include "support/TestSupport.h"

#ifdef QV_TEST_WIDGETS
#include <QApplication>
#endif

int main(int argc, char** argv) {
  const std::string root = qvtest::sandboxRoot().toStdString();
  for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "TMPDIR", "HOME"}) {
    const std::string dir = root + "/" + var;
    QDir().mkpath(QString::fromStdString(dir));
    setenv(var, dir.c_str(), 1);
  }
  QDir(QString::fromStdString(root + "/XDG_RUNTIME_DIR")).removeRecursively();
  QDir().mkdir(QString::fromStdString(root + "/XDG_RUNTIME_DIR"));
  QFile::setPermissions(QString::fromStdString(root + "/XDG_RUNTIME_DIR"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#ifdef QV_TEST_WIDGETS
  if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  QDir(QString::fromStdString(root)).removeRecursively();
  return rc;
}
