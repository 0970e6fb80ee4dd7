// Key filters of the numeric boxes and the focus behaviour of the study and
// group boxes of the main window.
#include "WindowHarness.h"

#include "frame/KeyFilters.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>

namespace effsize_test {
namespace {

using frame::DecimalCharsOnly;
using frame::DigitsOnly;
using frame::NumericCharsOnly;

TEST(KeyFilterFunctions, AcceptAndRefuseByKeyTextAndCaret)
{
    struct Case {
        const char* filter;   // "signed", "unsigned", "digits"
        const char* text;
        int selStart;
        int key;
        bool accepted;
    };
    const Case cases[] = {
        // Backspace passes every filter in every state.
        {"signed", "-1.5", 4, 8, true}, {"unsigned", "1.5", 3, 8, true}, {"digits", "12", 2, 8, true},
        // One "." in a signed or unsigned box.
        {"signed", "", 0, '.', true}, {"signed", "1.", 2, '.', false}, {"unsigned", "", 0, '.', true},
        {"unsigned", "3.1", 1, '.', false},
        // "-" only first and only once.
        {"signed", "", 0, '-', true}, {"signed", "12", 0, '-', true}, {"signed", "12", 1, '-', false},
        {"signed", "-12", 0, '-', false}, {"unsigned", "", 0, '-', false}, {"digits", "", 0, '-', false},
        {"digits", "", 0, '.', false},
        // Digits anywhere; everything else refused.
        {"signed", "-5", 0, '7', true}, {"signed", "", 0, '+', false}, {"signed", "", 0, ' ', false},
        {"signed", "", 0, ',', false}, {"signed", "", 0, 'e', false}, {"signed", "", 0, 13, false},
        {"signed", "", 0, 3, false}, {"signed", "", 0, 22, false}, {"signed", "", 0, 24, false},
        {"signed", "", 0, 26, false}, {"signed", "", 0, 27, false}, {"signed", "", 0, 0xE9, false},
        {"unsigned", "", 0, '%', false}, {"unsigned", "", 0, '9', true}, {"unsigned", "", 0, 9, false},
        {"digits", "", 0, '0', true}, {"digits", "", 0, 'a', false},
    };
    QLineEdit box;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " '" + c.text + "' key " + std::to_string(c.key));
        box.setText(QString::fromLatin1(c.text));
        box.setCursorPosition(c.selStart);
        int r = 0;
        if (std::string(c.filter) == "signed")
            r = NumericCharsOnly(&box, c.key);
        else if (std::string(c.filter) == "unsigned")
            r = DecimalCharsOnly(&box, c.key);
        else
            r = DigitsOnly(c.key);
        EXPECT_EQ(r, c.accepted ? c.key : 0);
    }
}

TEST(KeyFilterFunctions, FreeTextRefusesOnlyTheDoubleQuote)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    frame::installKeyFilter(box, frame::KeyFilter::NoQuote);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("a \"b\", -1.5%"));
    EXPECT_EQ(box->text(), QStringLiteral("a b, -1.5%"));
}

TEST(KeyFilterFunctions, SeveralCharactersInOneKeyPressPassOnlyAsDigits)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    frame::installKeyFilter(box, frame::KeyFilter::Signed);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();
    for (const QString text : {"1.2", "-3", "45", "..", "6"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(box, &press);
    }
    EXPECT_EQ(box->text(), QStringLiteral("456"));
}

class KeyFilterWindowTest : public MainWindowTest {
protected:
    // Focuses the box (which selects its text) and types one key.
    void focusAndKey(QLineEdit* b, char key)
    {
        box("TxtYear")->setFocus(Qt::TabFocusReason);
        b->setFocus(Qt::TabFocusReason);
        QTest::keyClick(b, key);
    }
    void keyAt(QLineEdit* b, int caret, char key)
    {
        b->setFocus(Qt::OtherFocusReason);
        b->setCursorPosition(caret);
        QTest::keyClick(b, key);
    }
};

TEST_F(KeyFilterWindowTest, GroupBoxesFilterAsTyped)
{
    QLineEdit* mean = box("txtMean1");
    testkit::type(mean, "-1.2.3-a4");
    EXPECT_EQ(mean->text(), "-1.234");

    mean->setText("12");
    keyAt(mean, 1, '-');
    EXPECT_EQ(mean->text(), "12");
    keyAt(mean, 0, '-');
    EXPECT_EQ(mean->text(), "-12");
    keyAt(mean, 0, '-');
    EXPECT_EQ(mean->text(), "-12");
    mean->setText("-5");
    keyAt(mean, 0, '3');
    EXPECT_EQ(mean->text(), "3-5");

    QLineEdit* sd = box("txtSD1");
    testkit::type(sd, "-.5.x");
    EXPECT_EQ(sd->text(), ".5");
    QTest::keyClick(sd, Qt::Key_Backspace);
    EXPECT_EQ(sd->text(), ".");

    QLineEdit* n = box("TxtN2");
    testkit::type(n, "1.5-e2");
    EXPECT_EQ(n->text(), "152");
    QTest::keyClick(n, Qt::Key_Backspace);
    EXPECT_EQ(n->text(), "15");
}

TEST_F(KeyFilterWindowTest, KeysAfterTheFocusSelectedTheText)
{
    QLineEdit* mean = box("txtMean2");
    mean->setText("12");
    focusAndKey(mean, '-');
    EXPECT_EQ(mean->text(), "-");
    mean->setText("-12");
    focusAndKey(mean, '-');
    EXPECT_EQ(mean->text(), "-12");
    mean->setText("1.5");
    focusAndKey(mean, '.');
    EXPECT_EQ(mean->text(), "1.5");
    focusAndKey(mean, '7');
    EXPECT_EQ(mean->text(), "7");
}

TEST_F(KeyFilterWindowTest, CombosTakeOnlyUnsignedDecimalsAndNoCompletion)
{
    QComboBox* level = combo("Combo2");
    level->setCurrentIndex(level->findText("99.9%"));
    level->lineEdit()->setFocus();
    level->lineEdit()->end(false);
    QTest::keyClick(level->lineEdit(), '.');
    QTest::keyClick(level->lineEdit(), '%');
    QTest::keyClick(level->lineEdit(), '-');
    EXPECT_EQ(level->currentText(), "99.9%");

    testkit::retype(level, "9-5%");
    EXPECT_EQ(level->currentText(), "95");
    // Enter and leaving the box keep the typed text (no completion to "95%").
    QTest::keyClick(level->lineEdit(), Qt::Key_Return);
    box("TxtID")->setFocus();
    testkit::settle();
    EXPECT_EQ(level->currentText(), "95");

    QComboBox* sd = combo("Combo1");
    testkit::retype(sd, "-3.5%a");
    EXPECT_EQ(sd->currentText(), "3.5");
    // Keys sent to the combo box itself are filtered too.
    sd->setFocus();
    QTest::keyClick(sd, '-');
    QTest::keyClick(sd, 'x');
    EXPECT_EQ(sd->currentText(), "3.5");
}

TEST_F(KeyFilterWindowTest, ControlKeysDoNothingInGuardedBoxesOnly)
{
    QClipboard* clip = QGuiApplication::clipboard();
    clip->setText("99");
    QLineEdit* mean = box("txtMean1");
    mean->setText("12");
    mean->setFocus();
    mean->setCursorPosition(2);
    QTest::keyClick(mean, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(mean, Qt::Key_Return);
    EXPECT_EQ(mean->text(), "12");
    mean->selectAll();
    QTest::keyClick(mean, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip->text(), "99");

    QLineEdit* id = box("TxtID");
    id->setText("Smith ");
    id->setFocus();
    id->setCursorPosition(6);
    QTest::keyClick(id, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(id->text(), "Smith 99");
    // The study file cannot keep a double quote, so the study boxes refuse
    // the key (a paste still brings one in; Save As then refuses the record).
    testkit::type(id, "\"x\"");
    EXPECT_EQ(id->text(), "Smith 99x");
}

TEST_F(KeyFilterWindowTest, FocusSelectsTheWholeTextAndRestoresColours)
{
    QLineEdit* id = box("TxtID");
    QLineEdit* year = box("TxtYear");
    QLineEdit* mean = box("txtMean1");
    id->setText("Smith and Jones");
    mean->setText("12.5");
    // The window opens with the focus on its first box; take it away so the
    // boxes show their own colours.
    mean->setFocus(Qt::OtherFocusReason);
    const QPalette idColours = id->palette();
    const QPalette meanColours = mean->palette();

    year->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(year, Qt::Key_Backtab);
    ASSERT_TRUE(id->hasFocus());
    EXPECT_EQ(id->palette().color(QPalette::Base), QColor(0xFF, 0, 0));
    EXPECT_EQ(id->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(id->selectedText(), "Smith and Jones");
    EXPECT_EQ(id->selectionStart(), 0);
    QTest::keyClick(id, Qt::Key_Tab);
    EXPECT_FALSE(id->hasFocus());
    EXPECT_EQ(id->palette().color(QPalette::Base), idColours.color(QPalette::Base));
    EXPECT_EQ(id->palette().color(QPalette::Text), idColours.color(QPalette::Text));

    mean->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(mean->selectedText(), "12.5");
    EXPECT_EQ(mean->palette().color(QPalette::Base), meanColours.color(QPalette::Base));
    EXPECT_EQ(mean->palette().color(QPalette::Text), meanColours.color(QPalette::Text));

    // A mouse click into the box selects the whole text as well.
    year->setFocus();
    QTest::mouseClick(mean, Qt::LeftButton, Qt::NoModifier, QPoint(4, mean->height() / 2));
    testkit::settle();
    EXPECT_EQ(mean->selectedText(), "12.5");
}

} // namespace
} // namespace effsize_test
