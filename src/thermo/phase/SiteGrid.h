#pragma once
// The values a site fraction is sampled at, shared by the binary and the ternary
// equilibria: uniform steps, plus geometric runs towards both ends (solubilities
// near a pure end are small, so the samples get dense there).
#include <algorithm>
#include <cmath>
#include <vector>

namespace korvel::thermo::phase {

// 0, 1/uniform, ..., 1, plus perEnd values from `smallest` up to 1/uniform at
// each end, sorted and without repeats.
inline std::vector<double> siteGrid(int uniform, int perEnd, double smallest)
{
    std::vector<double> ys;
    for (int i = 0; i <= uniform; ++i)
        ys.push_back(static_cast<double>(i) / uniform);
    const double largest = 1.0 / uniform;
    for (int i = 0; i < perEnd; ++i) {
        const double y = smallest * std::pow(largest / smallest, static_cast<double>(i) / perEnd);
        ys.push_back(y);
        ys.push_back(1 - y);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    return ys;
}

} // namespace korvel::thermo::phase
