#include "core/options/paOption.h"

#include <algorithm>
#include <cctype>

namespace kelvo::paOption {

TAbstractOption::TAbstractOption(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

TAbstractOption::~TAbstractOption() = default;

void TAbstractOption::Assign(const TAbstractOption& source) {
    BeginUpdate();
    AssignValue(source);
    EndUpdate();
}

void TAbstractOption::Changed(TAbstractOption& sender) {
    if (updateCount_ == 0)
        FireChange(sender);
}

void TAbstractOption::FireChange(TAbstractOption& sender) {
    if (OnChange)
        OnChange(sender);
    if (parent_)
        parent_->Changed(sender);
}

std::string TAbstractOption::Path() const {
    const std::string parentPath = parent_ ? parent_->Path() : std::string();
    return parentPath.empty() ? name_ : parentPath + "." + name_;
}

void TAbstractOption::NotifyAll() {
    FireChange(*this);
}

void TAbstractOption::NotifyIfModified() {
    if (IsModified())
        FireChange(*this);
}

void TAbstractOption::BeginUpdate() {
    ++updateCount_;
}

void TAbstractOption::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        NotifyIfModified();
}

void TSingleOption::Changed(TAbstractOption& sender) {
    modified_ = true;
    if (UpdateCount() == 0) {
        FireChange(sender);
        modified_ = false;
    }
}

void TSingleOption::NotifyIfModified() {
    if (modified_) {
        FireChange(*this);
        modified_ = false;
    }
}

TStringOption::TStringOption(std::string name, std::string def, std::string caption)
    : TSingleOption(std::move(name), std::move(caption)), value_(def), default_(std::move(def)) {}

void TStringOption::SetValue(const std::string& value) {
    if (value == value_)
        return;
    value_ = value;
    Changed(*this);
}

void TStringOption::AssignValue(const TAbstractOption& source) {
    if (const auto* s = dynamic_cast<const TStringOption*>(&source)) {
        default_ = s->default_;
        SetValue(s->value_);
    }
}

TOptionsContainer::~TOptionsContainer() = default;

void TOptionsContainer::AddChild(std::unique_ptr<TAbstractOption> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
}

TAbstractOption* TOptionsContainer::Find(const std::string& name) const {
    const auto same = [&](const std::string& other) {
        return other.size() == name.size() &&
               std::equal(other.begin(), other.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const auto& child : children_)
        if (same(child->Name()))
            return child.get();
    return nullptr;
}

void TOptionsContainer::AssignValue(const TAbstractOption& source) {
    const auto* other = dynamic_cast<const TOptionsContainer*>(&source);
    if (!other)
        return;
    for (const auto& child : children_)
        if (const TAbstractOption* from = other->Find(child->Name()))
            child->Assign(*from);
}

void TOptionsContainer::Reset() {
    BeginUpdate();
    for (const auto& child : children_)
        child->Reset();
    EndUpdate();
}

bool TOptionsContainer::IsDefault() const {
    return std::all_of(children_.begin(), children_.end(),
                       [](const auto& c) { return c->IsDefault(); });
}

bool TOptionsContainer::IsModified() const {
    return std::any_of(children_.begin(), children_.end(),
                       [](const auto& c) { return c->IsModified(); });
}

void TOptionsContainer::ClearModified() {
    for (const auto& child : children_)
        child->ClearModified();
}

void TOptionsContainer::NotifyAll() {
    for (const auto& child : children_)
        child->NotifyAll();
}

void TOptionsContainer::NotifyIfModified() {
    for (const auto& child : children_)
        child->NotifyIfModified();
}

void TOptionsContainer::BeginUpdate() {
    TAbstractOption::BeginUpdate();
    for (const auto& child : children_)
        child->BeginUpdate();
}

void TOptionsContainer::EndUpdate() {
    // Released first, so each child's held-back change reaches this container's handler.
    if (updateCount_ > 0)
        --updateCount_;
    for (const auto& child : children_)
        child->EndUpdate();
}

TPasswordOptions::TPasswordOptions(std::string name)
    : TOptionsContainer(std::move(name)), userName_(Add<TStringOption>("UserName")),
      password_(Add<TStringOption>("Password")) {}

} // namespace kelvo::paOption
