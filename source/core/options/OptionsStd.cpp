#include "core/options/OptionsStd.h"

#include "core/options/paAppIni.h"
#include "core/options/paConfigUtils.h"

#include <cstdio>

namespace kelvo {

namespace {

std::string Hex8(TColor color) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(color));
    return buf;
}

} // namespace

void TBooleanOption::SaveTo(TAppIni& ini, const std::string& section) {
    ini.WriteBool(section, Name(), Value());
}
void TBooleanOption::LoadFrom(TAppIni& ini, const std::string& section) {
    SetValue(ini.ReadBool(section, Name(), Value()));
}

void TIntegerOption::SaveTo(TAppIni& ini, const std::string& section) {
    ini.WriteInteger(section, Name(), Value());
}
void TIntegerOption::LoadFrom(TAppIni& ini, const std::string& section) {
    SetValue(ini.ReadInteger(section, Name(), Value()));
}

void TColorOption::SaveTo(TAppIni& ini, const std::string& section) {
    ini.WriteInteger(section, Name(), static_cast<std::int32_t>(Value()));
}
void TColorOption::LoadFrom(TAppIni& ini, const std::string& section) {
    SetValue(
        static_cast<TColor>(ini.ReadInteger(section, Name(), static_cast<std::int32_t>(Value()))));
}
std::string TColorOption::AsText() const {
    return Hex8(Value());
}

void TStringOption::SaveTo(TAppIni& ini, const std::string& section) {
    ini.WriteString(section, Name(), Value());
}
void TStringOption::LoadFrom(TAppIni& ini, const std::string& section) {
    SetValue(ini.ReadString(section, Name(), Value()));
}

void TDoubleOption::SaveTo(TAppIni& ini, const std::string& section) {
    ini.WriteDateTime(section, Name(), Value());
}
void TDoubleOption::LoadFrom(TAppIni& ini, const std::string& section) {
    SetValue(ini.ReadDateTime(section, Name(), Value()));
}
std::string TDoubleOption::AsText() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", Value());
    return buf;
}

void TFontOption::SetFont(const TFont& font) {
    if (font == font_)
        return;
    font_ = font;
    Changed();
}

void TFontOption::SaveTo(TAppIni& ini, const std::string& section) {
    WriteFontValues(ini, section, Name(), font_, fvAll);
}

void TFontOption::LoadFrom(TAppIni& ini, const std::string& section) {
    TFont font = font_;
    ReadFontValues(ini, section, Name(), font, fvAll);
    SetFont(font);
}

std::string TFontOption::AsText() const {
    return "(  Name=" + font_.Name + " Size=" + std::to_string(font_.Size) +
           " Color=" + Hex8(font_.Color) + " CharSet=" + std::to_string(font_.CharSet) +
           " Style=" + FontStyleNames(font_.Style) + " )";
}

void TFontOption::Assign(const TOption& source) {
    const auto* same = dynamic_cast<const TFontOption*>(&source);
    if (!same)
        AssignError(source);
    default_ = same->default_;
    SetFont(same->font_);
}

} // namespace kelvo
