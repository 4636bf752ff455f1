// A password kept without waiting for the secret store: known at once from the file, else
// once the store answers; changes go to the store, or to the file when none takes them.

#include "core/options/KeptSecret.h"

#include "core/options/paAppIni.h"

#include <deque>
#include <gtest/gtest.h>
#include <map>

using namespace kelvo;

namespace {

using TKind = TSecretAnswer::TKind;

// Holds every request until the test lets the store answer.
class SlowSecrets : public IAsyncSecretStore {
public:
    void Read(const std::string& key, TAnswer answer) override {
        pending.push_back({false, key, {}, std::move(answer)});
    }
    void Write(const std::string& key, const std::string& secret, TAnswer answer) override {
        pending.push_back({true, key, secret, std::move(answer)});
    }
    // The oldest request answered as kind says.
    void AnswerNext(TKind kind) {
        ASSERT_FALSE(pending.empty());
        TRequest r = std::move(pending.front());
        pending.pop_front();
        TSecretAnswer answer;
        answer.Kind = kind;
        if (kind == TKind::Done && r.Write) {
            if (r.Secret.empty())
                secrets.erase(r.Key);
            else
                secrets[r.Key] = r.Secret;
        } else if (kind == TKind::Done && secrets.count(r.Key)) {
            answer.Secret = secrets[r.Key];
        }
        r.Answer(answer);
    }
    struct TRequest {
        bool Write;
        std::string Key, Secret;
        TAnswer Answer;
    };
    std::deque<TRequest> pending;
    std::map<std::string, std::string> secrets;
};

std::string Filed(TAppIni& ini) {
    return ini.ReadString("Options", "Pw", "<none>");
}

} // namespace

TEST(KeptSecret, IsKnownOnlyOnceTheStoreAnswersAndWaitersRunThen) {
    TMemAppIni ini;
    SlowSecrets store;
    store.secrets["pw"] = "from keyring";
    TKeptSecret secret(ini, store, "Options", "Pw", "pw");
    int changes = 0;
    secret.OnChange = [&] { ++changes; };
    secret.Load();
    EXPECT_FALSE(secret.Known());
    std::string seen = "<not yet>";
    int changesSeen = -1;
    secret.WhenKnown([&] {
        seen = secret.Value();
        changesSeen = changes;
    });
    EXPECT_EQ(seen, "<not yet>");
    // Saving the settings meanwhile is no change: the empty value was never the user's.
    secret.Set("");
    store.AnswerNext(TKind::Done);
    EXPECT_TRUE(store.pending.empty());
    EXPECT_EQ(seen, "from keyring");
    // Whoever keeps a copy of the value has it when the waiters run.
    EXPECT_EQ(changesSeen, 1);
    EXPECT_EQ(secret.Place(), TPasswordPlace::SecretStore);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(store.secrets["pw"], "from keyring");

    // Without a store the read answers "none": known, empty, the file is the place.
    TKeptSecret none(ini, store, "Options", "Pw", "other");
    none.Load();
    store.AnswerNext(TKind::NoStore);
    EXPECT_TRUE(none.Known());
    EXPECT_EQ(none.Value(), "");
    EXPECT_EQ(none.Place(), TPasswordPlace::SettingsFile);
}

TEST(KeptSecret, AChangeBeforeTheLookupAnswersWinsOverTheAnswer) {
    TMemAppIni ini;
    SlowSecrets store;
    store.secrets["pw"] = "old";
    TKeptSecret secret(ini, store, "Options", "Pw", "pw");
    secret.Load();
    secret.Set("typed");
    EXPECT_TRUE(secret.Known());
    store.AnswerNext(TKind::Done); // the late lookup's "old"
    EXPECT_EQ(secret.Value(), "typed");
    store.AnswerNext(TKind::Done);
    EXPECT_EQ(store.secrets["pw"], "typed");
    EXPECT_EQ(Filed(ini), "<none>");
}

TEST(KeptSecret, AFiledPasswordMovesOverAndARefusedChangeStaysInTheFile) {
    TMemAppIni ini;
    SlowSecrets store;
    ini.WriteString("Options", "Pw", "filed");
    TKeptSecret secret(ini, store, "Options", "Pw", "pw");
    secret.Load();
    EXPECT_TRUE(secret.Known()); // at once, from the file
    EXPECT_EQ(secret.Value(), "filed");
    EXPECT_EQ(Filed(ini), "filed"); // until the store has it
    store.AnswerNext(TKind::Done);
    EXPECT_EQ(Filed(ini), "<none>");
    EXPECT_EQ(store.secrets["pw"], "filed");
    EXPECT_EQ(secret.Place(), TPasswordPlace::SecretStore);

    secret.Set("filed"); // unchanged: nothing asked
    EXPECT_TRUE(store.pending.empty());
    secret.Set("new");
    store.AnswerNext(TKind::Failed); // a locked keyring
    EXPECT_EQ(Filed(ini), "new");
    EXPECT_EQ(secret.Place(), TPasswordPlace::SettingsFile);

    // Gone before the store answered: the file still gets what the store did not take.
    {
        TKeptSecret gone(ini, store, "Options", "Pw", "pw");
        gone.Set("last");
        int ran = 0;
        gone.WhenKnown([&] { ++ran; });
        EXPECT_EQ(ran, 1);
    }
    store.AnswerNext(TKind::NoStore);
    EXPECT_EQ(Filed(ini), "last");

    // One never kept in the file (no name) leaves the file alone.
    TKeptSecret storeOnly(ini, store, "CalDAV", "", "CalDAV url");
    storeOnly.Set("x");
    store.AnswerNext(TKind::NoStore);
    EXPECT_FALSE(ini.ReadValue("CalDAV", "").has_value());
    EXPECT_EQ(storeOnly.Place(), TPasswordPlace::SettingsFile);
}
