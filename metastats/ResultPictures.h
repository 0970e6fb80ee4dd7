#pragma once
// The pictures of the two result windows, drawn rather than loaded: the
// faces that judge a fail-safe row, and the formula pictures of the
// heterogeneity window.
#include "metastats/FailSafeTable.h"

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

namespace metastats {

// A face of side `size` pixels: a green smile (thumb), a red frown (mad) or
// a grey level mouth with a question mark (unsure).
QPixmap verdictPicture(FailSafeVerdict verdict, int size);

// A fixed formula drawn from pieces of rich text, left to right, centred on
// one axis; a piece with a denominator is drawn as a fraction.
class FormulaPicture : public QWidget {
public:
    struct Piece {
        QString top;     // rich text (<i>, <sub>, <sup>, entities)
        QString bottom;  // rich text of the denominator, empty for inline text
    };
    FormulaPicture(QWidget* parent, const QString& name, std::vector<Piece> pieces);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Piece> pieces_;
};

} // namespace metastats
