#pragma once
// The common frame of the two logistic conversion windows (d to odds ratio
// and back): the caution note, the value box, the check box that admits the
// two confidence limits, the buttons, the rows of results and the working
// panel. Each window names its captions, labels, filter and computation.
#include "calculators/OddsRatioConversion.h"
#include "frame/KeyFilters.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace calculators {

class OddsRatioWindow : public QWidget {
    Q_OBJECT
public:
    // One row of three result boxes under its label, with "-95%:" and "+95%:".
    struct ResultRow {
        const char* labelName;
        QString caption;
        const char* box;
        const char* lowerLabel;
        const char* lowerBox;
        const char* upperLabel;
        const char* upperBox;
    };
    struct Design {
        const char* name;
        QString caption;
        QString caution;
        QString valueLabel;
        QString lowerLabel;
        QString upperLabel;
        QString doItCaption;
        QString exitCaption;
        frame::KeyFilter filter;
        QList<ResultRow> rows;
        QList<const char*> clearedBoxes;   // emptied by every click of the check box
        Outcome (*compute)(const OddsInputs&);
    };

    OddsRatioWindow(const Design& design, QWidget* parent);

    // Empties the results, then enables the limit boxes (ticked) or greys them.
    virtual void chkConfidence_Click();
    void cmdDoIt_Click();
    void cmdExit_Click();

protected:
    // The limit boxes and their captions look open for typing (white boxes,
    // black captions) or locked (grey).
    void showLimitsOpen(bool open);

    Design design_;
    QCheckBox* chkConfidence = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtOR = nullptr;
    QLineEdit* txtORMinus95 = nullptr;
    QLineEdit* txtORPlus95 = nullptr;
    QPlainTextEdit* txtWorking = nullptr;
};

} // namespace calculators
