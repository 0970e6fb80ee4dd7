#pragma once
// The export chooser of the study database window and its two exports.

class QWidget;

namespace metadb {

// Shows the export chooser modal, owned by `owner`.
void showExport(QWidget* owner);

} // namespace metadb
