#pragma once
// The component palette pages of the skinned controls: plain controls on
// one, captioned ones on the other.

constexpr const char* kKyPalettePage = "KyComponents";
constexpr const char* kKyPalettePageTx = "KyComponentsTx";
