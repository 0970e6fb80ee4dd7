// The summary panel: every box a run writes, the measure box, the three
// commands, and a layout whose controls fit the panel without overlapping.
#include "metastats/MetaAnalysis.h"
#include "metastats/MetaRun.h"
#include "testkit/QtTestKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST(MetaPanel, HoldsEveryBoxAndCommand)
{
    QWidget picMeta;
    picMeta.resize(13125 / 15, 5745 / 15);
    metastats::buildMetaPanel(&picMeta);

    QStringList names;
    for (const auto& c : metastats::summaryColumns())
        names << QLatin1String(c.box);
    names << QStringLiteral("txtCountDStudies") << QStringLiteral("txtCountGStudies");
    for (const char* n :
         {"txtSDCohen", "txtDNeg95Summary", "txtDPlus95Summary", "txtMeanDSummary", "txtMeanDStatSummary",
          "txtSDHedges", "txtGNeg95Summary", "txtGPlus95Summary", "txtMeanGSummary", "txtMeanGStatSummary",
          "txtTotalNStatSummary", "txtWeightedD", "txtWeightedSDD", "txtWeightedMinus95D", "txtWeightedPlus95D",
          "txtTotalND", "txtStudiesD", "txtSumD", "txtWeightedG", "txtWeightedSDG", "txtWeightedMinus95G",
          "txtWeightedPlus95G", "txtTotalNG", "txtStudiesG", "txtSumG", "txtNFSRosen", "txtNFSRosenG", "txtFSN",
          "txtDc2", "txtDc5", "txtDc8", "txtGc2", "txtGc5", "txtGc8"})
        names << QLatin1String(n);
    for (const QString& n : names) {
        QLineEdit* box = testkit::find<QLineEdit>(&picMeta, n);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->text().isEmpty()) << n.toStdString();
    }
    EXPECT_EQ(picMeta.findChildren<QLineEdit*>().size(), names.size() + 1);

    // The measure box: red text, any key.
    QLineEdit* measure = testkit::find<QLineEdit>(&picMeta, QStringLiteral("txtMeasure"));
    EXPECT_EQ(measure->palette().color(QPalette::Text), QColor(Qt::red));
    testkit::type(measure, QStringLiteral("Beck's II -1.5"));
    EXPECT_EQ(measure->text(), QStringLiteral("Beck's II -1.5"));
    EXPECT_TRUE(testkit::find<QLabel>(&picMeta, QStringLiteral("lblMeasure"))
                    ->text()
                    .contains(QStringLiteral("type it EXACTLY as it appears in the database:")));

    const std::pair<const char*, const char*> buttons[] = {{"cmdRecalculate", "Recalc&ulate"},
                                                           {"cmdFailSafe", "&FailSafe N Stats"},
                                                           {"cmdHeterogeneity", "&Heterogeneity"}};
    for (const auto& [name, caption] : buttons) {
        QPushButton* b = testkit::find<QPushButton>(&picMeta, QLatin1String(name));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QLatin1String(caption));
        EXPECT_EQ(b->palette().color(QPalette::Button), QColor(Qt::white));
    }

    // Boxes, buttons and captions inside the panel, none on another.
    QList<QWidget*> controls;
    for (QWidget* w : picMeta.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        controls << w;
    for (int i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(picMeta.rect().contains(controls[i]->geometry())) << controls[i]->objectName().toStdString();
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString()
                << " " << testkit::text(controls[i]).toStdString() << " / " << testkit::text(controls[j]).toStdString();
    }
}
