#pragma once

// The object stream: a tagged binary format for trees of persisted objects. Every persisted
// class describes its properties once, in a property table (core/stream/PropertyTable.h);
// TClassWriter and TClassReader walk those tables, so no class writes stream code of its own.

#include "core/util/paColors.h"
#include "core/util/paError.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kelvo {

enum class TIdentType : std::uint8_t {
    itNull,
    itEnum,
    itInt32,
    itInt64,
    itExtended,
    itString,
    itIdent,
    itSet,
    itObjectBegin,
    itObjectEnd,
    itPropName,
    itUserBegin,
    itUserEnd,
};

std::string_view IdentTypeName(TIdentType tag);

class EClassReadingError : public EpaError {
public:
    // How far a failure reaches. A failed value makes its object fail (and an "Items" block
    // keeps what it read before it); some faults make the whole record unusable (an object of
    // the wrong class, an impossible date); a stream that costs far more work than its size
    // justifies is given up altogether.
    enum class TReach { Value, Record, Stream };

    explicit EClassReadingError(const std::string& text, TReach reach = TReach::Value)
        : EpaError(text), reach_(reach) {}

    TReach Reach() const noexcept { return reach_; }

private:
    TReach reach_;
};

// ---- raw values -------------------------------------------------------------------------

// The 10-byte x87 double-extended format, converted bit by bit (never through long double,
// whose size and format depend on the compiler and processor). Narrowing rounds to nearest,
// ties to even; values beyond the double range become infinities.
std::array<std::uint8_t, 10> DoubleToExtended(double value);
double ExtendedToDouble(const std::uint8_t* bytes);

inline char LowerAscii(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Names ignoring ASCII case. Names are short: a loop beats a call to memcmp.
inline bool SameText(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

// ---- identifier tables and enumeration names --------------------------------------------

struct TIdentEntry {
    std::string_view Name;
    std::int32_t Value;
};
using TIdentTable = std::span<const TIdentEntry>;

// Element names by ordinal; matched ignoring case when read.
using TEnumNameList = std::span<const std::string_view>;

inline constexpr std::string_view BooleanNames[] = {"False", "True"};

TIdentTable ColorIdents();

// ---- classes, properties, the registry --------------------------------------------------

class TClassInfo;
class TClassReader;
class TClassWriter;

// The root of every persisted class. ClassType is declared by KELVO_PERSISTENT.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual const TClassInfo& ClassType() const = 0;
    static const TClassInfo& StaticClass();
    const std::string& ClassName() const;
};

// Put at the top of a persisted class's body; leaves the class in a public section. The
// class then defines StaticClass() in its .cpp with a TClassBuilder (PropertyTable.h).
#define KELVO_PERSISTENT(C)                                                                        \
public:                                                                                            \
    static const ::kelvo::TClassInfo& StaticClass();                                               \
    const ::kelvo::TClassInfo& ClassType() const override {                                        \
        return StaticClass();                                                                      \
    }

// Components carry a name (never stored) and a tag (default 0). Hardly any has a name, and
// a notebook holds millions of components: an absent name costs one pointer.
class TComponent : public TPersistent {
    KELVO_PERSISTENT(TComponent)
    TComponent() = default;
    TComponent(const TComponent& other)
        : TPersistent(other),
          name_(other.name_ ? std::make_unique<std::string>(*other.name_) : nullptr),
          tag_(other.tag_) {}
    TComponent& operator=(const TComponent& other) {
        if (this != &other) {
            name_ = other.name_ ? std::make_unique<std::string>(*other.name_) : nullptr;
            tag_ = other.tag_;
        }
        return *this;
    }
    const std::string& Name() const { return name_ ? *name_ : NoName(); }
    void SetName(std::string name) {
        name_ = name.empty() ? nullptr : std::make_unique<std::string>(std::move(name));
    }
    std::int32_t Tag() const { return tag_; }
    void SetTag(std::int32_t tag) { tag_ = tag; }

private:
    static const std::string& NoName();
    std::unique_ptr<std::string> name_;
    std::int32_t tag_ = 0;
};

// A component that may add custom blocks ("Items") to its stream entry.
class TAdvComponent : public TComponent {
    KELVO_PERSISTENT(TAdvComponent)
};

enum class TPropKind { Integer, Enum, Set, String, Float, DateTime, Object, Custom };

// One row of a property table, type-erased. Built by TClassBuilder; read by the stream.
struct TPropertyInfo {
    std::string Name;
    // What the writer puts before the value: itPropName and Name, encoded once.
    std::string Entry;
    TPropKind Kind = TPropKind::Integer;
    bool HasDefault = false;
    std::int64_t Default = 0; // integer value, enumeration ordinal or set mask
    bool HasMinimum = false;  // integers: a smaller value read from a stream becomes this
    std::int32_t Minimum = 0;
    TIdentTable Idents;  // integers written as identifiers where named
    TEnumNameList Names; // enumeration and set elements
    bool StoredNever = false;
    // Objects: read into the object the getter gives (see TClassBuilder::ReadInPlace).
    bool InPlace = false;
    std::function<bool(const TPersistent&)> StoredIf; // empty: stored

    std::function<std::int64_t(const TPersistent&)> GetInt;
    std::function<void(TPersistent&, std::int64_t)> SetInt;
    std::function<double(const TPersistent&)> GetFloat;
    std::function<void(TPersistent&, double)> SetFloat;
    std::function<std::string_view(const TPersistent&, std::string& scratch)> GetString;
    std::function<void(TPersistent&, std::string&&)> SetString;
    std::function<const TPersistent*(const TPersistent&)> GetObject;
    std::function<void(TPersistent&, std::unique_ptr<TPersistent>)> SetObject;
    std::function<bool(const TPersistent&)> Accepts; // objects: the expected class
    const TClassInfo& (*ExpectedClass)() = nullptr;  // late: a class may nest itself

    // Custom blocks: written between itUserBegin and itUserEnd.
    bool CustomAfter = true;
    std::function<bool(const TPersistent&)> HasData;
    std::function<void(TPersistent&)> BeforeRead;
    std::function<void(TPersistent&, TClassReader&)> ReadBlock;
    std::function<void(const TPersistent&, TClassWriter&)> WriteBlock;

    bool HasSetter() const {
        switch (Kind) {
        case TPropKind::Integer:
        case TPropKind::Enum:
        case TPropKind::Set:
            return static_cast<bool>(SetInt);
        case TPropKind::String:
            return static_cast<bool>(SetString);
        case TPropKind::Float:
        case TPropKind::DateTime:
            return static_cast<bool>(SetFloat);
        case TPropKind::Object:
            return static_cast<bool>(SetObject);
        case TPropKind::Custom:
            return static_cast<bool>(ReadBlock);
        }
        return false;
    }
    bool IsStored(const TPersistent& obj) const {
        return !StoredNever && (!StoredIf || StoredIf(obj));
    }
};

class TClassInfo {
public:
    using TFactory = std::unique_ptr<TPersistent> (*)();

    TClassInfo(std::string name, const TClassInfo* parent, TFactory factory,
               std::vector<TPropertyInfo> own);

    const std::string& Name() const { return name_; }
    // itObjectBegin and itObjectEnd with the name, as written around every object.
    std::string_view BeginEntry() const { return beginEntry_; }
    std::string_view EndEntry() const { return endEntry_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool CanCreate() const { return factory_ != nullptr; }
    std::unique_ptr<TPersistent> Create() const { return factory_(); }

    // Inherited properties first, each class's own in declaration order.
    std::span<const TPropertyInfo> Properties() const { return properties_; }
    std::span<const TPropertyInfo> CustomBefore() const { return before_; }
    std::span<const TPropertyInfo> CustomAfter() const { return after_; }
    // Index into Properties(), ignoring case; -1 when absent. The search starts at hint:
    // streams list properties in table order.
    int FindProperty(std::string_view name, std::size_t hint = 0) const;
    // Indexes of the float and date-time properties a reader sets to 0.0 when left out.
    std::span<const std::uint8_t> ZeroWhenAbsent() const { return zeroWhenAbsent_; }

private:
    std::string name_;
    std::vector<std::uint8_t> zeroWhenAbsent_;
    std::string beginEntry_, endEntry_;
    const TClassInfo* parent_;
    TFactory factory_;
    std::vector<TPropertyInfo> properties_, before_, after_;
};

// Classes that can appear in a stream, by name (matched ignoring case). The program
// registers its classes at start in Global(); tests may keep registries of their own.
class TClassRegistry {
public:
    static TClassRegistry& Global();

    void Register(const TClassInfo& info);
    const TClassInfo* Find(std::string_view name) const;

private:
    struct TNameHash {
        std::size_t operator()(std::string_view name) const noexcept;
    };
    struct TNameEqual {
        bool operator()(std::string_view a, std::string_view b) const noexcept {
            return SameText(a, b);
        }
    };
    // Keyed by the registered infos' own names, which live as long as the program.
    std::unordered_map<std::string_view, const TClassInfo*, TNameHash, TNameEqual> classes_;
};

template <class... T> void RegisterClasses(TClassRegistry& registry = TClassRegistry::Global()) {
    (registry.Register(T::StaticClass()), ...);
}

// ---- the stream -------------------------------------------------------------------------

// A byte stream being read: the reader moves Position, never past the end.
struct TStreamView {
    std::string_view Data;
    std::size_t Position = 0;

    std::size_t Left() const { return Data.size() - Position; }
    bool AtEnd() const { return Position >= Data.size(); }
};

class TClassFiler {
public:
    using TReadProc = std::function<void(TClassReader&)>;
    using TWriteProc = std::function<void(TClassWriter&)>;

    virtual ~TClassFiler() = default;
    virtual void DefineProperty(std::string_view name, bool hasData, const TReadProc& read,
                                const TWriteProc& write) = 0;
};

// Appends to a buffer it does not own.
class TClassWriter final : public TClassFiler {
public:
    explicit TClassWriter(std::string& out) : out_(out) {}

    void DefineProperty(std::string_view name, bool hasData, const TReadProc& read,
                        const TWriteProc& write) override;

    void WriteTag(TIdentType tag) { out_.push_back(static_cast<char>(tag)); }
    void WriteRawInteger(std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                               static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
        out_.append(bytes, 4);
    }
    void WriteRawFloat(double value);
    void WriteRawString(std::string_view text);
    void WriteObjectBegin(const TPersistent& obj);
    void WriteObjectEnd(const TPersistent& obj);
    void WritePropName(std::string_view name);
    void WriteIntegerOrIdent(std::int32_t value, TIdentTable idents);
    void WriteInteger(std::int32_t value);
    void WriteIdent(std::string_view name);
    void WriteEnum(int ordinal, TEnumNameList names);
    void WriteString(std::string_view text);
    void WriteFloat(double value);
    void WriteSet(std::uint32_t members, TEnumNameList names);

    void WriteObject(const TPersistent& obj);
    void WriteProperties(const TPersistent& obj);
    void WriteProperty(const TPersistent& obj, const TPropertyInfo& property);

private:
    std::string& out_;
    std::string scratch_;
};

// Reads from a stream it does not own. Hostile input is expected: every length is checked
// against the bytes left, nesting is limited, and the total work is bounded by the size.
class TClassReader final : public TClassFiler {
public:
    static constexpr int MaxNesting = 32;

    explicit TClassReader(TStreamView& stream, bool ignoreUnknownProperties = false,
                          const TClassRegistry& registry = TClassRegistry::Global());

    bool IgnoreUnknownProperties;
    const std::string& PendingProperty() const { return pending_; }
    // The message of the last failed object read.
    const std::string& LastError() const { return lastError_; }

    void DefineProperty(std::string_view name, bool hasData, const TReadProc& read,
                        const TWriteProc& write) override;

    // Every value passes through these, so they stay in the header.
    TIdentType ReadTag() {
        const auto b = static_cast<std::uint8_t>(*Take(1));
        if (b > static_cast<std::uint8_t>(TIdentType::itUserEnd))
            ThrowIllegalPrefix();
        return static_cast<TIdentType>(b);
    }
    TIdentType PeekTag() {
        const TIdentType tag = ReadTag();
        --stream_.Position;
        return tag;
    }
    std::int32_t ReadRawInteger() { return LoadRawInteger(Take(4)); }
    double ReadRawFloat();
    std::string ReadRawString();
    // The same without a copy: valid while the stream's bytes are.
    std::string_view ReadRawView() {
        const std::int32_t n = ReadRawInteger();
        if (n < 0)
            ThrowReadError();
        return {Take(static_cast<std::size_t>(n)), static_cast<std::size_t>(n)};
    }
    std::string ReadObjectEnd();
    bool ReadIntegerOrIdent(std::int32_t& value, TIdentTable idents, bool skip);
    bool ReadInteger(std::int32_t& value, bool skip);
    bool ReadIdent(std::int32_t& value, TIdentTable idents, bool skip);
    bool ReadEnum(int& ordinal, TEnumNameList names, bool skip);
    bool ReadString(std::string& text, bool skip);
    bool ReadFloat(double& value, bool skip);
    bool ReadSet(std::uint32_t& members, TEnumNameList names, bool skip);

    // Creates the object named by the stream and reads it. On success replaces obj; on a
    // failure leaves obj untouched, the stream at the value (or after it when skip), records
    // LastError and answers false. Failures of reach Record or Stream are thrown.
    bool ReadObject(std::unique_ptr<TPersistent>& obj, bool skip);
    // The same, where only a T belongs: another class fails the record.
    template <class T> bool ReadObjectAs(std::unique_ptr<T>& obj, bool skip) {
        std::unique_ptr<TPersistent> read;
        if (!ReadObjectChecked(read, skip, &IsA<T>, &T::StaticClass))
            return false;
        obj.reset(static_cast<T*>(read.release()));
        return true;
    }
    // A record's object: anything else is an error with the reader's message.
    template <class T> std::unique_ptr<T> RequireObject() {
        std::unique_ptr<T> obj;
        if (!ReadObjectAs(obj, true))
            throw EClassReadingError(lastError_);
        return obj;
    }

    void ReadProperties(TPersistent& obj);
    // Answers false when the value was left unread (the object then fails).
    bool ReadProperty(TPersistent& obj, std::string_view name);
    void SkipValue();
    void SkipUserBlock();
    bool AtEnd() const { return stream_.AtEnd(); }
    // Whether a read since the last reset wanted bytes past the end of the stream.
    bool RanOut() const { return ranOut_; }
    void ResetRanOut() { ranOut_ = false; }
    std::size_t Position() const { return stream_.Position; }
    void Seek(std::size_t position) { stream_.Position = position; }

    template <class T> static bool IsA(const TPersistent& obj) {
        if constexpr (std::is_same_v<T, TPersistent>)
            return true;
        else
            return dynamic_cast<const T*>(&obj) != nullptr;
    }
    // accepts may be empty (any class).
    bool ReadObjectChecked(std::unique_ptr<TPersistent>& obj, bool skip,
                           const std::function<bool(const TPersistent&)>& accepts,
                           const TClassInfo& (*expected)());

private:
    const char* Take(std::size_t count) {
        if (count > stream_.Left()) {
            ranOut_ = true;
            ThrowReadError();
        }
        Spend(count);
        const char* p = stream_.Data.data() + stream_.Position;
        stream_.Position += count;
        return p;
    }
    void Spend(std::size_t bytes) {
        work_ += bytes;
        if (work_ > budget_)
            ThrowTooDamaged();
    }
    // Whether the stream holds exactly these bytes next (an entry the writer encoded once);
    // taken when it does.
    bool TakeEntry(std::string_view entry) {
        const std::size_t n = entry.size();
        if (n > stream_.Left())
            return false;
        const char* at = stream_.Data.data() + stream_.Position;
        if (n < 8) {
            if (std::memcmp(at, entry.data(), n) != 0)
                return false;
        } else {
            // Words compared inline, the last one overlapping: entries are short, and the
            // first word (the tag, the length, the first letters) tells most apart.
            const auto word = [](const char* p) {
                std::uint64_t w = 0;
                std::memcpy(&w, p, 8);
                return w;
            };
            for (std::size_t i = 0; i + 8 < n; i += 8)
                if (word(at + i) != word(entry.data() + i))
                    return false;
            if (word(at + n - 8) != word(entry.data() + n - 8))
                return false;
        }
        Spend(n);
        stream_.Position += n;
        return true;
    }
    // Little-endian whatever the processor.
    static std::int32_t LoadRawInteger(const char* bytes) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes);
        return static_cast<std::int32_t>(p[0] | (std::uint32_t{p[1]} << 8) |
                                         (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
    }
    [[noreturn]] static void ThrowReadError();
    [[noreturn]] static void ThrowIllegalPrefix();
    [[noreturn]] static void ThrowTooDamaged();
    void Expect(TIdentType found, std::initializer_list<TIdentType> admissible);
    // With into, an object of into's own class is read into it and nothing is answered.
    bool ReadObjectInto(std::unique_ptr<TPersistent>& obj, bool skip,
                        const std::function<bool(const TPersistent&)>& accepts,
                        const TClassInfo& (*expected)(), TPersistent* into);
    std::unique_ptr<TPersistent>
    ReadObjectBody(const std::function<bool(const TPersistent&)>& accepts,
                   const TClassInfo& (*expected)(), TPersistent* into);
    // made: obj was made by this reader for the value being read.
    void ReadProperties(TPersistent& obj, bool made);
    bool ReadPropertyValue(TPersistent& obj, const TPropertyInfo& property, bool inPlace);
    const TClassInfo* FindClass(std::string_view name);

    TStreamView& stream_;
    const TClassRegistry& registry_;
    std::string pending_;
    std::string lastError_;
    int depth_ = 0;
    bool ranOut_ = false;
    std::size_t work_ = 0;
    std::size_t budget_;
    // A file names the same few classes over and over, spelt the same way each time.
    std::vector<std::pair<std::string, const TClassInfo*>> classes_;
};

} // namespace kelvo
