#pragma once

#include "core/options/SecretStore.h"

#include <functional>
#include <memory>
#include <string>

namespace kelvo {

class TAppIni;

// One password of the settings: in the secret store while one runs and takes it, otherwise
// in the settings file (which only the user can read). Nothing waits for the store: the
// value is known at once when the file holds it, else once the store has answered.
class TKeptSecret {
public:
    // name: the value in the settings' section (none: never in the file); key: the secret's
    // in the store.
    TKeptSecret(TAppIni& ini, IAsyncSecretStore& store, std::string section, std::string name,
                std::string key);
    ~TKeptSecret();
    TKeptSecret(const TKeptSecret&) = delete;
    TKeptSecret& operator=(const TKeptSecret&) = delete;

    // A password in the file is known at once and moves to the store (leaving the file once
    // the store has it); otherwise the store is asked.
    void Load();
    // A new password goes to the store, or to the file when no store takes it. The value
    // already known is no change; nor is the empty one while the store has not answered.
    void Set(const std::string& password);

    bool Known() const;
    // Empty while not known.
    const std::string& Value() const;
    TPasswordPlace Place() const;
    // then runs at once when the value is known, else once it is; never after this is gone.
    // A change's answer still reaches the file after that.
    void WhenKnown(std::function<void()> then);
    // After every answer of the store that changed the value or the place.
    std::function<void()> OnChange;

private:
    struct TState;
    std::shared_ptr<TState> state_;
};

} // namespace kelvo
