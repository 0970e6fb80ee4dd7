#include "meandiff/KeyFilters.h"

namespace meandiff {

int NumericCharsOnly(QWidget*, int Key) { return Key; }
int DecimalCharsOnly(QWidget*, int Key) { return Key; }
int DigitsOnly(int Key) { return Key; }
void installKeyFilter(QWidget*, KeyFilter) {}

} // namespace meandiff
