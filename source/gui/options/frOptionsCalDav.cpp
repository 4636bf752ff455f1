#include "gui/options/frOptionsCalDav.h"

#include "core/options/SecretStore.h"
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

void TCalDavOptionsFrame::Load(TAppIni& ini, ISecretStore& secrets) {
    server_->setText(QString::fromStdString(ini.ReadString(Section, "Server", "")));
    user_->setText(QString::fromStdString(ini.ReadString(Section, "User", "")));
    const std::string url = ini.ReadString(Section, "Url", "");
    calendar_->setEditText(QString::fromStdString(url));
    template_->setEditText(QString::fromStdString(ini.ReadString(Section, "Template", "CalDAV")));
    interval_->setValue(ini.ReadInteger(Section, "Interval", 0));
    try {
        if (!url.empty() && secrets.Available())
            password_->setText(QString::fromStdString(secrets.Read("CalDAV " + url).value_or("")));
    } catch (const std::exception&) {
        // The store does not answer: the field stays empty and Save leaves the secret alone.
    }
}

void TCalDavOptionsFrame::Save(TAppIni& ini, ISecretStore& secrets) const {
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
    try {
        if (!url.trimmed().isEmpty() && !password_->text().isEmpty() && secrets.Available())
            secrets.Write("CalDAV " + Text(url), password_->text().toStdString());
    } catch (const std::exception&) {
        // Never in the settings file: without a store the password is asked for again.
    }
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
