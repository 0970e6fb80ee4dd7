// The capture dialog: texts, the timed capture of the foreground window,
// printing fitted to one page (to PDF here) and copying to the clipboard.
#include "shell/ScreenCapture.h"
#include "shell/ShellWindows.h"
#include "shell/frmPrint.h"
#include "shell_test_util.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using shell::frmPrint;
using testkit::MsgBoxScript;

namespace {

const QString kNoPicture = "No window has been captured yet. Press button 1 to capture a window first.";

// A plain window of one colour to be captured.
class Swatch : public QWidget {
public:
    explicit Swatch(QColor c) : colour_(c) { setObjectName("frmSwatch"); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

// Share of the page image that is not white.
double inkShare(const QImage& img)
{
    qint64 ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).lightness() < 240)
                ++ink;
    return img.isNull() ? 0.0 : double(ink) / (double(img.width()) * img.height());
}

// The first page of a PDF as an image (pdftoppm), and its page count.
QImage pdfPage(const QString& pdf, int& pages)
{
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(30000);
    pages = 0;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:"))
            pages = line.mid(6).trimmed().toInt();
    const QString base = pdf + "-page";
    QProcess p;
    p.start("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf, base});
    p.waitForFinished(30000);
    return QImage(base + ".png");
}

TEST(CaptureDialog, TextsInEachProgram)
{
    for (const char* title : {"Tarvoss", "Quellin", "Morvane"}) {
        shelltest::AsProgram as(title);
        frmPrint dlg;
        EXPECT_EQ(dlg.windowTitle(), "Capture and Print");
        EXPECT_EQ(testkit::text(&dlg, "CmdCaptureWindow"), "1. &Capture Active Window");
        EXPECT_EQ(testkit::text(&dlg, "cmdPrint"), "2. &Print Captured Window To Default Printer");
        EXPECT_EQ(testkit::text(&dlg, "cmdCopy"), "3. Copy Picture Into Clipboard");
        EXPECT_EQ(testkit::text(&dlg, "OKButton"), "OK");
        EXPECT_EQ(testkit::text(&dlg, "lblInstructions"), "Instructions");
        const QString l1 = testkit::text(&dlg, "Lbl1Instructions");
        if (QString(title) == "Tarvoss")
            EXPECT_TRUE(l1.startsWith("This is a screen capture device (it will make a snapshot of ANY active "
                                      "window). Press the Capture command button above (button 1)"));
        else
            EXPECT_TRUE(l1.startsWith("Press the Capture command button above (button 1), and activate"));
        EXPECT_TRUE(l1.endsWith("You have 2 seconds to get the right window active."));
        EXPECT_TRUE(testkit::text(&dlg, "Lbl2Instructions").startsWith("You will see a portion of the captured"));
        EXPECT_TRUE(testkit::text(&dlg, "Lbl2Instructions").endsWith("exit this print programme at any time."));
        // 9855 x 7905 twips with its frame.
        EXPECT_EQ(dlg.size(), QSize(649, 494));
    }
}

TEST(CaptureDialog, PrintAndCopyBeforeACaptureOnlyExplain)
{
    frmPrint dlg;
    dlg.show();
    MsgBoxScript msgs;
    testkit::PrintDialogScript printer(QDir::temp().filePath("never.pdf"));
    QGuiApplication::clipboard()->setText("keep me");
    testkit::click(testkit::find(&dlg, "cmdPrint"));
    testkit::click(testkit::find(&dlg, "cmdCopy"));
    EXPECT_EQ(msgs.texts(), QStringList({kNoPicture, kNoPicture}));
    EXPECT_EQ(printer.count(), 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep me");
}

TEST(CaptureDialog, FittingKeepsThePicturesShape)
{
    using shell::ScreenCapture::FittedSize;
    const QSizeF portrait(600, 800), landscape(800, 600);
    EXPECT_EQ(FittedSize({400, 400}, portrait), QSizeF(600, 600));      // square: full width of a portrait page
    EXPECT_EQ(FittedSize({300, 400}, portrait), QSizeF(600, 800));      // same ratio: the whole area
    EXPECT_EQ(FittedSize({1000, 500}, landscape), QSizeF(800, 400));    // wider than the page: full width
    EXPECT_EQ(FittedSize({1000, 900}, landscape), QSizeF(600 * 1000.0 / 900, 600));   // else full height
    EXPECT_EQ(FittedSize({0, 10}, portrait), QSizeF());
}

TEST(CaptureDialog, CapturesTheWindowActivatedDuringTheWaitThenPrintsAndCopies)
{
    QTemporaryDir dir;
    frmPrint dlg;
    dlg.show();
    Swatch target(QColor(200, 30, 30));
    target.resize(300, 120);
    target.show();
    testkit::settle(50);
    QApplication::setActiveWindow(&dlg);

    MsgBoxScript msgs;
    bool ranDuringWait = false;
    // The person clicks into the window to be captured during the wait.
    QTimer::singleShot(400, &target, [&] {
        ranDuringWait = true;
        QApplication::setActiveWindow(&target);
    });
    QElapsedTimer clock;
    clock.start();
    testkit::click(testkit::find(&dlg, "CmdCaptureWindow"));
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(msgs.texts(), QStringList{"Two seconds after you close this dialog the active window will be captured."});
    EXPECT_TRUE(ranDuringWait);
    EXPECT_GE(waited, 1900);
    EXPECT_LE(waited, 3300);

    const QImage pic = dlg.picture().toImage();
    ASSERT_FALSE(pic.isNull());
    EXPECT_EQ(dlg.picture().deviceIndependentSize().toSize(), target.frameGeometry().size());
    // The whole inner area is in the picture, inside the window's frame.
    const QPoint inner = target.geometry().topLeft() - target.frameGeometry().topLeft();
    for (QPoint at : {inner, inner + QPoint(target.width() - 1, target.height() - 1)})
        EXPECT_EQ(pic.pixelColor(at), QColor(200, 30, 30)) << at.x() << "," << at.y();

    // Printed to PDF: one landscape page showing the picture.
    const QString pdf = dir.filePath("capture.pdf");
    {
        testkit::PrintDialogScript printer(pdf);
        msgs.clear();
        testkit::click(testkit::find(&dlg, "cmdPrint"));
        EXPECT_EQ(printer.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
    }
    int pages = 0;
    const QImage page = pdfPage(pdf, pages);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(pages, 1);
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(inkShare(page), 0.25);
    // The picture fills the page's width from its top left corner: the red
    // reaches across, and the foot of the page stays white.
    const QColor nearLeft = page.pixelColor(page.width() / 8, page.height() / 6);
    const QColor nearRight = page.pixelColor(page.width() * 7 / 8, page.height() / 6);
    EXPECT_GT(nearLeft.red(), 150);
    EXPECT_LT(nearLeft.green(), 100);
    EXPECT_GT(nearRight.red(), 150);
    EXPECT_GT(page.pixelColor(page.width() / 2, page.height() - 3).lightness(), 240);

    // Copy: the whole picture on the clipboard.
    testkit::click(testkit::find(&dlg, "cmdCopy"));
    const QImage clip = QGuiApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), pic.size());
}

TEST(CaptureDialog, WithNothingElseActiveItCapturesItselfAndPrintingCanFail)
{
    QTemporaryDir dir;
    frmPrint dlg;
    dlg.show();
    testkit::settle(20);
    QApplication::setActiveWindow(&dlg);
    MsgBoxScript msgs;
    testkit::click(testkit::find(&dlg, "CmdCaptureWindow"));
    ASSERT_FALSE(dlg.picture().isNull());
    EXPECT_EQ(dlg.picture().deviceIndependentSize().toSize(), dlg.frameGeometry().size());
    EXPECT_EQ(QApplication::activeWindow(), &dlg);

    // A cancelled print dialog prints nothing and says nothing.
    {
        msgs.clear();
        testkit::PrintDialogScript cancel{QString()};
        testkit::click(testkit::find(&dlg, "cmdPrint"));
        EXPECT_EQ(cancel.count(), 1);
        EXPECT_EQ(msgs.count(), 0);
    }
    // A print job that cannot be written ends in a message.
    {
        msgs.clear();
        testkit::PrintDialogScript broken(dir.filePath("no/such/folder/out.pdf"));
        testkit::click(testkit::find(&dlg, "cmdPrint"));
        EXPECT_EQ(msgs.texts(),
                  QStringList{"The captured window could not be printed. Please check the printer."});
    }
    // A portrait picture prints on a portrait page.
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath("tall.pdf");
        printer.setOutputFileName(pdf);
        QPixmap tall(100, 300);
        tall.fill(Qt::blue);
        ASSERT_TRUE(shell::ScreenCapture::PrintPictureFitted(printer, tall));
        int pages = 0;
        const QImage page = pdfPage(pdf, pages);
        EXPECT_EQ(pages, 1);
        EXPECT_LT(page.width(), page.height());
        EXPECT_GT(inkShare(page), 0.1);
        EXPECT_FALSE(shell::ScreenCapture::PrintPictureFitted(printer, QPixmap()));
    }
}

TEST(CaptureDialog, ClosingDuringTheWaitEndsQuietly)
{
    shell::showCaptureDialog();
    QPointer<frmPrint> dlg;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmPrint*>(w); p && p->isVisible())
            dlg = p;
    ASSERT_TRUE(dlg);
    shell::showCaptureDialog();   // one dialog, brought forward
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmPrint*>(w) && w->isVisible())
            ++open;
    EXPECT_EQ(open, 1);

    MsgBoxScript msgs;
    QTimer::singleShot(300, dlg, [&] { testkit::click(testkit::find(dlg, "OKButton")); });
    testkit::click(testkit::find(dlg, "CmdCaptureWindow"));
    testkit::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
}

} // namespace

// A close-all while the capture dialog explains that nothing was captured:
// the dialog hides at once and goes only once the command has returned.
TEST(CaptureDialog, CloseAllDuringAMessageDeletesTheDialogAfterTheCommand)
{
    shell::showCaptureDialog();
    QPointer<frmPrint> dlg;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmPrint*>(w); p && p->isVisible())
            dlg = p;
    ASSERT_TRUE(dlg);
    {
        testkit::CloseAllInBox closing(dlg);
        testkit::click(testkit::find(dlg, "cmdCopy"));
        EXPECT_EQ(closing.boxes(), 1);
        EXPECT_TRUE(closing.wholeInBox());
        EXPECT_TRUE(closing.hiddenInBox());
    }
    testkit::settle();
    EXPECT_TRUE(dlg.isNull());
}
