// Placeholder until the fail-safe window is built.
#include "metastats/MetaAnalysis.h"

namespace metastats {
void showFailSafe(QWidget*) {}
} // namespace metastats
