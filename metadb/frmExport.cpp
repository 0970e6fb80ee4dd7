// Placeholder until the exports are built.
#include "metadb/frmExport.h"

namespace metadb {
void showExport(QWidget*) {}
} // namespace metadb
