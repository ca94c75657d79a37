#pragma once
// What one pass of the decision thread writes, from the activity snapshot:
// a processor whose counter stayed at 5 or below was busy. With n busy
// processors every core first gets the default ratio and each busy one then
// its entry of row n; with none, every core gets row 0.

#include <utility>
#include <vector>

// (P + 1) rows of P ratios; row r, column c.
using RatioTable = std::vector<std::vector<int>>;
constexpr int kBusyActivity = 5;

// The (core, ratio) writes of one pass, in order.
std::vector<std::pair<int, int>> DecideRatios(const std::vector<long>& snapshot, const RatioTable& table,
                                              int defaultRatio);
