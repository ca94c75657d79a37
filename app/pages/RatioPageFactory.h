#pragma once
// Picks, builds and returns the ratio page for the board and the CPU:
//   the per-core turbo item and a CPU with the core-unlock feature
//       -> TurboBoostRatioAndKavrinLayout
//   the per-core turbo item            -> TurboBoostRatioLayout
//   up to four cores                   -> RatioLayout
//   more cores, a ratio per core       -> MultiRatioLotCoreLayout
//   more cores, one ratio for all      -> SingleRatioLotCoreLayout

class RatioLayout;

enum class RatioPageKind { kTurboAndKavrin, kTurbo, kPlain, kMultiCore, kSingleRatio };

// The page the board and the CPU call for.
RatioPageKind ChooseRatioPage();
RatioLayout* CreateRatioPage();
