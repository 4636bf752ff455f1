#pragma once

// The named colours, shared by the data files and the settings.

#include <cstdint>

namespace kelvo {

// Colours: 0x00BBGGRR, or a system colour (0xFF000000 + index, as the named identifiers
// store it; the settings use 0x80000000 + index for the same system colours).
inline constexpr std::int32_t clBlack = 0x000000;
inline constexpr std::int32_t clMaroon = 0x000080;
inline constexpr std::int32_t clGreen = 0x008000;
inline constexpr std::int32_t clOlive = 0x008080;
inline constexpr std::int32_t clNavy = 0x800000;
inline constexpr std::int32_t clPurple = 0x800080;
inline constexpr std::int32_t clTeal = 0x808000;
inline constexpr std::int32_t clGray = 0x808080;
inline constexpr std::int32_t clSilver = 0xC0C0C0;
inline constexpr std::int32_t clRed = 0x0000FF;
inline constexpr std::int32_t clLime = 0x00FF00;
inline constexpr std::int32_t clYellow = 0x00FFFF;
inline constexpr std::int32_t clBlue = 0xFF0000;
inline constexpr std::int32_t clFuchsia = 0xFF00FF;
inline constexpr std::int32_t clAqua = 0xFFFF00;
inline constexpr std::int32_t clWhite = 0xFFFFFF;
inline constexpr std::int32_t clMoneyGreen = 0xC0DCC0;
inline constexpr std::int32_t clSkyBlue = 0xF0CAA6;
inline constexpr std::int32_t clCream = 0xF0FBFF;
inline constexpr std::int32_t clMedGray = 0xA4A0A0;
inline constexpr std::int32_t clNone = 0x1FFFFFFF;
inline constexpr std::int32_t clDefault = 0x20000000;
constexpr std::int32_t SystemColor(int index) {
    return static_cast<std::int32_t>(0xFF000000u + static_cast<std::uint32_t>(index));
}
inline constexpr std::int32_t clWindow = SystemColor(5);
inline constexpr std::int32_t clWindowText = SystemColor(8);
inline constexpr std::int32_t clBtnFace = SystemColor(15);
inline constexpr std::int32_t clInfoBk = SystemColor(24);

// The settings keep a system colour as 0x80000000 + index; where a colour is drawn both
// forms mean the same system colour.
constexpr std::uint32_t SettingsSystemColor(int index) {
    return 0x80000000u + static_cast<std::uint32_t>(index);
}

} // namespace kelvo
