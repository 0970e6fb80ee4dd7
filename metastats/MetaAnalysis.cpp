// Placeholder until the meta-analysis run is built.
#include "metastats/MetaAnalysis.h"

namespace metastats {
void buildMetaPanel(QWidget*) {}
void MetaAnalyse(MetaContext&) {}
} // namespace metastats
