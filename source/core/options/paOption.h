#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::paOption {

// A node of a small settings tree. Changes propagate to the parent; while an update is in
// progress (BeginUpdate) they are held back and reported once by the last EndUpdate.
class TAbstractOption {
public:
    explicit TAbstractOption(std::string name, std::string caption = {});
    virtual ~TAbstractOption();
    TAbstractOption(const TAbstractOption&) = delete;
    TAbstractOption& operator=(const TAbstractOption&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    TAbstractOption* Parent() const { return parent_; }

    std::function<void(TAbstractOption& sender)> OnChange;

    virtual void Assign(const TAbstractOption& source);
    virtual void Changed(TAbstractOption& sender);
    virtual void FireChange(TAbstractOption& sender);
    virtual void AssignValue(const TAbstractOption& source) = 0;
    virtual std::string Path() const;
    virtual void Reset() = 0;
    virtual bool IsDefault() const = 0;
    virtual bool IsModified() const = 0;
    virtual void ClearModified() = 0;
    virtual void NotifyAll();
    virtual void NotifyIfModified();
    virtual void BeginUpdate();
    virtual void EndUpdate();

protected:
    int UpdateCount() const { return updateCount_; }

private:
    friend class TOptionsContainer;
    std::string name_;
    std::string caption_;
    TAbstractOption* parent_ = nullptr;
    int updateCount_ = 0;
};

class TSingleOption : public TAbstractOption {
public:
    using TAbstractOption::TAbstractOption;
    void Changed(TAbstractOption& sender) override;
    bool IsModified() const override { return modified_; }
    void ClearModified() override { modified_ = false; }
    void NotifyIfModified() override;

private:
    bool modified_ = false;
};

class TStringOption : public TSingleOption {
public:
    explicit TStringOption(std::string name, std::string def = {}, std::string caption = {});

    const std::string& Value() const { return value_; }
    void SetValue(const std::string& value);
    const std::string& Default() const { return default_; }

    void AssignValue(const TAbstractOption& source) override;
    void Reset() override { SetValue(default_); }
    bool IsDefault() const override { return value_ == default_; }

private:
    std::string value_;
    std::string default_;
};

// Holds child nodes (owned) and applies the tree operations to each of them.
class TOptionsContainer : public TAbstractOption {
public:
    using TAbstractOption::TAbstractOption;
    ~TOptionsContainer() override;

    template <class T, class... Args> T& Add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        AddChild(std::move(child));
        return ref;
    }
    void AddChild(std::unique_ptr<TAbstractOption> child);
    std::size_t Count() const { return children_.size(); }
    TAbstractOption& Child(std::size_t i) const { return *children_.at(i); }
    // Case-insensitive.
    TAbstractOption* Find(const std::string& name) const;

    void AssignValue(const TAbstractOption& source) override;
    void Reset() override;
    bool IsDefault() const override;
    bool IsModified() const override;
    void ClearModified() override;
    void NotifyAll() override;
    void NotifyIfModified() override;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    std::vector<std::unique_ptr<TAbstractOption>> children_;
};

class TAutoOptionsContainer : public TOptionsContainer {
public:
    using TOptionsContainer::TOptionsContainer;
};

// The user name and password of a mail server login.
class TPasswordOptions : public TOptionsContainer {
public:
    explicit TPasswordOptions(std::string name = "Login");

    TStringOption& UserName() { return userName_; }
    const TStringOption& UserName() const { return userName_; }
    TStringOption& Password() { return password_; }
    const TStringOption& Password() const { return password_; }

private:
    TStringOption& userName_;
    TStringOption& password_;
};

} // namespace kelvo::paOption
