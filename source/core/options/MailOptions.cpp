#include "core/options/MailOptions.h"

#include "core/options/SecretStore.h"
#include "core/options/paAppIni.h"

namespace kelvo {

namespace {

const char* const PasswordValue = TMailOptions::PasswordName;

bool SecretsRun(ISecretStore* secrets) {
    return secrets && secrets->Available();
}

} // namespace

void TSMTPOptions::Assign(const TSMTPOptions& source) {
    if (&source == this)
        return;
    Server = source.Server;
    Port = source.Port;
    Authentification = source.Authentification;
    Login.Assign(source.Login);
    ReplyTo = source.ReplyTo;
    AllowInsecureAuth = source.AllowInsecureAuth;
}

void TMailOptions::Assign(const TMailOptions& source) {
    if (&source == this)
        return;
    ConnectionType = source.ConnectionType;
    SMTPOptions.Assign(source.SMTPOptions);
    PasswordPlace = source.PasswordPlace;
}

void TMailOptions::LoadFromStore(TAppIni& ini, const std::string& section, ISecretStore* secrets,
                                 bool moveToSecrets) {
    ConnectionType = static_cast<TOutgoingEmailConnection>(
        ini.ReadEnum(section, "ConnectionType", ecMAPI, ecMAPI, ecSMTP));
    SMTPOptions.Server = ini.ReadString(section, "SMTPOptionsServer", "");
    SMTPOptions.Port = ini.ReadEnum(section, "SMTPOptionsPort", 25, 1, 65535);
    SMTPOptions.Authentification = ini.ReadBool(section, "SMTPOptionsAuthentification", false);
    SMTPOptions.ReplyTo = ini.ReadString(section, "SMTPOptionsReplyTo", "");
    SMTPOptions.Login.UserName().SetValue(ini.ReadString(section, "SMTPOptionsUserName", ""));
    LoadPassword(ini, section, secrets, moveToSecrets);
    SMTPOptions.AllowInsecureAuth = ini.ReadBool(section, "SMTPAllowInsecureAuth", false);
}

void TMailOptions::LoadPassword(TAppIni& ini, const std::string& section, ISecretStore* secrets,
                                bool moveToSecrets) {
    auto& password = SMTPOptions.Login.Password();
    const std::string filed = ini.ReadString(section, PasswordValue, "");
    if (!filed.empty()) {
        password.SetValue(filed);
        PasswordPlace = TPasswordPlace::SettingsFile;
        if (!moveToSecrets || !SecretsRun(secrets))
            return;
        try {
            secrets->Write(PasswordValue, filed);
            if (ini.DeleteValue(section, PasswordValue))
                PasswordPlace = TPasswordPlace::SecretStore;
        } catch (const ESecretStoreError&) {
            // Stays in the file; the next load tries again.
        }
        return;
    }
    password.SetValue("");
    PasswordPlace = TPasswordPlace::SettingsFile;
    if (!SecretsRun(secrets))
        return;
    try {
        if (auto secret = secrets->Read(PasswordValue))
            password.SetValue(*secret);
        PasswordPlace = TPasswordPlace::SecretStore;
    } catch (const ESecretStoreError&) {
    }
}

void TMailOptions::SavePassword(TAppIni& ini, const std::string& section,
                                ISecretStore* secrets) const {
    const std::string& password = SMTPOptions.Login.Password().Value();
    if (SecretsRun(secrets)) {
        try {
            if (password.empty())
                secrets->Remove(PasswordValue);
            else
                secrets->Write(PasswordValue, password);
            if (ini.DeleteValue(section, PasswordValue)) {
                PasswordPlace = TPasswordPlace::SecretStore;
                return;
            }
        } catch (const ESecretStoreError&) {
            // The file keeps it, readable by the user only.
        }
    }
    ini.WriteString(section, PasswordValue, password);
    PasswordPlace = TPasswordPlace::SettingsFile;
}

void TMailOptions::SaveToStore(TAppIni& ini, const std::string& section,
                               ISecretStore* secrets) const {
    const TAppIniUpdate update(ini);
    SaveWithoutPassword(ini, section);
    SavePassword(ini, section, secrets);
}

void TMailOptions::SaveWithoutPassword(TAppIni& ini, const std::string& section) const {
    const TAppIniUpdate update(ini);
    ini.WriteInteger(section, "ConnectionType", ConnectionType);
    ini.WriteString(section, "SMTPOptionsServer", SMTPOptions.Server);
    ini.WriteInteger(section, "SMTPOptionsPort", SMTPOptions.Port);
    ini.WriteBool(section, "SMTPOptionsAuthentification", SMTPOptions.Authentification);
    ini.WriteString(section, "SMTPOptionsReplyTo", SMTPOptions.ReplyTo);
    ini.WriteString(section, "SMTPOptionsUserName", SMTPOptions.Login.UserName().Value());
    ini.WriteBool(section, "SMTPAllowInsecureAuth", SMTPOptions.AllowInsecureAuth);
}

} // namespace kelvo
