#include "server/SettingsRoute.h"

#include "app/ModMain.h"
#include "app/PrefsStore.h"
#include "db/DatabaseOperations.h"
#include "pages/LoginAndControlBar.h"

namespace {

const int kPageChoices[] = {10, 20, 50, 100, 250, 500, 1000};

void applySettings(const RequestContext& ctx) {
  modMain.blfancy = ctx.contains("webinterface=fancy");
  modMain.blPlain = ctx.contains("webinterface=normal");
  modMain.blPDA = ctx.contains("webinterface=pda");
  modMain.browseMode = ctx.contains("browsemode=artist") ? QStringLiteral("artist") : QStringLiteral("genre");
  modMain.blDisplayArt = ctx.contains("displayart=displayart");
  modMain.blUseDB = ctx.contains("usedb=usedb");
  modMain.blPageResults = ctx.contains("pageresults=pageresults");
  // Tested in order, the last found winning: "pages=100" also contains "pages=10".
  for (const int choice : kPageChoices)
    if (ctx.contains("pages=" + QString::number(choice))) modMain.intResultsPerPage = choice;
  modMain.dbLimit = modMain.blPageResults ? modMain.intResultsPerPage : 0;
}

QString openOrCloseDatabase() {
  if (modMain.blUseDB && !modMain.loadcomplete)
    return DBOpen() ? QStringLiteral("<br><font color=green>Database opened</font>")
                    : QStringLiteral("<br><font color=red>Could not open database</font>");
  if (!modMain.blUseDB && modMain.loadcomplete)
    return DBClose() ? QStringLiteral("<br><font color=green>Database closed</font>")
                     : QStringLiteral("<br><font color=red>Could not close database</font>");
  return {};
}

}  // namespace

void routeSetPrefs(RequestContext& ctx) {
  ctx.commandWord = QStringLiteral("setprefs");
  applySettings(ctx);
  const bool saved = WebSetPrefs();
  ctx.replyText = QStringLiteral("<br>Preferences have been saved");
  if (!saved) ctx.replyText = QStringLiteral("<br><font color=red>Preferences could not be saved</font>");
  ctx.replyText += openOrCloseDatabase();
  if (ctx.contains("reloaddbnow=reloaddbnow")) {
    modMain.loadcomplete = false;
    DBClose();
    DBLoad();
    return;  // the control bar stays as it was built before the change
  }
  if (ctx.contains("reloadplnow=reloadplnow")) {
    modMain.loadcomplete = false;
    DBPLReload();
  }
  ctx.controlBar = ControlBar();
}
