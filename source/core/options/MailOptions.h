#pragma once

#include "core/options/SecretStore.h"
#include "core/options/paOption.h"

#include <cstdint>
#include <string>

namespace kelvo {

class TAppIni;

enum TOutgoingEmailConnection { ecMAPI = 0, ecSMTP = 1 };

class TSMTPOptions {
public:
    TSMTPOptions() = default;
    TSMTPOptions(const TSMTPOptions& other) { Assign(other); }
    TSMTPOptions& operator=(const TSMTPOptions& other) {
        Assign(other);
        return *this;
    }
    void Assign(const TSMTPOptions& source);

    std::string Server;
    std::int32_t Port = 25;
    bool Authentification = false;
    paOption::TPasswordOptions Login;
    std::string ReplyTo;
    // Off: a login needs an encrypted connection unless the server is this machine.
    bool AllowInsecureAuth = false;
};

// The outgoing-mail settings, kept in the store's "Options" section.
class TMailOptions {
public:
    TMailOptions() = default;
    TMailOptions(const TMailOptions& other) { Assign(other); }
    TMailOptions& operator=(const TMailOptions& other) {
        Assign(other);
        return *this;
    }
    void Assign(const TMailOptions& source);

    // The password comes from the settings file while one is written there (a failed save
    // to the secret store leaves it there), else from the secret store. With moveToSecrets a
    // password in the file moves to the secret store and leaves the file.
    void LoadFromStore(TAppIni& ini, const std::string& section, ISecretStore* secrets = nullptr,
                       bool moveToSecrets = false);
    // The password goes to the secret store when one runs and takes it, else to the file.
    void SaveToStore(TAppIni& ini, const std::string& section,
                     ISecretStore* secrets = nullptr) const;
    // Everything but the password, which then is someone else's to keep.
    void SaveWithoutPassword(TAppIni& ini, const std::string& section) const;

    static constexpr const char* PasswordName = "SMTPOptionsPassword";

    TOutgoingEmailConnection ConnectionType = ecMAPI;
    TSMTPOptions SMTPOptions;
    // Follows every load and save, so that the options can tell the user.
    mutable TPasswordPlace PasswordPlace = TPasswordPlace::SettingsFile;

private:
    void LoadPassword(TAppIni& ini, const std::string& section, ISecretStore* secrets,
                      bool moveToSecrets);
    void SavePassword(TAppIni& ini, const std::string& section, ISecretStore* secrets) const;
};

} // namespace kelvo
