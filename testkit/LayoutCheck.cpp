#include "testkit/LayoutCheck.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>

namespace testkit {

namespace {

// Room a push button leaves between its caption and its bevel.
constexpr int kCaptionRoom = 2;
// Room a group box's frame takes on each side of its title.
constexpr int kGroupTitlePadding = 8;
// A control parked far off to the left is hidden on purpose.
constexpr int kParkedLeft = -1000;
// The room a line box keeps between its frame and its text on each side.
constexpr int kLineEditMargin = 2;
// A caption at most this far from a box in its row belongs to the box.
constexpr int kRowGap = 160;
// How far, in pixels, the middle of a caption may be from the middle of the
// box of its row.
constexpr int kLevelTolerance = 2;

QString stripMnemonic(QString t)
{
    t.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    t.remove(QLatin1Char('&'));
    t.replace(QChar(0xE000), QLatin1Char('&'));
    return t;
}

// A widget that places and draws its own inner parts (a combo box's line
// edit, a scroll area's viewport, a tab bar's buttons).
bool drawsItsOwnParts(QWidget* w)
{
    return qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTabBar*>(w) ||
           qobject_cast<QMenuBar*>(w) || qobject_cast<QToolBar*>(w) || qobject_cast<QStatusBar*>(w);
}

bool isInnerPart(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (drawsItsOwnParts(p))
            return true;
    return false;
}

bool isParked(QWidget* w)
{
    for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget())
        if (p->x() < kParkedLeft)
            return true;
    return false;
}

QString pathOf(QWidget* w)
{
    QStringList parts;
    for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget())
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            parts.prepend(p->objectName());
    return parts.join(QLatin1Char('/'));
}

// The control's name with the names of the frames around it; an unnamed
// control by its class and caption.
QString nameOf(QWidget* w)
{
    const QString around = w->parentWidget() ? pathOf(w->parentWidget()) : QString();
    const QString own = w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))
                            ? controlLabel(w)
                            : w->objectName();
    return around.isEmpty() ? own : around + QLatin1Char('/') + own;
}

int linesHeight(const QFontMetrics& fm, int lines) { return fm.height() + (lines - 1) * fm.lineSpacing(); }

int widestLine(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The rectangle the label's text takes inside the label.
QRect labelInk(QLabel* l)
{
    const QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const QString text = l->text();
    const bool rich = l->textFormat() == Qt::RichText ||
                      (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    QSize need;
    if (rich || l->wordWrap()) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        if (rich)
            doc.setHtml(text);
        else
            doc.setPlainText(text);
        if (l->wordWrap())
            doc.setTextWidth(cr.width());
        need = QSize(static_cast<int>(std::ceil(doc.idealWidth())), static_cast<int>(std::ceil(doc.size().height())));
    } else {
        const QFontMetrics fm(l->font());
        const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
        need = QSize(widestLine(fm, stripMnemonic(text)), linesHeight(fm, lines));
    }
    return QStyle::alignedRect(l->layoutDirection(), QStyle::visualAlignment(l->layoutDirection(), l->alignment()),
                               need, cr);
}

void checkLabel(QLabel* l, const QString& name, QStringList& faults)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return;
    const QRect ink = labelInk(l);
    const QRect cr = l->contentsRect();
    if (ink.width() > cr.width())
        faults << QStringLiteral("%1: caption %2 px wide in %3 px").arg(name).arg(ink.width()).arg(cr.width());
    if (ink.height() > cr.height())
        faults << QStringLiteral("%1: caption %2 px high in %3 px").arg(name).arg(ink.height()).arg(cr.height());
}

void checkButton(QAbstractButton* b, const QString& name, QStringList& faults)
{
    if (b->text().isEmpty())
        return;
    const QFontMetrics fm(b->font());
    const QString text = stripMnemonic(b->text());
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    int needW = widestLine(fm, text);
    int needH = linesHeight(fm, lines);
    if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) {
        // Where the style draws the caption: it starts after the indicator
        // and its spacing, and its last letter's ink may reach past its
        // advance.
        const bool radio = qobject_cast<QRadioButton*>(b) != nullptr;
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        opt.icon = b->icon();
        opt.iconSize = b->iconSize();
        QStyle* s = b->style();
        const QRect contents =
            s->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
        int ink = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            ink = std::max({ink, fm.horizontalAdvance(line), fm.boundingRect(line).right() + 1});
        needW = contents.left() + ink;
    } else {
        // The style draws the caption inside the button's bevel; a little
        // room is left between the letters and the bevel.
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        if (auto* p = qobject_cast<QPushButton*>(b); p && p->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        needW += b->width() - contents.width() + 2 * kCaptionRoom;
        needH += 4;
    }
    if (needW > b->width())
        faults << QStringLiteral("%1: caption needs %2 px, has %3 px").arg(name).arg(needW).arg(b->width());
    if (needH > b->height())
        faults << QStringLiteral("%1: caption needs %2 px high, has %3 px").arg(name).arg(needH).arg(b->height());
}

void checkGroupBox(QGroupBox* g, const QString& name, QStringList& faults)
{
    if (g->title().isEmpty())
        return;
    const QFontMetrics fm(g->font());
    const int need = fm.horizontalAdvance(stripMnemonic(g->title())) + 2 * kGroupTitlePadding;
    if (need > g->width())
        faults << QStringLiteral("%1: title needs %2 px, has %3 px").arg(name).arg(need).arg(g->width());
}

QRect captionRect(QWidget* w);

void checkTextBox(QWidget* box, const QString& name, QStringList& faults)
{
    const QFontMetrics fm(box->font());
    if (fm.height() + 2 > box->height())
        faults << QStringLiteral("%1: %2 px high for a %3 px font").arg(name).arg(box->height()).arg(fm.height());
    // A one-line box shows its whole text: a text wider than the part of
    // the box that shows it can only be read by scrolling the box.
    auto* e = qobject_cast<QLineEdit*>(box);
    if (!e || e->text().isEmpty() || e->echoMode() != QLineEdit::Normal)
        return;
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    if (e->isReadOnly())
        opt.state |= QStyle::State_ReadOnly;
    opt.features = QStyleOptionFrame::None;
    const QMargins tm = e->textMargins();
    const int shown = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).width() - tm.left() -
                      tm.right() - 2 * kLineEditMargin;
    const int need = fm.horizontalAdvance(e->text());
    if (need > shown)
        faults << QStringLiteral("%1: text \"%2\" needs %3 px, shows %4 px")
                      .arg(name, e->text().left(40))
                      .arg(need)
                      .arg(shown);
}

// A control that shows text a person types or reads in a line.
bool isTextBox(QWidget* w)
{
    return (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) &&
           !isInnerPart(w);
}

// The strokes a line or a framed panel draws, in its parent's coordinates.
QList<QRect> strokesOf(QWidget* w)
{
    auto* f = qobject_cast<QFrame*>(w);
    if (!f || f->metaObject() != &QFrame::staticMetaObject)
        return {};
    const QRect g = f->geometry();
    const int t = std::max(1, f->frameWidth());
    switch (f->frameShape()) {
    case QFrame::HLine:
        return {QRect(g.x(), g.y() + (g.height() - t) / 2, g.width(), t)};
    case QFrame::VLine:
        return {QRect(g.x() + (g.width() - t) / 2, g.y(), t, g.height())};
    case QFrame::Box:
    case QFrame::Panel:
    case QFrame::WinPanel:
    case QFrame::StyledPanel:
        return {QRect(g.x(), g.y(), g.width(), t), QRect(g.x(), g.bottom() - t + 1, g.width(), t),
                QRect(g.x(), g.y(), t, g.height()), QRect(g.right() - t + 1, g.y(), t, g.height())};
    default:
        return {};
    }
}

// No line of the grid or edge of a panel runs through a caption's letters or
// through a text box.
void checkStrokes(const QList<QWidget*>& kids, QStringList& faults)
{
    for (QWidget* line : kids) {
        const QList<QRect> strokes = strokesOf(line);
        for (QWidget* w : kids) {
            if (w == line)
                continue;
            QRect crossed = captionRect(w);
            if (crossed.isEmpty() && isTextBox(w))
                crossed = w->geometry().adjusted(1, 1, -1, -1);
            if (crossed.isEmpty())
                continue;
            for (const QRect& s : strokes)
                if (s.intersects(crossed)) {
                    faults << QStringLiteral("%1: %2 drawn across it").arg(nameOf(w), controlLabel(line));
                    break;
                }
        }
    }
}

// The caption before a box in its row stands level with it: the middle of
// its letters within a pixel or two of the middle of the box. A caption
// made of several labels one above the other (a name over an example) is
// looked at as a whole.
void checkLevel(const QList<QWidget*>& kids, QStringList& faults)
{
    QHash<QWidget*, QList<QWidget*>> captionsOf;   // box -> the labels before it
    for (QWidget* a : kids) {
        const QRect ink = captionRect(a);
        if (ink.isEmpty())
            continue;
        const QFontMetrics fm(a->font());
        if (ink.height() > fm.lineSpacing() + fm.height() / 2)
            continue;   // a caption of several lines beside a box
        QWidget* nearest = nullptr;
        int nearestGap = kRowGap + 1;
        for (QWidget* b : kids) {
            if (!isTextBox(b))
                continue;
            const QRect box = b->geometry();
            // In the box's row: the middle of the letters within the box's
            // height; and before the box.
            const int middle = (ink.top() + ink.bottom()) / 2;
            if (middle < box.top() || middle > box.bottom() || ink.right() >= box.left())
                continue;
            if (box.left() - ink.right() < nearestGap) {
                nearestGap = box.left() - ink.right();
                nearest = b;
            }
        }
        if (nearest)
            captionsOf[nearest] << a;
    }
    for (auto it = captionsOf.cbegin(); it != captionsOf.cend(); ++it) {
        QRect ink;
        for (QWidget* a : it.value())
            ink |= captionRect(a);
        const QRect box = it.key()->geometry();
        const int apart = (ink.top() + ink.bottom()) - (box.top() + box.bottom());   // twice the distance
        if (std::abs(apart) > 2 * kLevelTolerance)
            faults << QStringLiteral("%1: %2 px %3 the middle of %4 (letters at y %5-%6, box at y %7-%8)")
                          .arg(nameOf(it.value().first()))
                          .arg(std::abs(apart) / 2.0)
                          .arg(apart > 0 ? QStringLiteral("below") : QStringLiteral("above"))
                          .arg(controlLabel(it.key()))
                          .arg(ink.top())
                          .arg(ink.bottom())
                          .arg(box.top())
                          .arg(box.bottom());
    }
}

void checkHeader(QHeaderView* h, const QString& name, QStringList& faults)
{
    if (!h->isVisible() || !h->model() || h->orientation() != Qt::Horizontal)
        return;
    const QFontMetrics fm(h->font());
    const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    for (int i = 0; i < h->count(); ++i) {
        if (h->isSectionHidden(i))
            continue;
        const QString text = h->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
        const int needW = widestLine(fm, text) + 2 * margin;
        if (needW > h->sectionSize(i))
            faults << QStringLiteral("%1: heading \"%2\" needs %3 px, has %4 px")
                          .arg(name, text)
                          .arg(needW)
                          .arg(h->sectionSize(i));
        if (linesHeight(fm, lines) + 2 > h->height())
            faults << QStringLiteral("%1: heading \"%2\" needs %3 px high, has %4 px")
                          .arg(name, text)
                          .arg(linesHeight(fm, lines) + 2)
                          .arg(h->height());
    }
}

// The area of its parent that a child may take.
// The part of the parent that shows: its own rectangle as far as the
// widgets around it (a tab page inside its tab control, a frame inside a
// window) do not cut it off.
QRect roomIn(QWidget* parent)
{
    QRect room = parent->rect();
    QPoint offset(0, 0);   // parent's origin in the coordinates of p
    for (QWidget* p = parent; p && !p->isWindow(); p = p->parentWidget()) {
        offset += p->pos();
        QWidget* up = p->parentWidget();
        if (!up)
            break;
        room = room.intersected(up->rect().translated(-offset));
    }
    return room;
}

// Where a caption's text is drawn inside its control, in the parent's
// coordinates; empty when the control draws no caption.
QRect captionRect(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty() || !l->pixmap().isNull())
            return {};
        return labelInk(l).intersected(l->rect()).translated(l->pos());
    }
    return {};
}

// A caption of more than one character.
bool wordsOf(QWidget* w)
{
    auto* l = qobject_cast<QLabel*>(w);
    return l && stripMnemonic(l->text()).trimmed().size() > 1;
}

bool drawsSomething(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return !l->text().isEmpty() || !l->pixmap().isNull() || l->frameShape() != QFrame::NoFrame;
    if (auto* f = qobject_cast<QFrame*>(w); f && f->metaObject() == &QFrame::staticMetaObject)
        return f->frameShape() != QFrame::NoFrame || f->autoFillBackground();
    return true;
}

void checkOverlaps(const QList<QWidget*>& kids, QStringList& faults)
{
    for (QWidget* a : kids) {
        const QRect ink = captionRect(a);
        if (ink.isEmpty())
            continue;
        for (QWidget* b : kids) {
            if (b == a || !drawsSomething(b))
                continue;
            const QRect over = ink.intersected(b->geometry());
            if (over.width() > 1 && over.height() > 1)
                faults << QStringLiteral("%1: caption runs under %2").arg(nameOf(a), controlLabel(b));
            // Two captions in one line with less than a space between them
            // read as one (a unit, an index or an exponent of a single
            // character is set close on purpose).
            const QRect next = captionRect(b);
            if (!next.isEmpty() && wordsOf(a) && wordsOf(b) && next.left() > ink.left() && ink.top() <= next.bottom() &&
                next.top() <= ink.bottom()) {
                const int gap = next.left() - ink.right() - 1;
                if (gap >= 0 && gap < QFontMetrics(a->font()).horizontalAdvance(QLatin1Char(' ')))
                    faults << QStringLiteral("%1: caption runs into %2 (%3 px apart)")
                                  .arg(nameOf(a), controlLabel(b))
                                  .arg(gap);
            }
        }
    }
}

void walk(QWidget* parent, QWidget* window, QStringList& faults)
{
    QList<QWidget*> kids;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(window) || isParked(w))
            continue;
        // Qt's own parts (a tab control's page stack) are not looked at,
        // what they hold is.
        if (w->objectName().startsWith(QLatin1String("qt_")))
            walk(w, window, faults);
        else
            kids << w;
    }
    // A tab control places its page stack, the stack its pages.
    const bool inner = isInnerPart(parent) || drawsItsOwnParts(parent) || qobject_cast<QTabWidget*>(parent) ||
                       qobject_cast<QStackedWidget*>(parent);
    for (QWidget* w : kids) {
        const QString name = nameOf(w);
        if (!inner) {
            const QRect room = roomIn(parent);
            // A control wholly outside its frame is hidden there on purpose;
            // one partly outside is cut off.
            if (room.intersects(w->geometry()) && !room.contains(w->geometry()))
                faults << QStringLiteral("%1: cut off by %2 (at %3,%4 size %5x%6 in %7x%8)")
                              .arg(name, controlLabel(parent))
                              .arg(w->x())
                              .arg(w->y())
                              .arg(w->width())
                              .arg(w->height())
                              .arg(room.width())
                              .arg(room.height());
        }
        if (auto* l = qobject_cast<QLabel*>(w))
            checkLabel(l, name, faults);
        else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !isInnerPart(w))
            checkButton(b, name, faults);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            checkGroupBox(g, name, faults);
        else if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) && !isInnerPart(w))
            checkTextBox(w, name, faults);
        if (auto* t = qobject_cast<QTableView*>(w))
            checkHeader(t->horizontalHeader(), name, faults);
    }
    if (!inner) {
        checkOverlaps(kids, faults);
        checkStrokes(kids, faults);
        checkLevel(kids, faults);
    }
    for (QWidget* w : kids)
        walk(w, window, faults);
}

} // namespace

QString controlLabel(QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    QString caption;
    if (auto* l = qobject_cast<QLabel*>(w))
        caption = l->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        caption = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        caption = g->title();
    caption = caption.simplified();
    if (caption.size() > 30)
        caption = caption.left(30) + QStringLiteral("...");
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), caption);
}

QStringList layoutFaults(QWidget* window)
{
    QStringList faults;
    if (!window)
        return faults;
    walk(window, window, faults);
    const QString title = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                         : window->objectName();
    for (QString& f : faults)
        f.prepend(title + QStringLiteral(": "));
    return faults;
}

} // namespace testkit
