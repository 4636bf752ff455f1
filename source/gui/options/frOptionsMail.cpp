#include "gui/options/frOptionsMail.h"

#include "core/mail/SendMail.h"
#include "platform/mail/SendmailTransport.h"
#include "platform/mail/SmtpMailTransport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kelvo {

namespace {

// The mailer's progress window for a test message: the bar in the frame.
class TFrameProgress : public IMailProgress {
public:
    explicit TFrameProgress(QProgressBar* bar) : bar_(bar) {
        if (bar_) {
            bar_->setValue(0);
            bar_->show();
        }
    }
    ~TFrameProgress() override {
        if (bar_)
            bar_->hide();
    }
    void SetProgress(int percent) override {
        if (bar_)
            bar_->setValue(percent);
    }

private:
    QPointer<QProgressBar> bar_;
};

template <class T> T* Named(T* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(
        QString(accessible).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    return widget;
}

} // namespace

TMailOptionsFrame::TMailOptionsFrame(QWidget* parent)
    : QWidget(parent), smtp_(std::make_unique<TSmtpMailTransport>()),
      mailProgram_(std::make_unique<TSendmailTransport>()),
      mailer_(std::make_unique<TMailer>(smtp_.get(), mailProgram_.get())) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QFormLayout;
    connection_ = Named(new QComboBox(this), "ConnectionTypeComboBox", tr("Connection type:"));
    connection_->addItems(
        {tr("Use MAPI program (like Outlook)"), tr("Sends message directly (SMTP)")});
    top->addRow(tr("Connection type:"), connection_);
    layout->addLayout(top);

    panels_ = new QStackedWidget(this);
    auto* mapi = new QLabel(
        tr("Sends message via a MAPI-compliant email program such as Outlook or Outlook Express"),
        panels_);
    mapi->setWordWrap(true);
    mapi->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    panels_->addWidget(mapi);

    auto* smtp = new QWidget(panels_);
    auto* form = new QFormLayout(smtp);
    form->setContentsMargins(0, 0, 0, 0);
    server_ = Named(new QLineEdit(smtp), "ServerEdit", tr("&Server (SMTP):"));
    port_ = Named(new QSpinBox(smtp), "PortEdit", tr("Server &Port:"));
    // Any TCP port: submission on 587 or 2525, test servers on unprivileged ports.
    port_->setRange(1, 65535);
    replyTo_ = Named(new QLineEdit(smtp), "ReplyToEdit", tr("&From address:"));
    auto* serverLabel = new QLabel(tr("&Server (SMTP):"), smtp);
    serverLabel->setBuddy(server_);
    auto* portLabel = new QLabel(tr("Server &Port:"), smtp);
    portLabel->setBuddy(port_);
    auto* replyLabel = new QLabel(tr("&From address:"), smtp);
    replyLabel->setBuddy(replyTo_);
    form->addRow(serverLabel, server_);
    form->addRow(portLabel, port_);
    form->addRow(replyLabel, replyTo_);
    authentification_ = Named(new QCheckBox(tr("Server requires &authentification"), smtp),
                              "AuthentificationCheckBox", tr("Server requires &authentification"));
    form->addRow(authentification_);

    loginPanel_ = new QWidget(smtp);
    auto* login = new QFormLayout(loginPanel_);
    login->setContentsMargins(16, 0, 0, 0);
    userName_ = Named(new QLineEdit(loginPanel_), "UserNameEdit", tr("&Login name:"));
    password_ = Named(new QLineEdit(loginPanel_), "PasswordEdit", tr("&Password:"));
    password_->setEchoMode(QLineEdit::Password);
    auto* userLabel = new QLabel(tr("&Login name:"), loginPanel_);
    userLabel->setBuddy(userName_);
    auto* passwordLabel = new QLabel(tr("&Password:"), loginPanel_);
    passwordLabel->setBuddy(password_);
    login->addRow(userLabel, userName_);
    login->addRow(passwordLabel, password_);
    passwordPlace_ = Named(new QLabel(loginPanel_), "PasswordPlaceLabel", tr("Password kept in"));
    passwordPlace_->setWordWrap(true);
    login->addRow(passwordPlace_);
    allowInsecure_ =
        Named(new QCheckBox(tr("Allow the login over an &unencrypted connection"), loginPanel_),
              "AllowInsecureAuthCheckBox", tr("Allow the login over an &unencrypted connection"));
    allowInsecure_->setToolTip(tr("Without it the password goes only to this machine or over "
                                  "an encrypted connection (STARTTLS or port 465)."));
    login->addRow(allowInsecure_);
    form->addRow(loginPanel_);
    panels_->addWidget(smtp);
    layout->addWidget(panels_);

    auto* test = new QHBoxLayout;
    testButton_ = Named(new QPushButton(tr("&send a test message"), this), "SendTestMessageButton",
                        tr("send a test message"));
    testButton_->setToolTip(tr("Sends a message to the From address with these settings."));
    testProgress_ = Named(new QProgressBar(this), "TestProgressBar", tr("Sending"));
    testProgress_->setRange(0, 100);
    testProgress_->hide();
    testButton_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    test->addWidget(testButton_);
    test->addWidget(testProgress_, 1);
    test->addStretch(0);
    layout->addLayout(test);
    testStatus_ = Named(new QLabel(this), "TestStatusLabel", tr("Test message"));
    testStatus_->setWordWrap(true);
    testStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(testStatus_);
    layout->addStretch(1);

    connect(connection_, &QComboBox::currentIndexChanged, this, &TMailOptionsFrame::UpdateControls);
    connect(authentification_, &QCheckBox::toggled, this, &TMailOptionsFrame::UpdateControls);
    connect(testButton_, &QPushButton::clicked, this, &TMailOptionsFrame::SendTestMessage);
    UpdateControls();
}

TMailOptionsFrame::~TMailOptionsFrame() {
    // A test still under way is abandoned; its reports go nowhere.
    mailer_.reset();
    smtp_.reset();
    mailProgram_.reset();
}

void TMailOptionsFrame::SetOptions(const TMailOptions& options) {
    const TSMTPOptions& s = options.SMTPOptions;
    connection_->setCurrentIndex(options.ConnectionType == ecSMTP ? 1 : 0);
    server_->setText(QString::fromStdString(s.Server));
    port_->setValue(s.Port);
    replyTo_->setText(QString::fromStdString(s.ReplyTo));
    authentification_->setChecked(s.Authentification);
    userName_->setText(QString::fromStdString(s.Login.UserName().Value()));
    password_->setText(QString::fromStdString(s.Login.Password().Value()));
    allowInsecure_->setChecked(s.AllowInsecureAuth);
    ShowPasswordPlace(options.PasswordPlace);
    UpdateControls();
}

void TMailOptionsFrame::ShowPasswordPlace(TPasswordPlace place) {
    passwordPlace_->setText(
        place == TPasswordPlace::SecretStore
            ? tr("The password is kept in the desktop's secret store.")
            : tr("No secret store runs on this desktop: the password is kept in the settings "
                 "file, which only you can read."));
}

void TMailOptionsFrame::ShowPasswordPending() {
    passwordPending_ = true;
    passwordPlace_->setText(tr("Asking the desktop's secret store for the password..."));
}

void TMailOptionsFrame::PasswordArrived(const TMailOptions& options) {
    if (!PasswordGiven())
        password_->setText(QString::fromStdString(options.SMTPOptions.Login.Password().Value()));
    ShowPasswordPlace(options.PasswordPlace);
    passwordPending_ = false;
    if (testWaiting_) {
        testWaiting_ = false;
        SendNow();
    }
}

void TMailOptionsFrame::ReadInto(TMailOptions& options) const {
    TSMTPOptions& s = options.SMTPOptions;
    options.ConnectionType = connection_->currentIndex() == 1 ? ecSMTP : ecMAPI;
    s.Server = server_->text().trimmed().toStdString();
    s.Port = port_->value();
    s.ReplyTo = replyTo_->text().trimmed().toStdString();
    s.Authentification = authentification_->isChecked();
    s.Login.UserName().SetValue(userName_->text().toStdString());
    s.Login.Password().SetValue(password_->text().toStdString());
    s.AllowInsecureAuth = allowInsecure_->isChecked();
}

void TMailOptionsFrame::UpdateControls() {
    panels_->setCurrentIndex(connection_->currentIndex() == 1 ? 1 : 0);
    loginPanel_->setEnabled(authentification_->isChecked());
}

bool TMailOptionsFrame::PasswordGiven() const {
    return password_->isModified() || !password_->text().isEmpty();
}

bool TMailOptionsFrame::TestRunning() const {
    return testWaiting_ || testsRunning_ > 0;
}

void TMailOptionsFrame::SendTestMessage() {
    // The empty field is no password yet: signing in with it would fail for the wrong reason.
    if (passwordPending_ && authentification_->isChecked() && !PasswordGiven()) {
        testWaiting_ = true;
        testButton_->setEnabled(false);
        testStatus_->setText(tr("Waiting for the password from the desktop's secret store..."));
        return;
    }
    SendNow();
}

void TMailOptionsFrame::SendNow() {
    TMailOptions options;
    ReadInto(options);
    const TMailSettings settings = MailSettingsFrom(options);
    const std::string to = options.SMTPOptions.ReplyTo;
    testStatus_->setText(tr("Sending the test message to %1...").arg(QString::fromStdString(to)));
    testButton_->setEnabled(false);
    ++testsRunning_;
    QPointer<QProgressBar> bar = testProgress_;
    mailer_->CreateProgress = [bar] { return std::make_unique<TFrameProgress>(bar); };
    QPointer<TMailOptionsFrame> self = this;
    mailer_->SendMail(
        settings, tr("Tavrelon MP3 test message").toStdString(), to,
        tr("This message was sent from the options of Tavrelon MP3 to test the mail settings.")
            .toStdString(),
        {}, [self, to](const std::string& error) {
            if (!self)
                return;
            --self->testsRunning_;
            self->testButton_->setEnabled(true);
            const QString text =
                error.empty()
                    ? tr("The test message was sent to %1.").arg(QString::fromStdString(to))
                    : tr("The test message could not be sent: %1")
                          .arg(QString::fromStdString(error));
            self->testStatus_->setText(text);
            emit self->testFinished(QString::fromStdString(error));
        });
}

} // namespace kelvo
