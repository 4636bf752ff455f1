#include "gui/options/frOptionsCalDav.h"

#include "core/options/KeptSecret.h"
#include "core/options/paAppIni.h"
#include "platform/caldav/CalDavClient.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <memory>

namespace kelvo {

namespace {

constexpr const char* Section = "CalDAV";

template <class T> T* Named(T* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(
        QString(accessible).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    return widget;
}

std::string Text(const QString& s) {
    return s.trimmed().toStdString();
}

// The password's key in the secret store: one per calendar. Never in the settings file.
std::unique_ptr<TKeptSecret> CalDavSecret(TAppIni& ini, IAsyncSecretStore& secrets,
                                          const std::string& url) {
    return std::make_unique<TKeptSecret>(ini, secrets, Section, "", "CalDAV " + url);
}

} // namespace

TCalDavOptionsFrame::TCalDavOptionsFrame(const QStringList& templates, QWidget* parent)
    : QWidget(parent) {
    auto* form = new QFormLayout(this);
    server_ = Named(new QLineEdit(this), "CalDavServer", tr("&Server address:"));
    server_->setPlaceholderText(QStringLiteral("https://"));
    user_ = Named(new QLineEdit(this), "CalDavUser", tr("&User:"));
    password_ = Named(new QLineEdit(this), "CalDavPassword", tr("&Password:"));
    password_->setEchoMode(QLineEdit::Password);
    calendar_ = Named(new QComboBox(this), "CalDavCalendar", tr("&Calendar:"));
    calendar_->setEditable(true);
    calendar_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    calendar_->setMinimumContentsLength(24);
    find_ = Named(new QPushButton(tr("&Find calendars"), this), "CalDavFind", tr("Find calendars"));
    template_ = Named(new QComboBox(this), "CalDavTemplate", tr("&Template of the synced events:"));
    template_->setEditable(true);
    template_->addItems(templates);
    interval_ = Named(new QSpinBox(this), "CalDavInterval", tr("Sync &every:"));
    interval_->setRange(0, 24 * 60);
    interval_->setSuffix(tr(" min"));
    interval_->setSpecialValueText(tr("only when asked"));
    status_ = Named(new QLabel(this), "CalDavStatus", tr("CalDAV status"));
    status_->setWordWrap(true);
    passwordPlace_ =
        Named(new QLabel(this), "CalDavPasswordPlace", tr("Where the password is kept"));
    passwordPlace_->setWordWrap(true);
    passwordPlace_->hide(); // until there is an account to tell about

    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(calendar_, 1);
    calendarRow->addWidget(find_);
    const auto row = [&](const QString& text, QWidget* field, QLayout* layout = nullptr) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        if (layout)
            form->addRow(label, layout);
        else
            form->addRow(label, field);
    };
    row(tr("&Server address:"), server_);
    row(tr("&User:"), user_);
    row(tr("&Password:"), password_);
    form->addRow(passwordPlace_);
    row(tr("&Calendar:"), calendar_, calendarRow);
    row(tr("&Template of the synced events:"), template_);
    row(tr("Sync &every:"), interval_);
    form->addRow(status_);
    setTabOrder(server_, user_);
    setTabOrder(user_, password_);
    setTabOrder(password_, calendar_);
    setTabOrder(calendar_, find_);
    setTabOrder(find_, template_);
    setTabOrder(template_, interval_);
    connect(find_, &QPushButton::clicked, this, &TCalDavOptionsFrame::FindCalendars);
}

TCalDavOptionsFrame::~TCalDavOptionsFrame() {
    if (worker_)
        worker_->wait();
}

void TCalDavOptionsFrame::Load(TAppIni& ini, IAsyncSecretStore& secrets) {
    server_->setText(QString::fromStdString(ini.ReadString(Section, "Server", "")));
    user_->setText(QString::fromStdString(ini.ReadString(Section, "User", "")));
    const std::string url = ini.ReadString(Section, "Url", "");
    calendar_->setEditText(QString::fromStdString(url));
    template_->setEditText(QString::fromStdString(ini.ReadString(Section, "Template", "CalDAV")));
    interval_->setValue(ini.ReadInteger(Section, "Interval", 0));
    loadedUrl_ = url;
    secret_.reset();
    passwordPlace_->clear();
    passwordPlace_->hide();
    if (url.empty())
        return;
    passwordPlace_->show();
    secret_ = CalDavSecret(ini, secrets, url);
    secret_->Load();
    if (!secret_->Known())
        passwordPlace_->setText(tr("Asking the desktop's secret store for the password..."));
    secret_->WhenKnown([this] {
        if (!password_->isModified())
            password_->setText(QString::fromStdString(secret_->Value()));
        passwordPlace_->setText(
            secret_->Place() == TPasswordPlace::SecretStore
                ? tr("The password is kept in the desktop's secret store.")
                : tr("No secret store answers on this desktop: the password is not kept."));
    });
}

void TCalDavOptionsFrame::Save(TAppIni& ini, IAsyncSecretStore& secrets) const {
    const int chosen = calendar_->findText(calendar_->currentText());
    const QString url = chosen >= 0 && !calendar_->itemData(chosen).toString().isEmpty()
                            ? calendar_->itemData(chosen).toString()
                            : calendar_->currentText();
    ini.WriteString(Section, "Server", Text(server_->text()));
    ini.WriteString(Section, "User", Text(user_->text()));
    ini.WriteString(Section, "Url", Text(url));
    const std::string templateName = Text(template_->currentText());
    ini.WriteString(Section, "Template", templateName.empty() ? "CalDAV" : templateName);
    ini.WriteInteger(Section, "Interval", interval_->value());
    const std::string kept = Text(url);
    if (kept.empty())
        return;
    // The same calendar: only a changed password is written. Another one: its own key.
    if (kept == loadedUrl_ && secret_)
        secret_->Set(password_->text().toStdString());
    else if (!password_->text().isEmpty())
        CalDavSecret(ini, secrets, kept)->Set(password_->text().toStdString());
}

void TCalDavOptionsFrame::FindCalendars() {
    if (worker_)
        return;
    struct TFind {
        TCalDavAccount Account;
        std::vector<TCalDavCalendar> Found;
        std::string Error;
    };
    auto find = std::make_shared<TFind>();
    find->Account = {Text(server_->text()), Text(user_->text()), password_->text().toStdString()};
    status_->setText(tr("Asking the server for its calendars..."));
    find_->setEnabled(false);
    worker_ = QThread::create([find] {
        try {
            TCalDavClient client(find->Account);
            find->Found = client.ListCalendars();
        } catch (const std::exception& e) {
            find->Error = e.what();
        }
    });
    connect(worker_, &QThread::finished, this, [this, find] {
        worker_->deleteLater();
        worker_ = nullptr;
        find_->setEnabled(true);
        if (!find->Error.empty())
            status_->setText(QString::fromStdString(find->Error));
        else if (find->Found.empty())
            status_->setText(tr("The server lists no calendar at this address."));
        else
            status_->setText(tr("Calendars found: %1.").arg(find->Found.size()));
        const QString current = calendar_->currentText();
        calendar_->clear();
        for (const TCalDavCalendar& c : find->Found)
            calendar_->addItem(QString::fromStdString(c.Name), QString::fromStdString(c.Url));
        if (find->Found.empty())
            calendar_->setEditText(current);
        emit calendarsFound();
    });
    worker_->start();
}

} // namespace kelvo
