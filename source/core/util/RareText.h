#pragma once

// A text member that most objects leave empty: one pointer, no block until it holds something.

#include <memory>
#include <string>

namespace kelvo {

class TRareText {
public:
    TRareText() = default;
    TRareText(const TRareText& other) { *this = other; }
    TRareText& operator=(const TRareText& other) {
        if (this != &other)
            Set(other.Get());
        return *this;
    }
    TRareText(TRareText&&) noexcept = default;
    TRareText& operator=(TRareText&&) noexcept = default;

    const std::string& Get() const { return text_ ? *text_ : Empty(); }
    void Set(std::string text) {
        if (text.empty())
            text_.reset();
        else if (text_)
            *text_ = std::move(text);
        else
            text_ = std::make_unique<std::string>(std::move(text));
    }
    bool operator==(const std::string& text) const { return Get() == text; }

private:
    static const std::string& Empty() {
        static const std::string empty;
        return empty;
    }
    std::unique_ptr<std::string> text_;
};

} // namespace kelvo
