#include "metadb/frmExcel.h"

#include "metadb/ExportControls.h"
#include "metadb/WorkbookExport.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "shell/TextBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextCursor>

namespace metadb {

namespace {
const QString kLoadText = QStringLiteral(
    "This will convert the database into a Microsoft Excel workbook (.xlsx). Microsoft Excel does not need to be "
    "installed on your computer.");
} // namespace

frmExcel::frmExcel(QWidget* owner) : QDialog(owner)
{
    using namespace exportui;
    fixedDialog(this, "frmExcel", QStringLiteral("Export Meta-Analysis Database To Microsoft Excel Spreadsheet"),
                6495, 5370);

    auto* frame1 = place(new QGroupBox(QStringLiteral("Select database to convert."), this), "Frame1", 120, 60,
                         6255, 795);
    txtDB_ = place(shell::newLineBox(frame1), "txtDB", 120, 330, 5415, 330);
    auto* cmdDB = place(new QPushButton(QStringLiteral("..."), frame1), "cmdDB", 5640, 330, 495, 330);

    auto* frame3 = place(new QGroupBox(QStringLiteral("New Excel spreadsheet name"), this), "Frame3", 120, 960,
                         6255, 795);
    txtEXL_ = place(shell::newLineBox(frame3), "txtEXL", 120, 330, 5415, 330);
    auto* cmdEXL = place(new QPushButton(QStringLiteral("..."), frame3), "cmdEXL", 5640, 330, 495, 330);

    auto* frame2 = place(new QGroupBox(QStringLiteral("Results"), this), "Frame2", 120, 1860, 6255, 2715);
    txtResults_ = place(new QPlainTextEdit(frame2), "txtResults", 120, 300, 6015, 2295);
    txtResults_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtResults_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* cmdConvert = place(new QPushButton(QStringLiteral("&Export File"), this), "cmdConvert", 120, 4710, 1935, 495);
    auto* cmdClose = place(new QPushButton(QStringLiteral("&Close"), this), "cmdClose", 4440, 4710, 1935, 495);
    for (QPushButton* b : {cmdDB, cmdEXL, cmdConvert, cmdClose})
        b->setAutoDefault(false);

    connect(cmdDB, &QPushButton::clicked, this, [this] { cmdDB_Click(); });
    connect(cmdEXL, &QPushButton::clicked, this, [this] { cmdEXL_Click(); });
    connect(cmdConvert, &QPushButton::clicked, this, [this] { cmdConvert_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    // Form_Load
    txtResults_->setPlainText(kLoadText);
}

void frmExcel::cmdDB_Click()
{
    // The dialog starts from the name it holds; a cancel leaves that name.
    const QString chosen = platform::getOpenFileName(this, QStringLiteral("Open"), dialogFileName_,
                                                     QStringLiteral("Meta-analysis Database (*.met)"));
    if (!chosen.isEmpty())
        dialogFileName_ = chosen;
    databasePath_ = dialogFileName_;
    txtDB_->setText(dialogFileName_);
}

void frmExcel::cmdEXL_Click()
{
    // The dialog's file name is emptied first, so a cancel empties it.
    const QString folder = dialogFileName_.isEmpty() ? QString() : QFileInfo(dialogFileName_).absolutePath();
    dialogFileName_ = platform::getSaveFileName(this, QStringLiteral("Save As"), folder,
                                                QStringLiteral("MS Excel Spreadsheet (*.xlsx)"), QStringLiteral("xlsx"),
                                                false);
    txtEXL_->setText(dialogFileName_);
}

void frmExcel::appendLog(const QString& text)
{
    QTextCursor end(txtResults_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

void frmExcel::cmdConvert_Click()
{
    if (databasePath_.isEmpty()) {
        platform::msgBox(QStringLiteral("Please select a database"), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
        return;
    }
    const QString workbook = txtEXL_->text();
    if (workbook.isEmpty()) {
        platform::msgBox(QStringLiteral("Please select a name for the new spreadsheet."), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool busy = true;
    auto normalPointer = [&busy] {
        if (busy) {
            QApplication::restoreOverrideCursor();
            busy = false;
        }
    };
    auto restore = qScopeGuard(normalPointer);

    txtResults_->clear();
    WorkbookExportHooks hooks;
    hooks.log = [this](const QString& text) { appendLog(text); };
    hooks.confirmReplace = [this, &normalPointer](const QString& path) {
        normalPointer();
        return platform::msgBox(QStringLiteral("A file named ") + path
                                    + QStringLiteral(" already exists.\r\n\r\nDo you want to replace it?"),
                                platform::MsgButtons::YesNo, platform::MsgIcon::Exclamation, {}, this)
            == platform::MsgResult::Yes;
    };
    hooks.fieldsLeftEmpty = [this, &normalPointer](const QStringList& fields) {
        normalPointer();
        constexpr int kNamed = 20;
        QString text = QStringLiteral("The workbook was saved, but %1 field(s) could not go into a cell and were "
                                      "left empty:\r\n")
                           .arg(fields.size());
        for (int i = 0; i < fields.size() && i < kNamed; ++i)
            text += QStringLiteral("\r\n") + fields[i];
        if (fields.size() > kNamed)
            text += QStringLiteral("\r\n... and %1 more.").arg(fields.size() - kNamed);
        platform::msgBox(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation, {}, this);
    };
    try {
        exportWorkbook(databasePath_, workbook, hooks);
    } catch (const platform::RuntimeError& e) {
        normalPointer();
        platform::msgBox(QString::number(e.number()) + QStringLiteral("\r\n") + e.description(),
                         platform::MsgButtons::OK, platform::MsgIcon::None, {}, this);
    } catch (const std::exception& e) {
        normalPointer();
        platform::msgBox(QStringLiteral("0\r\n") + QString::fromLocal8Bit(e.what()), platform::MsgButtons::OK,
                         platform::MsgIcon::None, {}, this);
    }
}

void frmExcel::cmdClose_Click() { close(); }

} // namespace metadb
