#pragma once
// A fresh process state for the start-up sequence and the watchdog: no preferences file,
// a fake player as the resources, and a fixed machine address.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "app/ServerCore.h"
#include "server/QtPrinters.h"
#include "server/FakePlayer.h"

class StartupFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The address the machine reports from now on (nothing: detection fails).
  void setMachineAddress(std::optional<QString> address);

  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<FakePlayer> player;
  std::unique_ptr<ServerCore> core;
};
