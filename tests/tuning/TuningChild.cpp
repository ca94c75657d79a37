#include "TuningChild.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "tuning/ZxOcItemProfile.h"

namespace tuningtest {

ChildRun RunOnBoard(zxtest::BoardFixture& board, const char* child, const std::string& argument)
{
    zxtest::Environment environment = board.Environment();
    environment.push_back({"ZXT_ARGUMENT", argument});
    ChildRun run;
    run.process = zxtest::RunChild(child, environment);
    run.writes = board.Writes();
    return run;
}

std::string TuningWrite(unsigned id, int index)
{
    char text[80];
    std::snprintf(text, sizeof text, "id=0x%08X index=%d mode=2 result=1", id, index);
    return text;
}

std::string SelectorWrite(int core)
{
    char text[80];
    std::snprintf(text, sizeof text, "id=0x030600F0 index=%d mode=1 result=1", core);
    return text;
}

}  // namespace tuningtest

namespace {

std::string Argument()
{
    char value[4096] = {};
    GetEnvironmentVariableA("ZXT_ARGUMENT", value, sizeof value);
    return value;
}

// "id:value,id:value" (ids in hex)
ZxOcItemValueList ParseRecords(const std::string& text)
{
    ZxOcItemValueList records;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        size_t colon = item.find(':');
        if (colon != std::string::npos)
            records.push_back(
                {static_cast<uint32_t>(std::strtoul(item.c_str(), nullptr, 16)), std::atoi(item.c_str() + colon + 1)});
    }
    return records;
}

void PrintRecords(const ZxOcItemValueList& records)
{
    for (const auto& record : records)
        std::printf("%08X:%d\n", static_cast<unsigned>(record.id), static_cast<int>(record.value));
}

}  // namespace

ZX_TEST_CHILD(apply_records)
{
    KyOcPrimaryItemSet::GetInstance().ApplyValues(ParseRecords(Argument()));
    return 0;
}

ZX_TEST_CHILD(apply_ratios)
{
    std::vector<int> values;
    for (const auto& record : ParseRecords(Argument()))
        values.push_back(record.value);
    KyOcRatio::GetInstance().ApplyRatios(values);
    return 0;
}

ZX_TEST_CHILD(read_stored_profile)
{
    std::printf("names=%d\n", ZxOcItemProfile::GetBiosProfileCount());
    for (int i = 0; i < ZxOcItemProfile::GetBiosProfileCount(); ++i)
        std::printf("name=%s\n", ZxOcItemProfile::GetBiosProfileName(i).c_str());
    ZxOcItemProfile profile;
    profile.GetValues().push_back({0x12345678, 9});  // kept when the read is refused
    std::printf("result=%d\n", profile.ReadFromBios(std::atoi(Argument().c_str())) ? 1 : 0);
    PrintRecords(profile.GetValues());
    return 0;
}

ZX_TEST_CHILD(apply_stored_profile)
{
    ZxOcItemProfile profile;
    if (!profile.ReadFromBios(std::atoi(Argument().c_str())))
        return 1;
    KyOcPrimaryItemSet::GetInstance().ApplyValues(profile.GetValues());
    return 0;
}

ZX_TEST_CHILD(current_values)
{
    ZxOcItemValueList values;
    ReadCurrentItemValues(values);
    PrintRecords(values);
    return 0;
}

ZX_TEST_CHILD(warning_levels)
{
    // "index:value" pairs; one line "index:value=0|1" each.
    for (const auto& pair : ParseRecords(Argument()))
        std::printf("%X:%d=%d\n", static_cast<unsigned>(pair.id), static_cast<int>(pair.value),
                    IsAboveWarningLevel(static_cast<int>(pair.id), pair.value) ? 1 : 0);
    return 0;
}
