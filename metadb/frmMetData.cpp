#include "metadb/frmMetData.h"

#include "frame/CommandLine.h"
#include "frame/DataFileLine.h"
#include "frame/MenuDecoration.h"
#include "metadb/PrintPanel.h"
#include "metadb/StudyGridModel.h"
#include "metadb/StudyTable.h"
#include "metadb/Trace.h"
#include "metadb/frmExport.h"
#include "metadb/frmProgress.h"
#include "platform/AppInfo.h"
#include "platform/DatabaseCopy.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "platform/TempFolder.h"
#include "platform/WindowLife.h"
#include "shell/ControlColours.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "shell/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace metadb {

namespace {

constexpr int px(int twips) { return twips / shell::Resize::TwipsPerPixel; }

const char* const CaptionOpen = "Effect Size Database Editor. ";
const char* const DesignCaption = "Sorvend";
const char* const DatabaseFilter = "Database files (*.met)";
const char* const ResultsPlaceholder = "Meta-analysis reports will appear here.\n";

QString msgNeedDatabase() { return QStringLiteral("You need to open a database before performing this function."); }
QString msgWrongFile()
{
    return QStringLiteral("Are you sure you're opening the right file? Something went very wrong and resulted in the "
                          "following error:\r\n");
}

// What the window keeps from one showing to the next: the path it last
// tried to open and the Rosenthal results of the last analysis.
struct LastingState {
    QString strPath;
    metastats::RosenthalResults rosenthal;
};
LastingState& lasting()
{
    static LastingState state;
    return state;
}

QPointer<frmMetData>& instance()
{
    static QPointer<frmMetData> window;
    return window;
}

// The study import: box of the Tarvoss main window -> column of `data`.
struct ImportPair {
    const char* box;
    const char* column;
};
const ImportPair ImportMap[24] = {
    {"TxtID", "Study Name"},
    {"TxtYear", "Year of Study"},
    {"TxtDevice", "Measure Used"},
    {"TxtAssess", "Assessment Details"},
    {"txtStudySample", "Study Sample"},
    {"txtT1Sample", "Experimental / Group 1 Sample"},
    {"txtMean1", "Experimental / Group 1 Mean"},
    {"txtSD1", "SD 1"},
    {"TxtN1", "N 1"},
    {"txtT2Sample", "Control / Group 2 Sample"},
    {"txtMean2", "Control / Group 2 Mean"},
    {"txtSD2", "SD 2"},
    {"TxtN2", "N 2"},
    {"TxtTotalN", "Total N"},
    {"TxtMeanDiff", "Mean Difference"},
    {"txtZStat", "Z Statistic"},
    {"TxtUsedSD", "Used SD"},
    {"TxtTarvoss", "Cohen's D"},
    {"TxtESNeg95", "Cohen -95"},
    {"TxtESPlus95", "Cohen +95"},
    {"txtHedgesG", "Hedges' G"},
    {"TxtHedgesS1", "Hedges' SD"},
    {"TxtHedgesGNeg95", "Hedges' -95"},
    {"TxtHedgesGPlus95", "Hedges' +95"},
};

// The displayed text of a box of the Tarvoss main window ("" without one).
QString mainWindowText(const char* box)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != QLatin1String("frmMain"))
            continue;
        if (auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(box)))
            return e->text();
    }
    return {};
}

// Writes the main window's study into the current record (a box that is
// empty leaves its column as it is).
void importStudy(platform::Recordset& rs)
{
    for (const ImportPair& p : ImportMap) {
        const QString text = mainWindowText(p.box);
        if (!text.isEmpty())
            rs.setValue(QString::fromLatin1(p.column), text);
    }
}

// Runs a change of the current record; when it fails the change is dropped.
template <class F>
void changeRecord(platform::Recordset& rs, F change)
{
    try {
        change();
    } catch (...) {
        try {
            rs.cancelUpdate();
        } catch (...) {
            // The change's own error goes on to the command's message; one
            // in dropping the change must not take its place.
            qCWarning(traceMetadb) << "dropping a failed change:" << platform::currentErrorText();
        }
        throw;
    }
}

platform::RuntimeError closedError()
{
    return platform::RuntimeError(platform::ErrDbClosed,
                                  QStringLiteral("Operation is not allowed when the object is closed."));
}

// The window's menu pictures.
const frame::ImageList& menuImages()
{
    using frame::Picture;
    static const frame::ImageList images = {
        {QStringLiteral("s_Key1"), Picture::New},       {QStringLiteral("s_Key2"), Picture::Open},
        {QStringLiteral("s_Key3"), Picture::Save},      {QStringLiteral("s_Key4"), Picture::Exit},
        {QStringLiteral("s_Key5"), Picture::Paste},     {QStringLiteral("s_Key6"), Picture::Paste},
        {QStringLiteral("s_Key7"), Picture::Exit},      {QStringLiteral("s_Key8"), Picture::Save},
        {QStringLiteral("s_Key9"), Picture::Meta},      {QStringLiteral("s_Key10"), Picture::Calculate},
        {QStringLiteral("s_Key11"), Picture::New},      {QStringLiteral("s_Key12"), Picture::Open},
        {QStringLiteral("s_Key13"), Picture::Search},   {QStringLiteral("s_Key14"), Picture::Copy},
        {QStringLiteral("s_Key15"), Picture::Print},    {QStringLiteral("s_Key16"), Picture::Save},
        {QStringLiteral("s_Key17"), Picture::Save},     {QStringLiteral("s_Key18"), Picture::Contents},
        {QStringLiteral("s_Key19"), Picture::Help},
    };
    return images;
}

struct MenuItem {
    const char* menu;
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* image;
    void (frmMetData::*handler)();
};

const MenuItem MenuItems[] = {
    {"Menu1", "mnuNew", "&New Database", "Ctrl+N", "s_Key1", &frmMetData::cmdNewDB_Click},
    {"Menu1", "mnuOpen", "&Open Database", "Ctrl+O", "s_Key12", &frmMetData::cmdOpenDB_Click},
    {"Menu1", "mnuRename", "&Rename Database", "Ctrl+R", "s_Key16", &frmMetData::cmdRenameFileAs_Click},
    {"Menu1", "mnuPrint", "&Print Database", "Ctrl+P", "s_Key15", &frmMetData::cmdPrintDG_Click},
    {"Menu1", "mnuExit", "E&xit", "Ctrl+X", "s_Key7", &frmMetData::cmdClose_Click},
    {"Menu2", "mnuTVQNew", "Add TVQ Data As New Record", "Ctrl+A", "s_Key5", &frmMetData::cmdAddDataAsNew_Click},
    {"Menu2", "mnuOverwrite", "Overwrite Record With TVQ Data", "Ctrl+I", "s_Key6", &frmMetData::cmdAdd_Click},
    {"Menu2", "mnuEmpty", "Create New (Empty) Record", "Ctrl+J", "s_Key11", &frmMetData::cmdNew_Click},
    {"Menu2", "mnuDelete", "Delete Current Record", "Ctrl+D", "s_Key4", &frmMetData::cmdDelete_Click},
    {"Menu2", "mnuSave", "Save Manually Emtered Data", "Ctrl+S", "s_Key17", &frmMetData::cmdSave_Click},
    {"Menu2", "mnuMetaAnalyse", "Meta-Analyse", "Ctrl+M", "s_Key9", &frmMetData::cmdSummary_Click},
    {"Menu3", "mnuExport", "Export Database", "Ctrl+E", "s_Key8", &frmMetData::cmdExport_Click},
    {"Menu3", "mnuCopy", "Copy Meta-Analysis To Clipboard", "Ctrl+Y", "s_Key14",
     &frmMetData::cmdCopyClipboard_Click},
    {"Menu3", "mnuNotepad", "Save Meta-Analysis To Notepad", "Ctrl+T", "s_Key18", &frmMetData::cmdNotepad_Click},
};

struct MenuTitle {
    const char* name;
    const char* caption;
};
const MenuTitle MenuTitles[] = {{"Menu1", "&File"}, {"Menu2", "&Data"}, {"Menu3", "&Tools"}};

} // namespace

// ------------------------------------------------------------------ building

frmMetData::frmMetData(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMetData"));
    setWindowTitle(QString::fromLatin1(DesignCaption));
    buildMenus();
    buildControls();
    resize(px(13125), px(10710) + menuBar()->sizeHint().height());
}

frmMetData::~frmMetData() { releaseStudies(); }

QPushButton* frmMetData::addButton(const char* name, const char* caption, int left, int top, int width, int height,
                                   void (frmMetData::*handler)())
{
    auto* b = new QPushButton(QString::fromLatin1(caption), picButtons);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setGeometry(px(left), px(top), px(width), px(height));
    // The long captions fit their buttons a point smaller.
    QFont f = b->font();
    f.setPointSizeF(f.pointSizeF() - 1.0);
    b->setFont(f);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void frmMetData::buildControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);
    client->setMinimumSize(1, 1);

    // The command panel along the top.
    picButtons = new QWidget(client);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    picButtons->setGeometry(0, 0, px(13125), px(1860));

    struct Button {
        const char* name;
        const char* caption;
        void (frmMetData::*handler)();
    };
    const Button buttons[] = {
        {"cmdOpenDB", "&Open Existing Database", &frmMetData::cmdOpenDB_Click},
        {"cmdNewDB", "Create && Open &New Database", &frmMetData::cmdNewDB_Click},
        {"cmdRenameFileAs", "Rename && Open Database", &frmMetData::cmdRenameFileAs_Click},
        {"cmdAddDataAsNew", "Add TVQ Data As New &Record", &frmMetData::cmdAddDataAsNew_Click},
        {"cmdAdd", "Overwrite Record With TVQ Data", &frmMetData::cmdAdd_Click},
        {"cmdNew", "Create Ne&w (Empty) Row / Record", &frmMetData::cmdNew_Click},
        {"cmdDelete", "&Delete Current Record", &frmMetData::cmdDelete_Click},
        {"cmdSave", "&Save Manually Entered Data", &frmMetData::cmdSave_Click},
        {"cmdSummary", "&Meta-analyse", &frmMetData::cmdSummary_Click},
        {"cmdCopyClipboard", "Cop&y Meta-analysis To Clipboard", &frmMetData::cmdCopyClipboard_Click},
        {"cmdNotepad", "Sa&ve Meta-analysis To Notepad", &frmMetData::cmdNotepad_Click},
        {"cmdPrintDG", "&Print DataGrid", &frmMetData::cmdPrintDG_Click},
        {"cmdExport", "&Export Databases", &frmMetData::cmdExport_Click},
        {"cmdClose", "&Close Database Editor", &frmMetData::cmdClose_Click},
    };
    // Three columns of five rows left of the report box; the caution text
    // takes the last place.
    constexpr int left = 60, top = 60, width = 2730, height = 324, gapX = 60, gapY = 30;
    int i = 0;
    for (const Button& b : buttons) {
        const int row = i / 3, column = i % 3;
        QPushButton* button = addButton(b.name, b.caption, left + column * (width + gapX),
                                        top + row * (height + gapY), width, height, b.handler);
        if (button->objectName() == QLatin1String("cmdRenameFileAs"))
            cmdRenameFileAs = button;
        ++i;
    }

    Text1 = new QPlainTextEdit(picButtons);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFrameShape(QFrame::NoFrame);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setPlainText(QStringLiteral("Caution: All changes to any database \nare 'live' and permanent.\n"));
    {
        shell::ControlColours::SetBackColor(Text1,
                                            shell::ControlColours::ColourValue(Text1->palette().color(QPalette::Button)));
        shell::ControlColours::SetForeColor(Text1, shell::ControlColours::ColourValue(Qt::red));
        QFont f = Text1->font();
        f.setPointSizeF(f.pointSizeF() * 0.8);
        Text1->setFont(f);
        Text1->document()->setDocumentMargin(1);
    }
    Text1->setGeometry(px(left + 2 * (width + gapX)), px(top + 4 * (height + gapY)), px(width), px(height + 60));

    constexpr int resultsLeft = 13125 - 4575 - 60, resultsTop = (1860 - 1635) / 2;
    txtResults = new QPlainTextEdit(picButtons);
    txtResults->setObjectName(QStringLiteral("txtResults"));
    txtResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtResults->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtResults->setPlainText(QString::fromLatin1(ResultsPlaceholder));
    txtResults->setGeometry(px(resultsLeft), px(resultsTop), px(4575), px(1635));

    picPrint = new QWidget(picButtons);
    picPrint->setObjectName(QStringLiteral("picPrint"));
    picPrint->setGeometry(px(resultsLeft), px(resultsTop), px(4575), px(1635));
    picPrint->hide();

    txtstrPath = shell::newLineBox(picButtons);
    txtstrPath->setObjectName(QStringLiteral("txtstrPath"));
    txtstrPath->setGeometry(px(60), px(60), px(1000), px(285));
    txtstrPath->hide();

    // The study grid.
    grdDataGrid = new StudyGrid(client);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    grdDataGrid->setGeometry(0, px(1860), px(13125), px(2835));
    grdDataGrid->studyModel()->onError = [this](const QString& description) { reportError(description); };
    connect(grdDataGrid, &StudyGrid::headClicked, this, &frmMetData::grdDataGrid_HeadClick);

    // The summary panel of the meta-analysis.
    picMeta = new QWidget(client);
    picMeta->setObjectName(QStringLiteral("picMeta"));
    picMeta->setGeometry(0, px(1860 + 2835), px(13125), px(5745));
    metastats::buildMetaPanel(picMeta);
    const struct {
        const char* name;
        void (frmMetData::*handler)();
    } metaButtons[] = {
        {"cmdRecalculate", &frmMetData::cmdRecalculate_Click},
        {"cmdFailSafe", &frmMetData::cmdFailSafe_Click},
        {"cmdHeterogeneity", &frmMetData::cmdHeterogeneity_Click},
    };
    for (const auto& mb : metaButtons)
        if (auto* b = picMeta->findChild<QPushButton*>(QString::fromLatin1(mb.name))) {
            const auto handler = mb.handler;
            connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        }
    picMeta->hide();

    // The status bar: record count, the editor's name, the time of day.
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    for (int p = 0; p < 3; ++p) {
        panels_[p] = new QLabel(bar);
        panels_[p]->setObjectName(QStringLiteral("Panels(%1)").arg(p + 1));
        panels_[p]->setFrameShape(QFrame::StyledPanel);
        panels_[p]->setFrameShadow(QFrame::Sunken);
    }
    panels_[1]->setText(QStringLiteral("Tarvoss - Meta-analysis Editor"));
    bar->addWidget(panels_[0], 3);
    bar->addWidget(panels_[1], 2);
    bar->addPermanentWidget(panels_[2]);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &frmMetData::tick);
    clock_->start();
    tick();

    // The print options panel stands in for the report box while shown.
    printPanel_ = new PrintPanel(
        picPrint, txtResults, grdDataGrid, [this] { return recordset_.get(); },
        [] { showProgress(nullptr); }, [] { unloadProgress(); });
}

void frmMetData::buildMenus()
{
    for (const MenuTitle& t : MenuTitles) {
        QMenu* m = menuBar()->addMenu(QString::fromLatin1(t.caption));
        m->setObjectName(QString::fromLatin1(t.name));
        for (const MenuItem& item : MenuItems) {
            if (qstrcmp(item.menu, t.name) != 0)
                continue;
            QAction* a = m->addAction(QString::fromLatin1(item.caption));
            a->setObjectName(QString::fromLatin1(item.name));
            a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
            const auto handler = item.handler;
            connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    }
}

void frmMetData::SubClassMenuXP()
{
    for (const MenuTitle& t : MenuTitles)
        if (auto* m = menuBar()->findChild<QMenu*>(QString::fromLatin1(t.name)))
            m->setTitle(QString::fromLatin1(t.caption));
    for (const MenuItem& item : MenuItems)
        if (auto* a = findChild<QAction*>(QString::fromLatin1(item.name)))
            frame::decorateAction(a, QString::fromLatin1(item.caption) + QStringLiteral("|#") +
                                            QString::fromLatin1(item.image),
                                     menuImages());
}

void frmMetData::tick()
{
    panels_[2]->setText(QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat));
}

// ------------------------------------------------------------------ state

bool frmMetData::databaseOpen() const { return grdDataGrid && !grdDataGrid->isHidden(); }

QString frmMetData::strPath() const { return lasting().strPath; }

const metastats::RosenthalResults& frmMetData::rosenthal() const { return lasting().rosenthal; }

bool frmMetData::requireDatabase()
{
    if (databaseOpen()) {
        // A cell still being typed into belongs to the record first, and
        // the record's edit is written before the command; an edit that
        // cannot be written is dropped with its message and ends the command.
        grdDataGrid->commitEditor();
        return grdDataGrid->studyModel()->commitEdit();
    }
    platform::msgBox(msgNeedDatabase(), platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    return false;
}

void frmMetData::reportError(const QString& description)
{
    platform::msgBox(description, platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
}

bool frmMetData::withStudies(const std::function<void(platform::Recordset&)>& command)
{
    try {
        if (!recordset_)
            throw closedError();
        command(*recordset_);
        return true;
    } catch (const platform::RuntimeError& e) {
        reportError(e.description());
        return false;
    }
}

void frmMetData::ShowRecordCount()
{
    if (!recordset_)
        throw closedError();
    panels_[0]->setText(QStringLiteral("Number Of Records In Database:  ") +
                        QString::number(recordset_->recordCount()));
}

void frmMetData::SetGridColumnWidths()
{
    const int* widths = gridColumnWidths();
    for (int c = 0; c < GridColumnCount; ++c)
        grdDataGrid->setColumnWidth(c, px(widths[c]));
    grdDataGrid->studyModel()->setCentredColumns({0, 1});
}

void frmMetData::openStudies(const QString& path)
{
    auto connection = std::make_shared<platform::Connection>();
    connection->open(path);
    auto recordset = std::make_unique<platform::Recordset>();
    recordset->setYesNoFields(studyYesNoColumns());
    // `Study ID` numbers are never handed out twice.
    recordset->open(connection, studySql(), QStringLiteral("data"), QStringLiteral("Study ID"));
    // The new database takes the place of the one open before.
    releaseStudies();
    connection_ = std::move(connection);
    recordset_ = std::move(recordset);
    StudyGridModel* model = grdDataGrid->studyModel();
    model->setCentredColumns({});
    model->setBooleanColumn(recordset_->fieldIndex(QStringLiteral("Include")));
    model->bind(recordset_.get());
    grdDataGrid->followRecordset();
}

void frmMetData::releaseStudies()
{
    if (grdDataGrid)
        grdDataGrid->studyModel()->bind(nullptr);
    if (recordset_) {
        // Releasing the studies ignores every error, as closing the window
        // does; the recordset goes either way.
        try {
            recordset_->close();
        } catch (...) {
            qCWarning(traceMetadb) << "closing the studies:" << platform::currentErrorText();
        }
        recordset_.reset();
    }
    closeConnectionQuietly();
    connection_.reset();
}

void frmMetData::commitPendingEdit()
{
    grdDataGrid->commitEditor();
    if (recordset_)
        grdDataGrid->studyModel()->commitEdit();
}

void frmMetData::closeConnectionQuietly()
{
    try {
        if (connection_ && connection_->isOpen())
            connection_->close();
    } catch (...) {
        qCWarning(traceMetadb) << "closing the study database:" << platform::currentErrorText();
    }
}

void frmMetData::hideGrid() { grdDataGrid->hide(); }

void frmMetData::refreshGrid()
{
    grdDataGrid->studyModel()->refresh();
    grdDataGrid->followRecordset();
}

void frmMetData::showDatabaseLayout()
{
    // Only a database the window can write to is shown as open.
    if (!recordset_ || !connection_ || !connection_->isOpen())
        throw closedError();
    grdDataGrid->show();
    picMeta->hide();
    txtResults->show();
    picPrint->hide();
    txtstrPath->setText(lasting().strPath);
    cmdRenameFileAs->setEnabled(true);
}

// ------------------------------------------------------------------ loading

void frmMetData::Form_Load()
{
    SubClassMenuXP();
    const QString path = frame::databasePathFromCommandLine(platform::commandLine());
    if (path.isEmpty()) {
        hideGrid();
        cmdRenameFileAs->setEnabled(false);
    } else {
        showProgress(this);
        lasting().strPath = path;
        txtstrPath->setText(path);
        try {
            openStudies(path);
            setWindowTitle(QString::fromLatin1(CaptionOpen) + path);
            cmdRenameFileAs->setEnabled(true);
            ShowRecordCount();
            unloadProgress();
            grdDataGrid->show();
        } catch (const platform::RuntimeError& e) {
            releaseStudies();
            hideGrid();
            unloadProgress();
            platform::msgBox(msgWrongFile() + e.description(), platform::MsgButtons::OK, platform::MsgIcon::None, {},
                             this);
            return;   // the dialog's folder stays unset
        }
    }
    dialogFolder_ = platform::appPath();
}

void frmMetData::Form_Resize()
{
    // Resizing ignores every error: the controls keep their places.
    try {
        shell::Resize::ResizeFormControls(this);
    } catch (...) {
        qCWarning(traceMetadb) << "laying out the window:" << platform::currentErrorText();
    }
}

void frmMetData::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

bool frmMetData::storePendingEditBeforeClosing()
{
    // Closing ignores every error; what the editor could not hand over is
    // not part of the pending edit asked about below.
    try {
        grdDataGrid->commitEditor();
    } catch (...) {
        qCWarning(traceMetadb) << "the grid's editor at closing:" << platform::currentErrorText();
    }
    for (;;) {
        if (!recordset_ || !recordset_->isOpen() || !recordset_->editPending())
            return true;
        // What was typed, to be typed again after a refusal that drops it.
        std::vector<std::pair<int, QVariant>> typed;
        QString description;
        int records = 0;
        try {
            typed = recordset_->pendingValues();
            const QStringList typedTexts = recordset_->pendingTexts();
            records = recordset_->recordCount();
            try {
                recordset_->update();
                return true;
            } catch (const platform::RuntimeError& e) {
                description = platform::Recordset::refusedEditText(e, typedTexts);
            }
        } catch (const platform::RuntimeError& e) {
            description = e.description();
        } catch (const std::exception& e) {
            description = QString::fromLocal8Bit(e.what());
        }
        refreshGrid();
        // A record another user deleted cannot take the edit any more.
        const bool recordGone = recordset_->recordCount() < records;
        if (recordGone) {
            const platform::MsgResult answer = platform::msgBox(
                QStringLiteral("The change to the current study could not be saved:\r\n%1\r\n\r\n"
                               "Do you wish to close the window without it?")
                    .arg(description),
                platform::MsgButtons::OKCancel, platform::MsgIcon::Question, {}, this);
            return answer == platform::MsgResult::OK;
        }
        const platform::MsgResult answer = platform::msgBox(
            QStringLiteral("The change to the current study could not be saved:\r\n%1\r\n\r\n"
                           "Do you wish to try to save it again? Yes saves it again, No closes the window without "
                           "it, Cancel keeps the window open.")
                .arg(description),
            platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question, {}, this);
        if (answer == platform::MsgResult::No) {
            // Closing without the edit ignores every error.
            try {
                recordset_->cancelUpdate();
            } catch (...) {
                qCWarning(traceMetadb) << "dropping the edit at closing:" << platform::currentErrorText();
            }
            return true;
        }
        // Again or staying: the record holds what was typed, as a pending
        // edit over what is stored now.
        try {
            if (!recordset_->editPending())
                for (const auto& [field, value] : typed)
                    recordset_->setValue(field, value);
        } catch (...) {
            // The window stays; the grid shows what the record holds.
            qCWarning(traceMetadb) << "typing the edit again:" << platform::currentErrorText();
        }
        refreshGrid();
        if (answer != platform::MsgResult::Yes)
            return false;
    }
}

void frmMetData::closeEvent(QCloseEvent* event)
{
    // Unloading: an edit still open in the grid is stored, or the user
    // decides what becomes of it; then the database is let go.
    if (!storePendingEditBeforeClosing()) {
        event->ignore();
        return;
    }
    // A command that waits in a box still uses the database and the busy
    // window: both go with the window once that command has returned.
    if (!platform::CommandWait::active()) {
        releaseStudies();
        unloadProgress();
    }
    clock_->stop();
    event->accept();
}

void frmMetData::cmdClose_Click() { close(); }

// ------------------------------------------------------------------ opening

void frmMetData::BrowseOpenDatabase()
{
    const QString chosen = platform::getOpenFileName(this, QString(), dialogFolder_,
                                                     QString::fromLatin1(DatabaseFilter));
    if (chosen.isEmpty())
        return;   // cancelled: nothing more
    showProgress(this);
    lasting().strPath = chosen;
    try {
        commitPendingEdit();
        openStudies(chosen);
        SetGridColumnWidths();
        grdDataGrid->show();
        cmdRenameFileAs->setEnabled(true);
        ShowRecordCount();
        unloadProgress();
    } catch (const platform::RuntimeError& e) {
        unloadProgress();
        // Nothing of the file that failed, nor of the one before, stays in use.
        releaseStudies();
        hideGrid();
        platform::msgBox(msgWrongFile() + e.description(), platform::MsgButtons::OK, platform::MsgIcon::None, {},
                         this);
    }
}

void frmMetData::cmdOpenDB_Click()
{
    BrowseOpenDatabase();
    setWindowTitle(QString::fromLatin1(CaptionOpen) + lasting().strPath);
    picMeta->hide();
    txtResults->show();
    picPrint->hide();
    txtstrPath->setText(lasting().strPath);
}

// ------------------------------------------------------------------ new and copy

QString frmMetData::askNewDatabaseName()
{
    return platform::getSaveFileName(this, QString(), dialogFolder_, QString::fromLatin1(DatabaseFilter),
                                     QStringLiteral("met"), false);
}

void frmMetData::showFileExists()
{
    platform::msgBox(QStringLiteral("File exists - you cannot overwrite these files.\r\n\r\n"
                                    "If you want to delete the original database file please do so manually, using "
                                    "Windows Explorer.\r\n\r\n"
                                    "Please try to create the database again, this time selecting a different name."),
                     platform::MsgButtons::OK, platform::MsgIcon::None, QStringLiteral("File Already Exists"), this);
}

bool frmMetData::runSteps(const std::vector<std::function<void()>>& steps)
{
    for (const auto& step : steps) {
        for (;;) {
            int number = 0;
            QString description;
            try {
                step();
                break;
            } catch (const platform::RuntimeError& e) {
                number = e.number();
                description = e.description();
            } catch (const std::exception& e) {
                number = platform::ErrInvalidCall;
                description = QString::fromLocal8Bit(e.what());
            }
            closeConnectionQuietly();
            unloadProgress();
            const platform::MsgResult answer = platform::msgBox(
                QStringLiteral("    Error No. %1 \r\n%2").arg(number).arg(description),
                platform::MsgButtons::AbortRetryIgnore, platform::MsgIcon::Critical, QStringLiteral("Code Gen Error"),
                this);
            if (answer == platform::MsgResult::Abort) {
                // The study connection is closed now: the window shows no
                // database rather than one it can no longer write to.
                if (!connection_ || !connection_->isOpen()) {
                    releaseStudies();
                    hideGrid();
                }
                return false;
            }
            if (answer != platform::MsgResult::Retry)
                break;   // Ignore: on with the next step
        }
    }
    return true;
}

void frmMetData::cmdNewDB_Click()
{
    const QString path = askNewDatabaseName();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        showFileExists();
        return;
    }
    auto studies = [this]() -> platform::Recordset& {
        if (!recordset_)
            throw closedError();
        return *recordset_;
    };
    runSteps({
        [path] { lasting().strPath = path; },
        [path] { createStudyDatabase(path); },
        [this, path] {
            commitPendingEdit();
            openStudies(path);
        },
        [this, studies] {
            platform::Recordset& rs = studies();
            rs.moveLast();
            rs.addNew();
            changeRecord(rs, [&rs] {
                rs.setValue(QStringLiteral("Year of Study"), QStringLiteral("New Record   - "));
                rs.setValue(QStringLiteral("Measure Used"), QStringLiteral("Overwrite This Row"));
                rs.setValue(QStringLiteral("Include"), QStringLiteral("-1"));
                rs.update();
            });
            refreshGrid();
        },
        [this] { SetGridColumnWidths(); },
        [this, path] { setWindowTitle(QString::fromLatin1(CaptionOpen) + path); },
        [this] { ShowRecordCount(); },
        [this] { showDatabaseLayout(); },
    });
}

void frmMetData::cmdRenameFileAs_Click()
{
    const QString path = askNewDatabaseName();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        showFileExists();
        return;
    }
    const QString source = txtstrPath->text();
    runSteps({
        [this] { showProgress(this); },
        [this] {
            // What the user typed into the grid belongs to the database
            // that is copied.
            commitPendingEdit();
            if (!connection_ || !connection_->isOpen())
                throw closedError();
            connection_->close();
        },
        [source, path] {
            if (source.isEmpty() || !QFileInfo(source).isFile())
                throw platform::errFileNotFound();
            // The copy is the database as last committed (a journal a stopped
            // program left is rolled back first), written under a temporary
            // name and renamed; it never replaces a file.
            platform::backupDatabase(source, path, qint64(1) << 30, false);
        },
        [this, path] { openStudies(path); },
        [this, path] {
            setWindowTitle(QString::fromLatin1(CaptionOpen) + path);
            lasting().strPath = path;
            txtstrPath->setText(path);
        },
        [this] { ShowRecordCount(); },
        [this] { showDatabaseLayout(); },
        [this] { SetGridColumnWidths(); },
        [] { unloadProgress(); },
    });
}

// ------------------------------------------------------------------ records

bool frmMetData::authorsGiven(const QString& refusal)
{
    if (!mainWindowText("TxtID").isEmpty())
        return true;
    platform::msgBox(refusal, platform::MsgButtons::OK, platform::MsgIcon::Information,
                     QStringLiteral("No Data To Enter"), this);
    ShowRecordCount();
    return false;
}

void frmMetData::cmdAddDataAsNew_Click()
{
    if (!requireDatabase())
        return;
    withStudies([&](platform::Recordset& rs) {
        if (!authorsGiven(QStringLiteral("You must at least enter 'Authors' into the Tarvoss before adding a study "
                                         "to the database as a new record.")))
            return;
        rs.moveLast();
        rs.addNew();
        changeRecord(rs, [&rs] {
            importStudy(rs);
            rs.setValue(QStringLiteral("Include"), QStringLiteral("-1"));
            rs.update();
        });
        refreshGrid();
        ShowRecordCount();
    });
}

void frmMetData::cmdAdd_Click()
{
    if (!requireDatabase())
        return;
    withStudies([&](platform::Recordset& rs) {
        const QVariant name = rs.value(QStringLiteral("Study Name"));
        if (!name.isNull() && !name.toString().isEmpty()) {
            const auto answer = platform::msgBox(
                QStringLiteral("You are about to overwrite a record, are you sure you wish to do this?"),
                platform::MsgButtons::YesNo, platform::MsgIcon::None, QStringLiteral("Overwriting Record"), this);
            if (answer != platform::MsgResult::Yes) {
                platform::msgBox(QStringLiteral("In that case, you probably need to create a new record first."),
                                 platform::MsgButtons::OK, platform::MsgIcon::Information,
                                 QStringLiteral("Not Overwriting"), this);
                ShowRecordCount();
                return;
            }
        }
        if (!authorsGiven(QStringLiteral("You must at least enter 'Authors' into the Tarvoss before adding a study "
                                         "to the database.")))
            return;
        changeRecord(rs, [&rs] {
            importStudy(rs);
            rs.update();
        });
        refreshGrid();
        changeRecord(rs, [&rs] {
            rs.setValue(QStringLiteral("Include"), QStringLiteral("-1"));
            rs.update();
        });
        refreshGrid();
        ShowRecordCount();
    });
}

void frmMetData::cmdNew_Click()
{
    if (!requireDatabase())
        return;
    withStudies([&](platform::Recordset& rs) {
        rs.moveLast();
        rs.addNew();
        changeRecord(rs, [&rs] {
            rs.setValue(QStringLiteral("Year of Study"), QStringLiteral("New Record"));
            rs.setValue(QStringLiteral("Study Sample"), QStringLiteral("     ---"));
            rs.setValue(QStringLiteral("Measure Used"), QStringLiteral("Overwrite This Row"));
            rs.setValue(QStringLiteral("Include"), QStringLiteral("-1"));
            rs.update();
        });
        refreshGrid();
        ShowRecordCount();
    });
}

void frmMetData::cmdDelete_Click()
{
    if (!requireDatabase())
        return;
    withStudies([&](platform::Recordset& rs) {
        if (rs.recordCount() >= 2) {
            rs.deleteCurrent();
            if (rs.eof())
                rs.moveLast();
            refreshGrid();
            ShowRecordCount();
        } else {
            platform::msgBox(QStringLiteral("Deleting this record would leave the database empty - which would "
                                            "terminate the programme.\r"
                                            "Please either replace this record or add others before deleting it."),
                             platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
            ShowRecordCount();
        }
    });
}

void frmMetData::cmdSave_Click()
{
    if (!requireDatabase())
        return;
    withStudies([this](platform::Recordset& rs) {
        rs.moveFirst();
        rs.update();
        refreshGrid();
    });
}

void frmMetData::grdDataGrid_HeadClick(int column)
{
    withStudies([&](platform::Recordset& rs) {
        grdDataGrid->commitEditor();
        if (!grdDataGrid->studyModel()->commitEdit())
            return;
        const QString field = rs.fieldName(column);
        if (field.compare(sortField_, Qt::CaseInsensitive) == 0 &&
            sortOrder_.compare(QLatin1String(" ASC"), Qt::CaseInsensitive) == 0)
            sortOrder_ = QStringLiteral(" DESC");
        else
            sortOrder_ = QStringLiteral(" ASC");
        sortField_ = field;
        rs.sortBy(field, sortOrder_ == QLatin1String(" DESC"));
        refreshGrid();
    });
}

// ------------------------------------------------------------------ meta-analysis

void frmMetData::MetaAnalyse()
{
    picMeta->show();
    metastats::MetaContext context;
    context.window = this;
    context.connection = connection_;
    context.studies = recordset_.get();
    context.path = lasting().strPath;
    context.databaseOpen = databaseOpen();
    context.picMeta = picMeta;
    context.txtResults = txtResults;
    context.rosenthal = &lasting().rosenthal;
    context.showProgress = [this] { showProgress(this); };
    context.hideProgress = [] { unloadProgress(); };
    try {
        metastats::MetaAnalyse(context);
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    // The run wrote its Z scores and weights into the studies. A result the
    // database refused is not left pending, where every later move of the
    // grid would meet it again.
    if (recordset_) {
        try {
            if (recordset_->isOpen())
                recordset_->cancelUpdate();
        } catch (...) {
            // The run has shown its own failure; the grid shows what the
            // record holds.
            qCWarning(traceMetadb) << "dropping the run's refused result:" << platform::currentErrorText();
        }
        refreshGrid();
        // The run read the studies again: other users' new and deleted
        // studies are counted now.
        ShowRecordCount();
    }
}

void frmMetData::commitAndAnalyse()
{
    bool written = false;
    const bool committed = withStudies([this, &written](platform::Recordset& rs) {
        grdDataGrid->commitEditor();
        written = grdDataGrid->studyModel()->commitEdit();
        if (!written)
            return;
        rs.moveFirst();
        rs.update();
    });
    if (committed && written)
        MetaAnalyse();
}

void frmMetData::cmdSummary_Click()
{
    if (!requireDatabase())
        return;
    commitAndAnalyse();
}

void frmMetData::cmdRecalculate_Click() { commitAndAnalyse(); }

void frmMetData::cmdFailSafe_Click()
{
    commitAndAnalyse();
    try {
        metastats::showFailSafe(this);
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
}

void frmMetData::cmdHeterogeneity_Click()
{
    try {
        metastats::showHeterogeneity(this, lasting().rosenthal);
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
}

void frmMetData::cmdCopyClipboard_Click()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(txtResults->toPlainText());
    platform::msgBox(QStringLiteral("Results Summary Copied To Clipboard - You Can Now Paste Into A Word Processor."),
                     platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
}

void frmMetData::MakeNotepad()
{
    // The user's own temporary folder: a file of a fixed name in a folder
    // that others can write to could be a link they planted.
    const QString file = QDir(platform::userTempFolderPath()).filePath(QStringLiteral("Meta.txt"));
    try {
        platform::userTempFolder();
        QString text = txtResults->toPlainText();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        text += QStringLiteral("\r\n");
        // The report replaces the file as a whole or not at all, and replaces
        // a link of that name rather than writing where it points.
        platform::replaceFileNoFollow(file, text.toUtf8());
    } catch (const platform::RuntimeError& e) {
        // The file is written whole or not at all: no file was made.
        platform::msgBox(
            QStringLiteral("The report could not be saved as %1, and no file was created. You may have to use "
                           "'copy and paste'.\r\n"
                           "Something went very wrong and resulted in the following error:\r\n")
                    .arg(QDir::toNativeSeparators(file)) +
                e.description(),
            platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
        return;
    }
    platform::openUrl(file);
}

void frmMetData::cmdNotepad_Click() { MakeNotepad(); }

// ------------------------------------------------------------------ printing and export

void frmMetData::cmdPrintDG_Click()
{
    if (!requireDatabase())
        return;
    txtResults->hide();
    picPrint->show();
}

void frmMetData::cmdExport_Click() { showExport(this); }

// ------------------------------------------------------------------ the one window

frmMetData* showMetData()
{
    QPointer<frmMetData>& w = instance();
    if (w.isNull()) {
        w = new frmMetData();
        platform::deleteOnClose(w);
        w->Form_Load();
        if (w.isNull())
            return nullptr;
        shell::centreOnScreen(w);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w.data();
}

frmMetData* metDataWindow() { return instance().data(); }

} // namespace metadb
