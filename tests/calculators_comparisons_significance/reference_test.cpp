// Every case of reference.tsv (made with R; make_reference.R says how), first
// through the computations, then typed into the windows and read back from
// their boxes.
#include "CalcHarness.h"
#include "calculators/CorrelationComparison.h"
#include "calculators/GComparison.h"
#include "calculators/PValueComparison.h"
#include "calculators/Significance.h"
#include "calculators/frmDiffBetGs.h"
#include "calculators/frmDiffBetRsDependent.h"
#include "calculators/frmDiffBetweenRs.h"
#include "calculators/frmSignificance.h"
#include "calculators/frmZDifferences.h"

#include <QCheckBox>
#include <QFile>
#include <QMap>
#include <QTextStream>

using namespace calculators;
using calctest::box;
using calctest::enter;

namespace {

struct Case {
    QString calc;
    QStringList in;          // eight inputs, unused ones empty
    QMap<QString, QString> expected;   // box -> text
    QString messageKey;      // set for a refused input
};

QList<Case> loadCases()
{
    QList<Case> cases;
    QFile f(QStringLiteral(SUITE_TEST_DIR "/reference.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream s(&f);
    while (!s.atEnd()) {
        const QString line = s.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        EXPECT_EQ(cols.size(), 10) << line.toStdString();
        if (cols.size() != 10)
            continue;
        Case c;
        c.calc = cols[0];
        c.in = cols.mid(1, 8);
        for (const QString& item : cols[9].split(QStringLiteral(" | "))) {
            const int eq = item.indexOf(QLatin1Char('='));
            const QString key = item.left(eq);
            QString value = item.mid(eq + 1);
            value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            if (key == QLatin1String("msg"))
                c.messageKey = value;
            else
                c.expected.insert(key, value);
        }
        cases.push_back(c);
    }
    return cases;
}

QString message(const QString& key)
{
    static const QMap<QString, QString> m = {
        {QStringLiteral("EnterP"), QString::fromLatin1(zdiffmsg::EnterP)},
        {QStringLiteral("CorrelationRange"), QString::fromLatin1(rdiffmsg::CorrelationRange)},
        {QStringLiteral("ThreeSubjectsEach"), QString::fromLatin1(rdiffmsg::ThreeSubjectsEach)},
        {QStringLiteral("ThreeSubjects"), QString::fromLatin1(rdiffmsg::ThreeSubjects)},
        {QStringLiteral("RBelowOne"), QString::fromLatin1(sigmsg::RBelowOne)},
        {QStringLiteral("NoWeight"), QString::fromLatin1(gdiffmsg::NoWeight)},
    };
    EXPECT_TRUE(m.contains(key)) << key.toStdString();
    return m.value(key);
}

Outcome compute(const Case& c)
{
    const QStringList& v = c.in;
    if (c.calc == QLatin1String("zdiff"))
        return compareTwoPValues(v[0], v[1], v[2] == QLatin1String("1"));
    if (c.calc == QLatin1String("rind"))
        return compareIndependentRs(v[0], v[1], v[2], v[3]);
    if (c.calc == QLatin1String("rdep"))
        return compareDependentRs(v[0], v[1], v[2], v[3]);
    if (c.calc == QLatin1String("sigT"))
        return significanceOfT(v[0], v[1]);
    if (c.calc == QLatin1String("sigZ"))
        return significanceOfZ(v[0]);
    if (c.calc == QLatin1String("sigR"))
        return significanceOfR(v[0], v[1]);
    if (c.calc == QLatin1String("sigChi"))
        return significanceOfChi(v[0], v[1]);
    return compareTwoGs({v[0], v[1], v[2], v[3]}, {v[4], v[5], v[6], v[7]});
}

std::string describe(const Case& c) { return (c.calc + QLatin1Char(' ') + c.in.join(QLatin1Char(' '))).toStdString(); }

} // namespace

TEST(CalculatorReference, ComputationsAgreeWithR)
{
    const QList<Case> cases = loadCases();
    ASSERT_GT(cases.size(), 90);
    for (const Case& c : cases) {
        const Outcome out = compute(c);
        if (!c.messageKey.isEmpty()) {
            EXPECT_EQ(out.message.toStdString(), message(c.messageKey).toStdString()) << describe(c);
            continue;
        }
        EXPECT_TRUE(out.message.isEmpty()) << describe(c) << ": " << out.message.toStdString();
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(out.text(it.key()).toStdString(), it.value().toStdString()) << describe(c) << " box " << it.key().toStdString();
    }
}

// Types a case into its window as a person would, presses the button and
// returns the window; the window is left open.
QWidget* runInWindow(const Case& c)
{
    const QStringList& v = c.in;
    if (c.calc == QLatin1String("zdiff")) {
        auto* w = showZDifferences();
        enter(w, "txtP1", v[0]);
        enter(w, "txtP2", v[1]);
        auto* chk = testkit::find<QCheckBox>(w, QStringLiteral("chkNegative"));
        if (chk->isChecked() != (v[2] == QLatin1String("1")))
            testkit::click(chk);
        testkit::click(testkit::find(w, QStringLiteral("cmdCompute")));
        return w;
    }
    if (c.calc == QLatin1String("rind") || c.calc == QLatin1String("rdep")) {
        QWidget* w = c.calc == QLatin1String("rind") ? static_cast<QWidget*>(showDiffBetweenRs())
                                                     : static_cast<QWidget*>(showDiffBetRsDependent());
        const char* const names[] = {"txtR1", "txtN1r", "txtR2", "txtN2r"};
        const char* const dep[] = {"txtR1", "txtR2", "txtR3", "txtN1r"};
        for (int i = 0; i < 4; ++i)
            enter(w, c.calc == QLatin1String("rind") ? names[i] : dep[i], v[i]);
        testkit::click(testkit::find(w, QStringLiteral("cmdDoIt")));
        return w;
    }
    if (c.calc.startsWith(QLatin1String("sig"))) {
        auto* w = showSignificance();
        const QString row = c.calc.mid(3);
        const QMap<QString, QStringList> boxes = {{QStringLiteral("T"), {"txtT", "txtTDF"}},
                                                  {QStringLiteral("Z"), {"txtZStat"}},
                                                  {QStringLiteral("R"), {"txtR", "txtRN"}},
                                                  {QStringLiteral("Chi"), {"txtChi", "txtChiDF"}}};
        const QStringList names = boxes.value(row);
        for (int i = 0; i < names.size(); ++i)
            testkit::retype(testkit::find(w, names[i]), v[i]);
        testkit::click(testkit::find(w, QStringLiteral("cmd") + row));
        return w;
    }
    auto* w = showDiffBetGs();
    const char* const names[] = {"txtGA", "txtN1GA", "txtN2GA", "txtTA", "txtGB", "txtN1GB", "txtN2GB", "txtTB"};
    for (int i = 0; i < 8; ++i)
        enter(w, names[i], v[i]);
    testkit::click(testkit::find(w, QStringLiteral("cmdDoIt")));
    return w;
}

TEST(CalculatorReference, WindowsShowWhatRGives)
{
    QList<QWidget*> opened;
    for (const Case& c : loadCases()) {
        testkit::MsgBoxScript msgs;
        QWidget* w = runInWindow(c);
        if (!opened.contains(w))
            opened.push_back(w);
        if (!c.messageKey.isEmpty()) {
            ASSERT_EQ(msgs.count(), 1) << describe(c);
            EXPECT_EQ(msgs.texts().first().toStdString(), message(c.messageKey).toStdString()) << describe(c);
            EXPECT_EQ(msgs.shown().first().icon, platform::MsgIcon::None);
            EXPECT_EQ(msgs.shown().first().buttons, platform::MsgButtons::OK);
            continue;
        }
        EXPECT_EQ(msgs.count(), 0) << describe(c) << ": " << msgs.texts().join(QLatin1Char('/')).toStdString();
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(testkit::text(w, it.key()).toStdString(), it.value().toStdString()) << describe(c) << " box " << it.key().toStdString();
    }
    for (QWidget* w : opened)
        calctest::closeWindow(w);
}
