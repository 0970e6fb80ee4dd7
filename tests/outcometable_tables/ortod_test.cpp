// Quellin's odds-ratio-to-d dialog: modal over the main window, with its
// interval frame shown only while the check box is ticked.
#include "outcometable/frmMain.h"
#include "platform/AppInfo.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

TEST(QuellinORToD, TheCheckBoxShowsAndLocksTheIntervalFrame)
{
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    quellin::frmMain w;
    w.show();
    testkit::find<QPushButton>(&w, QStringLiteral("cmdConvertToD"))->click();
    testkit::settle();
    QWidget* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmORToD") && top->isVisible())
            dialog = top;
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Convert Odds Ratio To Effect Size"));
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &w);
    auto* frame = testkit::find<QGroupBox>(dialog, QStringLiteral("FrCI"));
    auto* check = testkit::find<QCheckBox>(dialog, QStringLiteral("chkConfidence"));
    auto* lower = testkit::find<QLineEdit>(dialog, QStringLiteral("txtORMinus95"));
    EXPECT_FALSE(frame->isVisible());

    // A conversion with the limits, then unticking empties the d boxes.
    testkit::click(check);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(lower->isReadOnly());
    // Open for typing, they look it: white boxes, black captions.
    for (const char* box : {"txtORMinus95", "txtORPlus95"})
        EXPECT_EQ(testkit::find(dialog, QString::fromLatin1(box))->palette().color(QPalette::Base), QColor(Qt::white))
            << box;
    for (const char* caption : {"Label1", "Label2"})
        EXPECT_EQ(testkit::find(dialog, QString::fromLatin1(caption))->palette().color(QPalette::WindowText),
                  QColor(Qt::black))
            << caption;
    testkit::type(testkit::find(dialog, QStringLiteral("txtOR")), QStringLiteral("2"));
    testkit::type(lower, QStringLiteral("1.5"));
    testkit::type(testkit::find(dialog, QStringLiteral("txtORPlus95")), QStringLiteral("3"));
    testkit::MsgBoxScript msgs;
    testkit::click(testkit::find(dialog, QStringLiteral("cmdDoIt")));
    EXPECT_EQ(testkit::text(dialog, QStringLiteral("txtD")), QStringLiteral("0.38215"));   // ln 2 / (pi / sqrt 3) = 0.3821520...
    EXPECT_FALSE(testkit::text(dialog, QStringLiteral("txtDMinus95")).isEmpty());
    testkit::click(check);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(lower->isReadOnly());
    for (const char* box : {"txtD", "txtDMinus95", "txtDPlus95"})
        EXPECT_TRUE(testkit::text(dialog, QString::fromLatin1(box)).isEmpty()) << box;
    dialog->close();
}

// A close-all while the dialog asks for an odds ratio: the dialog hides at
// once and goes only once its command has returned.
TEST(QuellinORToD, CloseAllDuringAMessageDeletesTheDialogAfterTheCommand)
{
    platform::setAppInfo({QStringLiteral("Quellin"), QStringLiteral("Quellin5"), 5, 0, 0});
    quellin::frmMain w;
    w.show();
    testkit::find<QPushButton>(&w, QStringLiteral("cmdConvertToD"))->click();
    testkit::settle();
    QPointer<QWidget> dialog;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmORToD") && top->isVisible())
            dialog = top;
    ASSERT_TRUE(dialog);
    {
        testkit::CloseAllInBox closing(dialog);
        testkit::click(testkit::find(dialog, QStringLiteral("cmdDoIt")));
        EXPECT_GE(closing.boxes(), 1);
        EXPECT_TRUE(closing.wholeInBox());
        EXPECT_TRUE(closing.hiddenInBox());
    }
    testkit::settle();
    EXPECT_TRUE(dialog.isNull());
}
