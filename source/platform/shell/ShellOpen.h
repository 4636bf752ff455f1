#pragma once

// Opening programs, documents and web addresses on the desktop. Programs are started
// directly with their parameters as separate arguments and their working folder; documents
// and web addresses go to the desktop's opener. No text ever reaches a command shell.

#include "core/actions/EventAction.h"

#include <string>
#include <vector>

namespace kelvo {

// The parameters of a program as the program will receive them: words separated by blanks,
// a quoted part (with "" for a quotation mark inside it) is one word.
std::vector<std::string> SplitParameters(const std::string& parameters);

// A program (an executable file, or a name found on PATH) is started with parameters in
// folder; anything else is opened as a document (relative names inside folder) or, when it
// names a scheme ("mailto:", "file:"), as that address. Empty parameters and folder are
// absent. False when nothing could be started or opened.
bool ShellOpen(const std::string& target, const std::string& parameters = {},
               const std::string& folder = {});
// A web address when target begins with "http" in any letter case, otherwise a document.
bool OpenDocument(const std::string& target);
// The address escaped by EscapeUrl, handed to the desktop's browser; when that fails, the
// address as written.
bool OpenWebAddress(const std::string& address);

// The hourglass while the shell works; nested uses keep it until the outermost ends. Does
// nothing without a graphical application.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool set_;
};

// The shell as the actions see it.
class TDesktopShell : public IActionShell {
public:
    bool OpenDocument(const std::string& target) override;
    bool ShellOpen(const std::string& target, const std::string& parameters,
                   const std::string& folder) override;
};

} // namespace kelvo
