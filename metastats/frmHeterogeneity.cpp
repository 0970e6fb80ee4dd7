// Placeholder until the heterogeneity window is built.
#include "metastats/MetaAnalysis.h"

namespace metastats {
void showHeterogeneity(QWidget*, const RosenthalResults&) {}
} // namespace metastats
