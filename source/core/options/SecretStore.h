#pragma once

#include "core/util/paError.h"

#include <optional>
#include <string>

namespace kelvo {

class ESecretStoreError : public EpaError {
public:
    using EpaError::EpaError;
};

// The desktop's keeper of secrets (passwords), apart from the settings file. Every call may
// fail; the callers then keep the secret where they kept it before.
class ISecretStore {
public:
    virtual ~ISecretStore() = default;
    // False when no such store runs on this desktop; nothing else is asked then.
    virtual bool Available() = 0;
    // Nothing when there is no secret of that key; throws ESecretStoreError when the store
    // cannot be asked.
    virtual std::optional<std::string> Read(const std::string& key) = 0;
    // Throw ESecretStoreError when the store refuses.
    virtual void Write(const std::string& key, const std::string& secret) = 0;
    virtual void Remove(const std::string& key) = 0;
};

} // namespace kelvo
