#include "frame/MainFrame.h"

#include "frame/DataFileWindow.h"
#include "frame/RecentFiles.h"
#include "frame/Trace.h"
#include "platform/AppInfo.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/Settings.h"
#include "shell/Application.h"
#include "shell/Resize.h"
#include "shell/ScreenFit.h"
#include "shell/ShellWindows.h"
#include "shell/TextBox.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace frame {

namespace {

constexpr int kTwipsPerPixel = shell::TwipsPerPixel;
const char* const kChanged = "DataChanged";

QString errorText(const std::exception& e)
{
    if (auto* r = dynamic_cast<const platform::RuntimeError*>(&e))
        return r->description();
    return QString::fromLocal8Bit(e.what());
}

// A line edit that is part of another control (a combo box's or a spin box's
// own edit line) is no text box of its own.
bool isOwnLineEdit(const QLineEdit* e)
{
    for (QWidget* p = e->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p))
            return false;
        if (p->isWindow())
            break;
    }
    return true;
}

// Stored twips as a number; a value that is not a number, or is no place on
// any screen (window systems hold a position in 16 bits), gives the default.
int twipsToPixels(const QString& text, double fallback)
{
    double v = fallback;
    if (!platform::tryCdbl(text, v))
        v = fallback;
    try {
        v = platform::csng(v);
    } catch (const platform::RuntimeError&) {
        v = fallback;
    }
    if (!(std::fabs(v / kTwipsPerPixel) <= 32767.0))
        v = fallback;
    return qRound(v / kTwipsPerPixel);
}

// A flag that a widget carries as a dynamic property; invalid when it has
// none. Looking at the dynamic names first spares the search through the
// widget's own properties for the many widgets that carry no flag.
QVariant dynamicFlag(const QObject* o, const char* name)
{
    if (!o->dynamicPropertyNames().contains(QByteArray::fromRawData(name, qstrlen(name))))
        return {};
    return o->property(name);
}

} // namespace

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent)
{
    setCentralWidget(new QWidget(this));
}

MainFrame::~MainFrame() = default;

// ---------------------------------------------------------------- loading

void MainFrame::Form_Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    buildFrame();
    // 1. Menu captions and their decoration.
    MenusSubclassed = true;
    if (MenusSubclassed)
        SubClassMenuXP();
    // 2. The recent-file list.
    mru_->resetMRULastIndex();
    mru_->LoadMRUList();
    // 3. Position.
    const int left = twipsToPixels(platform::getSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"),
                                                        QStringLiteral("1000")), 1000);
    const int top = twipsToPixels(platform::getSetting(QStringLiteral("Settings"), QStringLiteral("MainTop"),
                                                       QStringLiteral("1000")), 1000);
    shell::placeFrameAt(this, QPoint(left, top));
    // Tooltips of the program's own buttons that the frame knows.
    for (auto it = frameConfig().buttonToolTips.cbegin(); it != frameConfig().buttonToolTips.cend(); ++it)
        if (auto* b = findChild<QWidget*>(it.key()); b && b->toolTip().isEmpty())
            b->setToolTip(it.value());
    // Every change of a box's content from here on counts.
    for (QWidget* w : findChildren<QWidget*>())
        trackChanges(w);
    // The program's own steps (colours, command line, start tab).
    loadProgramSteps();
}

void MainFrame::buildFrame()
{
    const FrameConfig& cfg = frameConfig();

    // Menus as designed: every item with its name and shortcut; the captions
    // of the caption language are set by SubClassMenuXP.
    QAction* mruEntry0 = nullptr;
    QAction* mruBefore = nullptr;
    QMenu* fileMenu = nullptr;
    for (const MenuSpec& ms : cfg.menus) {
        QMenu* m = menuBar()->addMenu(parseMenuCaption(ms.caption).text);
        m->setObjectName(ms.name);
        m->menuAction()->setObjectName(ms.name);
        for (const MenuItemSpec& is : ms.items) {
            auto* a = new QAction(this);
            a->setObjectName(is.name);
            if (is.caption == QLatin1String("-"))
                a->setSeparator(true);
            else
                a->setText(parseMenuCaption(is.caption).text);
            if (!is.shortcut.isEmpty())
                a->setShortcut(is.shortcut);
            m->addAction(a);
            if (is.name == QLatin1String("mnuMRU")) {
                mruEntry0 = a;
                fileMenu = m;
                continue;
            }
            if (mruEntry0 && !mruBefore && a->isSeparator())
                mruBefore = a;
            if (!a->isSeparator())
                if (const Command command = commandFor(is.name))
                    connect(a, &QAction::triggered, this, [this, command] { runMenuCommand(command); });
        }
    }
    if (!mruEntry0) {
        // Every program lists its recent files; keep the list even in a menu
        // table without it.
        fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
        mruEntry0 = fileMenu->addAction(QString());
    }
    if (!mruBefore) {
        mruBefore = new QAction(this);
        mruBefore->setSeparator(true);
        fileMenu->addAction(mruBefore);
    }
    mru_ = std::make_unique<RecentFileList>(fileMenu, mruEntry0, mruBefore, [this](int i) { mnuMRU_Click(i); });

    // Toolbar.
    auto* bar = addToolBar(QStringLiteral("Toolbar1"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (int i = 0; i < cfg.toolbar.size(); ++i) {
        const ToolButtonSpec& t = cfg.toolbar[i];
        if (t.groupStart && i > 0)
            bar->addSeparator();
        auto* a = new QAction(pictureIcon(t.picture), t.toolTip, this);
        a->setObjectName(QStringLiteral("Toolbar1_") + t.key);
        a->setToolTip(t.toolTip);
        a->setProperty("key", t.key);
        bar->addAction(a);
        if (QWidget* b = bar->widgetForAction(a)) {
            b->setProperty("key", t.key);
            b->setObjectName(QStringLiteral("Toolbar1_Button_") + t.key);
        }
        const QString key = t.key;
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }

    // Status bar.
    QStatusBar* sb = statusBar();
    sb->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < cfg.statusPanels.size(); ++i) {
        const StatusPanelSpec& ps = cfg.statusPanels[i];
        auto* l = new QLabel(sb);
        l->setObjectName(QStringLiteral("Panel(%1)").arg(i + 1));
        l->setProperty("panelKind", int(ps.kind));
        l->setText(ps.text);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        sb->addPermanentWidget(l, ps.stretch);
        panels_ << l;
    }
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainFrame::tick);
    clock_->start();
    tick();
}

void MainFrame::tick()
{
    const QDateTime now = QDateTime::currentDateTime();
    for (QLabel* l : std::as_const(panels_)) {
        const auto kind = StatusPanelSpec::Kind(l->property("panelKind").toInt());
        if (kind == StatusPanelSpec::Date)
            l->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
        else if (kind == StatusPanelSpec::Time)
            l->setText(QLocale::system().toString(now.time(), QLocale::ShortFormat));
    }
}

void MainFrame::SubClassMenuXP()
{
    const FrameConfig& cfg = frameConfig();
    for (const MenuSpec& ms : cfg.menus) {
        if (auto* m = findChild<QMenu*>(ms.name))
            m->setTitle(parseMenuCaption(ms.caption).text);
        for (const MenuItemSpec& is : ms.items) {
            if (is.name == QLatin1String("mnuMRU"))
                continue;   // element 0 keeps its empty caption; the list fills it
            if (auto* a = findChild<QAction*>(is.name))
                decorateAction(a, is.caption, cfg.menuImages);
        }
    }
}

void MainFrame::trackChanges(QWidget* w)
{
    if (!w)
        return;
    // What kind of box it is decides first: most of a window's widgets are
    // labels and buttons, and looking up a property by name costs more.
    auto* e = qobject_cast<QLineEdit*>(w);
    auto* c = e ? nullptr : qobject_cast<QComboBox*>(w);
    auto* p = (e || c) ? nullptr : qobject_cast<QPlainTextEdit*>(w);
    auto* t = (e || c || p) ? nullptr : qobject_cast<QTextEdit*>(w);
    if ((!e && !c && !p && !t) || (e && !isOwnLineEdit(e)))
        return;
    if (dynamicFlag(w, "DataChangedHooked").toBool())
        return;
    if (e)
        connect(e, &QLineEdit::textChanged, this, [e] { e->setProperty(kChanged, true); });
    else if (c)
        connect(c, &QComboBox::currentTextChanged, this, [c] { c->setProperty(kChanged, true); });
    else if (p)
        connect(p, &QPlainTextEdit::textChanged, this, [p] { p->setProperty(kChanged, true); });
    else
        connect(t, &QTextEdit::textChanged, this, [t] { t->setProperty(kChanged, true); });
    w->setProperty("DataChangedHooked", true);
    w->setProperty(kChanged, false);
}

// ---------------------------------------------------------------- changed flags

bool MainFrame::RecordChanged(bool Reset)
{
    // The main window's own controls decide, whichever window is active.
    bool changed = false;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->window() != this)
            continue;
        const QVariant flag = dynamicFlag(w, kChanged);
        if (!flag.isValid())
            continue;
        changed = changed || flag.toBool();
        if (Reset)
            w->setProperty(kChanged, false);
    }
    return changed;
}

// ---------------------------------------------------------------- closing

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (unloaded_) {
        event->accept();
        return;
    }
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    event->accept();
}

void MainFrame::Form_Unload(bool& Cancel)
{
    // 1. Unsaved data.
    if (RecordChanged(false)) {
        const auto answer = platform::msgBox(
            QStringLiteral("Data appears to have changed, do you wish to save these changes?"),
            platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question, QString(), this);
        if (answer == platform::MsgResult::Cancel) {
            Cancel = true;
            return;
        }
        if (answer == platform::MsgResult::Yes) {
            bool saved = false;
            try {
                saved = saveAs();
            } catch (...) {
                // A Save As that failed without its own message wrote
                // nothing either: the window stays, as below.
                qCWarning(traceFrame) << "saving before closing:" << platform::currentErrorText();
                saved = false;
            }
            if (!saved) {
                // Nothing was written: keep the window and the user's data.
                Cancel = true;
                return;
            }
            RecordChanged(true);
        }
    }
    // 2. The recent-file list.
    if (mru_)
        mru_->SaveMRUList();
    // 3. From here on every failure is ignored and closing goes on; each
    // leaves its trace.
    MenusSubclassed = false;
    // 4. Every other window of the program.
    try {
        unloadOtherWindows();
    } catch (...) {
        qCWarning(traceFrame) << "closing the other windows:" << platform::currentErrorText();
    }
    if (clock_)
        clock_->stop();
    // 5./6. Position, unless minimised.
    if (isMinimized())
        return;
    try {
        const QRect g = frameGeometry();
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"),
                              QString::number(g.x() * kTwipsPerPixel));
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainTop"),
                              QString::number(g.y() * kTwipsPerPixel));
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainWidth"),
                              QString::number(g.width() * kTwipsPerPixel));
        platform::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainHeight"),
                              QString::number(g.height() * kTwipsPerPixel));
    } catch (...) {
        qCWarning(traceFrame) << "keeping the window's place:" << platform::currentErrorText();
    }
}

void MainFrame::unloadOtherWindows()
{
    const QWidgetList all = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> others;
    for (QWidget* w : all) {
        if (w == this || qobject_cast<QMenu*>(w))
            continue;
        const Qt::WindowType type = w->windowType();
        if (type == Qt::Desktop || type == Qt::ToolTip || type == Qt::Popup)
            continue;
        others << w;
    }
    // The last loaded first.
    for (auto it = others.crbegin(); it != others.crend(); ++it) {
        QWidget* w = *it;
        if (w)
            w->close();
    }
}

// ---------------------------------------------------------------- commands

MainFrame::Command MainFrame::commandFor(const QString& name)
{
    static const QHash<QString, Command> commands = {
        {QStringLiteral("mnuFileNew"), &MainFrame::mnuFileNew_Click},
        {QStringLiteral("mnuFileOpen"), &MainFrame::openFileCommand},
        {QStringLiteral("mnuFileSaveAs"), &MainFrame::mnuFileSaveAs_Click},
        {QStringLiteral("mnuSave"), &MainFrame::mnuSave_Click},
        {QStringLiteral("mnuFilePrint"), &MainFrame::mnuFilePrint_Click},
        {QStringLiteral("mnuFileExit"), &MainFrame::mnuFileExit_Click},
        {QStringLiteral("mnuEditCopy"), &MainFrame::mnuEditCopy_Click},
        {QStringLiteral("mnuEditPaste"), &MainFrame::mnuEditPaste_Click},
        {QStringLiteral("mnuMeta"), &MainFrame::mnuMeta_Click},
        {QStringLiteral("mnuToolsSCalc"), &MainFrame::mnuToolsSCalc_Click},
        {QStringLiteral("mnuToolsWCalc"), &MainFrame::mnuToolsWCalc_Click},
        {QStringLiteral("mnuToolsCapture"), &MainFrame::mnuToolsCapture_Click},
        {QStringLiteral("mnuOptions"), &MainFrame::mnuOptions_Click},
        {QStringLiteral("mnuHelpContents"), &MainFrame::mnuHelpContents_Click},
        {QStringLiteral("mnuHelpSearchForHelpOn"), &MainFrame::mnuHelpSearchForHelpOn_Click},
        {QStringLiteral("mnuWebsite"), &MainFrame::mnuWebsite_Click},
        {QStringLiteral("mnuForums"), &MainFrame::mnuForums_Click},
        {QStringLiteral("mnuHelpAbout"), &MainFrame::mnuHelpAbout_Click},
        {QStringLiteral("runCalculation"), &MainFrame::runCalculation},
    };
    return commands.value(name, nullptr);
}

void MainFrame::runMenuCommand(Command command)
{
    // A failure that the command does not report itself is shown by the
    // application's net here, where the menu called it, rather than carried
    // up through the toolkit's own code.
    shell::deliverWithNet([this, command] {
        (this->*command)();
        return true;
    });
}

void MainFrame::Toolbar1_ButtonClick(const QString& Key)
{
    for (const ToolButtonSpec& t : frameConfig().toolbar) {
        if (t.key != Key)   // exact, case-sensitive
            continue;
        // A failure inside the command that the command does not report
        // itself is ignored by the toolbar: the window stays as the command
        // left it.
        try {
            if (const Command command = commandFor(t.handler))
                (this->*command)();
        } catch (...) {
            qCWarning(traceFrame) << "toolbar" << Key << "command:" << platform::currentErrorText();
        }
        return;
    }
}

bool MainFrame::askSaveBeforeOpen()
{
    return askToSaveBeforeOpening(
        this, [this](bool reset) { return RecordChanged(reset); }, [this] { return saveAs(); });
}

void MainFrame::openFileCommand()
{
    if (askSaveBeforeOpen())
        mnuFileOpen_Click();
}

void MainFrame::mnuMRU_Click(int Index)
{
    const QString path = mru_ ? mru_->caption(Index) : QString();
    if (path.isEmpty() || Index > mru_->MRULastIndex())
        return;
    if (askSaveBeforeOpen())
        openRecentFile(Index, path);
}

void MainFrame::clearAll() { clearTextBoxes(); }

void MainFrame::clearTextBoxes(const QStringList& keep)
{
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->window() != this || keep.contains(w->objectName()))
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (isOwnLineEdit(e))
                e->setText(QString());
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            p->setPlainText(QString());
        } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
            t->setPlainText(QString());
        }
    }
}

namespace {
QWidget* activeControl(QWidget* self)
{
    QWidget* w = QApplication::focusWidget();
    return w ? w : self->focusWidget();
}
} // namespace

void MainFrame::mnuEditCopy_Click() { gInitiateCopy(activeControl(this)); }
void MainFrame::mnuEditPaste_Click() { gInitiatePaste(activeControl(this)); }

void MainFrame::gInitiateCopy(QWidget* Cntl)
{
    QString selected;
    if (auto* e = qobject_cast<QLineEdit*>(Cntl); e && isOwnLineEdit(e))
        selected = e->selectedText();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(Cntl))
        selected = p->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    else
        return;
    QApplication::clipboard()->setText(selected);
}

void MainFrame::gInitiatePaste(QWidget* Cntl)
{
    const QString text = QApplication::clipboard()->text();
    if (auto* e = qobject_cast<QLineEdit*>(Cntl); e && isOwnLineEdit(e))
        shell::insertWhole(e, text);   // replaces the selection; no key filter sees it
    else if (auto* p = qobject_cast<QPlainTextEdit*>(Cntl))
        p->insertPlainText(text);
}

void MainFrame::mnuToolsSCalc_Click()
{
    try {
        shell::showSimpleCalculator();
    } catch (const std::exception& e) {
        platform::msgBox(frameConfig().simpleCalculatorFailure + QLatin1Char('\n') + errorText(e),
                         platform::MsgButtons::OK, platform::MsgIcon::None, QString(), this);
    }
}

QString MainFrame::findDesktopCalculator()
{
    static const char* const names[] = {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk",
                                        "qalculate-qt", "mate-calc", "xcalc"};
    for (const char* n : names) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(n));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void MainFrame::mnuToolsWCalc_Click()
{
    const QString calc = findDesktopCalculator();
    if (calc.isEmpty())
        return;   // no calculator program on this desktop
    if (!platform::startProgram(calc))
        platform::msgBox(QStringLiteral("Maybe you should use the simple calculator as something went very wrong and "
                                        "resulted in the following error") +
                             QLatin1Char('\n') + QStringLiteral("The calculator program could not be started."),
                         platform::MsgButtons::OK, platform::MsgIcon::None, QString(), this);
}

void MainFrame::mnuToolsCapture_Click() { shell::showCaptureDialog(); }
void MainFrame::mnuOptions_Click() { shell::showOptions(this); }
void MainFrame::mnuHelpAbout_Click() { shell::showAbout(this); }

void MainFrame::mnuHelpContents_Click()
{
    platform::openUrl(QDir(platform::appPath()).filePath(frameConfig().helpFile));
}

void MainFrame::mnuWebsite_Click() { platform::openUrl(makerWebsite()); }
void MainFrame::mnuForums_Click() { platform::openUrl(makerForumPage()); }

void MainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!loaded_)
        return;
    // The proportional layout ignores every error (the window keeps the
    // places it has), leaving its trace.
    try {
        shell::Resize::ResizeFormControls(this);
    } catch (...) {
        qCWarning(traceFrame) << "laying out the window:" << platform::currentErrorText();
    }
}

// ---------------------------------------------------------------- menu help

void MainFrame::showMenuHelp(const QString& text)
{
    const FrameConfig& cfg = frameConfig();
    const int i = cfg.helpPanel;
    if (i < 0 || i >= panels_.size() || i >= cfg.statusPanels.size())
        return;
    panels_[i]->setText(text.isEmpty() ? cfg.statusPanels[i].text : text);
}

bool MainFrame::event(QEvent* e)
{
    if (e->type() == QEvent::Show && unloaded_) {
        // Shown again after it was closed: it is loaded once more.
        unloaded_ = false;
        if (clock_)
            clock_->start();
    }
    if (e->type() == QEvent::StatusTip && !panels_.isEmpty()) {
        showMenuHelp(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

// ---------------------------------------------------------------- recent files

int MainFrame::MRULastIndex() const { return mru_ ? mru_->MRULastIndex() : -1; }
void MainFrame::AddToMRU(const QString& path)
{
    if (mru_)
        mru_->AddToMRU(path);
}
int MainFrame::FindMRUIndex(const QString& path) const { return mru_ ? mru_->FindMRUIndex(path) : -1; }
void MainFrame::MoveMRUToTop(const QString& path, int index)
{
    if (mru_)
        mru_->MoveMRUToTop(path, index);
}
QString MainFrame::mruCaption(int i) const { return mru_ ? mru_->caption(i) : QString(); }

QLineEdit* MainFrame::addBox(QWidget* parent, const QString& name, const QRect& r)
{
    auto* e = shell::newLineBox(parent);
    e->setObjectName(name);
    e->setGeometry(r);
    boxes_.insert(name, e);
    return e;
}

QLineEdit* MainFrame::addBox(QWidget* parent, const QString& name, int x, int y, int w, int h)
{
    return addBox(parent, name, QRect(x, y, w, h));
}

QLabel* MainFrame::addLabel(QWidget* parent, const QString& text, int x, int y, int w, int h, const QString& name)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    l->setGeometry(x, y, w, h);
    return l;
}

QLineEdit* MainFrame::box(const QString& name) const { return boxes_.value(name, nullptr); }

QWidget* MainFrame::chainBoxes(QWidget* after, std::initializer_list<const char*> names)
{
    QWidget* prev = after;
    for (const char* name : names) {
        QWidget* w = box(QString::fromLatin1(name));
        if (prev)
            setTabOrder(prev, w);
        prev = w;
    }
    return prev;
}

StudyFileHooks MainFrame::frameFileHooks(std::function<void()> clearAll)
{
    StudyFileHooks hooks;
    hooks.recordChanged = [this](bool reset) { return RecordChanged(reset); };
    hooks.addToMRU = [this](const QString& path) { AddToMRU(path); };
    hooks.moveMRUToTop = [this](const QString& path, int index) { MoveMRUToTop(path, index); };
    hooks.clearAll = std::move(clearAll);
    hooks.askBeforeOpening = false;
    return hooks;
}

} // namespace frame
