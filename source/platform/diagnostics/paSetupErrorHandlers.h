#pragma once

namespace kelvo {

// Installs the program's error handling, in this order: the program log, the report's view
// of the machine, the warning and hint raisers, the handler of exceptions nothing catches
// (report, then exit code 1), the error handler that shows reports, exception tracking,
// and the program's report class. Call once, first thing in main; undone in reverse order
// by TeardownErrorHandlers.
void SetupErrorHandlers();
void TeardownErrorHandlers();

// Scoped form for main.
class TErrorHandlersSetup {
public:
    TErrorHandlersSetup() { SetupErrorHandlers(); }
    ~TErrorHandlersSetup() { TeardownErrorHandlers(); }
    TErrorHandlersSetup(const TErrorHandlersSetup&) = delete;
    TErrorHandlersSetup& operator=(const TErrorHandlersSetup&) = delete;
};

} // namespace kelvo
