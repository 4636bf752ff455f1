#pragma once

#include "core/options/paFont.h"

#include <string>
#include <vector>

namespace kelvo {

class TAppIni;

// The store name of a component's value: the owner's path, "." and the component's name.
std::string ComponentPath(const std::string& ownerPath, const std::string& name);

// Which parts of a font ReadFontValues and WriteFontValues touch.
enum : unsigned { fvName = 1, fvStyle = 2, fvSize = 4, fvColor = 8, fvCharSet = 16, fvAll = 31 };

// prefix + ".CharSet", ".Color", ".Size", ".Name", ".Style", in that order. A missing part
// keeps the font's value; a size below 1 becomes 1.
void WriteFontValues(TAppIni& ini, const std::string& section, const std::string& prefix,
                     const TFont& font, unsigned parts = fvAll);
void ReadFontValues(TAppIni& ini, const std::string& section, const std::string& prefix,
                    TFont& font, unsigned parts = fvAll);

// A window's normal (restored) bounds and whether it is maximized.
struct TFormPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Maximized = false;
    bool operator==(const TFormPlacement&) const = default;
};
void SaveFormPlacement(TAppIni& ini, const std::string& section, const std::string& path,
                       const TFormPlacement& placement);
// Each missing value keeps the one in placement.
void LoadFormPlacement(TAppIni& ini, const std::string& section, const std::string& path,
                       TFormPlacement& placement);

void SaveActivePage(TAppIni& ini, const std::string& section, const std::string& path,
                    int pageIndex);
// The saved page, or current when none is saved or it is not one of pageCount pages.
int LoadActivePage(TAppIni& ini, const std::string& section, const std::string& path, int current,
                   int pageCount);

enum TViewStyle { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };
enum : unsigned { lvViewStyle = 1, lvColumns = 2 };

// Per display position: which column is shown there and its width.
struct TListViewState {
    int ViewStyle = vsReport;
    std::vector<int> Order;
    std::vector<int> Widths;
};
void SaveListViewState(TAppIni& ini, const std::string& section, const std::string& path,
                       const TListViewState& state, unsigned parts = lvViewStyle | lvColumns);
// Columns are only taken when the saved count equals state's column count; orders are
// clamped to the columns, widths to 0..clientWidth.
void LoadListViewState(TAppIni& ini, const std::string& section, const std::string& path,
                       TListViewState& state, int clientWidth,
                       unsigned parts = lvViewStyle | lvColumns);

void SaveSortState(TAppIni& ini, const std::string& section, const std::string& path,
                   int sortColumn, bool ascending);
// Column defaults to 0 and is clamped to the columns; direction defaults to ascending.
void LoadSortState(TAppIni& ini, const std::string& section, const std::string& path,
                   int columnCount, int& sortColumn, bool& ascending);

void SaveComboHistory(TAppIni& ini, const std::string& section, const std::string& path,
                      const std::vector<std::string>& items);
// Nothing saved leaves items as they are.
void LoadComboHistory(TAppIni& ini, const std::string& section, const std::string& path,
                      std::vector<std::string>& items);

} // namespace kelvo
