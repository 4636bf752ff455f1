// Where the mail password lives: the secret store when it runs and takes it, the settings
// file otherwise; a password left in the file moves over once.

#include "core/options/MailOptions.h"
#include "core/options/SecretStore.h"
#include "core/options/paAppIni.h"

#include <gtest/gtest.h>
#include <map>

using namespace kelvo;

namespace {

class FakeSecrets : public ISecretStore {
public:
    bool Available() override { return running; }
    std::optional<std::string> Read(const std::string& key) override {
        if (broken)
            throw ESecretStoreError("locked");
        auto it = secrets.find(key);
        return it == secrets.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void Write(const std::string& key, const std::string& secret) override {
        if (broken)
            throw ESecretStoreError("locked");
        secrets[key] = secret;
    }
    void Remove(const std::string& key) override { secrets.erase(key); }

    bool running = true;
    bool broken = false;
    std::map<std::string, std::string> secrets;
};

TMailOptions WithPassword(const std::string& password) {
    TMailOptions mail;
    mail.SMTPOptions.Login.Password().SetValue(password);
    return mail;
}

bool InFile(TAppIni& ini) {
    return ini.ReadValue("Options", "SMTPOptionsPassword").has_value();
}

} // namespace

TEST(MailPassword, GoesToTheFileOnlyWhileNoSecretStoreTakesIt) {
    TMemAppIni ini;
    FakeSecrets secrets;
    secrets.running = false;
    WithPassword("pw").SaveToStore(ini, "Options", &secrets);
    EXPECT_EQ(ini.ReadString("Options", "SMTPOptionsPassword", ""), "pw");

    secrets.running = true;
    secrets.broken = true; // a locked keyring refuses
    const TMailOptions refused = WithPassword("pw2");
    refused.SaveToStore(ini, "Options", &secrets);
    EXPECT_EQ(ini.ReadString("Options", "SMTPOptionsPassword", ""), "pw2");
    EXPECT_EQ(refused.PasswordPlace, TPasswordPlace::SettingsFile);

    secrets.broken = false;
    const TMailOptions taken = WithPassword("pw3");
    taken.SaveToStore(ini, "Options", &secrets);
    EXPECT_FALSE(InFile(ini));
    EXPECT_EQ(secrets.secrets["SMTPOptionsPassword"], "pw3");
    EXPECT_EQ(taken.PasswordPlace, TPasswordPlace::SecretStore);
}

TEST(MailPassword, AFiledPasswordIsReadEverywhereAndMovedOnlyWhenAsked) {
    TMemAppIni ini;
    FakeSecrets secrets;
    secrets.secrets["SMTPOptionsPassword"] = "older";
    ini.WriteString("Options", "SMTPOptionsPassword", "filed");

    TMailOptions reader; // the command-line tool: reads, moves nothing
    reader.LoadFromStore(ini, "Options", &secrets);
    EXPECT_EQ(reader.SMTPOptions.Login.Password().Value(), "filed");
    EXPECT_TRUE(InFile(ini));

    TMailOptions desktop;
    desktop.LoadFromStore(ini, "Options", &secrets, true);
    EXPECT_EQ(desktop.SMTPOptions.Login.Password().Value(), "filed");
    EXPECT_FALSE(InFile(ini));
    EXPECT_EQ(secrets.secrets["SMTPOptionsPassword"], "filed");
    EXPECT_EQ(desktop.PasswordPlace, TPasswordPlace::SecretStore);

    TMailOptions later;
    later.LoadFromStore(ini, "Options", &secrets, true);
    EXPECT_EQ(later.SMTPOptions.Login.Password().Value(), "filed");

    // The store gone: the file keeps what it has, and reading finds no password.
    secrets.running = false;
    TMailOptions without;
    without.LoadFromStore(ini, "Options", &secrets, true);
    EXPECT_EQ(without.SMTPOptions.Login.Password().Value(), "");
    EXPECT_EQ(without.PasswordPlace, TPasswordPlace::SettingsFile);
}

TEST(MailPassword, APortOutsideTheTcpRangeReadsAsTheDefault) {
    TMemAppIni ini;
    TMailOptions mail;
    for (const auto& [stored, read] :
         {std::pair{2525, 2525}, {65535, 65535}, {0, 25}, {65536, 25}}) {
        ini.WriteInteger("Options", "SMTPOptionsPort", stored);
        mail.LoadFromStore(ini, "Options");
        EXPECT_EQ(mail.SMTPOptions.Port, read) << stored;
    }
}
