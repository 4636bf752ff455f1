#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace kelvo {

// Something that raises an error of a given severity. The error is always really thrown,
// even when it is caught at once, so that the exception log sees it where it was raised.
class IpaErrorRaiser {
public:
    virtual ~IpaErrorRaiser() = default;
    // throwIt throws the exception; what happens after that is the raiser's choice.
    virtual void Raise(const std::function<void()>& throwIt) = 0;
};

// Lets the exception propagate.
class TpaRaiser : public IpaErrorRaiser {
public:
    void Raise(const std::function<void()>& throwIt) override;
};

// Catches the exception at once and hands it to DispatchError; execution continues.
class TpaRaiserAndHandler : public IpaErrorRaiser {
public:
    void Raise(const std::function<void()>& throwIt) override;
};

// Catches the exception at once and drops it (it has been logged when it was thrown).
class TpaRaiserAndSilent : public IpaErrorRaiser {
public:
    void Raise(const std::function<void()>& throwIt) override;
};

// The process-wide raiser slots. An empty warning slot falls back to the critical raiser,
// an empty hint slot to the warning raiser; the critical raiser is a TpaRaiser unless set.
IpaErrorRaiser& CriticalRaiser();
IpaErrorRaiser& WarningRaiser();
IpaErrorRaiser& HintRaiser();
void SetCriticalRaiser(std::unique_ptr<IpaErrorRaiser> raiser);
void SetWarningRaiser(std::unique_ptr<IpaErrorRaiser> raiser);
void SetHintRaiser(std::unique_ptr<IpaErrorRaiser> raiser);

// The one process-wide error handler: receives every error that reaches the event loop or
// the entry code, and every warning. exception is null when the thrown object is not a
// std::exception.
class IpaErrorHandler {
public:
    virtual ~IpaErrorHandler() = default;
    virtual void HandleError(const void* sender, const std::exception* exception) = 0;
};

// Returns the previous handler.
std::unique_ptr<IpaErrorHandler> SetErrorHandler(std::unique_ptr<IpaErrorHandler> handler);
IpaErrorHandler* ErrorHandler();

// Without an exception, the one being handled (if any) is taken. Without a handler, the
// message goes to the error message box. Never throws.
void DispatchError(const void* sender, const std::exception* exception = nullptr) noexcept;

// Shows an error message when no handler is registered; by default it goes to stderr.
using TErrorMessageBox = std::function<void(const std::string& message)>;
void SetErrorMessageBox(TErrorMessageBox box);

} // namespace kelvo
