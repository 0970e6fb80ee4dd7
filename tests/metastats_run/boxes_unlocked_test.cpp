// The messages of a run wait for no lock: while any of its boxes is open,
// another user's edit of the file lands at once, and the boxes come in the
// order the steps give them.
#include "RunHarness.h"
#include "metastats/MetaRun.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QElapsedTimer>

using runharness::RunHarness;
using runharness::Study;

namespace {

Study study(const QString& name, const QString& include, const QString& d, const QString& g)
{
    return {{QStringLiteral("Study Name"), name},  {QStringLiteral("Year of Study"), QStringLiteral("2000")},
            {QStringLiteral("Include"), include},  {QStringLiteral("Cohen's D"), d},
            {QStringLiteral("Hedges' G"), g},      {QStringLiteral("Total N"), QStringLiteral("40")},
            {QStringLiteral("Used SD"), QStringLiteral("1")}};
}

// What became of another user's edit made while one box was open.
struct EditDuringBox {
    QString title;
    QString text;
    bool landed = false;
    qint64 ms = 0;
    QString refusal;
};

} // namespace

TEST(MetaRunBoxes, AnotherUsersEditLandsWhileEachBoxOfARunIsOpen)
{
    struct Case {
        const char* what;
        const char* include;
        const char* d[5];
        const char* g[5];
        QStringList boxes;   // titles, or the start of the text for a box titled with the program's title
    };
    const QString cohen = QStringLiteral("Cohen's D Error");
    const QString hedges = QStringLiteral("Hedges' G Error");
    const QString inconsistency = QStringLiteral("Cohen's d & Hedges' g Inconsistency");
    const QString codeGen = QStringLiteral("Code Gen Error");
    const QString dataError = QStringLiteral("Data error event hit err:");
    const Case cases[] = {
        {"no variance of d", "1", {"0.5", "0.5", "0.5", "0.5", "0.5"}, {"0.1", "0.2", "0.3", "0.4", "0.5"}, {cohen}},
        {"no variance of g", "1", {"0.1", "0.2", "0.3", "0.4", "0.5"}, {"0.4", "0.4", "0.4", "0.4", "0.4"}, {hedges}},
        {"S01 without g", "1", {"0.1", "0.2", "0.3", "0.4", "0.5"}, {"NULL", "0.2", "0.3", "0.4", "0.5"},
         {inconsistency}},
        {"a d of 1", "1", {"0.1", "0.2", "0.3", "0.4", "1"}, {"0.1", "0.2", "0.3", "0.4", "0.9"}, {codeGen}},
        {"every step's box", "1", {"1", "1", "1", "1", "1"}, {"NULL", "0.9", "0.9", "0.9", "0.9"},
         {cohen, hedges, inconsistency, codeGen}},
        {"the error path", "0", {"0.1", "0.2", "0.3", "0.4", "0.5"}, {"0.1", "0.2", "0.3", "0.4", "0.5"},
         {cohen, hedges, dataError, codeGen}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunHarness h;
        QList<Study> rows;
        for (int i = 0; i < 5; ++i)
            rows << study(QStringLiteral("S0%1").arg(i + 1), QLatin1String(c.include), QLatin1String(c.d[i]),
                          QLatin1String(c.g[i]));
        h.add(rows);
        h.open();
        // Another user, on a connection of the program's own kind: the same
        // wait for a brief lock.
        platform::Connection other;
        other.open(h.path);

        QList<EditDuringBox> edits;
        platform::setMsgHandler([&](const platform::MsgRequest& box) {
            EditDuringBox e;
            e.title = box.title;
            e.text = box.text;
            QElapsedTimer clock;
            clock.start();
            try {
                other.execute(QStringLiteral("UPDATE data SET \"SD 1\" = %1 WHERE \"Study Name\" = 'S03'")
                                  .arg(7.25 + edits.size()));
                e.landed = true;
            } catch (const platform::RuntimeError& refused) {
                e.refusal = refused.description();
            }
            e.ms = clock.elapsed();
            edits << e;
            return platform::MsgResult::OK;
        });
        h.run();
        platform::setMsgHandler({});

        ASSERT_EQ(edits.size(), c.boxes.size());
        for (int i = 0; i < edits.size(); ++i) {
            const EditDuringBox& e = edits[i];
            SCOPED_TRACE(e.title.toStdString() + ": " + e.text.left(60).toStdString());
            EXPECT_TRUE(e.title == c.boxes[i] || e.text.startsWith(c.boxes[i])) << c.boxes[i].toStdString();
            EXPECT_TRUE(e.landed) << e.refusal.toStdString() << " after " << e.ms << " ms";
        }
        EXPECT_EQ(h.stored(QStringLiteral("SD 1"), QStringLiteral("S03")),
                  platform::numText(7.25 + double(c.boxes.size()) - 1));
        EXPECT_FALSE(h.studies.inWrite());
    }
}
