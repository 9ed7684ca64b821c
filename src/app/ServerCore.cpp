#include "app/ServerCore.h"

#include "app/ActivityLog.h"
#include "app/MachineAddress.h"
#include "app/ModMain.h"
#include "app/PrefsStore.h"
#include "db/DatabaseOperations.h"
#include "db/DoResultPL.h"
#include "pages/FancyFrame.h"
#include "pages/Pictures.h"
#include "pages/PrefsForm.h"
#include "player/Scripts.h"

ServerCore::ServerCore(QObject* parent) : QObject(parent) {
  server.TCPSocket1.setHandler(
      [this](const QByteArray& request) { return handler.TCPSocket1_DataAvailable(request); });
  server.setSendCompleteHook([this] { onSendComplete(); });
  setSetPrefsHTMLHook(SetPrefsHTML);
}

void ServerCore::open() {
  watchdog.clearCountdown();
  Status("Reading preferences");
  GetPrefs();
  // A failed detection keeps the stored address: a start before the network is up must
  // not pin the server to loopback.
  const std::optional<QString> detected = machineAddress();
  if (modMain.blAutoIPUpdate && detected && *detected != modMain.ipaddress) {
    modMain.ipaddress = *detected;
    Status(UpdateIP() ? "IP Address updated" : "Could not update IP Address");
  }
  modMain.dbLimit = modMain.blPageResults ? modMain.intResultsPerPage : 0;
  LoadImages();
  SetHTML();
  SetPrefsHTML();
  if (modMain.autostart) {
    startListening();
  } else {
    server.ServerStatus("Stopped");
    Status("Click Start to begin");
    server.takeSettings();
  }
  if (modMain.blautoplay)
    itunes({"startplay", modMain.blHideQV ? "hideQV" : "x", modMain.blHideIT ? "hideIT" : "x", "itunes"});
  if (modMain.blUseDB) {
    if (modMain.blAutoLoadDB)
      DBLoad();
    else
      DBOpen();
    if (modMain.blAutoLoadPL) DBPLReload();
  }
  watchdog.setPolling(modMain.blPolling);
}

void ServerCore::startListening() {
  server.ServerStatus("Running");
  server.listenOnSettings();
  Status("Auto-Start. Listening on " + server.listeningAddress());
  if (server.TCPSocket1.LastErrorCode() != 0) {
    // Say so instead of showing a server that does not run.
    server.reportListenFailure();
    server.ServerStatus("Stopped");
  }
}

void ServerCore::onSendComplete() {
  if (modMain.blDoPlayList && !modMain.blNoQVSR) startResultPlaylist();
}

void ServerCore::shutDown() {
  DBClose();
  server.TCPSocket1.Close();
  Status("Socket closed");
}
