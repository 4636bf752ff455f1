#pragma once

#include <stdexcept>
#include <string>

namespace kelvo {

// Base of the program's own errors. The message is the text and the reason joined by a
// line break when both are given, otherwise whichever is not empty.
class EpaError : public std::runtime_error {
public:
    explicit EpaError(const std::string& text, const std::string& reason = {}, int code = 0);

    int Code() const noexcept { return code_; }

private:
    int code_;
};

// The severities: a critical error propagates; a warning is shown to the user and execution
// continues; a hint is only logged; a user error is never logged.
class EpaCritical : public EpaError {
public:
    using EpaError::EpaError;
};
class EpaWarning : public EpaError {
public:
    using EpaError::EpaError;
};
class EpaHint : public EpaError {
public:
    using EpaError::EpaError;
};
class EpaUser : public EpaError {
public:
    using EpaError::EpaError;
};

std::string ComposeErrorMessage(const std::string& text, const std::string& reason);

} // namespace kelvo
