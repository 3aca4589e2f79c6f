#pragma once

#include <algorithm>
#include <vector>

// The median of a measurement's runs (the upper one of an even count):
// what the benchmarks report, as one slow run of a busy machine does not
// move it.
inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
