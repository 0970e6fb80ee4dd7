#pragma once
// The windows were designed in twips, 15 to a pixel. A design length becomes
// whole pixels with its fraction dropped, as every window has always been
// placed; stored window places are kept in twips as well.
namespace shell {

constexpr int TwipsPerPixel = 15;

// Whole pixels of a design length in twips (the fraction dropped).
constexpr int px(int twips) { return twips / TwipsPerPixel; }

} // namespace shell
