// How the calculator writes a number back into a field: plain decimal text,
// never an exponent, never "-0".
#pragma once

#include <string>

namespace varostel {

// Whole numbers in full without a decimal point; fractions in positional
// notation with at most 15 significant digits and no trailing zeros (15.6,
// not 15.600000000000001). An infinity is written as the largest finite value of
// its sign and NaN as 0, so a field never receives text that is not a number.
[[nodiscard]] std::string number_text(double value);

}  // namespace varostel
