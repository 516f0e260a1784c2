#include "grouped/row_ordering.h"

#include <cmath>

namespace dxf2csv {
namespace {

// Whole numbers up to 2^53 are exact as doubles and as 64-bit integers alike; integers make
// the passes' chain of dependent comparisons shorter. Beyond that (and beyond 64 bits, where a
// conversion would be undefined) the passes run on the doubles.
constexpr double kExactLimit = 9007199254740992.0;

bool allExact(const std::vector<double>& values) {
    for (const double v : values)
        if (!(std::fabs(v) <= kExactLimit)) return false;
    return true;
}

template <class Number>
void copyAs(const std::vector<double>& from, std::vector<Number>& to) {
    to.resize(from.size());
    for (std::size_t k = 0; k < from.size(); ++k) to[k] = static_cast<Number>(from[k]);
}

template <class Number>
void copyBack(const std::vector<Number>& from, std::vector<double>& to) {
    for (std::size_t k = 0; k < from.size(); ++k) to[k] = static_cast<double>(from[k]);
}

/// Pass 1 on slot values: with Y(i) < Y(j) the first test is Y(j) - Y(i) > t (t may be
/// negative). Without branches: which way a comparison goes is data, not a pattern.
template <class Number>
void passOne(std::vector<int>& order, std::vector<Number>& y, Number t) {
    const std::size_t n = order.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        Number yi = y[i];
        int mi = order[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            const Number yj = y[j];
            const int mj = order[j];
            const bool exchange = (yi < yj) & (yj - yi > t);
            y[j] = exchange ? yi : yj;
            order[j] = exchange ? mi : mj;
            yi = exchange ? yj : yi;
            mi = exchange ? mj : mi;
        }
        y[i] = yi;
        order[i] = mi;
    }
}

/// Pass 2 on slot values.
template <class Number>
void passTwo(std::vector<int>& order, std::vector<Number>& x, std::vector<Number>& y, Number t) {
    const std::size_t n = order.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        Number xi = x[i];
        Number yi = y[i];
        int mi = order[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            const Number xj = x[j];
            const Number yj = y[j];
            const int mj = order[j];
            const Number dy = yi - yj;
            const bool exchange = (xi > xj) & (dy < t) & (dy > -t);
            x[j] = exchange ? xi : xj;
            y[j] = exchange ? yi : yj;
            order[j] = exchange ? mi : mj;
            xi = exchange ? xj : xi;
            yi = exchange ? yj : yi;
            mi = exchange ? mj : mi;
        }
        x[i] = xi;
        y[i] = yi;
        order[i] = mi;
    }
}

} // namespace

void RowOrdering::topToBottom(std::span<const double> y, double tolerance) {
    const std::size_t n = y.size();
    order_.resize(n);
    for (std::size_t m = 0; m < n; ++m) order_[m] = static_cast<int>(m);
    y_.assign(y.begin(), y.end());
    // The tolerance is a 16-bit whole number, exact in both forms.
    if (allExact(y_)) {
        copyAs(y_, wholeY_);
        passOne(order_, wholeY_, static_cast<std::int64_t>(tolerance));
        copyBack(wholeY_, y_);
    } else {
        passOne(order_, y_, tolerance);
    }
}

void RowOrdering::leftToRight(std::span<const double> x, double tolerance) {
    x_.assign(x.begin(), x.end());
    if (allExact(x_) && allExact(y_)) {
        copyAs(x_, wholeX_);
        copyAs(y_, wholeY_);
        passTwo(order_, wholeX_, wholeY_, static_cast<std::int64_t>(tolerance));
        copyBack(wholeY_, y_);
    } else {
        passTwo(order_, x_, y_, tolerance);
    }
}

} // namespace dxf2csv
