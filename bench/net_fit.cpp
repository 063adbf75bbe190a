#include "bench/net_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int maxColumns = 4;
using Row = std::array<double, maxColumns>;

// Solves a x = b for the leading `n` rows and columns by elimination with
// partial pivoting; false when a pivot vanishes next to the matrix's scale.
bool solve(std::array<Row, maxColumns> a, Row b, int n, Row& x) {
    double scale = 0.0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) scale = std::max(scale, std::fabs(a[r][c]));
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (std::fabs(a[pivot][c]) <= 1e-12 * scale) return false;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = c + 1; r < n; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < n; ++k) a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        double sum = b[r];
        for (int k = r + 1; k < n; ++k) sum -= a[r][k] * x[k];
        x[r] = sum / a[r][r];
    }
    return true;
}

}  // namespace

NetFit fitNetCost(const std::vector<NetSample>& samples) {
    NetFit fit;
    const bool helpers = std::any_of(samples.begin(), samples.end(),
                                     [](const NetSample& s) { return s.helpers != 0 || s.helpersOnly; });
    const int columns = helpers ? 4 : 2;
    const auto regressors = [](const NetSample& s) {
        return Row{1.0, double(s.tested), double(s.helpers), s.helpersOnly ? 1.0 : 0.0};
    };
    // At least one sample more than coefficients, so the residuals say
    // something about the line's straightness.
    if (static_cast<int>(samples.size()) <= columns) return fit;

    std::array<Row, maxColumns> normal{};
    Row moment{};
    for (const NetSample& s : samples) {
        const Row x = regressors(s);
        for (int r = 0; r < columns; ++r) {
            for (int c = 0; c < columns; ++c) normal[r][c] += x[r] * x[c];
            moment[r] += x[r] * s.msPerQuad;
        }
    }
    Row coefficients{};
    if (!solve(normal, moment, columns, coefficients)) return fit;
    fit.fixedMsPerQuad = coefficients[0];
    fit.msPerTested = coefficients[1];
    fit.msPerHelper = helpers ? coefficients[2] : 0.0;

    double mean = 0.0;
    for (const NetSample& s : samples) mean += s.msPerQuad / samples.size();
    double residualSquares = 0.0, totalSquares = 0.0;
    for (const NetSample& s : samples) {
        const Row x = regressors(s);
        double line = 0.0;
        for (int c = 0; c < columns; ++c) line += coefficients[c] * x[c];
        const double residual = s.msPerQuad - line;
        residualSquares += residual * residual;
        totalSquares += (s.msPerQuad - mean) * (s.msPerQuad - mean);
        // A time of zero or less, or no number, cannot be a measured time; it
        // makes any line untrustworthy.
        const bool measured = std::isfinite(s.msPerQuad) && s.msPerQuad > 0.0;
        const double relative = measured ? std::fabs(residual) / s.msPerQuad : HUGE_VAL;
        fit.maxRelativeResidual = std::max(fit.maxRelativeResidual, relative);
    }
    fit.r2 = totalSquares > 0.0 ? 1.0 - residualSquares / totalSquares : 0.0;
    if (!(fit.maxRelativeResidual <= maxTrustedResidual))
        fit.verdict = NetVerdict::bent;
    else if (!(fit.msPerTested > 0.0))
        fit.verdict = NetVerdict::notPositive;
    else
        fit.verdict = NetVerdict::trusted;
    return fit;
}
