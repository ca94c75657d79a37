#pragma once
// Reading a simulated board's groups through the item model, for the item
// model's tests.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SimulatedBoard.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace itemtest {

// A board from `text` that this process's item library uses while the
// object lives.
struct BoardInUse {
    explicit BoardInUse(const std::string& text) : board(zxtest::SimulatedBoard::FromText(text))
    {
        board.UseInThisProcess();
    }
    zxtest::SimulatedBoard board;
};

// A board whose file is missing: every library call fails.
struct NoBoardInUse : BoardInUse {
    NoBoardInUse() : BoardInUse("") { DeleteFileA(board.BoardPath().c_str()); }
};

using ItemPointer = std::unique_ptr<BiosItemA>;

// Every item CreateItem gives for `group`, in walk order.
inline std::vector<ItemPointer> CreateGroupItems(int group)
{
    std::vector<ItemPointer> items;
    GroupInfoTraverser walker;
    if (!walker.Open(group))
        return items;
    for (; !walker.IsEnd(); walker.Next()) {
        if (BiosItemA* item = walker.CreateItem())
            items.emplace_back(item);
    }
    return items;
}

// The same items by id.
inline std::map<DWORD, ItemPointer> CreateGroupItemsById(int group)
{
    std::map<DWORD, ItemPointer> byId;
    for (ItemPointer& item : CreateGroupItems(group)) {
        const DWORD id = item->GetId();
        byId[id] = std::move(item);
    }
    return byId;
}

}  // namespace itemtest
