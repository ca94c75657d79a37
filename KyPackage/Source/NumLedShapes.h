#pragma once
// Shape descriptions of the numeric LED's rectangular seven-segment style,
// one composite description per kind of position.

namespace vessa {

extern const int kDigitShapes[];
extern const int kPointShapes[];
extern const int kCaretShapes[];
extern const int kCelsiusShapes[];
extern const int kAmpersandShapes[];

}  // namespace vessa
