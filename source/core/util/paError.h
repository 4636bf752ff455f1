#pragma once

#include "core/util/paIError.h"

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

// Build an error of class E (text and reason as in EpaError) and hand it to the raiser of
// the severity: a critical error propagates, a warning is presented and execution goes on
// after the call, a hint is dropped. Each is really thrown, so each is logged.
template <class E = EpaCritical>
void RaiseCritical(const std::string& reason = {}, const std::string& text = {}) {
    CriticalRaiser().Raise([&] { throw E(text, reason); });
}
template <class E = EpaWarning>
void RaiseWarning(const std::string& reason = {}, const std::string& text = {}) {
    WarningRaiser().Raise([&] { throw E(text, reason); });
}
template <class E = EpaHint>
void RaiseHint(const std::string& reason = {}, const std::string& text = {}) {
    HintRaiser().Raise([&] { throw E(text, reason); });
}

inline void CheckWarning(bool condition, const std::string& text = {}) {
    if (!condition)
        RaiseWarning({}, text);
}
inline void CheckHint(bool condition, const std::string& text = {}) {
    if (!condition)
        RaiseHint({}, text);
}

} // namespace kelvo
