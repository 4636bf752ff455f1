#pragma once

#include "core/options/SecretStore.h"

#include <memory>

namespace kelvo {

// The freedesktop Secret Service (GNOME Keyring, KWallet and others) through libsecret,
// in the user's default collection. Available only while a service owns its name on the
// session bus, so that nothing is started (or asked) on a desktop without one.
class TSecretServiceStore : public ISecretStore {
public:
    TSecretServiceStore();
    ~TSecretServiceStore() override;
    TSecretServiceStore(const TSecretServiceStore&) = delete;
    TSecretServiceStore& operator=(const TSecretServiceStore&) = delete;

    // From any thread: the call under way and every later one fail at once.
    void Cancel();

    bool Available() override;
    std::optional<std::string> Read(const std::string& key) override;
    void Write(const std::string& key, const std::string& secret) override;
    void Remove(const std::string& key) override;

private:
    struct TCancel;
    std::unique_ptr<TCancel> cancel_;
};

} // namespace kelvo
