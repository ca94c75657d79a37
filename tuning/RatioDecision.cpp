#include "tuning/RatioDecision.h"

#include <cstddef>

std::vector<std::pair<int, int>> DecideRatios(const std::vector<long>& snapshot, const RatioTable& table,
                                              int defaultRatio)
{
    std::vector<std::pair<int, int>> writes;
    int processors = static_cast<int>(snapshot.size());
    std::vector<int> busy;
    for (int c = 0; c < processors; ++c) {
        if (snapshot[c] <= kBusyActivity)
            busy.push_back(c);
    }
    auto entry = [&](std::size_t row, int c) {
        return row < table.size() && c < static_cast<int>(table[row].size()) ? table[row][c] : 0;
    };
    if (busy.empty()) {
        for (int c = 0; c < processors; ++c)
            writes.emplace_back(c, entry(0, c));
        return writes;
    }
    for (int c = 0; c < processors; ++c)
        writes.emplace_back(c, defaultRatio);
    for (int c : busy)
        writes.emplace_back(c, entry(busy.size(), c));
    return writes;
}
