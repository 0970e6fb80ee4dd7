#include "metastats/ResultPictures.h"
#include "shell/ControlColours.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace metastats {

QPixmap verdictPicture(FailSafeVerdict verdict, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QColor face;
    switch (verdict) {
    case FailSafeVerdict::Thumb: face = QColor(40, 170, 60); break;
    case FailSafeVerdict::Mad: face = QColor(220, 30, 30); break;
    case FailSafeVerdict::Unsure: face = QColor(150, 150, 150); break;
    }
    p.setPen(QPen(Qt::black, std::max(1.0, s / 16)));
    p.setBrush(face);
    p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));

    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    const double eye = std::max(1.5, s / 9);
    p.drawEllipse(QRectF(s * 0.30, s * 0.30, eye, eye));
    p.drawEllipse(QRectF(s * 0.62, s * 0.30, eye, eye));

    QPen mouth(Qt::black, std::max(1.0, s / 12));
    mouth.setCapStyle(Qt::RoundCap);
    p.setPen(mouth);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    switch (verdict) {
    case FailSafeVerdict::Thumb:
        path.moveTo(s * 0.28, s * 0.60);
        path.quadTo(s * 0.5, s * 0.85, s * 0.72, s * 0.60);
        break;
    case FailSafeVerdict::Mad:
        path.moveTo(s * 0.28, s * 0.78);
        path.quadTo(s * 0.5, s * 0.55, s * 0.72, s * 0.78);
        // Frowning brows.
        path.moveTo(s * 0.24, s * 0.20);
        path.lineTo(s * 0.42, s * 0.30);
        path.moveTo(s * 0.76, s * 0.20);
        path.lineTo(s * 0.58, s * 0.30);
        break;
    case FailSafeVerdict::Unsure:
        path.moveTo(s * 0.30, s * 0.70);
        path.lineTo(s * 0.70, s * 0.70);
        break;
    }
    p.drawPath(path);
    return pm;
}

namespace {

std::unique_ptr<QTextDocument> richText(const QString& html, const QFont& font)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    doc->setHtml(html);
    doc->setTextWidth(doc->idealWidth());
    return doc;
}

} // namespace

FormulaPicture::FormulaPicture(QWidget* parent, const QString& name, std::vector<Piece> pieces)
    : QWidget(parent), pieces_(std::move(pieces))
{
    setObjectName(name);
    QString plain;
    for (const Piece& piece : pieces_) {
        QTextDocument top;
        top.setHtml(piece.top);
        if (piece.bottom.isEmpty()) {
            plain += top.toPlainText();
        } else {
            QTextDocument bottom;
            bottom.setHtml(piece.bottom);
            plain += QStringLiteral("(%1) / (%2)").arg(top.toPlainText(), bottom.toPlainText());
        }
    }
    setAccessibleName(plain);
    setAutoFillBackground(true);
    shell::ControlColours::SetBackColor(this, shell::ControlColours::ColourValue(Qt::white));
}

void FormulaPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(11);

    struct Laid {
        std::unique_ptr<QTextDocument> top, bottom;
        double width = 0;
    };
    std::vector<Laid> laid;
    double total = 0;
    for (const Piece& piece : pieces_) {
        Laid l;
        l.top = richText(piece.top, f);
        l.width = l.top->size().width();
        if (!piece.bottom.isEmpty()) {
            l.bottom = richText(piece.bottom, f);
            l.width = std::max(l.width, l.bottom->size().width()) + 6;
        }
        total += l.width + 3;
        laid.push_back(std::move(l));
    }

    // A picture laid out smaller than the formula (a window scaled down to
    // fit the screen) draws the whole formula smaller.
    double tall = 0;
    for (const Laid& l : laid)
        tall = std::max(tall, l.bottom ? 2.0 * std::max(l.top->size().height(), l.bottom->size().height()) + 2
                                       : l.top->size().height());
    const double scale = std::min({1.0, (width() - 4.0) / std::max(1.0, total), (height() - 2.0) / std::max(1.0, tall)});
    p.save();
    p.scale(scale, scale);
    const double w = width() / scale, h = height() / scale;
    const double axis = h / 2.0;
    double x = std::max(2.0, (w - total) / 2.0);
    p.setPen(QPen(Qt::black, 1));
    for (const Laid& l : laid) {
        auto draw = [&p](QTextDocument* doc, double left, double top) {
            p.save();
            p.translate(left, top);
            doc->drawContents(&p);
            p.restore();
        };
        if (!l.bottom) {
            draw(l.top.get(), x, axis - l.top->size().height() / 2.0);
        } else {
            draw(l.top.get(), x + (l.width - l.top->size().width()) / 2.0, axis - 1 - l.top->size().height());
            p.drawLine(QPointF(x + 1, axis), QPointF(x + l.width - 1, axis));
            draw(l.bottom.get(), x + (l.width - l.bottom->size().width()) / 2.0, axis + 1);
        }
        x += l.width + 3;
    }
    p.restore();
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
}

} // namespace metastats
