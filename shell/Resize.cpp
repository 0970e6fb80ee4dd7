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
#include <QRegularExpression>
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
    static const QRegularExpression re(QStringLiteral("^(.+)\\((\\d+)\\)$"));
    const auto m = re.match(objectName);
    if (m.hasMatch()) {
        bool ok = false;
        const int i = m.captured(2).toInt(&ok);
        if (ok)
            return {m.captured(1), i, true};
    }
    return {objectName, 0, false};
}

QString formName(QWidget* form)
{
    const QString n = form->objectName();
    return n.isEmpty() ? QString::fromLatin1(form->metaObject()->className()) : n;
}

// The widget whose inner area holds the controls: a main window's central
// widget, otherwise the window itself.
QWidget* clientOf(QWidget* form)
{
    if (auto* mw = qobject_cast<QMainWindow*>(form))
        if (QWidget* c = mw->centralWidget())
            return c;
    return form;
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

void collect(QWidget* parent, std::vector<QWidget*>& out)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        // Menu, tool and status bars are placed by the window itself.
        if (qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w) || qobject_cast<QStatusBar*>(w))
            continue;
        const QString n = w->objectName();
        if (!n.isEmpty() && !n.startsWith(QLatin1String("qt_")) && !isManaged(w))
            out.push_back(w);
        if (!isCompound(w))
            collect(w, out);
    }
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

int FindControlEntry(QWidget* control, const QString& window)
{
    const ControlName cn = splitName(control->objectName());
    for (size_t i = 0; i < ControlTable.size(); ++i) {
        const LayoutRecord& r = ControlTable[i];
        if (r.FormName == window && r.Name == cn.name && (!cn.inArray || r.Index == cn.index))
            return static_cast<int>(i);
    }
    return -1;
}

void AddControlEntry(QWidget* control, const QString& window)
{
    const ControlName cn = splitName(control->objectName());
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
    for (QWidget* c : FormControls(form))
        if (FindControlEntry(c, r.Name) < 0)
            AddControlEntry(c, r.Name);
    return static_cast<int>(FormTable.size()) - 1;
}

int formEntry(QWidget* form)
{
    int i = FindFormEntry(formName(form));
    if (i < 0)
        i = AddFormEntry(form);
    return i;
}

int WidthPercent(QWidget* form)
{
    const int i = formEntry(form);
    return Percent(toTwips(clientOf(form)->width()), FormTable[static_cast<size_t>(i)].ScaleWidth);
}

int HeightPercent(QWidget* form)
{
    const int i = formEntry(form);
    return Percent(toTwips(clientOf(form)->height()), FormTable[static_cast<size_t>(i)].ScaleHeight);
}

void setFontSize(QWidget* w, int points, bool listBox)
{
    QFont f = w->font();
    if (listBox) {
        f.setFamily(QStringLiteral("Courier New"));
        f.setBold(true);
    }
    f.setPointSize(std::max(1, points));   // a very narrow window still gets a readable size
    w->setFont(f);
}

void ResizeControl(QWidget* control, QWidget* form)
{
    const int W = WidthPercent(form);
    const int H = HeightPercent(form);
    const int i = FindControlEntry(control, formName(form));
    if (i < 0)
        return;   // made after the window's first layout: left where it is
    const LayoutRecord& rec = ControlTable[static_cast<size_t>(i)];
    const Placement p = ScaledPlacement(rec, W, H, control->x() < 0);

    if (rec.FontSize > 0) {
        if (isListBox(control))
            setFontSize(control, p.FontSize, true);
        else if (takesFontSize(control))
            setFontSize(control, p.FontSize, false);
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

std::vector<QWidget*> FormControls(QWidget* form)
{
    std::vector<QWidget*> out;
    if (form)
        collect(clientOf(form), out);
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
    formEntry(form);   // the first call records the window, also one without controls
    for (QWidget* c : FormControls(form))
        ResizeControl(c, form);
}

} // namespace shell::Resize
