#include "platform/settings/SecretServiceStore.h"

// Before Qt: glib's headers use the word Qt defines as "signals".
// clang-format off
#include <libsecret/secret.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
// clang-format on

namespace kelvo {

namespace {

const SecretSchema* Schema() {
    static const SecretSchema schema = {
        "com.brennikor.Tavrelon.Setting",
        SECRET_SCHEMA_NONE,
        {{"setting", SECRET_SCHEMA_ATTRIBUTE_STRING}, {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr};
    return &schema;
}

[[noreturn]] void Fail(const char* what, GError* error) {
    std::string text = what;
    if (error) {
        text += ": ";
        text += error->message;
        g_error_free(error);
    }
    throw ESecretStoreError(text);
}

} // namespace

struct TSecretServiceStore::TCancel {
    GCancellable* Cancellable = g_cancellable_new();
    ~TCancel() { g_object_unref(Cancellable); }
};

TSecretServiceStore::TSecretServiceStore() : cancel_(std::make_unique<TCancel>()) {}

TSecretServiceStore::~TSecretServiceStore() = default;

void TSecretServiceStore::Cancel() {
    g_cancellable_cancel(cancel_->Cancellable);
}

bool TSecretServiceStore::Available() {
    if (g_cancellable_is_cancelled(cancel_->Cancellable))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets"));
}

std::optional<std::string> TSecretServiceStore::Read(const std::string& key) {
    GError* error = nullptr;
    gchar* secret = secret_password_lookup_sync(Schema(), cancel_->Cancellable, &error, "setting",
                                                key.c_str(), nullptr);
    if (error)
        Fail("The secret store cannot be read", error);
    if (!secret)
        return std::nullopt;
    std::string result = secret;
    secret_password_free(secret);
    return result;
}

void TSecretServiceStore::Write(const std::string& key, const std::string& secret) {
    GError* error = nullptr;
    const std::string label = "Tavrelon MP3 " + key;
    if (!secret_password_store_sync(Schema(), SECRET_COLLECTION_DEFAULT, label.c_str(),
                                    secret.c_str(), cancel_->Cancellable, &error, "setting",
                                    key.c_str(), nullptr))
        Fail("The secret store refused the password", error);
}

void TSecretServiceStore::Remove(const std::string& key) {
    GError* error = nullptr;
    secret_password_clear_sync(Schema(), cancel_->Cancellable, &error, "setting", key.c_str(),
                               nullptr);
    if (error)
        Fail("The secret store cannot remove the password", error);
}

} // namespace kelvo
