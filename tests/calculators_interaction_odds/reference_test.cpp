// Every case of reference.tsv (made with R; make_reference.R says how), first
// through the computations, then typed into the windows and read back.
#include "Harness.h"
#include "calculators/InteractionEffectSize.h"
#include "calculators/OddsRatioConversion.h"
#include "calculators/frmDtoOR.h"
#include "calculators/frmESInteract.h"
#include "calculators/frmORtoD.h"

#include <QFile>
#include <QMap>
#include <QTextStream>

using namespace calculators;
using namespace calc4test;

namespace {

using Boxes = QMap<QString, QString>;

struct Case {
    QString window;
    Boxes in;
    Boxes expected;
};

Boxes parse(const QString& column)
{
    Boxes m;
    for (const QString& item : column.split(QStringLiteral(" | "))) {
        const int eq = item.indexOf(QLatin1Char('='));
        QString value = item.mid(eq + 1);
        value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        m.insert(item.left(eq), value);
    }
    return m;
}

QList<Case> loadCases()
{
    QList<Case> cases;
    QFile f(QStringLiteral(SUITE_TEST_DIR "/reference.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream ts(&f);
    while (!ts.atEnd()) {
        const QString line = ts.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        EXPECT_EQ(cols.size(), 3) << line.toStdString();
        if (cols.size() == 3)
            cases.push_back({cols[0], parse(cols[1]), parse(cols[2])});
    }
    return cases;
}

Outcome compute(const Case& c)
{
    const Boxes& in = c.in;
    if (c.window == QLatin1String("frmESInteract")) {
        InteractionInputs i;
        i.exMean1 = in["txtEXMean1"];
        i.exSD1 = in["txtEXSD1"];
        i.exMean2 = in["txtEXMean2"];
        i.exSD2 = in["txtEXSD2"];
        i.exN = in["txtExN"];
        i.ctrlMean1 = in["txtCtrlMean1"];
        i.ctrlSD1 = in["txtCtrlSD1"];
        i.ctrlMean2 = in["txtCtrlMean2"];
        i.ctrlSD2 = in["txtCtrlSD2"];
        i.ctrlN = in["txtCtrlN"];
        return computeInteraction(i);
    }
    const OddsInputs o{in["txtOR"], in["txtORMinus95"], in["txtORPlus95"], in["chk"] == QLatin1String("1")};
    return c.window == QLatin1String("frmDtoOR") ? dToOddsRatio(o) : oddsRatioToD(o);
}

QWidget* openWindow(const QString& name)
{
    if (name == QLatin1String("frmESInteract"))
        return showESInteract();
    if (name == QLatin1String("frmDtoOR"))
        return showDtoOR();
    return showORtoD();
}

} // namespace

TEST(Reference, ComputationsAgreeWithRToEveryDigit)
{
    const QList<Case> cases = loadCases();
    EXPECT_GE(cases.size(), 25);
    for (const Case& c : cases) {
        const Outcome out = compute(c);
        EXPECT_TRUE(out.message.isEmpty()) << s(out.message);
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(s(out.text(it.key(), QString())), s(it.value()))
                << s(c.window) << " " << s(it.key()) << " for " << s(c.in.values().join(QLatin1Char(' ')));
    }
}

TEST(Reference, WindowsShowTheSameWhenTyped)
{
    testkit::MsgBoxScript messages;
    for (const Case& c : loadCases()) {
        QWidget* w = openWindow(c.window);
        const bool odds = c.window != QLatin1String("frmESInteract");
        if (odds)
            setTicked(w, true);   // the limit boxes take typing only while ticked
        for (auto it = c.in.begin(); it != c.in.end(); ++it)
            if (it.key() != QLatin1String("chk"))
                enter(w, it.key().toLatin1().constData(), it.value());
        if (odds) {
            setTicked(w, c.in["chk"] == QLatin1String("1"));
            press(w, "cmdDoIt");
        } else {
            press(w, "cmdES");
        }
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(s(box(w, it.key().toLatin1().constData())), s(it.value()))
                << s(c.window) << " " << s(it.key()) << " for " << s(c.in.values().join(QLatin1Char(' ')));
        closeWindow(w);
    }
    EXPECT_EQ(messages.count(), 0) << s(messages.texts().join(QLatin1Char('|')));
}
