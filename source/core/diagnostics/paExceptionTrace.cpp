#include "core/diagnostics/paExceptionTrace.h"

#include "core/diagnostics/paLogUtils.h"

#include <atomic>
#include <cstdio>
#include <typeinfo>

namespace kelvo {

namespace {

std::atomic<std::uintptr_t> lastAddress{0};
thread_local TRaiseRecord lastRecord;
thread_local bool hasLastRecord = false;
thread_local bool notifying = false;
thread_local int untraced = 0;

TClassNameResolver& ResolverSlot() {
    static TClassNameResolver resolver;
    return resolver;
}

std::string Hex(std::uintptr_t value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

std::string FrameHead(const TStackFrame& frame) {
    return "(" + Hex(frame.moduleOffset, 8) + ") [" + Hex(frame.address, 16) + "] " +
           (frame.procedure.empty() ? std::string("?") : frame.procedure);
}

} // namespace

std::uintptr_t LastExceptionAddress() {
    return lastAddress.load(std::memory_order_relaxed);
}

const TRaiseRecord* LastRaiseInThisThread() {
    return hasLastRecord ? &lastRecord : nullptr;
}

std::string RenderFrameForLog(const TStackFrame& frame) {
    return FrameHead(frame);
}

std::string RenderFrameForReport(const TStackFrame& frame) {
    char offset[32];
    std::snprintf(offset, sizeof offset, " + 0x%llX",
                  static_cast<unsigned long long>(frame.procedureOffset));
    return FrameHead(frame) + (frame.procedure.empty() ? "" : offset);
}

TUntracedRaises::TUntracedRaises() noexcept {
    ++untraced;
}

TUntracedRaises::~TUntracedRaises() {
    --untraced;
}

bool RaisesUntraced() noexcept {
    return untraced > 0;
}

void NotifyRaise(const std::exception* exception, bool isUser, TRaiseRecord record) noexcept {
    if (isUser || notifying || untraced > 0)
        return;
    notifying = true;
    try {
        lastAddress.store(record.address, std::memory_order_relaxed);
        lastRecord = std::move(record);
        hasLastRecord = true;
        if (TLogFile* log = ProgramLog()) {
            std::string stack;
            for (const auto& frame : lastRecord.frames) {
                if (!stack.empty())
                    stack += "\r\n";
                stack += RenderFrameForLog(frame);
            }
            if (exception)
                log->AddException(*exception, lastRecord, stack);
            else
                log->AddLine(stack);
        }
    } catch (...) {
    }
    notifying = false;
}

void SetClassNameResolver(TClassNameResolver resolver) {
    ResolverSlot() = std::move(resolver);
}

std::string StripNamespaces(const std::string& qualifiedName) {
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < qualifiedName.size(); ++i) {
        const char c = qualifiedName[i];
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        else if (depth == 0 && c == ':' && i + 1 < qualifiedName.size() &&
                 qualifiedName[i + 1] == ':')
            start = i + 2;
    }
    return qualifiedName.substr(start);
}

std::string ExceptionClassName(const std::exception& exception) {
    try {
        if (ResolverSlot())
            return ResolverSlot()(exception);
        return typeid(exception).name();
    } catch (...) {
        return "?";
    }
}

} // namespace kelvo
