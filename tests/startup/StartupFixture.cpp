#include "StartupFixture.h"

#include <QFile>

#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "app/ServerWindowState.h"
#include "support/LogLines.h"

void StartupFixture::SetUp() {
  resetModMain();
  resetServerWindowState();
  qvtest::clearLog();
  QFile::remove(prefsFilePath());
  QFile::remove(legacyPrefsFilePath());
  dir = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(dir->isValid());
  player = std::make_unique<FakePlayer>(dir->path(), QStringLiteral(QV_BUILD_DIR "/images"));
  paths::setResourcesFolder(dir->path());
  setMachineAddress(QStringLiteral("127.0.0.1"));
  core = std::make_unique<ServerCore>();
}

void StartupFixture::TearDown() {
  core->shutDown();
  core.reset();
  setMachineAddressSource(nullptr);
  paths::setResourcesFolder({});
}

void StartupFixture::setMachineAddress(std::optional<QString> address) {
  setMachineAddressSource([address] { return address; });
}
