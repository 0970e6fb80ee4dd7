// Every case of reference.tsv (made with R; make_reference.R says how), first
// through the computations, then typed into the windows and read back.
#include "../calculators_comparisons_significance/CalcHarness.h"
#include "calculators/CounterNull.h"
#include "calculators/SDEstimate.h"
#include "calculators/WithinES.h"
#include "calculators/frmCounterNull.h"
#include "calculators/frmSDEstimate.h"
#include "calculators/frmWithinES.h"

#include <QCheckBox>
#include <QFile>
#include <QMap>

using namespace calculators;
using calctest::box;
using calctest::enter;

namespace {

struct Case {
    QString calc;
    QStringList in;                    // seven inputs, unused ones empty
    QMap<QString, QString> expected;   // box -> text
    QString messageKey;                // set for a refused input
};

// One case from a line of the table: the calculator, seven inputs and the
// expected texts.
Case parseCase(const QString& line)
{
    const QStringList cols = line.split(QLatin1Char('\t'));
    Case c;
    if (cols.size() != 9) {
        ADD_FAILURE() << "malformed line: " << line.toStdString();
        return c;
    }
    c.calc = cols.first();
    c.in = cols.mid(1, 7);
    const QStringList items = cols.last().split(QStringLiteral(" | "));
    for (const QString& item : items) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const QString value = item.section(QLatin1Char('='), 1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        if (key == QLatin1String("msg"))
            c.messageKey = value;
        else
            c.expected[key] = value;
    }
    return c;
}

QList<Case> loadCases()
{
    QFile f(QStringLiteral(SUITE_TEST_DIR "/reference.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QList<Case> cases;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.startsWith(QLatin1Char('#')))
            cases.push_back(parseCase(line));
    return cases;
}

QList<Case> casesOf(const char* calc)
{
    QList<Case> out;
    for (const Case& c : loadCases())
        if (c.calc == QLatin1String(calc))
            out.push_back(c);
    return out;
}

QString message(const Case& c)
{
    if (c.calc == QLatin1String("within"))
        return QString::fromLatin1(withinmsg::CorrelationRange);
    return QString::fromLatin1(counternullmsg::CorrelationRange);
}

std::string label(const Case& c) { return (c.calc + QLatin1Char(' ') + c.in.join(QLatin1Char(','))).toStdString(); }

// The outcome's texts and message against the case.
void check(const Case& c, const Outcome& out)
{
    if (!c.messageKey.isEmpty()) {
        EXPECT_EQ(out.message.toStdString(), message(c).toStdString()) << label(c);
        return;
    }
    EXPECT_TRUE(out.message.isEmpty()) << label(c) << ": " << out.message.toStdString();
    for (auto it = c.expected.cbegin(); it != c.expected.cend(); ++it)
        EXPECT_EQ(out.text(it.key()).toStdString(), it.value().toStdString()) << label(c) << " " << it.key().toStdString();
}

// The window's boxes against the case, with the message boxes it showed.
void checkWindow(const Case& c, QWidget* w, const testkit::MsgBoxScript& msgs)
{
    if (!c.messageKey.isEmpty()) {
        ASSERT_EQ(msgs.count(), 1) << label(c);
        EXPECT_EQ(msgs.texts().at(0).toStdString(), message(c).toStdString()) << label(c);
        return;
    }
    EXPECT_EQ(msgs.count(), 0) << label(c);
    for (auto it = c.expected.cbegin(); it != c.expected.cend(); ++it)
        EXPECT_EQ(box(w, it.key().toLatin1().constData()).toStdString(), it.value().toStdString())
            << label(c) << " " << it.key().toStdString();
}

} // namespace

TEST(Reference, WithinSubjectsD)
{
    const QList<Case> cases = casesOf("within");
    ASSERT_GE(cases.size(), 15);
    auto* w = showWithinES();
    auto* chk = testkit::find<QCheckBox>(w, QStringLiteral("chkConf"));
    for (const Case& c : cases) {
        check(c, withinEffectSize({c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5] == QLatin1String("1")}));
        enter(w, "txtR", c.in[0]);
        enter(w, "txtT", c.in[1]);
        enter(w, "txtN", c.in[2]);
        enter(w, "txtSD1", c.in[3]);
        enter(w, "txtSD2", c.in[4]);
        if (chk->isChecked() != (c.in[5] == QLatin1String("1")))
            testkit::click(chk);
        testkit::MsgBoxScript msgs;
        testkit::click(testkit::find(w, QStringLiteral("cmdDoIt")));
        checkWindow(c, w, msgs);
    }
    calctest::closeWindow(w);
}

TEST(Reference, StandardDeviationEstimates)
{
    const QList<Case> cases = casesOf("sd");
    ASSERT_GE(cases.size(), 15);
    auto* w = showSDEstimate();
    const char* boxes[] = {"Text1", "Text2", "Text12", "Text13", "Text9", "txtSE"};
    for (const Case& c : cases) {
        const auto method = static_cast<SDMethod>(c.in[0].toInt());
        check(c, estimateSD(method, {c.in[1], c.in[2], c.in[3], c.in[4], c.in[5], c.in[6]}));
        testkit::click(testkit::find(w, QStringLiteral("Op") + c.in[0]));
        const QStringList used = sdBoxesUsed(method);
        for (int i = 0; i < 6; ++i)
            if (used.contains(QString::fromLatin1(boxes[i])))
                enter(w, boxes[i], c.in[i + 1]);
        testkit::MsgBoxScript msgs;
        testkit::click(testkit::find(w, QStringLiteral("cmdCompute")));
        checkWindow(c, w, msgs);
    }
    calctest::closeWindow(w);
}

TEST(Reference, CounternullValues)
{
    const QList<Case> cases = casesOf("cn");
    ASSERT_GE(cases.size(), 15);
    auto* w = showCounterNull();
    for (const Case& c : cases) {
        const bool r = c.in[0] == QLatin1String("r");
        check(c, counterNull(r, c.in[1], c.in[2]));
        testkit::click(testkit::find(w, r ? QStringLiteral("OpR") : QStringLiteral("OpG")));
        enter(w, "txtES", c.in[1]);
        enter(w, "txtNull", c.in[2]);
        testkit::MsgBoxScript msgs;
        testkit::click(testkit::find(w, QStringLiteral("cmdCompute")));
        checkWindow(c, w, msgs);
    }
    calctest::closeWindow(w);
}
