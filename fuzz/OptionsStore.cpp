// Settings edited into anything: the options, the mail settings and the window state must
// load without fault, and loading the same store twice gives the same values.
#include "core/options/MailOptions.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/options/paConfigUtils.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace kelvo;

namespace {

const char* const kExtraNames[] = {
    "ConnectionType",   "SMTPOptionsPort", "SMTPOptionsServer", "SMTPOptionsAuthentification",
    "L.Count",          "L.Order0",        "L.Order1",          "L.Width0",
    "L.ViewStyle",      "L.SortCol",       "L.SortAsc",         "E.Items",
    "P.ActivePageIndex"};
const char* const kSuffixes[] = {"",       ".Time", ".Date", ".CharSet",
                                 ".Color", ".Size", ".Name", ".Style"};

std::string Values(const TProgramOptions& options) {
    std::vector<std::string> lines;
    options.List.WriteToStrings(lines);
    std::string all;
    for (const auto& line : lines)
        all += line + '\n';
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemAppIni ini;
    const TProgramOptions names;
    const std::size_t optionCount = names.List.Count();
    const std::size_t nameCount = optionCount + std::size(kExtraNames);
    std::size_t pos = 0;
    while (pos + 3 <= size) {
        const std::size_t which = data[pos] % nameCount;
        const unsigned kind = data[pos + 1];
        std::size_t length = data[pos + 2] % 24;
        pos += 3;
        length = std::min(length, size - pos);
        const std::string payload(reinterpret_cast<const char*>(data + pos), length);
        pos += length;
        std::string name = which < optionCount ? names.List.Option(which).Name()
                                               : kExtraNames[which - optionCount];
        name += kSuffixes[(kind >> 2) % std::size(kSuffixes)];
        TIniValue value;
        switch (kind & 3) {
        case 0:
            value = TIniValue::FromText(payload);
            break;
        case 1: {
            std::uint32_t n = 0;
            for (const char c : payload.substr(0, 4))
                n = (n << 8) | static_cast<unsigned char>(c);
            value = TIniValue::FromInteger(static_cast<std::int32_t>(n));
            break;
        }
        default:
            value = TIniValue::FromBinary(payload);
        }
        ini.WriteValue((kind & 0x80) ? "View" : "Options", name, value);
    }

    TProgramOptions first, second;
    first.List.Load(ini);
    second.List.Load(ini);
    if (Values(first) != Values(second))
        __builtin_trap();

    TMailOptions mail;
    mail.LoadFromStore(ini, "Options");
    if (mail.ConnectionType != ecMAPI && mail.ConnectionType != ecSMTP)
        __builtin_trap();

    for (const char* section : {"Options", "View"}) {
        TListViewState state{vsReport, {0, 1, 2}, {50, 50, 50}};
        LoadListViewState(ini, section, "L", state, 300);
        for (const int o : state.Order)
            if (o < 0 || o > 2)
                __builtin_trap();
        int col = 0;
        bool asc = true;
        LoadSortState(ini, section, "L", 3, col, asc);
        if (col < 0 || col > 2)
            __builtin_trap();
        std::vector<std::string> items;
        LoadComboHistory(ini, section, "E", items);
        const int page = LoadActivePage(ini, section, "P", 0, 4);
        if (page < 0 || page > 3)
            __builtin_trap();
    }

    // What was loaded can be saved again.
    TMemAppIni out;
    first.List.Save(out);
    mail.SaveToStore(out, "Options");
    return 0;
}
