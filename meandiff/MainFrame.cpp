#include "meandiff/MainFrame.h"

namespace meandiff {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {}
MainFrame::~MainFrame() = default;

} // namespace meandiff
