#include "ui/winprefs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "app/ActivityLog.h"
#include "app/ModMain.h"
#include "app/Paths.h"
#include "app/PrefsStore.h"
#include "db/DatabaseOperations.h"
#include "server/Watchdog.h"
#include "ui/MessageBox.h"

namespace {

const QStringList kPageChoices = {"10", "20", "50", "100", "250", "500", "1000"};

// A typed number: its value truncated toward zero; anything that is not a number is 0.
int numericValue(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (truncated < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return int(truncated);
}

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QCheckBox* checkBox(const char* name, const QString& caption) {
  return named(new QCheckBox(caption), name);
}

QRadioButton* radioButton(const char* name, const QString& caption) {
  return named(new QRadioButton(caption), name);
}

QLabel* groupLabel(const QString& text) {
  auto* label = new QLabel(text);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

// A page whose controls stack from the top, tightly enough for the dialog's small size.
QVBoxLayout* pageColumn(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(12, 8, 12, 8);
  column->setSpacing(4);
  return column;
}

// Indents a check box that only matters when the one above it is checked.
QWidget* indented(QWidget* widget) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(20, 0, 0, 0);
  layout->addWidget(widget);
  return row;
}

}  // namespace

winprefs::winprefs(Watchdog& watchdog, QWidget* parent)
    : QDialog(parent), watchdog_(watchdog) {
  setObjectName(QStringLiteral("winprefs"));
  setWindowTitle(QStringLiteral("Preferences"));
  setFixedSize(440, 310);

  TabPanel1 = named(new QTabWidget, "TabPanel1");
  TabPanel1->addTab(buildGeneralPage(), QStringLiteral("General"));
  TabPanel1->addTab(buildOutputPage(), QStringLiteral("Output"));
  TabPanel1->addTab(buildRuntimePage(), QStringLiteral("Runtime"));
  TabPanel1->addTab(buildDatabasePage(), QStringLiteral("Database"));
  TabPanel1->addTab(buildOtherPage(), QStringLiteral("Other"));

  stVersion = named(new QLabel, "stVersion");
  bbSave = named(new QPushButton(QStringLiteral("Save")), "bbSave");
  bbCancel = named(new QPushButton(QStringLiteral("Cancel")), "bbCancel");
  bbSave->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(stVersion);
  buttons->addStretch();
  buttons->addWidget(bbCancel);
  buttons->addWidget(bbSave);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(8);
  layout->addWidget(TabPanel1);
  layout->addLayout(buttons);

  connect(bbSave, &QPushButton::clicked, this, &winprefs::bbSave_Action);
  connect(bbCancel, &QPushButton::clicked, this, &winprefs::bbCancel_Action);
  connect(PushButton3, &QToolButton::clicked, this, &winprefs::PushButton3_Action);
  connect(cbAutoLoadDB, &QCheckBox::toggled, this, &winprefs::cbAutoLoadDB_Action);
  connect(cbAutoLoadPL, &QCheckBox::toggled, this, &winprefs::cbAutoLoadPL_Action);
  connect(cbPages, &QComboBox::editTextChanged, this, &winprefs::cbPages_TextChanged);
}

QWidget* winprefs::buildGeneralPage() {
  auto* page = new QWidget;
  efIP = named(new QLineEdit, "efIP");
  cbAutoIP = checkBox("cbAutoIP", QStringLiteral("Auto Detect and Update IP"));
  efPort = named(new QLineEdit, "efPort");
  efPwd = named(new QLineEdit, "efPwd");
  efPwd->setEchoMode(QLineEdit::PasswordEchoOnEdit);
  efLibFilePath = named(new QPlainTextEdit, "efLibFilePath");
  efLibFilePath->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  efLibFilePath->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  efLibFilePath->setTabChangesFocus(true);
  // Two lines show; a longer path scrolls.
  efLibFilePath->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  const int lineHeight = QFontMetrics(efLibFilePath->font()).lineSpacing();
  const int margins = 2 * (efLibFilePath->frameWidth() + int(efLibFilePath->document()->documentMargin()));
  efLibFilePath->setFixedHeight(2 * lineHeight + margins + 4);
  PushButton3 = named(new QToolButton, "PushButton3");
  PushButton3->setToolButtonStyle(Qt::ToolButtonIconOnly);
  PushButton3->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  PushButton3->setToolTip(QLatin1String(kChooseLibraryMessage));

  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setVerticalSpacing(6);
  grid->addWidget(new QLabel(QStringLiteral("Listening IP Address:")), 0, 0);
  grid->addWidget(efIP, 0, 1);
  grid->addWidget(cbAutoIP, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Listening Port:")), 2, 0);
  grid->addWidget(efPort, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Password:")), 3, 0);
  grid->addWidget(efPwd, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("iTunes Library File:")), 4, 0, Qt::AlignTop);
  auto* pathRow = new QHBoxLayout;
  pathRow->setSpacing(4);
  pathRow->addWidget(efLibFilePath);
  pathRow->addWidget(PushButton3, 0, Qt::AlignTop);
  grid->addLayout(pathRow, 4, 1);
  grid->setRowStretch(5, 1);
  return page;
}

QWidget* winprefs::buildOutputPage() {
  auto* page = new QWidget;
  rbPlain = radioButton("rbPlain", QStringLiteral("Normal"));
  rbPDA = radioButton("rbPDA", QStringLiteral("PDA"));
  rbFancy = radioButton("rbFancy", QStringLiteral("Fancy (Experimental)"));
  rbTextOnly = radioButton("rbTextOnly", QStringLiteral("Text Only"));
  rbXML = radioButton("rbXML", QStringLiteral("XML"));
  rbSimpleHTML = radioButton("rbSimpleHTML", QStringLiteral("Simple HTML"));
  cbDisplayArt = checkBox("cbDisplayArt", QStringLiteral("Display Album Art"));

  // One group for all six: exactly one output style is chosen.
  styleGroup_ = new QButtonGroup(this);
  for (QRadioButton* button : {rbPlain, rbPDA, rbFancy, rbTextOnly, rbXML, rbSimpleHTML})
    styleGroup_->addButton(button);

  auto* web = new QVBoxLayout;
  web->setSpacing(4);
  web->addWidget(groupLabel(QStringLiteral("Web Interface:")));
  web->addWidget(rbPlain);
  web->addWidget(rbPDA);
  web->addWidget(rbFancy);
  web->addStretch();
  auto* text = new QVBoxLayout;
  text->setSpacing(4);
  text->addWidget(groupLabel(QStringLiteral("Text Display:")));
  text->addWidget(rbTextOnly);
  text->addWidget(rbXML);
  text->addWidget(rbSimpleHTML);
  text->addStretch();
  auto* groups = new QHBoxLayout;
  groups->addLayout(web);
  groups->addSpacing(16);
  groups->addLayout(text);

  QVBoxLayout* column = pageColumn(page);
  column->addLayout(groups);
  column->addSpacing(8);
  column->addWidget(cbDisplayArt);
  column->addStretch();
  return page;
}

QWidget* winprefs::buildRuntimePage() {
  auto* page = new QWidget;
  cbAutoPlay = checkBox("cbAutoPlay", QStringLiteral("Auto-Start iTunes Player"));
  cbHideIT = checkBox("cbHideIT", QStringLiteral("Hide iTunes"));
  cbAuto = checkBox("cbAuto", QStringLiteral("Auto-Start Server on Run"));
  cbHideQV = checkBox("cbHideQV", QStringLiteral("Hide Quaverly"));
  cbPolling = checkBox("cbPolling", QStringLiteral("Server self-polling/restart"));

  QVBoxLayout* column = pageColumn(page);
  column->addWidget(groupLabel(QStringLiteral("Startup options:")));
  column->addWidget(cbAutoPlay);
  column->addWidget(indented(cbHideIT));
  column->addWidget(cbAuto);
  column->addWidget(cbHideQV);
  column->addSpacing(8);
  column->addWidget(groupLabel(QStringLiteral("Recovery options:")));
  column->addWidget(cbPolling);
  column->addStretch();
  return page;
}

QWidget* winprefs::buildDatabasePage() {
  auto* page = new QWidget;
  cbUseDB = checkBox("cbUseDB", QStringLiteral("Use SQL Database"));
  cbAutoLoadDB = checkBox("cbAutoLoadDB", QStringLiteral("Reload database on Run"));
  cbAutoLoadPL = checkBox("cbAutoLoadPL", QStringLiteral("Reload playlists on Run"));
  cbPageResults = checkBox("cbPageResults", QStringLiteral("Page query results"));
  cbPages = named(new QComboBox, "cbPages");
  cbPages->setEditable(true);
  cbPages->addItems(kPageChoices);
  // Only the seven entries are kept: typing never adds one or completes to one.
  cbPages->setInsertPolicy(QComboBox::NoInsert);
  cbPages->setCompleter(nullptr);
  cbPages->setMinimumContentsLength(5);
  cbNoQVSR = checkBox("cbNoQVSR",
                      QStringLiteral("Don't create \"Quaverly Search Results\"\nplaylist"));

  auto* pagesRow = new QHBoxLayout;
  pagesRow->setContentsMargins(20, 0, 0, 0);
  pagesRow->addWidget(cbPages);
  pagesRow->addWidget(new QLabel(QStringLiteral("results per page")));
  pagesRow->addStretch();

  QVBoxLayout* column = pageColumn(page);
  column->addWidget(groupLabel(QStringLiteral("Database options:")));
  column->addWidget(cbUseDB);
  column->addWidget(cbAutoLoadDB);
  column->addWidget(cbAutoLoadPL);
  column->addWidget(cbPageResults);
  column->addLayout(pagesRow);
  column->addWidget(cbNoQVSR);
  column->addStretch();
  return page;
}

QWidget* winprefs::buildOtherPage() {
  auto* page = new QWidget;
  rbBrowseGenre = radioButton("rbBrowseGenre", QStringLiteral("Genre"));
  rbBrowseArtist = radioButton("rbBrowseArtist", QStringLiteral("Artist"));
  browseGroup_ = new QButtonGroup(this);
  browseGroup_->addButton(rbBrowseGenre);
  browseGroup_->addButton(rbBrowseArtist);

  QVBoxLayout* column = pageColumn(page);
  column->addWidget(groupLabel(QStringLiteral("Browse Mode:")));
  column->addWidget(rbBrowseGenre);
  column->addWidget(rbBrowseArtist);
  column->addStretch();
  return page;
}

void winprefs::showDialog() {
  if (!open_) {
    Open();
    open_ = true;
  }
  show();
  raise();
  activateWindow();
}

void winprefs::closeDialog() {
  hide();
  open_ = false;
}

void winprefs::Open() {
  modMain.PrefsVisible = true;
  efIP->setText(modMain.ipaddress);
  efPort->setText(QString::number(modMain.listenport));
  if (!modMain.blfancy && !modMain.blTextOnly && !modMain.blXML) modMain.blPlain = true;
  // Selected in this order, so a later true flag wins over the forced Normal.
  const std::pair<QRadioButton*, bool> styles[] = {
      {rbPlain, modMain.blPlain}, {rbSimpleHTML, modMain.blSimpleHTML},
      {rbFancy, modMain.blfancy}, {rbTextOnly, modMain.blTextOnly},
      {rbXML, modMain.blXML},     {rbPDA, modMain.blPDA}};
  for (const auto& [button, on] : styles)
    if (on) button->setChecked(true);
  cbAuto->setChecked(modMain.autostart);
  cbAutoPlay->setChecked(modMain.blautoplay);
  cbDisplayArt->setChecked(modMain.blDisplayArt);
  efPwd->setText(modMain.password);
  efLibFilePath->setPlainText(modMain.itunesfile);
  cbAutoLoadDB->setChecked(modMain.blAutoLoadDB);
  cbAutoLoadPL->setChecked(modMain.blAutoLoadPL);
  cbNoQVSR->setChecked(modMain.blNoQVSR);
  cbUseDB->setChecked(modMain.blUseDB);
  cbPageResults->setChecked(modMain.blPageResults);
  cbPages->setEditText(QString::number(modMain.intResultsPerPage));
  cbAutoIP->setChecked(modMain.blAutoIPUpdate);
  cbHideQV->setChecked(modMain.blHideQV);
  cbHideIT->setChecked(modMain.blHideIT);
  cbPolling->setChecked(modMain.blPolling);
  const bool genre = modMain.browseMode.compare(QLatin1String("genre"), Qt::CaseInsensitive) == 0;
  (genre ? rbBrowseGenre : rbBrowseArtist)->setChecked(true);
  stVersion->setText(QLatin1String(kVersionCaption));
  TabPanel1->setCurrentIndex(0);
}

void winprefs::bbSave_Action() {
  const QString newAddress = efIP->text();
  const int newPort = numericValue(efPort->text());

  modMain.blfancy = rbFancy->isChecked();
  modMain.autostart = cbAuto->isChecked();
  modMain.blTextOnly = rbTextOnly->isChecked();
  modMain.blSimpleHTML = rbSimpleHTML->isChecked();
  modMain.blXML = rbXML->isChecked();
  modMain.blPlain = rbPlain->isChecked();
  modMain.blPDA = rbPDA->isChecked();
  modMain.blautoplay = cbAutoPlay->isChecked();
  modMain.blDisplayArt = cbDisplayArt->isChecked();
  modMain.blAutoIPUpdate = cbAutoIP->isChecked();
  modMain.blHideQV = cbHideQV->isChecked();
  modMain.blHideIT = cbHideIT->isChecked();
  modMain.blAutoLoadPL = cbAutoLoadPL->isChecked();
  modMain.password = efPwd->text();
  modMain.itunesfile = efLibFilePath->toPlainText();
  modMain.blUseDB = cbUseDB->isChecked();
  modMain.blAutoLoadDB = cbAutoLoadDB->isChecked();
  modMain.blPageResults = cbPageResults->isChecked();
  modMain.intResultsPerPage = numericValue(cbPages->currentText());
  modMain.blNoQVSR = cbNoQVSR->isChecked();

  modMain.blPolling = cbPolling->isChecked();
  if (!modMain.blPolling) watchdog_.clearCountdown();
  watchdog_.setPolling(modMain.blPolling);

  modMain.browseMode = rbBrowseArtist->isChecked() ? QStringLiteral("artist") : QStringLiteral("genre");

  PrefsArgs args;
  args.listenIPAddress = newAddress;
  args.listenPort = newPort;
  args.fancyStyle = modMain.blfancy;
  args.autoStart = modMain.autostart;
  args.plainStyle = modMain.blPlain;
  args.textOnlyStyle = modMain.blTextOnly;
  args.autoPlay = modMain.blautoplay;
  args.password = modMain.password;
  args.displayArt = modMain.blDisplayArt;
  args.simpleHTMLStyle = modMain.blSimpleHTML;
  args.xmlStyle = modMain.blXML;
  args.iTunesFile = modMain.itunesfile;
  args.useDB = modMain.blUseDB;
  args.autoLoadDB = modMain.blAutoLoadDB;
  args.pageResults = modMain.blPageResults;
  args.resultsPerPage = modMain.intResultsPerPage;
  args.pdaStyle = modMain.blPDA;
  args.autoIPUpdate = modMain.blAutoIPUpdate;
  args.hideIT = modMain.blHideIT;
  args.hideQV = modMain.blHideQV;
  args.autoLoadPL = modMain.blAutoLoadPL;
  args.noQVSR = modMain.blNoQVSR;
  args.polling = modMain.blPolling;
  args.browseMode = modMain.browseMode;
  SetPrefs(args);

  const bool restartNeeded = newAddress != modMain.ipaddress || newPort != modMain.listenport;
  modMain.dbLimit = modMain.blPageResults ? modMain.intResultsPerPage : 0;
  modMain.ipaddress = newAddress;
  modMain.listenport = newPort;
  Status("Preferences saved");

  if (modMain.blUseDB && !modMain.loadcomplete)
    DBOpen();
  else if (!modMain.blUseDB && modMain.loadcomplete)
    DBClose();

  modMain.PrefsVisible = false;
  closeDialog();
  if (restartNeeded) showMessage(parentWidget(), QLatin1String(kRestartMessage));
}

void winprefs::bbCancel_Action() {
  modMain.PrefsVisible = false;
  closeDialog();
}

void winprefs::PushButton3_Action() {
  auto* chooser = new QFileDialog(this, QLatin1String(kChooseLibraryMessage),
                                  paths::homeFolder() + "/Music/iTunes");
  chooser->setObjectName(QStringLiteral("libraryFileChooser"));
  chooser->setFileMode(QFileDialog::ExistingFile);
  chooser->setAcceptMode(QFileDialog::AcceptOpen);
  chooser->setAttribute(Qt::WA_DeleteOnClose);
  connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& file) {
    if (!file.isEmpty()) efLibFilePath->setPlainText(QFileInfo(file).absoluteFilePath());
  });
  chooser->open();
}

void winprefs::cbAutoLoadDB_Action() {
  if (cbAutoLoadDB->isChecked() && cbAutoLoadPL->isChecked()) cbAutoLoadPL->setChecked(false);
}

void winprefs::cbAutoLoadPL_Action() {
  if (cbAutoLoadDB->isChecked() && cbAutoLoadPL->isChecked()) cbAutoLoadDB->setChecked(false);
}

void winprefs::cbPages_TextChanged(const QString& text) {
  if (!kPageChoices.contains(text) && text != QLatin1String("0")) cbPages->setEditText(QStringLiteral("0"));
}

// The window's close box and Escape discard the edits, as Cancel does.
void winprefs::reject() { bbCancel_Action(); }
