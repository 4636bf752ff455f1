#include "core/options/MailOptions.h"

#include "core/options/paAppIni.h"

namespace kelvo {

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
}

void TMailOptions::LoadFromStore(TAppIni& ini, const std::string& section) {
    ConnectionType = static_cast<TOutgoingEmailConnection>(
        ini.ReadEnum(section, "ConnectionType", ecMAPI, ecMAPI, ecSMTP));
    SMTPOptions.Server = ini.ReadString(section, "SMTPOptionsServer", "");
    SMTPOptions.Port = ini.ReadInteger(section, "SMTPOptionsPort", 25);
    SMTPOptions.Authentification = ini.ReadBool(section, "SMTPOptionsAuthentification", false);
    SMTPOptions.ReplyTo = ini.ReadString(section, "SMTPOptionsReplyTo", "");
    SMTPOptions.Login.UserName().SetValue(ini.ReadString(section, "SMTPOptionsUserName", ""));
    SMTPOptions.Login.Password().SetValue(ini.ReadString(section, "SMTPOptionsPassword", ""));
    SMTPOptions.AllowInsecureAuth = ini.ReadBool(section, "SMTPAllowInsecureAuth", false);
}

void TMailOptions::SaveToStore(TAppIni& ini, const std::string& section) const {
    const TAppIniUpdate update(ini);
    ini.WriteInteger(section, "ConnectionType", ConnectionType);
    ini.WriteString(section, "SMTPOptionsServer", SMTPOptions.Server);
    ini.WriteInteger(section, "SMTPOptionsPort", SMTPOptions.Port);
    ini.WriteBool(section, "SMTPOptionsAuthentification", SMTPOptions.Authentification);
    ini.WriteString(section, "SMTPOptionsReplyTo", SMTPOptions.ReplyTo);
    ini.WriteString(section, "SMTPOptionsUserName", SMTPOptions.Login.UserName().Value());
    ini.WriteString(section, "SMTPOptionsPassword", SMTPOptions.Login.Password().Value());
    ini.WriteBool(section, "SMTPAllowInsecureAuth", SMTPOptions.AllowInsecureAuth);
}

} // namespace kelvo
