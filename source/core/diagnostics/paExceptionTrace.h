#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace kelvo {

// One frame of a stack trace as the platform's tracker resolved it.
struct TStackFrame {
    std::uintptr_t address = 0;         // virtual address
    std::uintptr_t moduleOffset = 0;    // address relative to its module's base
    std::string procedure;              // empty when the symbol is unknown
    std::uintptr_t procedureOffset = 0; // address relative to the procedure's start
};

// What the tracker knows about one raise: where and when it happened and its stack.
struct TRaiseRecord {
    std::chrono::system_clock::time_point when{};
    std::uintptr_t address = 0;      // where the object was thrown
    std::string module;              // file name (no folder) of the module holding address
    std::uintptr_t moduleOffset = 0; // address relative to that module's base
    std::vector<TStackFrame> frames;
};

// Address of the most recent logged raise in the process; 0 before the first one.
std::uintptr_t LastExceptionAddress();
// The stack captured for the last raise of the calling thread, null when none was taken.
const TRaiseRecord* LastRaiseInThisThread();

// Called by the tracker in the raising thread before any handler runs. isUser marks an
// EpaUser (or descendant): nothing is recorded for it. exception is null for thrown
// objects that are not std::exception. Never throws and is not re-entered in one thread.
void NotifyRaise(const std::exception* exception, bool isUser, TRaiseRecord record) noexcept;

// While one lives, raises in its thread are neither traced nor logged: reading a damaged
// file fails by throwing, once per damaged record, and a file may hold a hundred thousand.
class TUntracedRaises {
public:
    TUntracedRaises() noexcept;
    ~TUntracedRaises();
    TUntracedRaises(const TUntracedRaises&) = delete;
    TUntracedRaises& operator=(const TUntracedRaises&) = delete;
};
bool RaisesUntraced() noexcept;

// Frame lines: the log shows module offset and virtual address, the report adds the
// offset inside the procedure.
std::string RenderFrameForLog(const TStackFrame& frame);
std::string RenderFrameForReport(const TStackFrame& frame);

// Class name of an exception object for logs and reports, without namespaces. The platform
// installs a resolver that demangles; the fallback is the implementation's type name.
using TClassNameResolver = std::function<std::string(const std::exception&)>;
void SetClassNameResolver(TClassNameResolver resolver);
std::string ExceptionClassName(const std::exception& exception);
// Drops the namespaces of a qualified class name ("kelvo::EpaWarning" gives "EpaWarning").
std::string StripNamespaces(const std::string& qualifiedName);

} // namespace kelvo
