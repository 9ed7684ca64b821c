#include "pages/PrefsForm.h"

#include "app/ModMain.h"
#include "app/ServerWindowState.h"

namespace {

QString checked(bool on) { return on ? " checked" : ""; }

QString resultsPerPageOptions() {
  const QString current = QString::number(modMain.intResultsPerPage);
  QString html = R"(<p><select name="pages">)";
  bool selected = false;
  for (const char* choice : {"10", "20", "50", "100", "250", "500", "1000"}) {
    // Only the first equal entry is marked; a value not among them marks none.
    const bool mark = !selected && current == choice;
    selected = selected || mark;
    html += QString("<option") + (mark ? " selected" : "") + ">" + choice + "</option>";
  }
  return html + "</select>&nbsp;&nbsp;Results per page<p>";
}

bool browseModeIs(const char* mode) {
  return modMain.browseMode.compare(mode, Qt::CaseInsensitive) == 0;
}

}  // namespace

void SetPrefsHTML() {
  window1.PrefsFormHTML =
      R"(<form name="formprefs" method="get" action="/setprefs"><input type="radio" name="webinterface" value="normal")" +
      checked(modMain.blPlain) + ">Normal Web Interface<br>" +
      R"(<input type="radio" name="webinterface" value="pda")" + checked(modMain.blPDA) +
      ">PDA Interface<br>" + R"(<input type="radio" name="webinterface" value="fancy")" +
      checked(modMain.blfancy) + ">Fancy Mode" +
      R"(<p><input type="checkbox" name="displayart" value="displayart")" +
      checked(modMain.blDisplayArt) + ">Display album art</p>" +
      R"(<p><input type="checkbox" name="usedb" value="usedb")" + checked(modMain.blUseDB) +
      ">Use SQL database<p>" +
      R"(<p><input type="checkbox" name="pageresults" value="pageresults")" +
      checked(modMain.blPageResults) + ">Page query results<p>" + resultsPerPageOptions() +
      R"(<p><input type="checkbox" name="reloadplnow" value="reloadplnow">Reload Playlists now)"
      R"(&nbsp;&nbsp;<input type="checkbox" name="reloaddbnow" value="reloaddbnow">Reload Database now)" +
      R"(<p><input type="radio" name="browsemode" value="genre")" + checked(browseModeIs("genre")) +
      ">Browse by Genre&nbsp;&nbsp;" +
      R"(<input type="radio" name="browsemode" value="artist")" +
      checked(browseModeIs("artist")) + ">Browse by Artist" +
      R"(<p><input type="submit" name="Submit" value="Save"></form>)";
}
