#include "frame/MenuDecoration.h"
#include <algorithm>
#include <QStyleOption>
#include <QStyle>
#include <QIconEngine>
#include <QHash>
#include <QApplication>

#include <QAction>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <cmath>

namespace frame {

MenuCaption parseMenuCaption(const QString& caption)
{
    MenuCaption c;
    const int helpAt = caption.indexOf(QLatin1String("|@"));
    const int keyAt = caption.indexOf(QLatin1String("|#"));
    int textEnd = caption.size();
    if (helpAt >= 0)
        textEnd = helpAt;
    if (keyAt >= 0 && keyAt < textEnd)
        textEnd = keyAt;
    c.text = caption.left(textEnd);
    if (helpAt >= 0) {
        const int helpEnd = (keyAt > helpAt) ? keyAt : caption.size();
        c.help = caption.mid(helpAt + 2, helpEnd - helpAt - 2);
    }
    if (keyAt >= 0) {
        const int keyEnd = (helpAt > keyAt) ? helpAt : caption.size();
        c.key = caption.mid(keyAt + 2, keyEnd - keyAt - 2);
    }
    return c;
}

namespace {

// Colours of the set: one ink, one paper, and a few accents.
const QColor kInk(40, 52, 74);
const QColor kPaper(250, 250, 246);
const QColor kBlue(52, 120, 200);
const QColor kGreen(46, 150, 90);
const QColor kRed(200, 64, 56);
const QColor kGold(222, 170, 40);

void page(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void calculator(QPainter& p, const QColor& body)
{
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 1.5, 1.5);
    p.setBrush(QColor(210, 236, 214));
    p.drawRect(QRectF(5, 3, 6, 3));
    p.setBrush(kPaper);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(5 + c * 2.2, 7.5 + r * 2.2, 1.4, 1.4));
}

// Draws one character centred in r, as drawText(r, Qt::AlignCenter) places
// it, straight from the glyph of the painter's font. drawText lays the text
// out first, and for a character of a script other than Latin (the sigma)
// it also looks up that script's fonts and fallbacks, which costs as much as
// loading a font; these pictures show in the toolbar as the window first
// appears.
void drawCentredCharacter(QPainter& p, const QRectF& r, QChar c)
{
    const QRawFont raw = QRawFont::fromFont(p.font());
    const QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(QString(c)) : QList<quint32>();
    if (glyphs.size() != 1 || glyphs.first() == 0) {
        p.drawText(r, Qt::AlignCenter, QString(c));   // the font lacks it: the fallbacks are needed
        return;
    }
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::SeparateAdvances);
    // Text layout works in 64ths of a pixel and truncates.
    auto fixed = [](qreal v) { return std::floor(v * 64) / 64; };
    const qreal x = fixed(r.x() + (r.width() - advances.first().x()) / 2);
    const qreal y = fixed(r.y() + (r.height() - (raw.ascent() + raw.descent())) / 2 + raw.ascent());
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions({QPointF(0, 0)});
    p.drawGlyphRun(QPointF(x, y), run);
}

void drawOn(QPainter& p, Picture pic)
{
    QPen ink(kInk, 1.0);
    ink.setJoinStyle(Qt::RoundJoin);
    ink.setCapStyle(Qt::RoundCap);
    p.setPen(ink);
    switch (pic) {
    case Picture::None:
        break;
    case Picture::New:
        page(p, QRectF(3.5, 1.5, 9, 13));
        p.setPen(QPen(kGold, 1.6));
        p.drawLine(QPointF(12, 10), QPointF(12, 15));
        p.drawLine(QPointF(9.5, 12.5), QPointF(14.5, 12.5));
        break;
    case Picture::Open: {
        p.setBrush(kGold.lighter(120));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.drawRect(QRectF(1.5, 5, 12, 8.5));
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15, 7.5) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
        p.setBrush(kGold);
        p.drawPolygon(flap);
        break;
    }
    case Picture::Save:
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(kInk);
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case Picture::Print:
        page(p, QRectF(4.5, 1.5, 7, 6));
        p.setBrush(QColor(170, 176, 186));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(kGreen, 1.2));
        p.drawPoint(QPointF(12.5, 8.5));
        break;
    case Picture::Exit:
        p.setBrush(QColor(170, 120, 80));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(kRed, 1.6));
        p.drawLine(QPointF(8, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(12, 5.5), QPointF(14.5, 8));
        p.drawLine(QPointF(12, 10.5), QPointF(14.5, 8));
        break;
    case Picture::Copy:
        page(p, QRectF(1.5, 1.5, 8, 10));
        page(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case Picture::Paste:
        p.setBrush(QColor(170, 120, 80));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(170, 176, 186));
        p.drawRect(QRectF(4, 1.5, 5, 2.5));
        page(p, QRectF(7.5, 6.5, 7, 8));
        break;
    case Picture::Meta: {
        p.setPen(QPen(kInk, 1.0));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.setBrush(kBlue);
        p.drawLine(QPointF(3, 3.5), QPointF(11, 3.5));
        p.drawRect(QRectF(6, 2.5, 2, 2));
        p.drawLine(QPointF(6, 7), QPointF(14, 7));
        p.drawRect(QRectF(9, 6, 2, 2));
        p.drawLine(QPointF(4, 10.5), QPointF(12, 10.5));
        p.drawRect(QRectF(7, 9.5, 2, 2));
        p.setBrush(kRed);
        QPolygonF d;
        d << QPointF(9.5, 12) << QPointF(12, 13.5) << QPointF(9.5, 15) << QPointF(7, 13.5);
        p.drawPolygon(d);
        break;
    }
    case Picture::Calculator:
        calculator(p, kBlue);
        break;
    case Picture::DesktopCalculator:
        calculator(p, QColor(120, 128, 140));
        break;
    case Picture::Capture:
        p.setBrush(QColor(120, 128, 140));
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
        p.drawRect(QRectF(5, 2.5, 5, 2));
        p.setBrush(kBlue.lighter(140));
        p.drawEllipse(QPointF(8, 9), 3, 3);
        break;
    case Picture::Options: {
        p.setBrush(QColor(150, 156, 166));
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            QTransform t;
            t.translate(8, 8);
            t.rotate(i * 45);
            gear.addPolygon(t.map(QPolygonF(QRectF(-1.2, -7, 2.4, 3))));
        }
        gear.addEllipse(QPointF(8, 8), 5, 5);
        p.drawPath(gear.simplified());
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case Picture::Contents:
        p.setBrush(kGreen);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 3.5, 7, 3));
        p.drawLine(QPointF(4.5, 12.5), QPointF(13.5, 12.5));
        break;
    case Picture::Search:
        p.setBrush(kBlue.lighter(160));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(14, 14));
        break;
    case Picture::Website:
        p.setBrush(kBlue.lighter(130));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3, 6.5);
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        break;
    case Picture::Forum:
        p.setBrush(kBlue.lighter(130));
        p.drawRoundedRect(QRectF(1.5, 1.5, 9, 6.5), 2, 2);
        p.setBrush(kGreen.lighter(130));
        p.drawRoundedRect(QRectF(5.5, 7, 9, 6.5), 2, 2);
        p.drawLine(QPointF(12, 13.5), QPointF(13, 15));
        break;
    case Picture::About:
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(QPen(kPaper, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(8, 4.8));
        p.drawLine(QPointF(8, 7.5), QPointF(8, 11.5));
        break;
    case Picture::Calculate: {
        p.setBrush(kGreen);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kPaper);
        drawCentredCharacter(p, QRectF(1.5, 1.5, 13, 13), QChar(0x03A3));
        break;
    }
    case Picture::Help: {
        p.setBrush(kGold);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        drawCentredCharacter(p, QRectF(1.5, 1.5, 13, 13), QLatin1Char('?'));
        break;
    }
    }
}

} // namespace

QPixmap drawPicture(Picture pic, int size, bool hot)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    if (pic == Picture::None)
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 160, 200));
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    }
    p.scale(size / 16.0, size / 16.0);
    drawOn(p, pic);
    return pm;
}

namespace {

// Draws a picture only when a menu or toolbar first shows it, at the size it
// is shown, and keeps what it drew: a window's thirty-odd pictures cost
// nothing at start-up.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(Picture pic) : pic_(pic) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        const bool hot = mode == QIcon::Active || mode == QIcon::Selected;
        const int key = side * 4 + (hot ? 1 : 0) + (mode == QIcon::Disabled ? 2 : 0);
        auto it = cache_.find(key);
        if (it == cache_.end()) {
            QPixmap pm = drawPicture(pic_, side, hot);
            if (mode == QIcon::Disabled) {
                QStyleOption option;
                pm = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pm, &option);
            }
            it = cache_.insert(key, pm);
        }
        return *it;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32)};
    }

    QIconEngine* clone() const override { return new PictureIconEngine(*this); }

private:
    Picture pic_;
    QHash<int, QPixmap> cache_;
};

} // namespace

QIcon pictureIcon(Picture pic)
{
    if (pic == Picture::None)
        return QIcon();
    return QIcon(new PictureIconEngine(pic));
}

void decorateAction(QAction* action, const QString& caption, const ImageList& images)
{
    if (!action)
        return;
    if (caption == QLatin1String("-")) {
        action->setSeparator(true);
        return;
    }
    const MenuCaption c = parseMenuCaption(caption);
    action->setText(c.text);
    action->setStatusTip(c.help);
    action->setProperty("helpText", c.help);
    action->setProperty("imageKey", c.key);
    const auto it = images.find(c.key);
    action->setIcon(it != images.end() ? pictureIcon(*it) : QIcon());
}

} // namespace frame
