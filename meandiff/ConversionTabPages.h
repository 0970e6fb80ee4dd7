#pragma once
// The controls and handlers of the two effect-size conversion tabs. Each tab
// object lives on its tab page (objectName "ConversionTab1" / "ConversionTab2")
// and builds the page's controls as children of the page.
#include "meandiff/Conversions.h"

#include <QObject>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace meandiff {

// The one exclusive group of the seventeen conversion options of both tabs,
// kept on the tab control that holds the pages (or on the pages' window).
QButtonGroup* conversionOptionGroup(QWidget* page);

// What the two tabs share: the page they live on, and their options joining
// the one option group of both tabs whenever the page moves to another
// holder.
class ConversionTabBase : public QObject {
public:
    ConversionTabBase(QWidget* page, const char* const* optionNames);

protected:
    // Joins the tab's options to the one group (call once they are made).
    void joinOptions();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* page_;

private:
    const char* const* optionNames_;
};

class ConversionTab1 : public ConversionTabBase {
    Q_OBJECT
public:
    explicit ConversionTab1(QWidget* page);

    void cmdConvert_Click();
    void OpRtoD_Click();
    void OpDtoR_Click();
    void OpFtoD_Click();
    void OpFtoR_Click();
    void OpTtoR_Click();
    void OpTtoD_Click();
    void OpChitoR_Click();
    void OpGtoD_Click();
    void OpNoN_Click();
    void OpYesN_Click();
    void opTNo_Click();
    void opTYes_Click();

private:
    void showOnly(QWidget* frame);
    void setFromTo(Conversion c);

    QLineEdit* TxtConvert;
    QPushButton* cmdConvert;
    QLineEdit* txtAnswer;
    QLabel *LblFrom, *LblToWhat;
    QLabel *LblFromR, *LblFromD, *LblFromF, *LblFromT, *LblFromG, *LblFromChi;
    QLabel *LblTod, *LblToR;
    QLabel* LblEstimate;
    QRadioButton *OpRtoD, *OpDtoR, *OpFtoD, *OpFtoR, *OpTtoR, *OpTtoD, *OpChitoR, *OpGtoD;
    QGroupBox* fraNCorrection;
    QRadioButton *OpNoN, *OpYesN;
    QWidget* PicGroupN;
    QLineEdit *TxtGp1N, *TxtGp2N;
    QGroupBox* fraDF;
    QLineEdit* TxtDFError;
    QGroupBox* fraTDF;
    QLineEdit* txtTDF;
    QLabel *Label42, *Label43, *Label44;
    QRadioButton *opTNo, *opTYes;
    QLineEdit *txtTN1, *txtTN2;
    QGroupBox* fraChiN;
    QLineEdit* TxtChiN;
    QGroupBox* fraHedgesG;
    QLineEdit *TxtHedgesDF, *TxtHedgesN;
};

class ConversionTab2 : public ConversionTabBase {
    Q_OBJECT
public:
    explicit ConversionTab2(QWidget* page);

    void cmdConvert2_Click();
    void opDtoG_Click();
    void opGtoR_Click();
    void opFSQtoRSQ_Click();
    void opRtoZ_Click();
    void opRtoT_Click();
    void opRtoChi_Click();
    void opWtoC_Click();
    void opCtoW_Click();
    void opChitoC_Click();

private:
    void showOnly(QWidget* shown);

    QLineEdit* txtConvert2;
    QPushButton* cmdConvert2;
    QLineEdit* txtConverted;
    QLabel* lblNote;
    QRadioButton *opDtoG, *opGtoR, *opFSQtoRSQ, *opRtoZ, *opRtoT, *opRtoChi, *opWtoC, *opCtoW, *opChitoC;
    QGroupBox* fraCohensD;
    QLineEdit *txtDFD, *txtND;
    QGroupBox* fraGtoR;
    QLineEdit *txtGDF, *txtGN;
    QLabel *lblFSQtoRSQ, *lblRtoZ;
    QGroupBox* fraRtoT;
    QLineEdit* txtRDF;
    QGroupBox* fraRtoChi;
    QLineEdit* txtRN;
    QGroupBox* fraChitoC;
    QLineEdit* txtCHINC;
};

} // namespace meandiff
