#include "core/stream/paClasses.h"

#include "core/stream/PropertyTable.h"
#include "core/util/paTranslate.h"

#include <bit>
#include <bitset>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <unordered_map>

namespace kelvo {

namespace {

constexpr std::string_view TagNames[] = {
    "itNull", "itEnum",        "itInt32",     "itInt64",    "itExtended",  "itString",  "itIdent",
    "itSet",  "itObjectBegin", "itObjectEnd", "itPropName", "itUserBegin", "itUserEnd",
};

constexpr std::size_t MaxProperties = 128;
// Days from 30 December 1899 to 1 January 10000; NullDate is the lowest date-time kept.
constexpr double DateTimeEnd = 2958466.0;
constexpr double DateTimeStart = -693594.0;

// Replaces each %s or %d of pattern, in order, by the next argument.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'd') && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

int FindName(TEnumNameList names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name))
            return static_cast<int>(i);
    return -1;
}

// Failures an object read absorbs (it answers false); the others pass on.
bool IsValueFailure(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return false;
    if (auto* r = dynamic_cast<const EClassReadingError*>(&e))
        return r->Reach() == EClassReadingError::TReach::Value;
    return true;
}

struct TDepthGuard {
    explicit TDepthGuard(int& depth) : depth_(depth) {
        if (depth_ >= TClassReader::MaxNesting)
            throw EClassReadingError(KELVO_TR("paClasses", "Objects are nested too deeply"));
        ++depth_;
    }
    ~TDepthGuard() { --depth_; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;
    int& depth_;
};

constexpr TIdentEntry ColorTable[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
};

} // namespace

std::string_view IdentTypeName(TIdentType tag) {
    auto i = static_cast<std::size_t>(tag);
    return i < std::size(TagNames) ? TagNames[i] : std::string_view("itUnknown");
}

TIdentTable ColorIdents() {
    return ColorTable;
}

// ---- extended floats --------------------------------------------------------------------

std::array<std::uint8_t, 10> DoubleToExtended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    std::uint64_t significand = 0;
    std::uint32_t biased = 0;
    if (exponent == 0x7FF) {
        biased = 0x7FFF;
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
        if (fraction != 0)
            significand |= std::uint64_t{1} << 62; // a quiet NaN stays quiet
    } else if (exponent == 0) {
        if (fraction != 0) { // subnormal doubles are normal in the wider format
            const int top = 63 - std::countl_zero(fraction);
            biased = static_cast<std::uint32_t>(top - 1074 + 16383);
            significand = fraction << (63 - top);
        }
    } else {
        biased = static_cast<std::uint32_t>(exponent - 1023 + 16383);
        significand = (std::uint64_t{1} << 63) | (fraction << 11);
    }
    if (negative)
        biased |= 0x8000;
    std::array<std::uint8_t, 10> out{};
    for (int i = 0; i < 8; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    out[8] = static_cast<std::uint8_t>(biased);
    out[9] = static_cast<std::uint8_t>(biased >> 8);
    return out;
}

double ExtendedToDouble(const std::uint8_t* bytes) {
    std::uint64_t significand = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&significand, bytes, 8);
    } else {
        for (int i = 7; i >= 0; --i)
            significand = (significand << 8) | bytes[i];
    }
    const std::uint32_t head = static_cast<std::uint32_t>(bytes[8]) | (bytes[9] << 8u);
    const std::uint64_t sign = (head & 0x8000) ? std::uint64_t{1} << 63 : 0;
    const int biased = static_cast<int>(head & 0x7FFF);
    constexpr std::uint64_t infinity = std::uint64_t{0x7FF} << 52;
    constexpr std::uint64_t fractionMask = (std::uint64_t{1} << 52) - 1;
    if (biased == 0x7FFF) {
        if ((significand << 1) == 0)
            return std::bit_cast<double>(sign | infinity);
        return std::bit_cast<double>(sign | infinity | (std::uint64_t{1} << 51) |
                                     ((significand >> 11) & fractionMask));
    }
    if (significand == 0)
        return std::bit_cast<double>(sign);
    // What a double wrote: normal, and no bits beyond a double's to round.
    if ((significand >> 63) != 0 && (significand & 0x7FF) == 0 && biased >= 16383 - 1022 &&
        biased <= 16383 + 1023)
        return std::bit_cast<double>(sign |
                                     (static_cast<std::uint64_t>(biased - 16383 + 1023) << 52) |
                                     ((significand >> 11) & fractionMask));
    // Normalise (denormals and unnormals alike): value = significand / 2^63 * 2^exponent.
    const int shiftUp = std::countl_zero(significand);
    significand <<= shiftUp;
    int exponent = (biased == 0 ? 1 : biased) - 16383 - shiftUp;
    if (exponent > 1023)
        return std::bit_cast<double>(sign | infinity);
    std::uint64_t mantissa = 0;
    std::uint64_t rest = 0;
    std::uint64_t half = 0;
    if (exponent >= -1022) {
        mantissa = significand >> 11;
        rest = significand & 0x7FF;
        half = 0x400;
    } else {
        const int shift = -exponent - 1011; // 12 and more: a subnormal double
        if (shift > 64)
            return std::bit_cast<double>(sign);
        if (shift == 64) {
            rest = significand;
            half = std::uint64_t{1} << 63;
        } else {
            mantissa = significand >> shift;
            rest = significand & ((std::uint64_t{1} << shift) - 1);
            half = std::uint64_t{1} << (shift - 1);
        }
    }
    if (rest > half || (rest == half && (mantissa & 1)))
        ++mantissa;
    if (exponent < -1022) // a carry out of the subnormal range lands on the smallest normal
        return std::bit_cast<double>(sign | mantissa);
    if (mantissa >> 53) {
        mantissa >>= 1;
        if (++exponent > 1023)
            return std::bit_cast<double>(sign | infinity);
    }
    return std::bit_cast<double>(sign | (static_cast<std::uint64_t>(exponent + 1023) << 52) |
                                 (mantissa & fractionMask));
}

// ---- classes ----------------------------------------------------------------------------

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info("TPersistent", nullptr, nullptr, {});
    return info;
}

const std::string& TPersistent::ClassName() const {
    return ClassType().Name();
}

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComponent, TPersistent>("TComponent")
                                       .String("Name", &TComponent::Name, &TComponent::SetName)
                                       .Stored(false)
                                       .Integer("Tag", &TComponent::Tag, &TComponent::SetTag)
                                       .Default(0)
                                       .Build();
    return info;
}

const TClassInfo& TAdvComponent::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TAdvComponent, TComponent>("TAdvComponent").Build();
    return info;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, TFactory factory,
                       std::vector<TPropertyInfo> own)
    : name_(std::move(name)), parent_(parent), factory_(factory) {
    if (parent_) {
        properties_ = parent_->properties_;
        before_ = parent_->before_;
        after_ = parent_->after_;
    }
    {
        TClassWriter begin(beginEntry_);
        begin.WriteTag(TIdentType::itObjectBegin);
        begin.WriteRawString(name_);
        TClassWriter end(endEntry_);
        end.WriteTag(TIdentType::itObjectEnd);
        end.WriteRawString(name_);
    }
    for (auto& p : own) {
        TClassWriter entry(p.Entry);
        entry.WritePropName(p.Name);
        if (p.Kind != TPropKind::Custom)
            properties_.push_back(std::move(p));
        else if (p.CustomAfter)
            after_.push_back(std::move(p));
        else
            before_.push_back(std::move(p));
    }
    if (properties_.size() > MaxProperties)
        throw EpaError("Class " + name_ + " has too many properties");
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        const TPropertyInfo& p = properties_[i];
        if ((p.Kind == TPropKind::Float || p.Kind == TPropKind::DateTime) && p.SetFloat)
            zeroWhenAbsent_.push_back(static_cast<std::uint8_t>(i));
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

int TClassInfo::FindProperty(std::string_view name, std::size_t hint) const {
    const std::size_t n = properties_.size();
    if (n == 0)
        return -1;
    std::size_t i = hint < n ? hint : hint % n;
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& candidate = properties_[i].Name;
        if (candidate.size() == name.size() && SameText(candidate, name))
            return static_cast<int>(i);
        if (++i == n)
            i = 0;
    }
    return -1;
}

TClassRegistry& TClassRegistry::Global() {
    static TClassRegistry registry;
    return registry;
}

std::size_t TClassRegistry::TNameHash::operator()(std::string_view name) const noexcept {
    std::size_t h = 14695981039346656037u;
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211u;
    return h;
}

void TClassRegistry::Register(const TClassInfo& info) {
    if (!info.CanCreate())
        throw EpaError("Class " + info.Name() + " cannot be created from a stream");
    // A class that forgot KELVO_PERSISTENT would report its parent's name.
    if (&info.Create()->ClassType() != &info)
        throw EpaError("Class " + info.Name() + " does not declare its own class type");
    auto [it, added] = classes_.emplace(std::string_view(info.Name()), &info);
    if (!added && it->second != &info)
        throw EpaError("Class " + info.Name() + " is registered twice");
}

const TClassInfo* TClassRegistry::Find(std::string_view name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second;
}

const std::string& TComponent::NoName() {
    static const std::string none;
    return none;
}

// ---- writer -----------------------------------------------------------------------------

void TClassWriter::DefineProperty(std::string_view name, bool hasData, const TReadProc&,
                                  const TWriteProc& write) {
    if (!hasData || !write)
        return;
    WritePropName(name);
    WriteTag(TIdentType::itUserBegin);
    write(*this);
    WriteTag(TIdentType::itUserEnd);
    WriteRawString(name);
}

void TClassWriter::WriteRawFloat(double value) {
    const auto bytes = DoubleToExtended(value);
    out_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void TClassWriter::WriteRawString(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EpaError("A text is too long to be written");
    WriteRawInteger(static_cast<std::int32_t>(text.size()));
    out_.append(text);
}

void TClassWriter::WriteObjectBegin(const TPersistent& obj) {
    out_.append(obj.ClassType().BeginEntry());
}

void TClassWriter::WriteObjectEnd(const TPersistent& obj) {
    out_.append(obj.ClassType().EndEntry());
}

void TClassWriter::WritePropName(std::string_view name) {
    WriteTag(TIdentType::itPropName);
    WriteRawString(name);
}

void TClassWriter::WriteIntegerOrIdent(std::int32_t value, TIdentTable idents) {
    for (const auto& entry : idents)
        if (entry.Value == value) {
            WriteIdent(entry.Name);
            return;
        }
    WriteInteger(value);
}

void TClassWriter::WriteInteger(std::int32_t value) {
    WriteTag(TIdentType::itInt32);
    WriteRawInteger(value);
}

void TClassWriter::WriteIdent(std::string_view name) {
    WriteTag(TIdentType::itIdent);
    WriteRawString(name);
}

void TClassWriter::WriteEnum(int ordinal, TEnumNameList names) {
    if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= names.size())
        throw EpaError("Enumeration value " + std::to_string(ordinal) + " has no name");
    WriteTag(TIdentType::itEnum);
    WriteRawString(names[static_cast<std::size_t>(ordinal)]);
}

void TClassWriter::WriteString(std::string_view text) {
    WriteTag(TIdentType::itString);
    WriteRawString(text);
}

void TClassWriter::WriteFloat(double value) {
    WriteTag(TIdentType::itExtended);
    WriteRawFloat(value);
}

void TClassWriter::WriteSet(std::uint32_t members, TEnumNameList names) {
    WriteTag(TIdentType::itSet);
    for (std::size_t i = 0; i < 32 && i < names.size(); ++i)
        if (members & (std::uint32_t{1} << i))
            WriteRawString(names[i]);
    WriteRawString({});
}

void TClassWriter::WriteObject(const TPersistent& obj) {
    WriteObjectBegin(obj);
    WriteProperties(obj);
    WriteObjectEnd(obj);
}

void TClassWriter::WriteProperties(const TPersistent& obj) {
    const TClassInfo& cls = obj.ClassType();
    auto defineCustoms = [&](std::span<const TPropertyInfo> customs) {
        for (const auto& c : customs)
            DefineProperty(c.Name, c.HasData(obj), nullptr,
                           [&](TClassWriter& w) { c.WriteBlock(obj, w); });
    };
    defineCustoms(cls.CustomBefore());
    for (const auto& p : cls.Properties()) {
        if (!p.IsStored(obj))
            continue;
        switch (p.Kind) {
        case TPropKind::Integer:
        case TPropKind::Enum:
        case TPropKind::Set: {
            const std::int64_t v = p.GetInt(obj);
            if (p.HasDefault && v == p.Default)
                continue;
            out_.append(p.Entry);
            if (p.Kind == TPropKind::Integer)
                WriteIntegerOrIdent(static_cast<std::int32_t>(v), p.Idents);
            else if (p.Kind == TPropKind::Enum)
                WriteEnum(static_cast<int>(v), p.Names);
            else
                WriteSet(static_cast<std::uint32_t>(v), p.Names);
            break;
        }
        case TPropKind::String: {
            const std::string_view s = p.GetString(obj, scratch_);
            if (s.empty())
                continue;
            out_.append(p.Entry);
            WriteString(s);
            break;
        }
        case TPropKind::Float:
        case TPropKind::DateTime: {
            const double v = p.GetFloat(obj);
            if (v == 0.0)
                continue;
            out_.append(p.Entry);
            WriteFloat(v);
            break;
        }
        case TPropKind::Object: {
            const TPersistent* nested = p.GetObject(obj);
            if (!nested)
                continue;
            out_.append(p.Entry);
            WriteObject(*nested);
            break;
        }
        case TPropKind::Custom:
            break;
        }
    }
    defineCustoms(cls.CustomAfter());
}

void TClassWriter::WriteProperty(const TPersistent& obj, const TPropertyInfo& p) {
    out_.append(p.Entry);
    switch (p.Kind) {
    case TPropKind::Integer:
        WriteIntegerOrIdent(static_cast<std::int32_t>(p.GetInt(obj)), p.Idents);
        break;
    case TPropKind::Enum:
        WriteEnum(static_cast<int>(p.GetInt(obj)), p.Names);
        break;
    case TPropKind::Set:
        WriteSet(static_cast<std::uint32_t>(p.GetInt(obj)), p.Names);
        break;
    case TPropKind::String:
        WriteString(p.GetString(obj, scratch_));
        break;
    case TPropKind::Float:
    case TPropKind::DateTime:
        WriteFloat(p.GetFloat(obj));
        break;
    case TPropKind::Object:
        if (const TPersistent* nested = p.GetObject(obj))
            WriteObject(*nested);
        break;
    case TPropKind::Custom:
        WriteTag(TIdentType::itUserBegin);
        p.WriteBlock(obj, *this);
        WriteTag(TIdentType::itUserEnd);
        WriteRawString(p.Name);
        break;
    }
}

// ---- reader -----------------------------------------------------------------------------

TClassReader::TClassReader(TStreamView& stream, bool ignoreUnknownProperties,
                           const TClassRegistry& registry)
    : IgnoreUnknownProperties(ignoreUnknownProperties), stream_(stream), registry_(registry),
      // A sound stream is read about once; a damaged one is re-read around its damage.
      budget_(64 * stream.Data.size() + 65536) {}

void TClassReader::ThrowReadError() {
    throw EClassReadingError(KELVO_TR("paClasses", "Stream read error"));
}

void TClassReader::ThrowIllegalPrefix() {
    throw EClassReadingError(KELVO_TR("paClasses", "Reading prefix is illegal"));
}

void TClassReader::ThrowTooDamaged() {
    throw EClassReadingError(KELVO_TR("paClasses", "The stream is too damaged to be read"),
                             EClassReadingError::TReach::Stream);
}

void TClassReader::Expect(TIdentType found, std::initializer_list<TIdentType> admissible) {
    for (auto tag : admissible)
        if (tag == found)
            return;
    std::string names;
    for (auto tag : admissible) {
        if (!names.empty())
            names += ", ";
        names += IdentTypeName(tag);
    }
    throw EClassReadingError(Fill(KELVO_TR("paClasses", "Expected prefix %s but %s found"),
                                  {names, IdentTypeName(found)}));
}

double TClassReader::ReadRawFloat() {
    return ExtendedToDouble(reinterpret_cast<const std::uint8_t*>(Take(10)));
}

std::string TClassReader::ReadRawString() {
    return std::string(ReadRawView());
}

std::string TClassReader::ReadObjectEnd() {
    Expect(ReadTag(), {TIdentType::itObjectEnd});
    return ReadRawString();
}

bool TClassReader::ReadInteger(std::int32_t& value, bool skip) {
    if (PeekTag() != TIdentType::itInt32) {
        if (skip)
            SkipValue();
        return false;
    }
    ReadTag();
    value = ReadRawInteger();
    return true;
}

bool TClassReader::ReadIdent(std::int32_t& value, TIdentTable idents, bool skip) {
    if (PeekTag() != TIdentType::itIdent) {
        if (skip)
            SkipValue();
        return false;
    }
    const std::size_t start = Position();
    ReadTag();
    const std::string_view name = ReadRawView();
    for (const auto& entry : idents)
        if (SameText(entry.Name, name)) {
            value = entry.Value;
            return true;
        }
    Seek(start);
    return false;
}

bool TClassReader::ReadIntegerOrIdent(std::int32_t& value, TIdentTable idents, bool skip) {
    const TIdentType tag = PeekTag();
    if (tag == TIdentType::itInt32)
        return ReadInteger(value, false);
    if (tag == TIdentType::itIdent)
        return ReadIdent(value, idents, false);
    if (skip)
        SkipValue();
    return false;
}

bool TClassReader::ReadEnum(int& ordinal, TEnumNameList names, bool skip) {
    if (PeekTag() != TIdentType::itEnum) {
        if (skip)
            SkipValue();
        return false;
    }
    const std::size_t start = Position();
    ReadTag();
    const int found = FindName(names, ReadRawView());
    if (found < 0) {
        Seek(start);
        return false;
    }
    ordinal = found;
    return true;
}

bool TClassReader::ReadString(std::string& text, bool skip) {
    if (PeekTag() != TIdentType::itString) {
        if (skip)
            SkipValue();
        return false;
    }
    ReadTag();
    text = ReadRawString();
    return true;
}

bool TClassReader::ReadFloat(double& value, bool skip) {
    if (PeekTag() != TIdentType::itExtended) {
        if (skip)
            SkipValue();
        return false;
    }
    ReadTag();
    value = ReadRawFloat();
    return true;
}

bool TClassReader::ReadSet(std::uint32_t& members, TEnumNameList names, bool skip) {
    if (PeekTag() != TIdentType::itSet) {
        if (skip)
            SkipValue();
        return false;
    }
    const std::size_t start = Position();
    ReadTag();
    std::uint32_t read = 0;
    for (;;) {
        const std::string_view name = ReadRawView();
        if (name.empty())
            break;
        const int found = FindName(names, name);
        if (found < 0 || found >= 32) {
            Seek(start);
            return false;
        }
        read |= std::uint32_t{1} << found;
    }
    members = read;
    return true;
}

bool TClassReader::ReadObject(std::unique_ptr<TPersistent>& obj, bool skip) {
    return ReadObjectChecked(obj, skip, {}, nullptr);
}

bool TClassReader::ReadObjectChecked(std::unique_ptr<TPersistent>& obj, bool skip,
                                     const std::function<bool(const TPersistent&)>& accepts,
                                     const TClassInfo& (*expected)()) {
    return ReadObjectInto(obj, skip, accepts, expected, nullptr);
}

bool TClassReader::ReadObjectInto(std::unique_ptr<TPersistent>& obj, bool skip,
                                  const std::function<bool(const TPersistent&)>& accepts,
                                  const TClassInfo& (*expected)(), TPersistent* into) {
    const std::size_t start = Position();
    try {
        const TIdentType tag = PeekTag();
        if (tag != TIdentType::itObjectBegin) {
            lastError_ = Fill(KELVO_TR("paClasses", "Expected prefix %s but %s found"),
                              {"itObjectBegin", IdentTypeName(tag)});
            if (skip)
                SkipValue();
            return false;
        }
        std::unique_ptr<TPersistent> read = ReadObjectBody(accepts, expected, into);
        if (read)
            obj = std::move(read);
        return true;
    } catch (const std::exception& e) {
        Seek(start);
        if (!IsValueFailure(e))
            throw;
        lastError_ = e.what();
    }
    if (skip) {
        try {
            SkipValue();
        } catch (const std::exception& e) {
            if (!IsValueFailure(e))
                throw;
            // What cannot be skipped cannot be trusted either.
            Seek(stream_.Data.size());
        }
    }
    return false;
}

std::unique_ptr<TPersistent>
TClassReader::ReadObjectBody(const std::function<bool(const TPersistent&)>& accepts,
                             const TClassInfo& (*expected)(), TPersistent* into) {
    TDepthGuard guard(depth_);
    const TClassInfo* cls = nullptr;
    std::string_view name;
    if (into != nullptr && TakeEntry(into->ClassType().BeginEntry())) {
        cls = &into->ClassType();
        name = cls->Name();
    } else {
        ReadTag();
        name = ReadRawView();
        cls = FindClass(name);
    }
    if (!cls)
        throw EClassReadingError(Fill(KELVO_TR("paClasses", "Class %s not found"), {name}));
    std::unique_ptr<TPersistent> obj;
    if (into == nullptr || &into->ClassType() != cls) {
        // A class's info follows its C++ bases, so where the expected class is known the
        // check needs no object.
        const bool accepted =
            expected ? cls->InheritsFrom(expected()) : !accepts || accepts(*(obj = cls->Create()));
        if (!accepted)
            throw EClassReadingError(
                Fill(KELVO_TR("paClasses", "Unexpected class %s where %s belongs"),
                     {name, expected ? expected().Name() : ""}),
                EClassReadingError::TReach::Record);
        if (!obj)
            obj = cls->Create();
        into = obj.get();
    }
    ReadProperties(*into, true);
    // The stream names the class as it spelt it at the start, which is mostly as it is
    // registered.
    if (name == cls->Name() && TakeEntry(cls->EndEntry()))
        return obj;
    Expect(ReadTag(), {TIdentType::itObjectEnd});
    const std::string_view end = ReadRawView();
    if (end != name)
        throw EClassReadingError(
            Fill(KELVO_TR("paClasses", "Expected end of class %s but dind %s"), {name, end}));
    return obj;
}

const TClassInfo* TClassReader::FindClass(std::string_view name) {
    for (const auto& [spelt, cls] : classes_)
        if (spelt == name)
            return cls;
    const TClassInfo* cls = registry_.Find(name);
    // Only found ones: a damaged file may name any number of others.
    if (cls != nullptr && classes_.size() < 32)
        classes_.emplace_back(name, cls);
    return cls;
}

void TClassReader::ReadProperties(TPersistent& obj) {
    ReadProperties(obj, false);
}

void TClassReader::ReadProperties(TPersistent& obj, bool made) {
    const TClassInfo& cls = obj.ClassType();
    const auto properties = cls.Properties();
    std::bitset<MaxProperties> set;
    // A value read in place a second time would start from the first one's.
    std::bitset<MaxProperties> seen;
    std::size_t hint = 0;
    while (PeekTag() == TIdentType::itPropName) {
        // Streams list the properties in table order, spelt as the table spells them: the
        // next one is mostly found by its bytes, before any name is read.
        int index = -1;
        for (std::size_t j = hint; j < properties.size(); ++j)
            if (TakeEntry(properties[j].Entry)) {
                index = static_cast<int>(j);
                break;
            }
        if (index < 0) {
            ReadTag();
            pending_ = ReadRawView();
            index = cls.FindProperty(pending_, hint);
        }
        if (index >= 0) {
            const auto i = static_cast<std::size_t>(index);
            hint = i + 1;
            const TPropertyInfo& p = properties[i];
            const bool inPlace = made && p.InPlace && !seen.test(i);
            seen.set(i);
            if (p.HasSetter() || p.Kind == TPropKind::Object) {
                if (ReadPropertyValue(obj, p, inPlace))
                    set.set(i);
            } else {
                // A block skipped ends with the property's name.
                pending_ = p.Name;
                SkipValue();
            }
            pending_.clear();
        } else {
            ReadProperty(obj, std::string(pending_));
        }
    }
    // A float or date-time is left out when it is 0.0; the constructor's value would
    // silently replace what was written.
    for (const std::uint8_t i : cls.ZeroWhenAbsent()) {
        const TPropertyInfo& p = properties[i];
        if (!set.test(i) && p.IsStored(obj))
            p.SetFloat(obj, 0.0);
    }
}

bool TClassReader::ReadProperty(TPersistent& obj, std::string_view name) {
    const std::string keep(name);
    pending_ = keep;
    const TClassInfo& cls = obj.ClassType();
    bool read = true;
    const int index = cls.FindProperty(keep);
    if (index >= 0) {
        const TPropertyInfo& p = cls.Properties()[static_cast<std::size_t>(index)];
        if (p.HasSetter() || p.Kind == TPropKind::Object)
            read = ReadPropertyValue(obj, p, false);
        else
            SkipValue();
        pending_.clear();
        return read;
    }
    for (auto customs : {cls.CustomBefore(), cls.CustomAfter()})
        for (const auto& c : customs) {
            if (pending_.empty())
                break;
            DefineProperty(
                c.Name, c.HasData(obj),
                [&](TClassReader& r) {
                    if (c.BeforeRead)
                        c.BeforeRead(obj);
                    c.ReadBlock(obj, r);
                },
                nullptr);
        }
    if (!pending_.empty()) {
        if (!IgnoreUnknownProperties)
            throw EClassReadingError(Fill(KELVO_TR("paClasses", "Not exist property %s"), {keep}));
        SkipValue();
    }
    pending_.clear();
    return true;
}

bool TClassReader::ReadPropertyValue(TPersistent& obj, const TPropertyInfo& p, bool inPlace) {
    switch (p.Kind) {
    case TPropKind::Integer: {
        std::int32_t v = 0;
        if (!ReadIntegerOrIdent(v, p.Idents, false))
            return false;
        if (p.HasMinimum && v < p.Minimum)
            v = p.Minimum;
        if (p.SetInt)
            p.SetInt(obj, v);
        return true;
    }
    case TPropKind::Enum: {
        int v = 0;
        if (!ReadEnum(v, p.Names, false))
            return false;
        if (p.SetInt)
            p.SetInt(obj, v);
        return true;
    }
    case TPropKind::Set: {
        std::uint32_t v = 0;
        if (!ReadSet(v, p.Names, false))
            return false;
        if (p.SetInt)
            p.SetInt(obj, v);
        return true;
    }
    case TPropKind::String: {
        std::string v;
        if (!ReadString(v, false))
            return false;
        if (p.SetString)
            p.SetString(obj, std::move(v));
        return true;
    }
    case TPropKind::Float:
    case TPropKind::DateTime: {
        double v = 0;
        if (!ReadFloat(v, false))
            return false;
        if (p.Kind == TPropKind::DateTime && !(v >= DateTimeStart && v < DateTimeEnd))
            throw EClassReadingError(
                Fill(KELVO_TR("paClasses", "Date-time of property %s is out of range"), {p.Name}),
                EClassReadingError::TReach::Record);
        if (p.SetFloat)
            p.SetFloat(obj, v);
        return true;
    }
    case TPropKind::Object: {
        // The owner is not const here, nor is what it holds.
        TPersistent* into = inPlace ? const_cast<TPersistent*>(p.GetObject(obj)) : nullptr;
        std::unique_ptr<TPersistent> nested;
        if (!ReadObjectInto(nested, false, p.Accepts, p.ExpectedClass, into))
            return false;
        if (nested && p.SetObject)
            p.SetObject(obj, std::move(nested));
        return true;
    }
    case TPropKind::Custom:
        break;
    }
    throw EClassReadingError(Fill(KELVO_TR("paClasses", "Unknown type of property %s"), {p.Name}));
}

void TClassReader::DefineProperty(std::string_view name, bool, const TReadProc& read,
                                  const TWriteProc&) {
    if (!read || !SameText(name, pending_))
        return;
    const std::string keep = pending_;
    const std::size_t start = Position();
    try {
        Expect(ReadTag(), {TIdentType::itUserBegin});
        read(*this);
        Expect(ReadTag(), {TIdentType::itUserEnd});
        const std::string_view end = ReadRawView();
        if (end != name)
            throw EClassReadingError(
                Fill(KELVO_TR("paClasses", "Expected end of block %s but %s found"), {name, end}));
    } catch (const std::exception& e) {
        if (!IsValueFailure(e)) {
            pending_.clear();
            throw;
        }
        Seek(start);
        pending_ = keep;
        SkipUserBlock();
    }
    pending_.clear();
}

void TClassReader::SkipValue() {
    auto skipRawString = [this]() { return ReadRawView().size(); };
    switch (ReadTag()) {
    case TIdentType::itEnum:
    case TIdentType::itString:
    case TIdentType::itIdent:
        skipRawString();
        break;
    case TIdentType::itInt32:
        Take(4);
        break;
    case TIdentType::itExtended:
        Take(10);
        break;
    case TIdentType::itSet:
        while (skipRawString() != 0) {
        }
        break;
    case TIdentType::itObjectBegin: {
        TDepthGuard guard(depth_);
        skipRawString();
        // A custom block inside ends with its own property's name, not the outer one's.
        const std::string outer = pending_;
        while (PeekTag() == TIdentType::itPropName) {
            ReadTag();
            pending_ = ReadRawView();
            SkipValue();
        }
        pending_ = outer;
        Expect(ReadTag(), {TIdentType::itObjectEnd});
        skipRawString();
        break;
    }
    case TIdentType::itUserBegin:
        SkipUserBlock();
        break;
    default:
        break;
    }
}

void TClassReader::SkipUserBlock() {
    const std::string_view data = stream_.Data;
    std::size_t from = stream_.Position;
    for (;;) {
        const std::size_t at = data.find(static_cast<char>(TIdentType::itUserEnd), from);
        if (at == std::string_view::npos) {
            Spend(data.size() - from);
            stream_.Position = data.size();
            ranOut_ = true;
            return;
        }
        Spend(at - from + 1);
        const std::size_t length = at + 1;
        if (data.size() - length >= 4) {
            const std::int32_t n = LoadRawInteger(data.data() + length);
            const std::size_t text = length + 4;
            if (n >= 0 && static_cast<std::size_t>(n) <= data.size() - text &&
                (pending_.empty() ||
                 SameText(data.substr(text, static_cast<std::size_t>(n)), pending_))) {
                stream_.Position = text + static_cast<std::size_t>(n);
                return;
            }
        }
        from = at + 1;
    }
}

} // namespace kelvo
