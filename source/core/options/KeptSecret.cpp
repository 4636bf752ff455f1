#include "core/options/KeptSecret.h"

#include "core/options/paAppIni.h"

#include <vector>

namespace kelvo {

struct TKeptSecret::TState {
    TState(TAppIni& ini, IAsyncSecretStore& store, std::string section, std::string name,
           std::string key)
        : Ini(ini), Store(store), Section(std::move(section)), Name(std::move(name)),
          Key(std::move(key)) {}
    TAppIni& Ini;
    IAsyncSecretStore& Store;
    std::string Section, Name, Key;
    TKeptSecret* Owner = nullptr;
    std::string Value;
    bool Known = false;
    bool Loaded = false;
    TPasswordPlace Place = TPasswordPlace::SettingsFile;
    // Counts the changes, so that an answer to an older request decides nothing.
    int Generation = 0;
    std::vector<std::function<void()>> Waiting;

    void BecomeKnown() {
        Known = true;
        auto waiting = std::move(Waiting);
        Waiting.clear();
        for (auto& then : waiting)
            then();
    }
    bool InFile() const { return !Name.empty(); }
    void Changed() const {
        if (Owner && Owner->OnChange)
            Owner->OnChange();
    }
};

TKeptSecret::TKeptSecret(TAppIni& ini, IAsyncSecretStore& store, std::string section,
                         std::string name, std::string key)
    : state_(std::make_shared<TState>(ini, store, std::move(section), std::move(name),
                                      std::move(key))) {
    state_->Owner = this;
}

TKeptSecret::~TKeptSecret() {
    state_->Owner = nullptr;
    state_->Waiting.clear();
}

void TKeptSecret::Load() {
    TState& s = *state_;
    const int generation = ++s.Generation;
    s.Loaded = true;
    s.Place = TPasswordPlace::SettingsFile;
    const std::string filed = s.InFile() ? s.Ini.ReadString(s.Section, s.Name, "") : "";
    if (!filed.empty()) {
        s.Value = filed;
        s.BecomeKnown();
        s.Store.Write(
            s.Key, filed, [state = state_, generation, filed](const TSecretAnswer& answer) {
                if (state->Generation != generation || answer.Kind != TSecretAnswer::TKind::Done)
                    return; // stays in the file; the next start tries again
                if (state->Ini.ReadString(state->Section, state->Name, "") == filed &&
                    state->Ini.DeleteValue(state->Section, state->Name)) {
                    state->Place = TPasswordPlace::SecretStore;
                    state->Changed();
                }
            });
        return;
    }
    s.Value.clear();
    s.Known = false;
    s.Store.Read(s.Key, [state = state_, generation](const TSecretAnswer& answer) {
        if (state->Generation != generation)
            return;
        if (answer.Kind == TSecretAnswer::TKind::Done) {
            state->Value = answer.Secret.value_or("");
            state->Place = TPasswordPlace::SecretStore;
        }
        // The owner's copy first: the waiting ones read the value from there.
        state->Changed();
        state->BecomeKnown();
    });
}

void TKeptSecret::Set(const std::string& password) {
    TState& s = *state_;
    if (s.Loaded && password == s.Value)
        return;
    const int generation = ++s.Generation;
    s.Loaded = true;
    s.Value = password;
    s.BecomeKnown();
    // The answer is awaited even when this is gone: the file may have to keep the password.
    s.Store.Write(s.Key, password,
                  [state = state_, generation, password](const TSecretAnswer& answer) {
                      if (state->Generation != generation)
                          return; // a later change decides
                      TAppIni& ini = state->Ini;
                      if (answer.Kind == TSecretAnswer::TKind::Done &&
                          (!state->InFile() || ini.DeleteValue(state->Section, state->Name))) {
                          state->Place = TPasswordPlace::SecretStore;
                      } else {
                          // No store runs or it refused: the file keeps it, readable by the user
                          // only.
                          if (state->InFile() && password.empty())
                              ini.DeleteValue(state->Section, state->Name);
                          else if (state->InFile())
                              ini.WriteString(state->Section, state->Name, password);
                          state->Place = TPasswordPlace::SettingsFile;
                      }
                      state->Changed();
                  });
}

bool TKeptSecret::Known() const {
    return state_->Known;
}

const std::string& TKeptSecret::Value() const {
    return state_->Value;
}

TPasswordPlace TKeptSecret::Place() const {
    return state_->Place;
}

void TKeptSecret::WhenKnown(std::function<void()> then) {
    if (state_->Known)
        then();
    else
        state_->Waiting.push_back(std::move(then));
}

} // namespace kelvo
