// The web preferences form: exact text and which controls come pre-selected.
#include "pages/PrefsForm.h"
#include "PageTestText.h"

using namespace pagestest;

namespace {

// The form is one line; the literals below are broken into lines for reading only.
QString oneLine(const char* text) { return QString(text).remove('\n'); }

TEST_F(PagesTest, FormWithNothingSetHasNothingChecked) {
  modMain.blXML = true;  // a style the form does not offer
  SetPrefsHTML();
  EXPECT_EQ(window1.PrefsFormHTML, oneLine(R"(<form name="formprefs" method="get" action="/setprefs">
<input type="radio" name="webinterface" value="normal">Normal Web Interface<br>
<input type="radio" name="webinterface" value="pda">PDA Interface<br>
<input type="radio" name="webinterface" value="fancy">Fancy Mode
<p><input type="checkbox" name="displayart" value="displayart">Display album art</p>
<p><input type="checkbox" name="usedb" value="usedb">Use SQL database<p>
<p><input type="checkbox" name="pageresults" value="pageresults">Page query results<p>
<p><select name="pages"><option>10</option><option>20</option><option>50</option><option>100</option>
<option>250</option><option>500</option><option>1000</option></select>&nbsp;&nbsp;Results per page<p>
<p><input type="checkbox" name="reloadplnow" value="reloadplnow">Reload Playlists now
&nbsp;&nbsp;<input type="checkbox" name="reloaddbnow" value="reloaddbnow">Reload Database now
<p><input type="radio" name="browsemode" value="genre">Browse by Genre&nbsp;&nbsp;
<input type="radio" name="browsemode" value="artist">Browse by Artist
<p><input type="submit" name="Submit" value="Save"></form>)"));
}

TEST_F(PagesTest, FormShowsTheCurrentSettings) {
  modMain.blPDA = true;
  modMain.blDisplayArt = true;
  modMain.blUseDB = true;
  modMain.blPageResults = true;
  modMain.intResultsPerPage = 20;
  modMain.browseMode = "Artist";
  SetPrefsHTML();
  EXPECT_EQ(window1.PrefsFormHTML, oneLine(R"(<form name="formprefs" method="get" action="/setprefs">
<input type="radio" name="webinterface" value="normal">Normal Web Interface<br>
<input type="radio" name="webinterface" value="pda" checked>PDA Interface<br>
<input type="radio" name="webinterface" value="fancy">Fancy Mode
<p><input type="checkbox" name="displayart" value="displayart" checked>Display album art</p>
<p><input type="checkbox" name="usedb" value="usedb" checked>Use SQL database<p>
<p><input type="checkbox" name="pageresults" value="pageresults" checked>Page query results<p>
<p><select name="pages"><option>10</option><option selected>20</option><option>50</option><option>100</option>
<option>250</option><option>500</option><option>1000</option></select>&nbsp;&nbsp;Results per page<p>
<p><input type="checkbox" name="reloadplnow" value="reloadplnow">Reload Playlists now
&nbsp;&nbsp;<input type="checkbox" name="reloaddbnow" value="reloaddbnow">Reload Database now
<p><input type="radio" name="browsemode" value="genre">Browse by Genre&nbsp;&nbsp;
<input type="radio" name="browsemode" value="artist" checked>Browse by Artist
<p><input type="submit" name="Submit" value="Save"></form>)"));
}

struct StyleCase {
  bool blPlain, blPDA, blfancy;
  const char* checkedValue;
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.checkedValue; }

class StyleRadioTest : public PagesTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(StyleRadioTest, OnlyTheStyleInForceIsChecked) {
  modMain.blPlain = GetParam().blPlain;
  modMain.blPDA = GetParam().blPDA;
  modMain.blfancy = GetParam().blfancy;
  modMain.browseMode = "genre";
  SetPrefsHTML();
  EXPECT_EQ(window1.PrefsFormHTML.count(" checked"), 2);  // the style and the browse mode
  EXPECT_TRUE(window1.PrefsFormHTML.contains(
      QString(R"(name="webinterface" value="%1" checked>)").arg(GetParam().checkedValue)));
  EXPECT_TRUE(window1.PrefsFormHTML.contains(R"(value="genre" checked>Browse by Genre)"));
}

INSTANTIATE_TEST_SUITE_P(Styles, StyleRadioTest,
                         ::testing::Values(StyleCase{true, false, false, "normal"},
                                           StyleCase{false, true, false, "pda"},
                                           StyleCase{false, false, true, "fancy"}));

struct PagesCase {
  int intResultsPerPage;
  const char* selected;  // empty: no option selected
};

void PrintTo(const PagesCase& c, std::ostream* os) { *os << c.intResultsPerPage; }

class ResultsPerPageTest : public PagesTest, public ::testing::WithParamInterface<PagesCase> {};

TEST_P(ResultsPerPageTest, SelectsTheMatchingChoiceOnly) {
  modMain.intResultsPerPage = GetParam().intResultsPerPage;
  SetPrefsHTML();
  const QString selected = GetParam().selected;
  EXPECT_EQ(window1.PrefsFormHTML.count(" selected"), selected.isEmpty() ? 0 : 1);
  if (!selected.isEmpty()) {
    EXPECT_TRUE(window1.PrefsFormHTML.contains("<option selected>" + selected + "</option>"));
  }
}

INSTANTIATE_TEST_SUITE_P(Choices, ResultsPerPageTest,
                         ::testing::Values(PagesCase{10, "10"}, PagesCase{20, "20"},
                                           PagesCase{50, "50"}, PagesCase{100, "100"},
                                           PagesCase{250, "250"}, PagesCase{500, "500"},
                                           PagesCase{1000, "1000"}, PagesCase{0, ""},
                                           PagesCase{25, ""}, PagesCase{-20, ""}));

TEST_F(PagesTest, RebuildFollowsChangedSettings) {
  modMain.blUseDB = true;
  SetPrefsHTML();
  modMain.blUseDB = false;
  EXPECT_TRUE(window1.PrefsFormHTML.contains(R"(value="usedb" checked>)"));
  SetPrefsHTML();
  EXPECT_FALSE(window1.PrefsFormHTML.contains(R"(value="usedb" checked>)"));
}

}  // namespace
