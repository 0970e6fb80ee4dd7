#pragma once
// The two layouts of Quellin's outcome table.

namespace quellin {

// 2 x 2 (improved / not improved) or 3 x 2 (improved / no change / deteriorated).
enum class OutcomeMode { Two, Three };

} // namespace quellin
