#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers a user acts on, rounded so that the shown text keeps its promise: a lower bound shown
// no higher than the bound, an upper bound no lower. Rounded to nearest, a maximum of 2372.456 W
// would read 2372.46 W and a minimum of 0.0994 would read 0.1, both beyond the truth.
namespace views {

enum class Rounding { Nearest, Down, Up };

// x with at most `decimals` decimals (trailing zeros dropped, as every cell of the window),
// rounded in the given direction; infinities and NaN as the window writes them.
std::string BoundText(double x, int decimals, Rounding r);

// A plain decimal number as the window reads one: "." or "," as the decimal point, blanks
// around it allowed, nothing else; nullopt for anything else, the empty text included.
std::optional<double> ParseDecimal(std::string_view s);

}  // namespace views
