#pragma once

#include "core/util/paError.h"

#include <memory>
#include <string_view>
#include <typeinfo>

namespace kelvo {

// Copying one object into another of a class it cannot take content from.
class EAssignError : public EpaError {
public:
    using EpaError::EpaError;
};

// Raises EAssignError "Cannot assign a <source class> to a <target class>".
[[noreturn]] void RaiseAssignError(std::string_view sourceClass, std::string_view targetClass);

// Makes held a private copy of value (none for nullptr): an object of the same class takes
// the content, otherwise it is replaced by a clone, so the caller's object is never shared.
template <typename T> void KeepCopy(std::unique_ptr<T>& held, const T* value) {
    if (value == held.get())
        return;
    if (value == nullptr) {
        held.reset();
        return;
    }
    if (held && typeid(*held) == typeid(*value)) {
        held->Assign(*value);
        return;
    }
    held = value->Clone();
}

} // namespace kelvo
