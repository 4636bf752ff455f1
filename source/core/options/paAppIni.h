#pragma once

#include "core/util/paDateUtils.h"
#include "core/util/paError.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kelvo {

class EAppIniError : public EpaError {
public:
    using EpaError::EpaError;
};

// The kinds of value a store keeps apart, as the registry does: text (REG_SZ), a 32-bit
// number (REG_DWORD) and anything else (binary, lists, values of unknown type).
enum class TIniValueKind { Text, Integer, Binary };

struct TIniValue {
    TIniValueKind Kind = TIniValueKind::Text;
    std::string Text;        // Text: UTF-8; Binary: the raw bytes
    std::int32_t Number = 0; // Integer

    static TIniValue FromText(std::string text) {
        return {TIniValueKind::Text, std::move(text), 0};
    }
    static TIniValue FromInteger(std::int32_t n) { return {TIniValueKind::Integer, {}, n}; }
    static TIniValue FromBinary(std::string bytes) {
        return {TIniValueKind::Binary, std::move(bytes), 0};
    }
    bool operator==(const TIniValue&) const = default;
};

// The per-user settings store: named values in named sections (an empty section is the
// store's top level). Typed reads take a default and never fail; writes report success and
// never raise. The store opens lazily on first use and stays open until the application key
// changes or the store is destroyed. Implementations only move raw values; every encoding
// and every tolerant read rule lives here, so all stores read alike.
class TAppIni {
public:
    explicit TAppIni(std::string appKey = {});
    virtual ~TAppIni();
    TAppIni(const TAppIni&) = delete;
    TAppIni& operator=(const TAppIni&) = delete;

    const std::string& AppKey() const { return appKey_; }
    void SetAppKey(const std::string& appKey);

    // Opens the store; raises EAppIniError when no application key is set or the store
    // cannot be opened. Reads and writes call it and absorb the error.
    void Open();
    bool IsOpen() const { return open_; }

    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& def);
    bool WriteString(const std::string& section, const std::string& name, const std::string& value);

    // Decimal text is accepted; an existing text value is rewritten as decimal text.
    std::int32_t ReadInteger(const std::string& section, const std::string& name, std::int32_t def);
    bool WriteInteger(const std::string& section, const std::string& name, std::int32_t value);

    // A value outside minValue..maxValue yields the default.
    std::int32_t ReadEnum(const std::string& section, const std::string& name, std::int32_t def,
                          std::int32_t minValue, std::int32_t maxValue);
    bool WriteEnum(const std::string& section, const std::string& name, std::int32_t value);

    // Stored as "True"/"False"; "TRUE" in any case or "1" is true, other text false; an empty
    // text, a missing value or another kind is read as an integer, then the default.
    bool ReadBool(const std::string& section, const std::string& name, bool def);
    bool WriteBool(const std::string& section, const std::string& name, bool value);

    // Two integers, name + ".Time" (milliseconds into the day) and name + ".Date" (days from
    // 1 January of year 1, that day being 1). Only values from 0 on can be written.
    TDateTime ReadDateTime(const std::string& section, const std::string& name, TDateTime def);
    bool WriteDateTime(const std::string& section, const std::string& name, TDateTime value);

    // Writes between BeginUpdate and the matching EndUpdate may be kept back and reach the
    // store together (one file write instead of one per value); EndUpdate reports whether
    // they did. Inside, a write reports only that the value was accepted.
    void BeginUpdate() { ++updateCount_; }
    bool EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    // The raw value, nothing when missing or when the store cannot be opened.
    std::optional<TIniValue> ReadValue(const std::string& section, const std::string& name);
    bool WriteValue(const std::string& section, const std::string& name, const TIniValue& value);
    // Takes the value out of the store; true when it is gone (or was never there).
    bool DeleteValue(const std::string& section, const std::string& name);

    static constexpr std::int32_t kDateDelta = 693594; // days from 1 Jan 0001 to 30 Dec 1899
    static constexpr std::int64_t kMSecsPerDay = 86400000;

protected:
    virtual void DoOpen(const std::string& appKey) = 0;
    virtual void DoClose() noexcept = 0;
    virtual std::optional<TIniValue> DoRead(const std::string& section,
                                            const std::string& name) = 0;
    virtual bool DoWrite(const std::string& section, const std::string& name,
                         const TIniValue& value) = 0;
    // Makes kept-back writes durable; the default keeps nothing back.
    virtual bool DoFlush() { return true; }
    // A store that cannot remove a value keeps it.
    virtual bool DoDelete(const std::string& /*section*/, const std::string& /*name*/) {
        return false;
    }
    // Derived destructors call this so DoClose runs while the derived part still exists.
    void Close() noexcept;

private:
    bool EnsureOpen() noexcept;

    std::string appKey_;
    bool open_ = false;
    int updateCount_ = 0;
};

// Keeps a store's writes together for the lifetime of the object.
class TAppIniUpdate {
public:
    explicit TAppIniUpdate(TAppIni& ini) : ini_(ini) { ini_.BeginUpdate(); }
    ~TAppIniUpdate() { ini_.EndUpdate(); }
    TAppIniUpdate(const TAppIniUpdate&) = delete;
    TAppIniUpdate& operator=(const TAppIniUpdate&) = delete;

private:
    TAppIni& ini_;
};

// Parses optional blanks, an optional sign and decimal digits that fit 32 bits.
std::optional<std::int32_t> ParseDecimalInt32(const std::string& text);

// A store kept in memory, for tests and for running without a settings file. Its content
// survives closing and reopening, as a registry key would.
class TMemAppIni : public TAppIni {
public:
    using TSection = std::map<std::string, TIniValue>;

    explicit TMemAppIni(std::string appKey = "\\Test");
    ~TMemAppIni() override;

    const std::map<std::string, TSection>& Sections() const { return sections_; }
    void Clear() { sections_.clear(); }
    // Makes every later write fail, as a store without write access would.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int OpenCount() const { return openCount_; }

protected:
    void DoOpen(const std::string& appKey) override;
    void DoClose() noexcept override {}
    std::optional<TIniValue> DoRead(const std::string& section, const std::string& name) override;
    bool DoWrite(const std::string& section, const std::string& name,
                 const TIniValue& value) override;
    bool DoDelete(const std::string& section, const std::string& name) override;

private:
    std::map<std::string, TSection> sections_;
    bool readOnly_ = false;
    int openCount_ = 0;
};

} // namespace kelvo
