#include "core/util/paError.h"

namespace kelvo {

std::string ComposeErrorMessage(const std::string& text, const std::string& reason) {
    if (text.empty())
        return reason;
    if (reason.empty())
        return text;
    return text + "\r\n" + reason;
}

EpaError::EpaError(const std::string& text, const std::string& reason, int code)
    : std::runtime_error(ComposeErrorMessage(text, reason)), code_(code) {}

} // namespace kelvo
