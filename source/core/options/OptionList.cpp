#include "core/options/OptionList.h"

#include "core/options/paAppIni.h"

#include <algorithm>

namespace kelvo {

TOption::TOption(std::string name, std::string category)
    : name_(std::move(name)), category_(std::move(category)) {}

TOption::~TOption() = default;

void TOption::Changed() {
    if (list_ && list_->NotifyEnabled() && OnChanged)
        OnChanged(*this);
}

void TOption::SaveTo(TAppIni&, const std::string&) {}
void TOption::LoadFrom(TAppIni&, const std::string&) {}
void TOption::Reset() {}
bool TOption::IsDefault() const {
    return true;
}
std::string TOption::AsText() const {
    return "not implemented";
}

void TOption::Assign(const TOption& source) {
    AssignError(source);
}

void TOption::AssignError(const TOption& source) const {
    throw EOptionError(std::string("Cannot assign a ") + source.ClassName() + " to a " +
                       ClassName());
}

TOptionList::TOptionList(std::string section) : section_(std::move(section)) {}

TOptionList::~TOptionList() = default;

TOption& TOptionList::Add(std::unique_ptr<TOption> option) {
    option->list_ = this;
    options_.push_back(std::move(option));
    return *options_.back();
}

void TOptionList::Remove(TOption& option) {
    const auto it = std::find_if(options_.begin(), options_.end(),
                                 [&](const auto& p) { return p.get() == &option; });
    if (it != options_.end())
        options_.erase(it);
}

void TOptionList::Clear() {
    options_.clear();
}

void TOptionList::Load(TAppIni& ini, bool filter, const std::string& category) {
    for (const auto& option : options_)
        if (!filter || option->Category() == category)
            option->LoadFrom(ini, section_);
}

void TOptionList::Save(TAppIni& ini, bool filter, const std::string& category) {
    const TAppIniUpdate update(ini);
    for (const auto& option : options_)
        if (!filter || option->Category() == category)
            option->SaveTo(ini, section_);
}

void TOptionList::Reset(bool filter, const std::string& category) {
    for (const auto& option : options_)
        if (!filter || option->Category() == category)
            option->Reset();
}

bool TOptionList::IsDefault(bool filter, const std::string& category) const {
    return std::all_of(options_.begin(), options_.end(), [&](const auto& option) {
        return (filter && option->Category() != category) || option->IsDefault();
    });
}

TOption* TOptionList::FindOption(const std::string& name) const {
    for (const auto& option : options_)
        if (option->Name() == name)
            return option.get();
    return nullptr;
}

TOption& TOptionList::OptionByName(const std::string& name) const {
    if (TOption* option = FindOption(name))
        return *option;
    throw EOptionError("Option \"" + name + "\" not fount");
}

void TOptionList::AssignValues(const TOptionList& source) {
    for (const auto& option : source.options_)
        if (TOption* own = FindOption(option->Name()))
            own->Assign(*option);
}

void TOptionList::AssignTo(TOptionList& target) const {
    if (&target == this)
        return;
    target.Clear();
    for (const auto& option : options_) {
        auto copy = option->CreateSame();
        copy->Assign(*option);
        copy->SetCategory(option->Category());
        copy->SetName(option->Name());
        target.Add(std::move(copy));
    }
}

void TOptionList::WriteToStrings(std::vector<std::string>& lines) const {
    for (const auto& option : options_)
        lines.push_back(option->Name() + "=" + option->AsText());
}

} // namespace kelvo
