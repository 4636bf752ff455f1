#include "core/util/paIError.h"

#include <cstdio>

namespace kelvo {

void TpaRaiser::Raise(const std::function<void()>& throwIt) {
    throwIt();
}

void TpaRaiserAndHandler::Raise(const std::function<void()>& throwIt) {
    try {
        throwIt();
    } catch (const std::exception& e) {
        DispatchError(this, &e);
    } catch (...) {
        DispatchError(this, nullptr);
    }
}

void TpaRaiserAndSilent::Raise(const std::function<void()>& throwIt) {
    try {
        throwIt();
    } catch (...) {
    }
}

namespace {

struct TRaiserSlots {
    std::unique_ptr<IpaErrorRaiser> critical;
    std::unique_ptr<IpaErrorRaiser> warning;
    std::unique_ptr<IpaErrorRaiser> hint;
};

TRaiserSlots& Slots() {
    static TRaiserSlots slots;
    return slots;
}

std::unique_ptr<IpaErrorHandler>& HandlerSlot() {
    static std::unique_ptr<IpaErrorHandler> handler;
    return handler;
}

TErrorMessageBox& MessageBoxSlot() {
    static TErrorMessageBox box;
    return box;
}

} // namespace

IpaErrorRaiser& CriticalRaiser() {
    auto& slots = Slots();
    if (!slots.critical)
        slots.critical = std::make_unique<TpaRaiser>();
    return *slots.critical;
}

IpaErrorRaiser& WarningRaiser() {
    auto& slots = Slots();
    return slots.warning ? *slots.warning : CriticalRaiser();
}

IpaErrorRaiser& HintRaiser() {
    auto& slots = Slots();
    return slots.hint ? *slots.hint : WarningRaiser();
}

void SetCriticalRaiser(std::unique_ptr<IpaErrorRaiser> raiser) {
    Slots().critical = std::move(raiser);
}
void SetWarningRaiser(std::unique_ptr<IpaErrorRaiser> raiser) {
    Slots().warning = std::move(raiser);
}
void SetHintRaiser(std::unique_ptr<IpaErrorRaiser> raiser) {
    Slots().hint = std::move(raiser);
}

std::unique_ptr<IpaErrorHandler> SetErrorHandler(std::unique_ptr<IpaErrorHandler> handler) {
    auto previous = std::move(HandlerSlot());
    HandlerSlot() = std::move(handler);
    return previous;
}

IpaErrorHandler* ErrorHandler() {
    return HandlerSlot().get();
}

void SetErrorMessageBox(TErrorMessageBox box) {
    MessageBoxSlot() = std::move(box);
}

namespace {

void DispatchTo(const void* sender, const std::exception* exception) {
    if (auto* handler = ErrorHandler()) {
        handler->HandleError(sender, exception);
        return;
    }
    const std::string message = exception ? exception->what() : "Unknown exception";
    if (MessageBoxSlot())
        MessageBoxSlot()(message);
    else
        std::fprintf(stderr, "Error: %s\n", message.c_str());
}

} // namespace

void DispatchError(const void* sender, const std::exception* exception) noexcept {
    try {
        if (!exception) {
            if (auto current = std::current_exception()) {
                try {
                    std::rethrow_exception(current);
                } catch (const std::exception& e) {
                    DispatchTo(sender, &e);
                    return;
                } catch (...) {
                }
            }
        }
        DispatchTo(sender, exception);
    } catch (...) {
        // An error handler that fails has nowhere left to report to.
    }
}

} // namespace kelvo
