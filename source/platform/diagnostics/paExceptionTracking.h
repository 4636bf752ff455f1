#pragma once

#include <exception>
#include <string>

namespace kelvo {

// Every C++ throw in the process is seen here before any handler runs (the throw entry of
// the C++ runtime is interposed): its stack is captured and it is handed to the exception
// log, unless it is an EpaUser. Returns false when the runtime's entry cannot be found.
bool StartExceptionTracking();
void StopExceptionTracking();
bool IsExceptionTrackingActive();

// The demangled class name without namespaces.
std::string DemangledClassName(const std::exception& exception);

} // namespace kelvo
