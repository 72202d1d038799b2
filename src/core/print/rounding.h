// The rounding both print engines use for their line spacing.
#pragma once

namespace analysis {

/// numerator / denominator for positive values, rounded to the nearest integer with an exact
/// half going to the even neighbour. Whole-number arithmetic, so no binary fraction can tip a
/// half either way.
constexpr int divideRoundHalfEven(int numerator, int denominator) {
    int quotient = numerator / denominator;
    int twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

} // namespace analysis
