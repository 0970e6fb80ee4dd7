#include "metadb/PrintPanel.h"
#include "frame/DataFileWindow.h"
#include "metadb/PrintDG.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "shell/TextBox.h"
#include "shell/Twips.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QWidget>

namespace metadb {

namespace {

const char* const kMsgPrintFailed =
    "The study grid could not be printed. Something went very wrong and resulted in the following error:";
const char* const kMsgNoDatabase = "You need to open a database before performing this function.";
// The text of a margin box that last passed the check.
const char* const kAcceptedMargin = "acceptedMargin";

// Every control of the panel has its caption a point smaller, as the
// window's buttons do, so that the captions fit their small places.
template <class T>
T* place(T* w, const QString& name, int left, int top, int width, int height)
{
    w->setObjectName(name);
    w->setGeometry(shell::px(left), shell::px(top), shell::px(width), shell::px(height));
    QFont f = w->font();
    f.setPointSizeF(f.pointSizeF() - 1.0);
    w->setFont(f);
    return w;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* c = place(new QCheckBox(caption, parent), QString::fromLatin1(name), left, top, width, 255);
    c->setChecked(true);
    return c;
}

QLineEdit* marginBox(QWidget* parent, const char* name, int left, int top)
{
    auto* e = place(shell::newLineBox(QStringLiteral("0.75"), parent), QString::fromLatin1(name), left, top, 555, 285);
    e->setProperty(kAcceptedMargin, e->text());
    return e;
}

void label(QWidget* parent, int index, const QString& caption, int left, int top, int width,
           Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    place(new QLabel(caption, parent), QStringLiteral("lblMargins(%1)").arg(index), left, top, width, 255)
        ->setAlignment(align);
}

// A margin's number of inches; false when the text is none (or too large
// to be one).
bool readMargin(const QLineEdit* box, double& inches) { return platform::tryCdbl(box->text(), inches); }

} // namespace

PrintPanel::PrintPanel(QWidget* picPrint, QWidget* txtResults, QTableView* grid,
                       std::function<platform::Recordset*()> recordset, std::function<void()> showProgress,
                       std::function<void()> hideProgress)
    : QObject(picPrint), picPrint_(picPrint), txtResults_(txtResults), grid_(grid), recordset_(std::move(recordset)),
      showProgress_(std::move(showProgress)), hideProgress_(std::move(hideProgress))
{
    chkGrid_ = checkBox(picPrint, "chkGrid", QStringLiteral("Grid Lines"), 0, 60, 1035);
    chkHeader_ = checkBox(picPrint, "chkHeader", QStringLiteral("Print Header"), 0, 510, 1215);
    chkCaption_ = checkBox(picPrint, "chkCaption", QStringLiteral("Print Caption"), 0, 960, 1215);
    label(picPrint, 4, QStringLiteral("Margins:"), 1200, 0, 615);
    // "Top" stands above its box, which reaches into the label's lower part:
    // its text starts at the label's top.
    label(picPrint, 0, QStringLiteral("Top"), 1980, 0, 375, Qt::AlignLeft | Qt::AlignTop);
    txtMarginTop_ = marginBox(picPrint, "txtMarginTop", 1950, 195);
    label(picPrint, 2, QStringLiteral("Left"), 1260, 540, 315);
    txtMarginLeft_ = marginBox(picPrint, "txtMarginLeft", 1650, 510);
    txtMarginRight_ = marginBox(picPrint, "txtMarginRight", 2280, 510);
    label(picPrint, 3, QStringLiteral("Right"), 2880, 540, 405);
    txtMarginBottom_ = marginBox(picPrint, "txtMarginBottom", 1950, 840);
    label(picPrint, 1, QStringLiteral("Bottom"), 1920, 1155, 555);
    auto* cmdPrint = place(new QPushButton(QStringLiteral("Print"), picPrint), QStringLiteral("cmdPrint"), 3420, 330,
                           735, 315);
    auto* cmdFinished = place(new QPushButton(QStringLiteral("Finished"), picPrint), QStringLiteral("cmdFinished"),
                              3420, 780, 735, 315);

    for (QLineEdit* box : {txtMarginTop_, txtMarginLeft_, txtMarginRight_, txtMarginBottom_})
        box->installEventFilter(this);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdFinished, &QPushButton::clicked, this, [this] { cmdFinished_Click(); });
}

PrintPanel::~PrintPanel() = default;

bool PrintPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a box for another control checks it; a context menu or a
    // switch to another window does not.
    const auto* focus = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event) : nullptr;
    if (focus && focus->reason() != Qt::PopupFocusReason && focus->reason() != Qt::ActiveWindowFocusReason) {
        if (watched == txtMarginTop_)
            txtMarginTop_Validate();
        else if (watched == txtMarginBottom_)
            txtMarginBottom_Validate();
        else if (watched == txtMarginLeft_)
            txtMarginLeft_Validate();
        else if (watched == txtMarginRight_)
            txtMarginRight_Validate();
    }
    return QObject::eventFilter(watched, event);
}

void PrintPanel::txtMarginTop_Validate() { checkMargin(txtMarginTop_); }
void PrintPanel::txtMarginBottom_Validate() { checkMargin(txtMarginBottom_); }
void PrintPanel::txtMarginLeft_Validate() { checkMargin(txtMarginLeft_); }
void PrintPanel::txtMarginRight_Validate() { checkMargin(txtMarginRight_); }

// A margin is 0 to 3 inches: below 0 becomes "0.00", above 3 "3.00", and a
// value in between stays as typed. Text that is no number gives way to the
// box's last good margin, so that a print always has four margins.
void PrintPanel::checkMargin(QLineEdit* box)
{
    double v = 0;
    if (!readMargin(box, v)) {
        box->setText(box->property(kAcceptedMargin).toString());
        return;
    }
    if (v < 0)
        box->setText(QStringLiteral("0.00"));
    if (readMargin(box, v) && v > 3)
        box->setText(QStringLiteral("3.00"));
    box->setProperty(kAcceptedMargin, box->text());
}

void PrintPanel::cmdPrint_Click()
{
    // A margin box whose text was set without the focus leaving it gets its
    // check now.
    for (QLineEdit* box : {txtMarginTop_, txtMarginBottom_, txtMarginLeft_, txtMarginRight_})
        checkMargin(box);

    bool failed = false;
    QString failure;   // the error's description
    bool noDatabase = false;
    {
        if (showProgress_)
            showProgress_();
        const auto hide = qScopeGuard([this] {
            if (hideProgress_)
                hideProgress_();
        });

        platform::Recordset* rs = recordset_ ? recordset_() : nullptr;
        if (!rs || !grid_) {
            noDatabase = true;
        } else {
            if (!printer_)
                printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            if (!platform::execPrintDialog(*printer_, picPrint_->window()))
                return;
            PrintDG::Options o;
            o.portrait = printer_->pageLayout().orientation() != QPageLayout::Landscape;
            o.gridLines = chkGrid_->isChecked();
            o.header = chkHeader_->isChecked();
            o.caption = chkCaption_->isChecked();
            if (!readMargin(txtMarginTop_, o.margins.top) || !readMargin(txtMarginBottom_, o.margins.bottom) ||
                !readMargin(txtMarginLeft_, o.margins.left) || !readMargin(txtMarginRight_, o.margins.right))
                return;
            try {
                PrintDG::PrinterSurface surface(*printer_);
                PrintDG::PrintDataGrid(surface, *grid_, *rs, o);
            } catch (const platform::RuntimeError& e) {
                failed = true;
                failure = e.description();
            } catch (const std::exception& e) {
                failed = true;
                failure = QString::fromLocal8Bit(e.what());
            }
        }
    }
    if (noDatabase)
        platform::msgBox(QString::fromUtf8(kMsgNoDatabase), platform::MsgButtons::OK, platform::MsgIcon::None, {},
                         picPrint_->window());
    else if (failed)
        frame::showFailure(picPrint_->window(), kMsgPrintFailed, failure);
}

void PrintPanel::cmdFinished_Click()
{
    picPrint_->hide();
    txtResults_->show();
}

} // namespace metadb
