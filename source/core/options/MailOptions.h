#pragma once

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

    void LoadFromStore(TAppIni& ini, const std::string& section);
    void SaveToStore(TAppIni& ini, const std::string& section) const;

    TOutgoingEmailConnection ConnectionType = ecMAPI;
    TSMTPOptions SMTPOptions;
};

} // namespace kelvo
