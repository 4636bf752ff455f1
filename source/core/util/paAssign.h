#pragma once

#include "core/util/paError.h"

#include <string_view>

namespace kelvo {

// Copying one object into another of a class it cannot take content from.
class EAssignError : public EpaError {
public:
    using EpaError::EpaError;
};

// Raises EAssignError "Cannot assign a <source class> to a <target class>".
[[noreturn]] void RaiseAssignError(std::string_view sourceClass, std::string_view targetClass);

} // namespace kelvo
