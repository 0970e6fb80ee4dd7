// A study database made by another tool, its Include column declared
// otherwise than this program declares it (TEXT, as a CSV import makes it,
// INTEGER, DOUBLE or no type at all) and holding yes/no values in every form
// other tools store them: the grid, the run's counts, its study lists and
// the Z scores it writes all take Include by the one rule.
#include "MetDataTestSupport.h"
#include "metadb/PrintDG.h"
#include "metadb/StudyTable.h"
#include "testkit/StoredTruthForms.h"

#include <algorithm>

using namespace metdatatest;

namespace {

QString formName(int form) { return QStringLiteral("Form %1 study").arg(form, 2, 10, QLatin1Char('0')); }

// A study database whose Include is declared `declaration`, one study per
// stored form, each with an effect size of its own.
void makeOtherToolsFile(const QString& file, const char* declaration)
{
    platform::Connection c;
    c.create(file);
    const QString own = QStringLiteral("\"Include\" BOOLEAN NOT NULL DEFAULT -1");
    for (QString sql : metadb::studyTableDdl()) {
        sql.replace(own, QStringLiteral("\"Include\" %1").arg(QLatin1String(declaration)));
        c.execute(sql);
    }
    int form = 0;
    for (const testkit::StoredTruthForm& f : testkit::kStoredTruthForms) {
        ++form;
        const double d = 0.1 + 0.02 * form;
        c.execute(QStringLiteral("INSERT INTO data (\"Study Name\", \"Year of Study\", \"Include\", \"Cohen's D\", "
                                 "\"Hedges' G\", \"Total N\", \"Used SD\") VALUES ('%1', '2000', %2, %3, %3, %4, 1)")
                      .arg(formName(form), QLatin1String(f.literal))
                      .arg(d)
                      .arg(20 + form));
    }
}

} // namespace

TEST_F(MetDataTest, IncludeIsReadByOneRuleWhateverItsDeclaredType)
{
    openWindow();
    for (const char* declaration : testkit::kYesNoDeclarations) {
        SCOPED_TRACE(declaration);
        const QString file = dir.filePath(QStringLiteral("include %1.met").arg(QLatin1String(declaration)));
        makeOtherToolsFile(file, declaration);
        openThroughWindow(file);
        const int forms = int(std::size(testkit::kStoredTruthForms));
        ASSERT_EQ(gridRows(), forms);
        const auto expected = [declaration](int form) {
            const testkit::StoredTruthForm& f = testkit::kStoredTruthForms[form - 1];
            return testkit::isTextDeclaration(declaration) ? f.truthAsText : f.truth;
        };
        const auto isNull = [](int form) {
            return QLatin1String(testkit::kStoredTruthForms[form - 1].literal) == QLatin1String("NULL");
        };
        int included = 0;
        for (int form = 1; form <= forms; ++form)
            included += expected(form) ? 1 : 0;

        // The grid, in the order of the study names.
        for (int row = 0; row < forms; ++row) {
            const int form = row + 1;
            SCOPED_TRACE(testkit::kStoredTruthForms[row].literal);
            ASSERT_EQ(cell(row, column("Study Name")), formName(form));
            EXPECT_EQ(cell(row, column("Include")),
                      isNull(form) ? QString() : expected(form) ? QStringLiteral("YES") : QStringLiteral("NO"));
            // What the grid's printout shows.
            EXPECT_EQ(metadb::PrintDG::cellText(w->StudyRecordset()->valueAt(row, column("Include"))),
                      isNull(form) ? QString() : expected(form) ? QStringLiteral("True") : QStringLiteral("False"));
        }

        {
            testkit::MsgBoxScript msgs;
            click("cmdSummary");
            ASSERT_EQ(msgs.count(), 0) << msgs.texts().join(QStringLiteral(" | ")).toStdString();
        }
        // The summary query's counts.
        EXPECT_EQ(testkit::text(w, QStringLiteral("txtDStat")), QString::number(included));
        EXPECT_EQ(testkit::text(w, QStringLiteral("txtNStat")), QString::number(included));
        // The steps: the lists of the report and the Z scores in the file.
        const QString report = testkit::text(w, QStringLiteral("txtResults"));
        EXPECT_TRUE(report.contains(QStringLiteral("Mean Cohen's d Based On %1 Studies:").arg(included)));
        const QList<QVariantList> stored = query(
            file, QStringLiteral("SELECT \"Z Score Of d\", \"% Of Weight (d)\" FROM data ORDER BY \"Study Name\""));
        ASSERT_EQ(stored.size(), forms);
        for (int form = 1; form <= forms; ++form) {
            SCOPED_TRACE(testkit::kStoredTruthForms[form - 1].literal);
            EXPECT_EQ(report.count(formName(form)) > 0, expected(form));
            EXPECT_EQ(!stored[form - 1][0].isNull(), expected(form));
            EXPECT_EQ(!stored[form - 1][1].isNull(), expected(form));
        }

        // A header click sorts by the same yes/no: Null, then YES, then NO
        // (or the other way round).
        w->grdDataGrid_HeadClick(column("Include"));
        QStringList shown;
        for (int row = 0; row < forms; ++row)
            shown << cell(row, column("Include"));
        const auto rank = [](const QString& c) { return c.isEmpty() ? 0 : c == QLatin1String("YES") ? 1 : 2; };
        QStringList ascending = shown;
        std::stable_sort(ascending.begin(), ascending.end(),
                         [&](const QString& a, const QString& b) { return rank(a) < rank(b); });
        QStringList descending = shown;
        std::stable_sort(descending.begin(), descending.end(),
                         [&](const QString& a, const QString& b) { return rank(a) > rank(b); });
        EXPECT_TRUE(shown == ascending || shown == descending) << shown.join(QLatin1Char(',')).toStdString();
    }
}
