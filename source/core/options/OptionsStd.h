#pragma once

#include "core/options/OptionList.h"
#include "core/options/paFont.h"

#include <cstdint>
#include <string>
#include <typeinfo>

namespace kelvo {

// An option holding one plain value and its default. Setting an equal value does nothing.
template <class T> class TValueOption : public TOption {
public:
    TValueOption(std::string name, std::string category, T def)
        : TOption(std::move(name), std::move(category)), value_(def), default_(def) {}

    const T& Value() const { return value_; }
    void SetValue(const T& value) {
        if (value == value_)
            return;
        value_ = value;
        Changed();
    }
    const T& DefaultValue() const { return default_; }
    void SetDefaultValue(const T& def) { default_ = def; }

    void Reset() override { SetValue(default_); }
    bool IsDefault() const override { return value_ == default_; }

protected:
    // Same class only: default first, then the value, so Changed fires on a real change.
    template <class Self> void AssignSame(const TOption& source) {
        const auto* same = dynamic_cast<const Self*>(&source);
        if (!same || typeid(*same) != typeid(*this))
            AssignError(source);
        default_ = same->default_;
        SetValue(same->value_);
    }

private:
    T value_;
    T default_;
};

class TBooleanOption : public TValueOption<bool> {
public:
    TBooleanOption(std::string name, std::string category = {}, bool def = false)
        : TValueOption(std::move(name), std::move(category), def) {}
    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    std::string AsText() const override { return Value() ? "-1" : "0"; }
    void Assign(const TOption& source) override { AssignSame<TBooleanOption>(source); }
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TBooleanOption>(Name());
    }
    const char* ClassName() const override { return "TBooleanOption"; }
};

class TIntegerOption : public TValueOption<std::int32_t> {
public:
    TIntegerOption(std::string name, std::string category = {}, std::int32_t def = 0)
        : TValueOption(std::move(name), std::move(category), def) {}
    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    std::string AsText() const override { return std::to_string(Value()); }
    void Assign(const TOption& source) override { AssignSame<TIntegerOption>(source); }
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TIntegerOption>(Name());
    }
    const char* ClassName() const override { return "TIntegerOption"; }
};

class TColorOption : public TValueOption<TColor> {
public:
    TColorOption(std::string name, std::string category = {}, TColor def = clBlack)
        : TValueOption(std::move(name), std::move(category), def) {}
    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    std::string AsText() const override;
    void Assign(const TOption& source) override { AssignSame<TColorOption>(source); }
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TColorOption>(Name());
    }
    const char* ClassName() const override { return "TColorOption"; }
};

class TStringOption : public TValueOption<std::string> {
public:
    TStringOption(std::string name, std::string category = {}, std::string def = {})
        : TValueOption(std::move(name), std::move(category), std::move(def)) {}
    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    std::string AsText() const override { return Value(); }
    void Assign(const TOption& source) override { AssignSame<TStringOption>(source); }
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TStringOption>(Name());
    }
    const char* ClassName() const override { return "TStringOption"; }
};

class TDoubleOption : public TValueOption<double> {
public:
    TDoubleOption(std::string name, std::string category = {}, double def = 0)
        : TValueOption(std::move(name), std::move(category), def) {}
    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    std::string AsText() const override;
    void Assign(const TOption& source) override { AssignSame<TDoubleOption>(source); }
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TDoubleOption>(Name());
    }
    const char* ClassName() const override { return "TDoubleOption"; }
};

// Any change of the value font calls Changed; IsDefault compares as displayed (SameFont).
class TFontOption : public TOption {
public:
    TFontOption(std::string name, std::string category = {}, const TFont& def = {})
        : TOption(std::move(name), std::move(category)), font_(def), default_(def) {}

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    const TFont& DefaultFont() const { return default_; }
    void SetDefaultFont(const TFont& font) { default_ = font; }

    void SaveTo(TAppIni& ini, const std::string& section) override;
    void LoadFrom(TAppIni& ini, const std::string& section) override;
    void Reset() override { SetFont(default_); }
    bool IsDefault() const override { return SameFont(font_, default_); }
    std::string AsText() const override;
    void Assign(const TOption& source) override;
    std::unique_ptr<TOption> CreateSame() const override {
        return std::make_unique<TFontOption>(Name());
    }
    const char* ClassName() const override { return "TFontOption"; }

private:
    TFont font_;
    TFont default_;
};

} // namespace kelvo
