#include "core/options/paConfigUtils.h"

#include "core/options/paAppIni.h"

#include <algorithm>

namespace kelvo {

std::string ComponentPath(const std::string& ownerPath, const std::string& name) {
    return ownerPath.empty() ? name : ownerPath + "." + name;
}

void WriteFontValues(TAppIni& ini, const std::string& section, const std::string& prefix,
                     const TFont& font, unsigned parts) {
    const TAppIniUpdate update(ini);
    if (parts & fvCharSet)
        ini.WriteInteger(section, prefix + ".CharSet", font.CharSet);
    if (parts & fvColor)
        ini.WriteInteger(section, prefix + ".Color", static_cast<std::int32_t>(font.Color));
    if (parts & fvSize)
        ini.WriteInteger(section, prefix + ".Size", font.Size);
    if (parts & fvName)
        ini.WriteString(section, prefix + ".Name", font.Name);
    if (parts & fvStyle)
        ini.WriteString(section, prefix + ".Style", FontStyleText(font.Style));
}

void ReadFontValues(TAppIni& ini, const std::string& section, const std::string& prefix,
                    TFont& font, unsigned parts) {
    if (parts & fvCharSet)
        font.CharSet = ini.ReadInteger(section, prefix + ".CharSet", font.CharSet);
    if (parts & fvColor)
        font.Color = static_cast<TColor>(
            ini.ReadInteger(section, prefix + ".Color", static_cast<std::int32_t>(font.Color)));
    if (parts & fvSize) {
        // A hand-edited size beyond any screen is not a font anyone can use.
        constexpr int kMaxSize = 1638;
        font.Size = std::clamp(ini.ReadInteger(section, prefix + ".Size", font.Size), 1, kMaxSize);
    }
    if (parts & fvName)
        font.Name = ini.ReadString(section, prefix + ".Name", font.Name);
    if (parts & fvStyle)
        ParseFontStyleText(ini.ReadString(section, prefix + ".Style", ""), font.Style);
}

void SaveFormPlacement(TAppIni& ini, const std::string& section, const std::string& path,
                       const TFormPlacement& placement) {
    const TAppIniUpdate update(ini);
    ini.WriteInteger(section, path + ".Left", placement.Left);
    ini.WriteInteger(section, path + ".Top", placement.Top);
    ini.WriteInteger(section, path + ".Width", placement.Width);
    ini.WriteInteger(section, path + ".Height", placement.Height);
    ini.WriteBool(section, path + ".Max", placement.Maximized);
}

void LoadFormPlacement(TAppIni& ini, const std::string& section, const std::string& path,
                       TFormPlacement& placement) {
    placement.Left = ini.ReadInteger(section, path + ".Left", placement.Left);
    placement.Top = ini.ReadInteger(section, path + ".Top", placement.Top);
    placement.Width = ini.ReadInteger(section, path + ".Width", placement.Width);
    placement.Height = ini.ReadInteger(section, path + ".Height", placement.Height);
    placement.Maximized = ini.ReadBool(section, path + ".Max", placement.Maximized);
}

void SaveActivePage(TAppIni& ini, const std::string& section, const std::string& path,
                    int pageIndex) {
    ini.WriteInteger(section, path + ".ActivePageIndex", pageIndex);
}

int LoadActivePage(TAppIni& ini, const std::string& section, const std::string& path, int current,
                   int pageCount) {
    return ini.ReadEnum(section, path + ".ActivePageIndex", current, 0, pageCount - 1);
}

void SaveListViewState(TAppIni& ini, const std::string& section, const std::string& path,
                       const TListViewState& state, unsigned parts) {
    const TAppIniUpdate update(ini);
    if (parts & lvViewStyle)
        ini.WriteInteger(section, path + ".ViewStyle", state.ViewStyle);
    if (!(parts & lvColumns))
        return;
    const int count = static_cast<int>(state.Order.size());
    ini.WriteInteger(section, path + ".Count", count);
    const bool widths = state.ViewStyle == vsList || state.ViewStyle == vsReport;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        if (widths && i < static_cast<int>(state.Widths.size()))
            ini.WriteInteger(section, path + ".Width" + n, state.Widths[i]);
        ini.WriteInteger(section, path + ".Order" + n, state.Order[i]);
    }
}

void LoadListViewState(TAppIni& ini, const std::string& section, const std::string& path,
                       TListViewState& state, int clientWidth, unsigned parts) {
    if (parts & lvViewStyle)
        state.ViewStyle =
            ini.ReadEnum(section, path + ".ViewStyle", state.ViewStyle, vsIcon, vsReport);
    if (!(parts & lvColumns))
        return;
    const int count = static_cast<int>(state.Order.size());
    if (count == 0 || ini.ReadInteger(section, path + ".Count", -1) != count)
        return;
    state.Widths.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        state.Order[i] = std::clamp(ini.ReadInteger(section, path + ".Order" + n, i), 0, count - 1);
        state.Widths[i] = std::clamp(ini.ReadInteger(section, path + ".Width" + n, 50), 0,
                                     std::max(clientWidth, 0));
    }
}

void SaveSortState(TAppIni& ini, const std::string& section, const std::string& path,
                   int sortColumn, bool ascending) {
    const TAppIniUpdate update(ini);
    ini.WriteInteger(section, path + ".SortCol", sortColumn);
    ini.WriteBool(section, path + ".SortAsc", ascending);
}

void LoadSortState(TAppIni& ini, const std::string& section, const std::string& path,
                   int columnCount, int& sortColumn, bool& ascending) {
    sortColumn =
        std::clamp(ini.ReadInteger(section, path + ".SortCol", 0), 0, std::max(columnCount - 1, 0));
    ascending = ini.ReadBool(section, path + ".SortAsc", true);
}

void SaveComboHistory(TAppIni& ini, const std::string& section, const std::string& path,
                      const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            text += '\n';
        text += items[i];
    }
    ini.WriteString(section, path + ".Items", text);
}

void LoadComboHistory(TAppIni& ini, const std::string& section, const std::string& path,
                      std::vector<std::string>& items) {
    const auto value = ini.ReadValue(section, path + ".Items");
    if (!value || value->Kind != TIniValueKind::Text)
        return;
    items.clear();
    const std::string& text = value->Text;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos)
            lf = text.size();
        items.push_back(text.substr(pos, lf - pos));
        pos = lf + 1;
    }
}

} // namespace kelvo
