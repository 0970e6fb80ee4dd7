// A box of the meta-analysis open in the window while another user edits a
// study in the same file: the other user's edit lands at once.
#include "MetDataTestSupport.h"
#include "metadb/StudyTable.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

using namespace metdatatest;

namespace {

class MetDataRunBoxes : public MetDataTest {};

} // namespace

TEST_F(MetDataRunBoxes, AnotherUsersEditLandsWhileTheRunsBoxIsOpen)
{
    struct Case {
        const char* what;
        const char* d[5];
        const char* g[5];
        const char* title;
    };
    const Case cases[] = {
        {"S01 without g", {"0.1", "0.2", "0.3", "0.4", "0.5"}, {"NULL", "0.2", "0.3", "0.4", "0.5"},
         "Cohen's d & Hedges' g Inconsistency"},
        {"no variance of d", {"0.5", "0.5", "0.5", "0.5", "0.5"}, {"0.1", "0.2", "0.3", "0.4", "0.5"},
         "Cohen's D Error"},
    };
    int files = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path(QStringLiteral("boxes%1.met").arg(++files).toLatin1().constData());
        metadb::createStudyDatabase(file);
        platform::Connection other;
        other.open(file);
        other.execute(QStringLiteral("DELETE FROM data"));
        for (int i = 0; i < 5; ++i)
            other.execute(QStringLiteral("INSERT INTO data (\"Study Name\", \"Year of Study\", \"Include\", "
                                         "\"Cohen's D\", \"Hedges' G\", \"Total N\", \"Used SD\", \"SD 1\") "
                                         "VALUES ('S0%1', '2000', -1, %2, %3, 40, 1, 1)")
                              .arg(i + 1)
                              .arg(QLatin1String(c.d[i]), QLatin1String(c.g[i])));
        openWindow();
        openThroughWindow(file);

        QStringList titles;
        QStringList refusals;
        platform::setMsgHandler([&](const platform::MsgRequest& box) {
            titles << box.title;
            try {
                other.execute(QStringLiteral("UPDATE data SET \"SD 1\" = 7.25 WHERE \"Study Name\" = 'S03'"));
            } catch (const platform::RuntimeError& e) {
                refusals << e.description();
            }
            return platform::MsgResult::OK;
        });
        click("cmdSummary");
        platform::setMsgHandler({});

        EXPECT_EQ(titles, QStringList{QLatin1String(c.title)});
        EXPECT_TRUE(refusals.isEmpty()) << refusals.join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(query(file, QStringLiteral("SELECT \"SD 1\" FROM data WHERE \"Study Name\" = 'S03'"))[0][0].toDouble(),
                  7.25);
        // The run's results are in the file too.
        EXPECT_EQ(query(file, QStringLiteral("SELECT count(\"% Of Weight (d)\") FROM data"))[0][0].toInt(), 5);
        closeWindow();
    }
}
