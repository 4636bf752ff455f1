#include "core/options/paAppIni.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace kelvo {

namespace {

std::string UpperAscii(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::optional<std::int32_t> ParseDecimalInt32(const std::string& text) {
    std::size_t i = 0, end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end)
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{1} << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

TAppIni::TAppIni(std::string appKey) : appKey_(std::move(appKey)) {}

TAppIni::~TAppIni() = default;

void TAppIni::Close() noexcept {
    if (open_) {
        DoClose();
        open_ = false;
    }
}

void TAppIni::SetAppKey(const std::string& appKey) {
    if (appKey == appKey_)
        return;
    Close();
    appKey_ = appKey;
}

void TAppIni::Open() {
    if (open_)
        return;
    if (appKey_.empty())
        throw EAppIniError("No application key specified");
    DoOpen(appKey_);
    open_ = true;
}

bool TAppIni::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0 || !open_)
        return true;
    try {
        return DoFlush();
    } catch (...) {
        return false;
    }
}

bool TAppIni::EnsureOpen() noexcept {
    try {
        Open();
        return true;
    } catch (...) {
        return false;
    }
}

std::optional<TIniValue> TAppIni::ReadValue(const std::string& section, const std::string& name) {
    if (!EnsureOpen())
        return std::nullopt;
    try {
        return DoRead(section, name);
    } catch (...) {
        return std::nullopt;
    }
}

bool TAppIni::WriteValue(const std::string& section, const std::string& name,
                         const TIniValue& value) {
    if (!EnsureOpen())
        return false;
    try {
        return DoWrite(section, name, value);
    } catch (...) {
        return false;
    }
}

bool TAppIni::DeleteValue(const std::string& section, const std::string& name) {
    if (!EnsureOpen())
        return false;
    if (!ReadValue(section, name))
        return true;
    try {
        return DoDelete(section, name);
    } catch (...) {
        return false;
    }
}

std::string TAppIni::ReadString(const std::string& section, const std::string& name,
                                const std::string& def) {
    const auto v = ReadValue(section, name);
    return v && v->Kind == TIniValueKind::Text ? v->Text : def;
}

bool TAppIni::WriteString(const std::string& section, const std::string& name,
                          const std::string& value) {
    return WriteValue(section, name, TIniValue::FromText(value));
}

std::int32_t TAppIni::ReadInteger(const std::string& section, const std::string& name,
                                  std::int32_t def) {
    const auto v = ReadValue(section, name);
    if (!v)
        return def;
    if (v->Kind == TIniValueKind::Integer)
        return v->Number;
    if (v->Kind == TIniValueKind::Text)
        return ParseDecimalInt32(v->Text).value_or(def);
    return def;
}

bool TAppIni::WriteInteger(const std::string& section, const std::string& name,
                           std::int32_t value) {
    // A value the user keeps as text stays text.
    const auto existing = ReadValue(section, name);
    if (existing && existing->Kind == TIniValueKind::Text)
        return WriteValue(section, name, TIniValue::FromText(std::to_string(value)));
    return WriteValue(section, name, TIniValue::FromInteger(value));
}

std::int32_t TAppIni::ReadEnum(const std::string& section, const std::string& name,
                               std::int32_t def, std::int32_t minValue, std::int32_t maxValue) {
    const std::int32_t v = ReadInteger(section, name, def);
    return v < minValue || v > maxValue ? def : v;
}

bool TAppIni::WriteEnum(const std::string& section, const std::string& name, std::int32_t value) {
    return WriteInteger(section, name, value);
}

bool TAppIni::ReadBool(const std::string& section, const std::string& name, bool def) {
    const auto v = ReadValue(section, name);
    if (v && v->Kind == TIniValueKind::Text && !v->Text.empty())
        return UpperAscii(v->Text) == "TRUE" || v->Text == "1";
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

bool TAppIni::WriteBool(const std::string& section, const std::string& name, bool value) {
    return WriteString(section, name, value ? "True" : "False");
}

TDateTime TAppIni::ReadDateTime(const std::string& section, const std::string& name,
                                TDateTime def) {
    const bool hasTime = ReadValue(section, name + ".Time").has_value();
    const bool hasDate = ReadValue(section, name + ".Date").has_value();
    if (!hasTime && !hasDate)
        return def;
    // A missing or unreadable half takes the same half of the default.
    if (!std::isfinite(def) || def < 0 || def >= 2e9)
        return def;
    const auto m = std::llround(def * static_cast<double>(kMSecsPerDay));
    const auto defTime = static_cast<std::int32_t>(m % kMSecsPerDay);
    const auto defDate = static_cast<std::int32_t>(m / kMSecsPerDay + kDateDelta);
    const std::int32_t time = ReadInteger(section, name + ".Time", defTime);
    const std::int32_t date = ReadInteger(section, name + ".Date", defDate);
    if (time < 0 || date < 1)
        return def;
    return static_cast<double>(std::int64_t{date} - kDateDelta) +
           static_cast<double>(time) / static_cast<double>(kMSecsPerDay);
}

bool TAppIni::WriteDateTime(const std::string& section, const std::string& name, TDateTime value) {
    // Negative values have no time stamp; refuse them rather than store a wrong one.
    if (!std::isfinite(value) || value < 0 ||
        value >= static_cast<double>(std::numeric_limits<std::int32_t>::max() - kDateDelta))
        return false;
    const auto m = std::llround(value * static_cast<double>(kMSecsPerDay));
    BeginUpdate(); // one store write for both halves
    const bool timeOk =
        WriteInteger(section, name + ".Time", static_cast<std::int32_t>(m % kMSecsPerDay));
    const bool dateOk = WriteInteger(section, name + ".Date",
                                     static_cast<std::int32_t>(m / kMSecsPerDay + kDateDelta));
    const bool flushed = EndUpdate();
    return timeOk && dateOk && flushed;
}

TMemAppIni::TMemAppIni(std::string appKey) : TAppIni(std::move(appKey)) {}

TMemAppIni::~TMemAppIni() {
    Close();
}

void TMemAppIni::DoOpen(const std::string&) {
    ++openCount_;
}

std::optional<TIniValue> TMemAppIni::DoRead(const std::string& section, const std::string& name) {
    const auto s = sections_.find(section);
    if (s == sections_.end())
        return std::nullopt;
    const auto v = s->second.find(name);
    if (v == s->second.end())
        return std::nullopt;
    return v->second;
}

bool TMemAppIni::DoWrite(const std::string& section, const std::string& name,
                         const TIniValue& value) {
    if (readOnly_)
        return false;
    sections_[section][name] = value;
    return true;
}

bool TMemAppIni::DoDelete(const std::string& section, const std::string& name) {
    if (readOnly_)
        return false;
    auto it = sections_.find(section);
    if (it != sections_.end())
        it->second.erase(name);
    return true;
}

} // namespace kelvo
