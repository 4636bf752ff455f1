#pragma once

#include "core/util/paError.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

class TAppIni;
class TOptionList;

class EOptionError : public EpaError {
public:
    using EpaError::EpaError;
};

// A named setting. Its value kinds live in OptionsStd.
class TOption {
public:
    explicit TOption(std::string name, std::string category = {});
    virtual ~TOption();
    TOption(const TOption&) = delete;
    TOption& operator=(const TOption&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& Category() const { return category_; }
    void SetCategory(const std::string& category) { category_ = category; }
    TOptionList* OptionList() const { return list_; }

    std::function<void(TOption&)> OnChanged;

    // Notifies OnChanged when a member of a list whose notification is on.
    virtual void Changed();
    virtual void SaveTo(TAppIni& ini, const std::string& section);
    virtual void LoadFrom(TAppIni& ini, const std::string& section);
    virtual void Reset();
    virtual bool IsDefault() const;
    virtual std::string AsText() const;

    // Copies default and value from an option of the same class; raises EOptionError for
    // another class.
    virtual void Assign(const TOption& source);
    // A new option of the same class and name, at its class's initial state.
    virtual std::unique_ptr<TOption> CreateSame() const = 0;
    virtual const char* ClassName() const = 0;

protected:
    [[noreturn]] void AssignError(const TOption& source) const;

private:
    friend class TOptionList;
    std::string name_;
    std::string category_;
    TOptionList* list_ = nullptr;
};

// The options of one window, in declaration order. The list owns its members; a member
// removed from the list is destroyed.
class TOptionList {
public:
    explicit TOptionList(std::string section = "Options");
    ~TOptionList();
    TOptionList(const TOptionList&) = delete;
    TOptionList& operator=(const TOptionList&) = delete;

    const std::string& Section() const { return section_; }
    void SetSection(const std::string& section) { section_ = section; }

    template <class T, class... Args> T& Add(Args&&... args) {
        auto option = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *option;
        Add(std::move(option));
        return ref;
    }
    TOption& Add(std::unique_ptr<TOption> option);
    void Remove(TOption& option);
    void Clear();

    std::size_t Count() const { return options_.size(); }
    TOption& Option(std::size_t index) const { return *options_.at(index); }

    void Load(TAppIni& ini, bool filter = false, const std::string& category = {});
    void Save(TAppIni& ini, bool filter = false, const std::string& category = {});
    void Reset(bool filter = false, const std::string& category = {});
    bool IsDefault(bool filter = false, const std::string& category = {}) const;

    TOption* FindOption(const std::string& name) const;
    // Raises EOptionError "Option "name" not fount" when there is none.
    TOption& OptionByName(const std::string& name) const;

    // Assigns every same-named member from the other list's options.
    void AssignValues(const TOptionList& source);
    // Replaces the target's members by copies of these (values, defaults, names,
    // categories; no handlers).
    void AssignTo(TOptionList& target) const;

    bool NotifyEnabled() const { return notify_; }
    void DisableNotify() { notify_ = false; }
    void EnableNotify() { notify_ = true; }

    // One "name=text" line per member, in order.
    void WriteToStrings(std::vector<std::string>& lines) const;

private:
    std::string section_;
    std::vector<std::unique_ptr<TOption>> options_;
    bool notify_ = true;
};

} // namespace kelvo
