#pragma once

#include "core/util/paError.h"

#include <functional>
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

// Where a password is kept.
enum class TPasswordPlace { SettingsFile, SecretStore };

// What the store answered one request with.
struct TSecretAnswer {
    enum class TKind { NoStore, Failed, Done };
    TKind Kind = TKind::NoStore;
    std::optional<std::string> Secret; // what a read found
    std::string Error;
};

// The same store asked without waiting: every answer comes later, on the asking thread, in
// the order of the requests, never inside the call.
class IAsyncSecretStore {
public:
    using TAnswer = std::function<void(const TSecretAnswer&)>;
    virtual ~IAsyncSecretStore() = default;
    virtual void Read(const std::string& key, TAnswer answer) = 0;
    // An empty secret removes the key's.
    virtual void Write(const std::string& key, const std::string& secret, TAnswer answer) = 0;
};

} // namespace kelvo
