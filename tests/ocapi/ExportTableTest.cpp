// The library's binary interface: 15 undecorated names at ordinals 1-15,
// each name and its ordinal reaching the same function.

#include <gtest/gtest.h>

#include <algorithm>

#include "ZxOcLibModule.h"

using ocapitest::ExpectedExports;
using ocapitest::ZxOcLibModule;

TEST(ZxOcLibExports, EveryExportResolvesByNameAndByOrdinalToOneFunction)
{
    ZxOcLibModule library;
    ASSERT_TRUE(library.IsLoaded()) << "ZxOcLib.dll did not load, error " << GetLastError();
    for (const auto& entry : ExpectedExports()) {
        FARPROC byName = library.ByName(entry.name);
        EXPECT_NE(byName, nullptr) << entry.name;
        EXPECT_EQ(library.ByOrdinal(entry.ordinal), byName) << entry.name << " at ordinal " << entry.ordinal;
    }
    EXPECT_EQ(library.ByOrdinal(16), nullptr);
}

TEST(ZxOcLibExports, ExportDirectoryHoldsExactlyTheFifteenNames)
{
    ZxOcLibModule library;
    ASSERT_TRUE(library.IsLoaded());
    auto found = library.ExportDirectory();
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    ASSERT_EQ(found.size(), ExpectedExports().size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, ExpectedExports()[i].name);
        EXPECT_EQ(found[i].second, ExpectedExports()[i].ordinal);
    }
}

TEST(ZxOcLibExports, ItemInfoRecordHasThePublishedLayout)
{
    // The header's own static checks hold for C++; this pins the record the
    // callers fill byte by byte.
    EXPECT_EQ(sizeof(ItemInfo), 52u);
    EXPECT_EQ(offsetof(ItemInfo, name), 0u);
    EXPECT_EQ(sizeof(ItemInfo{}.name), 32u);
    EXPECT_EQ(offsetof(ItemInfo, valueCount), 48u);
}
