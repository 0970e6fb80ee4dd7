// Long texts in the three programs: every line box holds far more than Qt's
// default of 32,767 characters, whether the text is set, typed or pasted;
// a record with every box full to that limit goes through Save As and Open
// unchanged; Morvane's Extra Information keeps the characters it was given.
#include "ProgramFiles.h"
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmCriticalTable.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmHierarchicalR.h"
#include "calculators/frmMultipleR.h"
#include "calculators/frmORtoD.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmWithinES.h"
#include "calculators/frmZDifferences.h"
#include "frame/DataFileWindow.h"
#include "meandiff/StudyFile.h"
#include "meandiff/frmMain.h"
#include "metadb/frmAccess.h"
#include "metadb/frmExcel.h"
#include "metadb/frmExport.h"
#include "metadb/frmMetData.h"
#include "metastats/frmFailSafe.h"
#include "metastats/frmHeterogeneity.h"
#include "outcometable/OutcomeFile.h"
#include "outcometable/frmChiTable.h"
#include "outcometable/frmMain.h"
#include "outcometable/frmORToD.h"
#include "personchange/ChangeFile.h"
#include "personchange/ChangeFileCommands.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "shell/TextBox.h"
#include "shell/frmSCalc.h"
#include "testkit/QtTestKit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

using platform::MsgResult;

namespace {

using programfiles::trigger;
using programfiles::useProgram;

// A text of exactly n characters, different in every box and with accents
// and three-byte characters, so that it is long in UTF-8 too.
QString longText(int n, int box)
{
    const QString unit = QString::fromUtf8("Ärger € %1, ").arg(box);
    QString t = unit.repeated(n / unit.size() + 1);
    t.truncate(n);
    return t;
}

void setBox(QWidget* w, const QString& name, const QString& text)
{
    QWidget* b = testkit::find(w, name);
    if (auto* le = qobject_cast<QLineEdit*>(b))
        le->setText(text);
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(b))
        pe->setPlainText(text);
}

struct Program {
    const char* title;
    const char* exe;
    const char* file;
    std::function<std::unique_ptr<frame::MainFrame>()> make;
    QStringList boxes;   // the record's boxes, in file order
};

template <size_t N>
QStringList names(const std::array<const char*, N>& boxes)
{
    QStringList out;
    for (const char* b : boxes)
        out << QString::fromLatin1(b);
    return out;
}

std::vector<Program> programs()
{
    return {
        {"Tarvoss", "Tarvoss5", "study.tvq", [] { return std::make_unique<tarvoss::frmMain>(); },
         names(meandiff::kStudyFieldBoxes)},
        {"Quellin", "Quellin5", "trial.qln", [] { return std::make_unique<quellin::frmMain>(); },
         names(quellin::kOutcomeFieldBoxes)},
        {"Morvane", "Morvane5", "client.mrv", [] { return std::make_unique<morvane::frmMain>(); },
         names(morvane::kChangeFieldBoxes)},
    };
}

} // namespace

// Every line box of every window of the three programs (the editable combo
// boxes' own included) holds the longest text, not Qt's 32,767 characters.
TEST(LongText, EveryLineBoxOfEveryWindowHoldsTheLongestText)
{
    useProgram("Tarvoss", "Tarvoss5");
    std::vector<std::unique_ptr<QWidget>> windows;
    for (const Program& p : programs())
        windows.push_back(p.make());
    windows.push_back(std::make_unique<metadb::frmMetData>());
    windows.push_back(std::make_unique<metadb::frmExport>());
    windows.push_back(std::make_unique<metadb::frmExcel>());
    windows.push_back(std::make_unique<metadb::frmAccess>());
    windows.push_back(std::make_unique<metastats::frmFailSafe>(nullptr));
    windows.push_back(std::make_unique<metastats::frmHeterogeneity>(nullptr, metastats::RosenthalResults{}));
    windows.push_back(std::make_unique<shell::frmSCalc>());
    windows.push_back(std::make_unique<calculators::frmTdata>());
    windows.push_back(std::make_unique<calculators::frmCITable>());
    windows.push_back(std::make_unique<calculators::frmChiTable>());
    windows.push_back(std::make_unique<quellin::frmChiTable>());
    windows.push_back(std::make_unique<quellin::frmORToD>());
    const std::vector<QWidget*> calculatorWindows = {
        calculators::showChiSq(),        calculators::showConf(),           calculators::showCounterNull(),
        calculators::showDiffBetGs(),    calculators::showDiffBetRsDependent(), calculators::showDiffBetweenRs(),
        calculators::showDtoOR(),        calculators::showESInteract(),     calculators::showHierarchicalR(),
        calculators::showMultipleR(),    calculators::showORtoD(),          calculators::showSDEstimate(),
        calculators::showSignificance(), calculators::showWithinES(),       calculators::showZDifferences(),
    };

    int boxes = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            ++boxes;
            EXPECT_EQ(shell::boxLimit(e), shell::kLongestBoxText)
                << e->window()->objectName().toStdString() << " " << e->objectName().toStdString();
            EXPECT_GE(e->maxLength(), shell::kLineBoxUnits)
                << e->window()->objectName().toStdString() << " " << e->objectName().toStdString();
        }
    EXPECT_GT(boxes, 300);
    for (QWidget* w : calculatorWindows)
        delete w;
}

// A text longer than 32,767 characters stays whole when it is set, typed
// into and pasted, in each program's main window.
TEST(LongText, ALongTextIsKeptWhenSetTypedAndPasted)
{
    for (const Program& p : programs()) {
        SCOPED_TRACE(p.title);
        useProgram(p.title, p.exe);
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();
        auto* box = testkit::find<QLineEdit>(w.get(), QStringLiteral("TxtID"));
        const QString text = longText(40000, 1);

        box->setText(text);
        EXPECT_EQ(box->text(), text);
        box->setFocus();
        box->end(false);
        testkit::type(box, QStringLiteral("xy"));
        EXPECT_EQ(box->text(), text + QStringLiteral("xy"));

        box->clear();
        QApplication::clipboard()->setText(text);
        box->setFocus();
        trigger(w.get(), "mnuEditPaste");
        EXPECT_EQ(box->text(), text);
        w->RecordChanged(true);
    }
}

// Every record box full to the longest text a box holds (and Morvane's
// Extra Information with several megabytes) goes through Save As and Open
// and comes back unchanged.
TEST(LongText, ARecordOfTheLongestTextsIsSavedAndOpenedAgainUnchanged)
{
    for (const Program& p : programs()) {
        SCOPED_TRACE(p.title);
        useProgram(p.title, p.exe);
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(p.file));
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();

        QStringList values;
        for (qsizetype i = 0; i < p.boxes.size(); ++i)
            values << longText(shell::kLongestBoxText, static_cast<int>(i));
        if (p.boxes.contains(QStringLiteral("TxtExtraInfo"))) {
            // Lines of text, about 6 MB in UTF-8, with the line breaks the
            // box writes for lines typed.
            values.last() = QString::fromUtf8("Sitzung 1: Ärger € gesunken, Schlaf besser.\r\n").repeated(120000);
            values.last().chop(2);
        }
        for (qsizetype i = 0; i < p.boxes.size(); ++i)
            setBox(w.get(), p.boxes[i], values[i]);
        {
            testkit::FileDialogScript files({path});
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuFileSaveAs");
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QLatin1Char('|')).left(300).toStdString();
        }
        ASSERT_TRUE(QFile::exists(path));
        EXPECT_GT(QFileInfo(path).size(), 4 * 1024 * 1024);

        trigger(w.get(), "mnuFileNew");
        w->RecordChanged(true);
        {
            testkit::FileDialogScript files({path});
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuFileOpen");
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join(QLatin1Char('|')).left(300).toStdString();
        }
        for (qsizetype i = 0; i < p.boxes.size(); ++i) {
            const QString got = frame::windowBoxText(w.get(), p.boxes[i]);
            EXPECT_EQ(got.size(), values[i].size()) << p.boxes[i].toStdString();
            EXPECT_TRUE(got == values[i]) << p.boxes[i].toStdString();
        }
        w->RecordChanged(true);
    }
}

// Morvane's Extra Information keeps a no-break space and a line separator
// through Save As and Open; a line break stays a line break.
TEST(LongText, ExtraInformationKeepsEveryCharacterThroughSaveAndOpen)
{
    useProgram("Morvane", "Morvane5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("client.mrv"));
    morvane::frmMain w;
    w.show();
    const QString extra = QString::fromUtf8("10\u00A0kg less\u2028next line\nnew paragraph, tab\there \u00A0 ");
    setBox(&w, QStringLiteral("TxtExtraInfo"), extra);
    setBox(&w, QStringLiteral("TxtID"), QString::fromUtf8("Client\u00A0A"));
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuFileSaveAs");
        EXPECT_EQ(msgs.count(), 0);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains(QString::fromUtf8("\"10\u00A0kg less\u2028next line\r\nnew").toUtf8()));
    f.close();

    trigger(&w, "mnuFileNew");
    w.RecordChanged(true);
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuFileOpen");
        EXPECT_EQ(msgs.count(), 0);
    }
    // The line break set as typed was written as CR LF, and reads back so.
    EXPECT_EQ(frame::windowBoxText(&w, QStringLiteral("TxtExtraInfo")), QString(extra).replace("\n", "\r\n"));
    EXPECT_EQ(frame::windowBoxText(&w, QStringLiteral("TxtID")), QString::fromUtf8("Client\u00A0A"));

    // Saved again, the file is the same.
    const QString again = dir.filePath(QStringLiteral("again.mrv"));
    {
        testkit::FileDialogScript files({again});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuFileSaveAs");
    }
    QFile a(path), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    w.RecordChanged(true);
}

namespace {

// A data file of the program whose first field (TxtID in every program) is
// far longer than a line box holds.
QString writeOverlongFile(const QTemporaryDir& dir, const Program& p, qsizetype firstLength)
{
    const QString path = dir.filePath(QString::fromLatin1(p.file));
    QStringList fields;
    fields << QString::fromUtf8("Ärger ").repeated(firstLength / 6 + 1).left(firstLength);
    for (qsizetype i = 1; i < p.boxes.size(); ++i)
        fields << QStringLiteral("2");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(('"' + fields.join(QStringLiteral("\",\"")) + "\"\r\n").toUtf8());
    f.close();
    return path;
}

} // namespace

// A file with a text longer than its box holds is refused with its own
// message, from File > Open, a recent-file entry and the command line, and
// the window stays as it was: nothing is cut, so nothing shortened can be
// saved afterwards.
TEST(LongText, AFileWithATextLongerThanItsBoxIsRefusedBeforeTheWindowChanges)
{
    constexpr qsizetype kLength = 5137084;
    for (const Program& p : programs()) {
        SCOPED_TRACE(p.title);
        useProgram(p.title, p.exe);
        QTemporaryDir dir;
        const QString path = writeOverlongFile(dir, p, kLength);
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();
        QStringList before;
        for (qsizetype i = 0; i < p.boxes.size(); ++i)
            before << QStringLiteral("%1").arg(i + 1);
        for (qsizetype i = 0; i < p.boxes.size(); ++i)
            setBox(w.get(), p.boxes[i], before[i]);
        w->RecordChanged(true);

        auto expectRefused = [&](const testkit::MsgBoxScript& msgs) {
            ASSERT_EQ(msgs.count(), 1);
            const QString text = msgs.shown()[0].text;
            EXPECT_TRUE(text.contains(QString::number(kLength))) << text.toStdString();
            EXPECT_TRUE(text.contains(QString::number(shell::kLongestBoxText))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("was not opened"))) << text.toStdString();
        };
        {
            testkit::FileDialogScript files({path});
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuFileOpen");
            expectRefused(msgs);
        }
        EXPECT_EQ(frame::windowBoxTexts(w.get(), p.boxes), before);
        EXPECT_NE(w->mruCaption(0), path);

        w->AddToMRU(path);
        {
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuMRU(0)");
            expectRefused(msgs);
        }
        EXPECT_EQ(frame::windowBoxTexts(w.get(), p.boxes), before);
        w->RecordChanged(true);
        w.reset();

        platform::setCommandArguments({path});
        {
            testkit::MsgBoxScript msgs;
            std::unique_ptr<frame::MainFrame> started = p.make();
            started->show();
            testkit::settle();
            expectRefused(msgs);
            EXPECT_EQ(frame::windowBoxText(started.get(), QStringLiteral("TxtID")), QString());
            started->RecordChanged(true);
        }
        platform::setCommandArguments({});
    }
}

// A text that would go beyond a box's limit, pasted (Edit > Paste, Ctrl+V)
// is refused whole with a message, and quickly; a key typed into
// a full box says so too. A text that fits goes in without a word.
TEST(LongText, TextThatWouldGoBeyondABoxIsRefusedWithAMessage)
{
    const QString huge = QString(QLatin1Char('p')).repeated(5 * 1024 * 1024);
    for (const Program& p : programs()) {
        SCOPED_TRACE(p.title);
        useProgram(p.title, p.exe);
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();
        auto* box = testkit::find<QLineEdit>(w.get(), QStringLiteral("TxtID"));
        const QStringList tooLong{shell::textTooLongMessage(shell::kLongestBoxText)};
        box->setText(QStringLiteral("kept"));
        box->setFocus();
        box->end(false);

        QApplication::clipboard()->setText(huge);
        {
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuEditPaste");
            EXPECT_EQ(msgs.texts(), tooLong);
        }
        {
            testkit::MsgBoxScript msgs;
            QApplication::setActiveWindow(w.get());
            box->setFocus();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(msgs.texts(), tooLong);
        }
        EXPECT_EQ(box->text(), QStringLiteral("kept"));

        // In place of a selection the text is measured without it.
        const QString full = huge.left(shell::kLongestBoxText);
        QApplication::clipboard()->setText(full);
        box->selectAll();
        {
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuEditPaste");
            EXPECT_EQ(msgs.count(), 0);
        }
        EXPECT_EQ(box->text(), full);
        {
            testkit::MsgBoxScript msgs;
            box->end(false);
            testkit::type(box, QStringLiteral("xyz"));
            testkit::settle();
            EXPECT_EQ(msgs.texts(), tooLong);   // once for the three keys
        }
        EXPECT_EQ(box->text(), full);
        w->RecordChanged(true);
    }
}

// A paragraph separator (U+2029) in Morvane's Extra Information is kept as
// read through Open and Save As, beside line breaks; a line typed with Enter
// after opening is a line break, written as CR LF.
TEST(LongText, ExtraInformationKeepsAParagraphSeparatorAsRead)
{
    useProgram("Morvane", "Morvane5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("client.mrv"));
    const QString extra = QString::fromUtf8("first\u2029second\r\nthird\u2029\u2029\u00A0end\u2029");
    QByteArray bytes = "\"A\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"" + extra.toUtf8() + "\"\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    morvane::frmMain w;
    w.show();
    w.RecordChanged(true);
    {
        testkit::FileDialogScript files({path});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuFileOpen");
        EXPECT_EQ(msgs.count(), 0);
    }
    EXPECT_EQ(frame::windowBoxText(&w, QStringLiteral("TxtExtraInfo")), extra);
    const QString again = dir.filePath(QStringLiteral("again.mrv"));
    {
        testkit::FileDialogScript files({again});
        testkit::MsgBoxScript msgs;
        trigger(&w, "mnuFileSaveAs");
        EXPECT_EQ(msgs.count(), 0);
    }
    QFile b(again);
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), bytes);

    // Enter typed at the end of "first": a line break there, the separator
    // after it kept.
    auto* box = testkit::find<QPlainTextEdit>(&w, QStringLiteral("TxtExtraInfo"));
    QTextCursor c(box->document());
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertBlock();
    c.insertText(QStringLiteral("added"));
    EXPECT_EQ(frame::windowBoxText(&w, QStringLiteral("TxtExtraInfo")),
              QString::fromUtf8("first\nadded\u2029second\r\nthird\u2029\u2029\u00A0end\u2029"));
    // In the record, the typed break is the file's CR LF.
    EXPECT_EQ(morvane::changeBoxText(&w, QStringLiteral("TxtExtraInfo")),
              QString::fromUtf8("first\r\nadded\u2029second\r\nthird\u2029\u2029\u00A0end\u2029"));
    w.RecordChanged(true);
}

namespace {

// n characters beyond the basic plane: two QString units each.
QString emoji(qsizetype n) { return QString::fromUtf8("\U0001F600").repeated(n); }

QString writeFirstField(const QTemporaryDir& dir, const Program& p, const QString& first)
{
    QStringList fields{first};
    for (qsizetype i = 1; i < p.boxes.size(); ++i)
        fields << QString();
    const QString path = dir.filePath(QString::fromLatin1(p.file));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(('"' + fields.join(QStringLiteral("\",\"")) + "\"\r\n").toUtf8());
    return path;
}

void commit(QLineEdit* box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(box, &event);
    testkit::settle();
}

} // namespace

// Boxes hold and refuse characters as a person counts them: a character
// beyond the basic plane (an emoji) is one, though it takes two units of a
// QString. The refusals of a file, a paste, a key and an input method all
// count so, and say the limit in characters.
TEST(LongText, CharactersAreCountedAsAPersonCountsThem)
{
    const int limit = shell::kLongestBoxText;
    const QStringList tooLong{shell::textTooLongMessage(limit)};
    for (const Program& p : programs()) {
        SCOPED_TRACE(p.title);
        useProgram(p.title, p.exe);
        QTemporaryDir dir;
        std::unique_ptr<frame::MainFrame> w = p.make();
        w->show();
        testkit::settle();
        QApplication::setActiveWindow(w.get());
        auto* box = testkit::find<QLineEdit>(w.get(), QStringLiteral("TxtID"));

        // A file with a box full of emoji opens; one more is refused, and
        // the message counts the characters.
        {
            testkit::FileDialogScript files({writeFirstField(dir, p, emoji(limit))});
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuFileOpen");
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join('|').toStdString();
        }
        EXPECT_TRUE(box->text() == emoji(limit));
        {
            testkit::FileDialogScript files({writeFirstField(dir, p, emoji(limit + 1))});
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuFileOpen");
            ASSERT_EQ(msgs.count(), 1);
            const QString text = msgs.texts()[0];
            EXPECT_TRUE(text.contains(QStringLiteral("a text of %1 characters").arg(limit + 1))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("at most %1 characters").arg(limit))) << text.toStdString();
        }
        w->RecordChanged(true);

        // Three emoji fill a box three characters short of the limit; a
        // fourth is refused, pasted, typed or committed by an input method.
        const QString almost(limit - 3, QLatin1Char('a'));
        box->setText(almost);
        box->setFocus();
        box->end(false);
        QApplication::clipboard()->setText(emoji(2));
        {
            testkit::MsgBoxScript msgs;
            trigger(w.get(), "mnuEditPaste");
            EXPECT_EQ(msgs.count(), 0) << msgs.texts().join('|').toStdString();
        }
        {
            testkit::MsgBoxScript msgs;
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, emoji(1), Qt::NoModifier);
            testkit::settle();
            EXPECT_EQ(msgs.count(), 0);
        }
        EXPECT_TRUE(box->text() == almost + emoji(3));
        QApplication::clipboard()->setText(emoji(1));
        {
            testkit::MsgBoxScript msgs;
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, emoji(1), Qt::NoModifier);
            testkit::settle();
            EXPECT_EQ(msgs.texts(), tooLong + tooLong);   // the paste, then the key once the edit is over
        }
        box->setText(almost);
        box->end(false);
        {
            testkit::MsgBoxScript msgs;
            commit(box, emoji(4));
            EXPECT_EQ(msgs.texts(), tooLong);
            EXPECT_TRUE(box->text() == almost);
            commit(box, emoji(3));
            EXPECT_EQ(msgs.texts(), tooLong);
        }
        EXPECT_TRUE(box->text() == almost + emoji(3));
        w->RecordChanged(true);
    }
}

// An editable combo box's own line box keeps the limit too: a paste key
// (Shift+Insert: Ctrl+V is the Edit menu's) reaches it through the combo
// box, and is refused whole.
TEST(LongText, APasteIntoAComboBoxBeyondTheLimitIsRefusedWhole)
{
    const QString huge(shell::kLongestBoxText + 1, QLatin1Char('p'));
    for (const Program& p : programs()) {
        std::unique_ptr<frame::MainFrame> w = p.make();
        for (auto* combo : w->findChildren<QComboBox*>()) {
            if (!combo->isEditable())
                continue;
            SCOPED_TRACE(std::string(p.title) + " " + combo->objectName().toStdString());
            useProgram(p.title, p.exe);
            w->show();
            testkit::settle();
            QApplication::setActiveWindow(w.get());
            combo->setFocus();
            combo->lineEdit()->setText(QStringLiteral("95%"));
            QApplication::clipboard()->setText(huge);
            testkit::MsgBoxScript msgs;
            QTest::keyClick(combo, Qt::Key_Insert, Qt::ShiftModifier);
            testkit::settle();
            EXPECT_EQ(msgs.texts(), QStringList{shell::textTooLongMessage(shell::kLongestBoxText)});
            EXPECT_TRUE(combo->lineEdit()->text() == QStringLiteral("95%")) << combo->lineEdit()->text().size();
        }
        w->RecordChanged(true);
    }
}
