#pragma once
// Numbers of a saved .xlsx workbook as they read back: the workbook library
// writes a number with 16 significant digits, so a double that needs 17
// (11.905222543052886 becomes 11.90522254305289) would come back as another
// double. This puts the shortest text that reads back as the same double in
// every number cell of the given worksheets.
#include <QString>
#include <vector>

namespace metadb {

// The shortest decimal text that reads back as `value` (finite).
QString shortestNumberText(double value);
// Whether the 16 significant digits the workbook library writes read back as
// `value`.
bool sixteenDigitsSuffice(double value);

// The numbers written into one worksheet, in the order they were written
// (row by row, column by column), and the sheet's number in the workbook
// (1 for the first).
struct SheetNumbers {
    int sheet = 0;
    std::vector<double> values;
};

// Rewrites the worksheets of the .xlsx file at `path` in place: the n-th
// number cell of a sheet gets the shortest text of its n-th value. Raises
// RuntimeError when the file is not as the library writes it.
void rewriteNumbers(const QString& path, const std::vector<SheetNumbers>& sheets);

} // namespace metadb
