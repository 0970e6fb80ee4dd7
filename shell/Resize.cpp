#include "shell/Resize.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTextEdit>
#include <QToolBar>

#include <cmath>

namespace shell::Resize {

namespace {

// Program-wide records, kept in the order added until the program ends.
std::vector<LayoutRecord> FormTable;
std::vector<LayoutRecord> ControlTable;
// The recorded font size of each control record before rounding to whole
// points: a control laid out at 100 % of its window's width gets back the
// font it was designed with.
std::vector<double> ExactFontSize;
bool BusyFlag = false;

int toTwips(double pixels) { return static_cast<int>(std::nearbyint(pixels * TwipsPerPixel)); }
int toPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel)); }

// "name(3)" is element 3 of the control array "name".
struct ControlName {
    QString name;
    int index = 0;
    bool inArray = false;
};

ControlName splitName(const QString& objectName)
{
    // "name(digits)" with a name of at least one character; the digits must
    // make an int.
    const qsizetype n = objectName.size();
    if (n >= 4 && objectName.at(n - 1) == QLatin1Char(')')) {
        const qsizetype open = objectName.lastIndexOf(QLatin1Char('('), n - 2);
        if (open >= 1 && open < n - 2) {
            bool digits = true;
            for (qsizetype i = open + 1; i < n - 1 && digits; ++i) {
                const char16_t c = objectName.at(i).unicode();
                digits = c >= u'0' && c <= u'9';
            }
            bool ok = false;
            const int i = digits ? QStringView(objectName).mid(open + 1, n - open - 2).toInt(&ok) : 0;
            if (ok)
                return {objectName.left(open), i, true};
        }
    }
    return {objectName, 0, false};
}

// Where each window's control records are: the first record of a name (any
// element) and the first record of each array element, so that finding a
// control's record does not search every record of every window.
struct RecordIndex {
    QHash<QString, int> byName;      // "window\nname"
    QHash<QString, int> byElement;   // "window\nname\nindex"
};
RecordIndex Index;

QString nameKey(const QString& window, const QString& name) { return window + QLatin1Char('\n') + name; }
QString elementKey(const QString& window, const QString& name, int index)
{
    return nameKey(window, name) + QLatin1Char('\n') + QString::number(index);
}

QString formName(QWidget* form)
{
    const QString n = form->objectName();
    return n.isEmpty() ? QString::fromLatin1(form->metaObject()->className()) : n;
}

// The widget whose inner area holds the controls: a main window's central
// widget, otherwise the window itself; the scrolled content where the
// window's content scrolls.
QWidget* clientOf(QWidget* form)
{
    QWidget* inner = form;
    if (auto* mw = qobject_cast<QMainWindow*>(form); mw && mw->centralWidget())
        inner = mw->centralWidget();
    auto* scroll = qobject_cast<QScrollArea*>(inner);
    if (!scroll && inner == form)
        scroll = form->findChild<QScrollArea*>(QString::fromLatin1(ScrollAreaName), Qt::FindDirectChildrenOnly);
    if (scroll && scroll->objectName() == QLatin1String(ScrollAreaName) && scroll->widget())
        return scroll->widget();
    return inner;
}

// Widgets that draw their own inner parts: nothing inside them is a control.
bool isCompound(QWidget* w)
{
    return qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
           qobject_cast<QLabel*>(w) || qobject_cast<QTabBar*>(w) || qobject_cast<QAbstractSlider*>(w) ||
           qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w) || qobject_cast<QStatusBar*>(w) ||
           qobject_cast<QProgressBar*>(w) || qobject_cast<QCalendarWidget*>(w) ||
           qobject_cast<QDialogButtonBox*>(w);
}

bool layoutHolds(QLayout* layout, QWidget* w)
{
    if (!layout)
        return false;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (!item)
            continue;
        if (item->widget() == w)
            return true;
        if (layoutHolds(item->layout(), w))
            return true;
    }
    return false;
}

// A widget whose place its parent's layout (or splitter) decides.
bool isManaged(QWidget* w)
{
    QWidget* p = w->parentWidget();
    if (!p)
        return true;
    if (qobject_cast<QSplitter*>(p))
        return true;
    return layoutHolds(p->layout(), w);
}

// The name an unnamed control was first recorded under.
const char* const kUnnamedKey = "resizeUnnamedKey";

// A control, and the name it is recorded under. A control without a name
// of its own is recorded under its place among the unnamed children of its
// parent ("~parent#n"), which stays the same each time the window is built.
struct Control {
    QWidget* widget = nullptr;
    ControlName name;
};

void collect(QWidget* parent, const QString& parentKey, std::vector<Control>& out)
{
    int unnamed = 0;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        // Menu, tool and status bars are placed by the window itself.
        if (qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w) || qobject_cast<QStatusBar*>(w))
            continue;
        const QString n = w->objectName();
        if (n.startsWith(QLatin1String("qt_"))) {
            // Qt's own parts (a tab control's page stack) are no controls;
            // what they hold may be.
            if (!isCompound(w))
                collect(w, parentKey, out);
            continue;
        }
        ControlName cn;
        if (n.isEmpty()) {
            // The place is taken once: raising a widget (as a tab control
            // does with the page it brings forward) moves it among its
            // parent's children.
            QVariant kept = w->property(kUnnamedKey);
            if (!kept.isValid()) {
                kept = QStringLiteral("~%1#%2").arg(parentKey).arg(unnamed);
                w->setProperty(kUnnamedKey, kept);
            }
            ++unnamed;
            cn = ControlName{kept.toString(), 0, false};
        } else {
            cn = splitName(n);
        }
        if (!isManaged(w))
            out.push_back({w, cn});
        if (!isCompound(w))
            collect(w, n.isEmpty() ? cn.name : n, out);
    }
}

std::vector<Control> controlsOf(QWidget* form)
{
    std::vector<Control> out;
    if (form)
        collect(clientOf(form), QString(), out);
    return out;
}

bool isListBox(QWidget* w) { return qobject_cast<QListView*>(w) != nullptr; }

bool takesFontSize(QWidget* w)
{
    if (qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w) || qobject_cast<QRadioButton*>(w) ||
        qobject_cast<QCheckBox*>(w) || qobject_cast<QGroupBox*>(w) || qobject_cast<QLineEdit*>(w) ||
        qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QComboBox*>(w))
        return true;
    return w->metaObject() == &QFrame::staticMetaObject;
}

int fontPoints(QWidget* w)
{
    const double pt = w->font().pointSizeF();
    if (!(pt > 0))
        return 0;   // a font sized in pixels: treated as no font
    return static_cast<int>(std::nearbyint(pt));
}

int FindControlEntry(const ControlName& cn, const QString& window)
{
    const auto& table = cn.inArray ? Index.byElement : Index.byName;
    const auto it = table.constFind(cn.inArray ? elementKey(window, cn.name, cn.index) : nameKey(window, cn.name));
    return it == table.cend() ? -1 : it.value();
}

void AddControlEntry(QWidget* control, const ControlName& cn, const QString& window)
{
    LayoutRecord r;
    r.Name = cn.name;
    r.Index = cn.index;
    r.FormName = window;
    const QRect g = control->geometry();
    r.Top = toTwips(g.y());
    r.Left = NormaliseOffset(toTwips(g.x()));
    r.Height = toTwips(g.height());
    r.Width = toTwips(g.width());
    r.FontSize = fontPoints(control);
    ControlTable.push_back(r);
    ExactFontSize.push_back(control->font().pointSizeF());
    const int at = static_cast<int>(ControlTable.size()) - 1;
    // An earlier record of the same name or element keeps being the one found.
    const QString byName = nameKey(window, cn.name);
    if (!Index.byName.contains(byName))
        Index.byName.insert(byName, at);
    const QString byElement = elementKey(window, cn.name, cn.index);
    if (!Index.byElement.contains(byElement))
        Index.byElement.insert(byElement, at);
}

int AddFormEntry(QWidget* form)
{
    LayoutRecord r;
    r.Name = formName(form);
    const QRect fg = form->frameGeometry();
    r.Top = toTwips(fg.y());
    r.Left = toTwips(fg.x());
    r.Height = toTwips(fg.height());
    r.Width = toTwips(fg.width());
    QWidget* client = clientOf(form);
    r.ScaleHeight = toTwips(client->height());
    r.ScaleWidth = toTwips(client->width());
    FormTable.push_back(r);
    for (const Control& c : controlsOf(form))
        if (FindControlEntry(c.name, r.Name) < 0)
            AddControlEntry(c.widget, c.name, r.Name);
    return static_cast<int>(FormTable.size()) - 1;
}

int formEntry(QWidget* form)
{
    int i = FindFormEntry(formName(form));
    if (i < 0)
        i = AddFormEntry(form);
    return i;
}

void setFontSize(QWidget* w, double points, bool listBox)
{
    QFont f = w->font();
    if (listBox) {
        f.setFamily(QStringLiteral("Courier New"));
        f.setBold(true);
    }
    f.setPointSizeF(std::max(1.0, points));   // a very narrow window still gets a readable size
    // A font that is already the one asked for stays: setting it again would
    // make the control lay out its text once more for nothing.
    if (f != w->font())
        w->setFont(f);
}

// Places one control at its record scaled to W and H percent of the window's
// recorded inner width and height.
void ResizeControl(QWidget* control, const ControlName& name, const QString& window, int W, int H)
{
    const int i = FindControlEntry(name, window);
    if (i < 0)
        return;   // made after the window's first layout: left where it is
    const LayoutRecord& rec = ControlTable[static_cast<size_t>(i)];
    const Placement p = ScaledPlacement(rec, W, H, control->x() < 0);

    if (rec.FontSize > 0) {
        // The whole-point size scaled with the width; the designed size
        // itself where that is the recorded one.
        const double points = p.FontSize == rec.FontSize ? ExactFontSize[static_cast<size_t>(i)] : p.FontSize;
        if (isListBox(control))
            setFontSize(control, points, true);
        else if (takesFontSize(control))
            setFontSize(control, points, false);
    }
    const int x = toPixels(p.Left), y = toPixels(p.Top), w = std::max(0, toPixels(p.Width));
    if (qobject_cast<QComboBox*>(control))
        control->setGeometry(x, y, w, control->height());
    else
        control->setGeometry(x, y, w, std::max(0, toPixels(p.Height)));
}

struct BusyGuard {
    BusyGuard() { BusyFlag = true; }
    ~BusyGuard() { BusyFlag = false; }
};

} // namespace

int NormaliseOffset(int value) { return value < 0 ? value + ParkOffset : value; }

int Percent(int currentTwips, int recordedTwips)
{
    if (recordedTwips == 0)
        return 100;
    const long long cur = static_cast<long long>(currentTwips) * 100;
    return static_cast<int>(cur / recordedTwips);
}

int LayoutPercent(int currentTwips, int recordedTwips)
{
    return Percent(currentTwips + TwipsPerPixel, recordedTwips);
}

Placement ScaledPlacement(const LayoutRecord& rec, int W, int H, bool parked)
{
    auto scale = [](int v, int pct) { return static_cast<int>(static_cast<long long>(v) * pct / 100); };
    Placement p;
    p.Left = scale(rec.Left, W) - (parked ? ParkOffset : 0);
    p.Top = scale(rec.Top, H);
    p.Width = scale(rec.Width, W);
    p.Height = scale(rec.Height, H);
    p.FontSize = scale(rec.FontSize, W);
    return p;
}

int FindFormEntry(const QString& name)
{
    for (size_t i = 0; i < FormTable.size(); ++i)
        if (FormTable[i].Name == name)
            return static_cast<int>(i);
    return -1;
}

std::vector<LayoutRecord> FormRecords() { return FormTable; }
std::vector<LayoutRecord> ControlRecords() { return ControlTable; }
bool Busy() { return BusyFlag; }

void ForgetRecords()
{
    FormTable.clear();
    ControlTable.clear();
    ExactFontSize.clear();
    Index = RecordIndex();
}

std::vector<QWidget*> FormControls(QWidget* form)
{
    std::vector<QWidget*> out;
    for (const Control& c : controlsOf(form))
        out.push_back(c.widget);
    return out;
}

void ResizeFormControls(QWidget* form)
{
    if (BusyFlag || !form)
        return;
    // A window without an inner area (minimised, not yet laid out) can
    // neither be recorded as 100 % nor be laid out against its record.
    if (form->isMinimized())
        return;
    if (auto* mw = qobject_cast<QMainWindow*>(form); mw && mw->layout())
        mw->layout()->activate();
    QWidget* client = clientOf(form);
    if (client->width() <= 0 || client->height() <= 0)
        return;
    BusyGuard guard;
    // The first call records the window, also one without controls.
    const LayoutRecord& rec = FormTable[static_cast<size_t>(formEntry(form))];
    const int W = LayoutPercent(toTwips(client->width()), rec.ScaleWidth);
    const int H = LayoutPercent(toTwips(client->height()), rec.ScaleHeight);
    const QString window = rec.Name;
    for (const Control& c : controlsOf(form))
        ResizeControl(c.widget, c.name, window, W, H);
    if (auto* own = dynamic_cast<LaidOutWindow*>(form))
        own->afterLayout();
}

QWidget* ClientArea(QWidget* form) { return form ? clientOf(form) : nullptr; }

QRect ScaledRect(QWidget* form, const QRect& designed)
{
    const int i = form ? FindFormEntry(formName(form)) : -1;
    if (i < 0)
        return designed;
    const LayoutRecord& rec = FormTable[static_cast<size_t>(i)];
    QWidget* client = clientOf(form);
    if (client->width() <= 0 || client->height() <= 0)
        return designed;
    LayoutRecord r;
    r.Left = NormaliseOffset(toTwips(designed.x()));
    r.Top = toTwips(designed.y());
    r.Width = toTwips(designed.width());
    r.Height = toTwips(designed.height());
    const Placement p = ScaledPlacement(r, LayoutPercent(toTwips(client->width()), rec.ScaleWidth),
                                        LayoutPercent(toTwips(client->height()), rec.ScaleHeight), designed.x() < 0);
    return {toPixels(p.Left), toPixels(p.Top), std::max(0, toPixels(p.Width)), std::max(0, toPixels(p.Height))};
}

} // namespace shell::Resize
