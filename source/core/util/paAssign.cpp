#include "core/util/paAssign.h"

#include <string>

namespace kelvo {

void RaiseAssignError(std::string_view sourceClass, std::string_view targetClass) {
    throw EAssignError("Cannot assign a " + std::string(sourceClass) + " to a " +
                       std::string(targetClass));
}

} // namespace kelvo
