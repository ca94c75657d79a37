#include "ZxOcLibModule.h"

#include "TestPaths.h"

namespace ocapitest {

const std::vector<ExportEntry>& ExpectedExports()
{
    static const std::vector<ExportEntry> exports = {
        {"ZxOcQueryFsbFrquencyInfo", 1}, {"ZxOcQueryDramVoltInfo", 2}, {"ZxOcQueryVcoreVoltInfo", 3},
        {"ZxOcQueryNbCoreVoltInfo", 4},  {"ZxOcGetFsbFrquency", 5},    {"ZxOcGetDramVolt", 6},
        {"ZxOcGetVcoreVolt", 7},         {"ZxOcGetNbCoreVolt", 8},     {"ZxOcSetFsbFrquency", 9},
        {"ZxOcSetDramVolt", 10},         {"ZxOcSetVcoreVolt", 11},     {"ZxOcSetNbCoreVolt", 12},
        {"ZxOcSaveCurrentDovrel", 13},   {"ZxOcLoadProfile", 14},      {"ZxOcIsOxlenMode", 15},
    };
    return exports;
}

ZxOcLibModule::ZxOcLibModule()
{
    m_module = LoadLibraryA(zxtest::JoinPath(zxtest::DistDir(), "ZxOcLib.dll").c_str());
}

ZxOcLibModule::~ZxOcLibModule()
{
    if (m_module)
        FreeLibrary(m_module);
}

std::vector<std::pair<std::string, WORD>> ZxOcLibModule::ExportDirectory() const
{
    std::vector<std::pair<std::string, WORD>> names;
    if (!m_module)
        return names;
    auto base = reinterpret_cast<const BYTE*>(m_module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0)
        return names;
    auto directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto nameRvas = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    auto nameOrdinals = reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]),
                           static_cast<WORD>(directory->Base + nameOrdinals[i]));
    }
    return names;
}

}  // namespace ocapitest
