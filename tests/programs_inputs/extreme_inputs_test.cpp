// Numbers at the edge of what a double holds, typed or pasted into every
// number box of every window that computes, and each command pressed: no
// input may end a program. A message is fine; an error escaping a command is
// not.
#include "calculators/frmChiSq.h"
#include "calculators/frmConf.h"
#include "calculators/frmCounterNull.h"
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
#include "meandiff/frmMain.h"
#include "metadb/frmMetData.h"
#include "metastats/frmFailSafe.h"
#include "metastats/frmHeterogeneity.h"
#include "outcometable/frmMain.h"
#include "outcometable/frmORToD.h"
#include "personchange/frmMain.h"
#include "platform/AppInfo.h"
#include "shell/Resize.h"
#include "shell/frmSCalc.h"
#include "testkit/QtTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Too large for a double either way, far too many digits, and the smallest
// denormal.
QStringList extremes()
{
    return {QStringLiteral("1e999"), QStringLiteral("-1e999"), QString(400, QLatin1Char('9')),
            QStringLiteral("4.9406564584124654e-324")};
}

// The other boxes hold plain numbers, so that a command gets as far as the
// box under test: small ones that pass as probabilities and correlations,
// and larger ones that pass as counts and sample sizes.
const char* const Backgrounds[] = {"0.2", "12"};

// Commands that leave the window or only open another one.
bool leavesTheWindow(const QAbstractButton* b)
{
    static const QRegularExpression words(QStringLiteral("exit|close|quit|cancel|done|return|print|help"),
                                          QRegularExpression::CaseInsensitiveOption);
    return b->objectName().contains(words) || b->text().remove(QLatin1Char('&')).contains(words);
}

// The boxes a person can type or paste a number into: line boxes and the
// typed part of combo boxes, enabled and not read-only.
QList<QLineEdit*> numberBoxes(QWidget* w)
{
    QList<QLineEdit*> out;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->isEnabled() && !e->isReadOnly())
            out.append(e);
    return out;
}

// Modal windows closed by the test since it began.
int modalsClosed = 0;

// Brings forward the tab that holds the control.
void bringForward(QWidget* w, QWidget* control)
{
    for (QWidget* p = control; p && p != w; p = p->parentWidget())
        if (auto* t = qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr))
            if (t->indexOf(p) >= 0)
                t->setCurrentWidget(p);
}

class Driver {
public:
    explicit Driver(QWidget* w) : w_(w) {}

    // Runs an action that may reach the window's handlers; an error that
    // comes out of it is a fault.
    void guarded(const QString& what, const std::function<void()>& action)
    {
        try {
            action();
        } catch (const std::exception& e) {
            faults_.insert(what + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()));
        } catch (...) {
            faults_.insert(what + QStringLiteral(": unknown error"));
        }
    }

    void put(QLineEdit* box, const QString& text)
    {
        guarded(box->objectName() + QStringLiteral(" = ") + text.left(12), [&] {
            if (QComboBox* c = qobject_cast<QComboBox*>(box->parentWidget()))
                c->setEditText(text);
            else
                box->setText(text);
        });
    }

    // Every box holds the background number, one box holds the value, and
    // every command is pressed.
    void pressAll(QLineEdit* target, const QString& value, const char* background)
    {
        const QList<QLineEdit*> boxes = numberBoxes(w_);
        for (QLineEdit* b : boxes)
            if (b != target)
                put(b, QString::fromLatin1(background));
        put(target, value);
        for (QPushButton* b : w_->findChildren<QPushButton*>()) {
            if (!b->isEnabled() || leavesTheWindow(b) || !b->isVisibleTo(w_) || openers_.contains(b))
                continue;
            bringForward(w_, b);
            const QWidgetList tops = QApplication::topLevelWidgets();
            const QSet<QWidget*> before(tops.begin(), tops.end());
            const int modals = modalsClosed;
            guarded(QStringLiteral("%1 with %2 = %3 (others %4)")
                        .arg(b->objectName(), target->objectName(), value.left(12), QString::fromLatin1(background)),
                    [&] { b->click(); });
            // A command that opens another window reads no number of this
            // one; it is pressed once.
            if (closeOthers(before) || modalsClosed != modals)
                openers_.insert(b);
            ++presses_;
        }
    }

    // The whole round in the window's present mode.
    void round()
    {
        for (const QString& v : extremes())
            for (const char* background : Backgrounds)
                for (QLineEdit* target : numberBoxes(w_))
                    pressAll(target, v, background);
    }

    // Each mode a person can choose: every option button in turn, with every
    // check box ticked (they ask for more results, such as Fisher's test).
    void everyMode()
    {
        for (QCheckBox* c : w_->findChildren<QCheckBox*>())
            if (c->isEnabled() && !c->isChecked())
                guarded(c->objectName(), [&] { c->click(); });
        round();
        for (QRadioButton* r : w_->findChildren<QRadioButton*>()) {
            if (!r->isEnabled())
                continue;
            bringForward(w_, r);
            guarded(r->objectName(), [&] { r->click(); });
            round();
        }
    }

    QStringList faults() const
    {
        QStringList l(faults_.begin(), faults_.end());
        l.sort();
        return l;
    }
    int presses() const { return presses_; }

private:
    // Windows a command opened beside this one are closed again.
    // Returns whether the command made a window (a modal one is closed by
    // then already).
    bool closeOthers(const QSet<QWidget*>& before)
    {
        bool any = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != w_ && !before.contains(top) && !qobject_cast<QMenu*>(top)) {
                top->close();
                any = true;
            }
        return any;
    }

    QWidget* w_;
    QSet<QString> faults_;
    QSet<QAbstractButton*> openers_;
    int presses_ = 0;
};

struct Scene {
    const char* program;
    const char* name;
    std::function<QWidget*()> make;
};

template <class T>
Scene window(const char* program, const char* name)
{
    return {program, name, [] { return static_cast<QWidget*>(new T); }};
}

void expectAlive(const Scene& s)
{
    SCOPED_TRACE(s.name);
    platform::setAppInfo({QString::fromLatin1(s.program), QString::fromLatin1(s.program) + QLatin1Char('5'), 5, 0, 0});
    testkit::MsgBoxScript msgs;
    testkit::FileDialogScript dialogs;
    testkit::PrintDialogScript printing{QString()};
    testkit::DesktopScript desktop(false);
    shell::Resize::ForgetRecords();
    QPointer<QWidget> w(s.make());
    ASSERT_NE(w, nullptr);
    w->show();
    testkit::settle();
    // A window that a command opens modal is closed again at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&w] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != w) {
            modal->close();
            ++modalsClosed;
        }
    });
    closer.start(5);
    Driver d(w);
    d.everyMode();
    EXPECT_TRUE(d.faults().isEmpty()) << d.faults().size() << " errors left a command of " << s.name << ":\n  "
                                      << d.faults().join(QStringLiteral("\n  ")).toStdString();
    EXPECT_GT(d.presses(), 0) << s.name << " has no command";
    EXPECT_FALSE(w.isNull()) << s.name << " closed";
    testkit::MsgBoxScript closing({platform::MsgResult::No});
    if (w)
        w->close();
    testkit::settle();
    delete w.data();
}

} // namespace

TEST(ExtremeNumbers, MainWindowsInEveryTabAndMode)
{
    expectAlive(window<tarvoss::frmMain>("Tarvoss", "Tarvoss frmMain"));
    expectAlive(window<quellin::frmMain>("Quellin", "Quellin frmMain"));
    expectAlive(window<morvane::frmMain>("Morvane", "Morvane frmMain"));
}

TEST(ExtremeNumbers, CalculatorWindows)
{
    const Scene scenes[] = {
        window<calculators::frmConf>("Tarvoss", "frmConf"),
        window<calculators::frmChiSq>("Tarvoss", "frmChiSq"),
        window<calculators::frmMultipleR>("Tarvoss", "frmMultipleR"),
        window<calculators::frmHierarchicalR>("Tarvoss", "frmHierarchicalR"),
        window<calculators::frmZDifferences>("Tarvoss", "frmZDifferences"),
        window<calculators::frmSignificance>("Tarvoss", "frmSignificance"),
        window<calculators::frmDiffBetweenRs>("Tarvoss", "frmDiffBetweenRs"),
        window<calculators::frmDiffBetRsDependent>("Tarvoss", "frmDiffBetRsDependent"),
        window<calculators::frmDiffBetGs>("Tarvoss", "frmDiffBetGs"),
        window<calculators::frmWithinES>("Tarvoss", "frmWithinES"),
        window<calculators::frmSDEstimate>("Tarvoss", "frmSDEstimate"),
        window<calculators::frmESInteract>("Tarvoss", "frmESInteract"),
        window<calculators::frmCounterNull>("Tarvoss", "frmCounterNull"),
        window<calculators::frmDtoOR>("Tarvoss", "frmDtoOR"),
        window<calculators::frmORtoD>("Tarvoss", "frmORtoD"),
        window<quellin::frmORToD>("Quellin", "Quellin frmORToD"),
    };
    for (const Scene& s : scenes)
        expectAlive(s);
}

TEST(ExtremeNumbers, SimpleCalculator)
{
    for (const char* program : {"Tarvoss", "Quellin", "Morvane"})
        expectAlive(window<shell::frmSCalc>(program, "frmSCalc"));
}

TEST(ExtremeNumbers, DatabaseWindowsWithADatabaseOpen)
{
    platform::setAppInfo({QStringLiteral("Tarvoss"), QStringLiteral("Tarvoss5"), 5, 0, 0});
    QTemporaryDir dir;
    testkit::MsgBoxScript msgs;
    metadb::frmMetData* db = metadb::showMetData();
    testkit::settle();
    {
        testkit::FileDialogScript dialogs({dir.filePath(QStringLiteral("extremes.met"))});
        testkit::find<QPushButton>(db, QStringLiteral("cmdNewDB"))->click();
    }
    testkit::settle();
    expectAlive({"Tarvoss", "frmMetData", [db] { return static_cast<QWidget*>(db); }});
}
