#include "platform/diagnostics/paExceptionTracking.h"

#include "core/diagnostics/paExceptionTrace.h"
#include "core/util/paError.h"

#include <atomic>
#include <cstdlib>
#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <typeinfo>

namespace kelvo {

namespace {

using TThrowEntry = void (*)(void*, std::type_info*, void (*)(void*));

std::atomic<bool> tracking{false};
thread_local bool inTracker = false;

TThrowEntry RealThrow() {
    static const TThrowEntry real =
        reinterpret_cast<TThrowEntry>(::dlsym(RTLD_NEXT, "__cxa_throw"));
    return real;
}

std::string Demangle(const char* name) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string result = status == 0 && demangled ? demangled : name;
    std::free(demangled);
    return result;
}

std::string BaseName(const char* path) {
    std::string text = path ? path : "";
    const auto slash = text.rfind('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

TStackFrame ResolveFrame(void* returnAddress) {
    TStackFrame frame;
    frame.address = reinterpret_cast<std::uintptr_t>(returnAddress);
    Dl_info info{};
    // A return address may lie just past its call's function: look one byte before it.
    if (::dladdr(reinterpret_cast<void*>(frame.address - 1), &info) != 0) {
        frame.moduleOffset = frame.address - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
        if (info.dli_sname) {
            frame.procedure = Demangle(info.dli_sname);
            frame.procedureOffset =
                frame.address - reinterpret_cast<std::uintptr_t>(info.dli_saddr);
        }
    }
    return frame;
}

void OnThrow(void* object, std::type_info* type, void* const* stack, int depth,
             void* throwAddress) {
    void* adjusted = object;
    const bool isUser = typeid(EpaUser).__do_catch(type, &adjusted, 1);
    if (isUser) {
        NotifyRaise(nullptr, true, {});
        return;
    }
    void* asException = object;
    const std::exception* exception = nullptr;
    if (typeid(std::exception).__do_catch(type, &asException, 1))
        exception = static_cast<const std::exception*>(asException);

    TRaiseRecord record;
    record.when = std::chrono::system_clock::now();
    record.address = reinterpret_cast<std::uintptr_t>(throwAddress);
    Dl_info info{};
    if (::dladdr(throwAddress, &info) != 0) {
        record.module = BaseName(info.dli_fname);
        record.moduleOffset = record.address - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    }
    for (int i = 0; i < depth; ++i)
        record.frames.push_back(ResolveFrame(stack[i]));
    NotifyRaise(exception, false, std::move(record));
}

} // namespace

bool StartExceptionTracking() {
    if (!RealThrow())
        return false;
    SetClassNameResolver(DemangledClassName);
    tracking = true;
    return true;
}

void StopExceptionTracking() {
    tracking = false;
}

bool IsExceptionTrackingActive() {
    return tracking;
}

std::string DemangledClassName(const std::exception& exception) {
    return StripNamespaces(Demangle(typeid(exception).name()));
}

} // namespace kelvo

// The C++ runtime's throw entry. Ours comes first in the lookup order, looks at the object
// and passes it on to the runtime's own.
namespace __cxxabiv1 {
extern "C" void __cxa_throw(void* object, std::type_info* type, void (*destructor)(void*)) {
    if (kelvo::tracking.load(std::memory_order_relaxed) && !kelvo::inTracker &&
        !kelvo::RaisesUntraced()) {
        kelvo::inTracker = true;
        try {
            void* stack[64];
            const int depth = ::backtrace(stack, 64);
            void* const thrower = __builtin_return_address(0);
            // The trace starts at the thrower's frame: what lies before it is this function
            // and whatever wraps backtrace (a sanitizer does).
            int first = depth > 1 ? 1 : 0;
            for (int i = 0; i < depth; ++i)
                if (stack[i] == thrower) {
                    first = i;
                    break;
                }
            kelvo::OnThrow(object, type, stack + first, depth - first, thrower);
        } catch (...) {
        }
        kelvo::inTracker = false;
    }
    const auto real = kelvo::RealThrow();
    if (!real)
        std::abort();
    real(object, type, destructor);
    __builtin_unreachable();
}
} // namespace __cxxabiv1
