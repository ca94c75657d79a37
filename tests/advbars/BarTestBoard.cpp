#include "BarTestBoard.h"

#include <windows.h>

#include <cstdio>

#include "tuning/KyOcPrimaryItemSet.h"

namespace bartest {

namespace {

std::string Section(unsigned id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", id);
    return text;
}

void AddNumberItem(zxtest::BoardFixture& board, unsigned id, const char* name, const char* count, const char* value)
{
    board.SetKey(Section(id), "name", name);
    board.SetKey(Section(id), "info", "0");
    board.SetKey(Section(id), "base", "100");
    board.SetKey(Section(id), "step", "1");
    board.SetKey(Section(id), "count", count);
    board.SetKey(Section(id), "value", value);
}

zxtest::BoardFixture* MakeBoard()
{
    auto* board = new zxtest::BoardFixture();
    AddNumberItem(*board, kSingleValueItemId, "Fixed Clock", "1", "0");
    AddNumberItem(*board, kEmptyItemId, "Empty Item", "0", "0");
    AddNumberItem(*board, kRatioUnitItemId, "Uncore Ratio", "40", "5");
    // 400.5, 400.8, 401.1, ... MHz: not whole numbers, to show the rounding.
    board->SetKey(Section(kGraphicsClockId), "base", "40050");
    board->SetKey(Section(kGraphicsClockId), "step", "30");
    for (const auto& entry : board->Environment())
        SetEnvironmentVariableA(entry.first.c_str(), entry.second.c_str());
    return board;
}

}  // namespace

zxtest::BoardFixture& TestBoard()
{
    static zxtest::BoardFixture* board = MakeBoard();  // kept for the life of the process
    return *board;
}

int SlotOf(unsigned id)
{
    TestBoard();
    const KyOcPrimaryItemSet& items = KyOcPrimaryItemSet::GetInstance();
    for (int slot = 0; slot < items.GetItemCount(); ++slot)
        if (items.GetItem(slot) != nullptr && items.GetItem(slot)->GetId() == id)
            return slot;
    return -1;
}

std::vector<std::string> Writes()
{
    return TestBoard().Writes();
}

int CallCount(const char* call, unsigned id)
{
    const std::string name = std::string(call) + " id=" + Section(id);
    int count = 0;
    for (const std::string& line : TestBoard().LogLines())
        if (line.find(name) != std::string::npos)
            ++count;
    return count;
}

void SetItemKey(unsigned id, const std::string& key, const std::string& value)
{
    TestBoard().SetKey(Section(id), key, value);
    TestBoard().Rewrite();
}

}  // namespace bartest
