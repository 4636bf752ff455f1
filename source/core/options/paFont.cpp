#include "core/options/paFont.h"

#include <cctype>
#include <cmath>

namespace kelvo {

namespace {

TColor DefaultSystemColor(int index) {
    switch (index) {
    case 5: // window background
        return clWhite;
    case 15: // button face
        return 0x00F0F0F0;
    default: // window text and every other text colour
        return clBlack;
    }
}

TSystemColorResolver systemColorResolver = &DefaultSystemColor;

constexpr const char* kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

bool SameTextNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

void SetSystemColorResolver(TSystemColorResolver resolver) {
    systemColorResolver = resolver ? resolver : &DefaultSystemColor;
}

TColor ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return systemColorResolver(static_cast<int>(color & 0xFF)) & 0x00FFFFFF;
    return color;
}

int TFont::Height() const {
    return static_cast<int>(std::lround(Size * PixelsPerInch / 72.0));
}

void TFont::SetHeight(int pixels) {
    Size = static_cast<int>(std::lround(pixels * 72.0 / (PixelsPerInch > 0 ? PixelsPerInch : 96)));
}

bool SameFont(const TFont& a, const TFont& b) {
    return a.PixelsPerInch == b.PixelsPerInch && a.CharSet == b.CharSet &&
           ColorToRGB(a.Color) == ColorToRGB(b.Color) && a.Height() == b.Height() &&
           SameTextNoCase(a.Name, b.Name) && a.Pitch == b.Pitch && a.Size == b.Size &&
           a.Style == b.Style;
}

std::string FontStyleNames(TFontStyles style) {
    std::string text;
    for (unsigned i = 0; i < 4; ++i)
        if (style & (1u << i)) {
            if (!text.empty())
                text += ',';
            text += kStyleNames[i];
        }
    return text;
}

std::string FontStyleText(TFontStyles style) {
    return "*" + FontStyleNames(style);
}

bool ParseFontStyleText(const std::string& text, TFontStyles& style) {
    if (text.empty())
        return false;
    TFontStyles parsed = 0;
    std::size_t pos = 1;
    while (pos < text.size()) {
        std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string element = text.substr(pos, comma - pos);
        bool known = false;
        for (unsigned i = 0; i < 4; ++i)
            if (SameTextNoCase(element, kStyleNames[i])) {
                parsed |= 1u << i;
                known = true;
            }
        if (!known)
            return false;
        pos = comma + 1;
    }
    style = parsed;
    return true;
}

} // namespace kelvo
