#pragma once

#include "core/util/paColors.h"

#include <cstdint>
#include <string>

namespace kelvo {

// 0x00BBGGRR for a plain colour, 0x80000000 + index for a system colour.
using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0x80000000;

// Resolves a system colour to its plain value; plain colours pass through. The platform may
// install the desktop's colours; until then window background is white and text black.
using TSystemColorResolver = TColor (*)(int index);
void SetSystemColorResolver(TSystemColorResolver resolver);
TColor ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned; // a set of TFontStyle bits

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET = 1;

// A font as the core keeps it; the GUI turns it into its own font type. The size is in
// points, the height in pixels follows from it and the resolution.
struct TFont {
    std::string Name = "Verdana";
    int Size = 8;
    TColor Color = SettingsSystemColor(8);
    int CharSet = DEFAULT_CHARSET;
    TFontStyles Style = 0;
    TFontPitch Pitch = TFontPitch::fpDefault;
    int PixelsPerInch = 96;

    int Height() const;
    void SetHeight(int pixels);

    // Field by field, for noticing any change.
    bool operator==(const TFont&) const = default;
};

// Equal as displayed: system colours resolved, face name compared without case.
bool SameFont(const TFont& a, const TFont& b);

// "*" followed by the set style names joined by ",": "*fsBold,fsItalic".
std::string FontStyleText(TFontStyles style);
// The style named by such a text; false (style unchanged) when the text is empty or names an
// unknown style.
bool ParseFontStyleText(const std::string& text, TFontStyles& style);
// The style names joined by "," without the star.
std::string FontStyleNames(TFontStyles style);

} // namespace kelvo
