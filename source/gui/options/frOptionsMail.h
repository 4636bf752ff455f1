#pragma once

#include "core/options/MailOptions.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace kelvo {

class IMailTransport;
class TMailer;

// The outgoing-mail settings: the route, the SMTP server and its login, where the password
// is kept, and a test message through the real mailer.
class TMailOptionsFrame : public QWidget {
    Q_OBJECT
public:
    explicit TMailOptionsFrame(QWidget* parent = nullptr);
    ~TMailOptionsFrame() override;

    void SetOptions(const TMailOptions& options);
    // The secret store has not yet answered for the password: the label says so.
    void ShowPasswordPending();
    // The password has come: into the field unless the user typed one meanwhile.
    void PasswordArrived(const TMailOptions& options);
    // The fields into options; the password's place stays as options has it.
    void ReadInto(TMailOptions& options) const;

    // Sends a message to the "From" address with the settings as they stand in the fields;
    // while the secret store has not answered for the password the user did not type, once
    // it has.
    void SendTestMessage();
    bool TestRunning() const;

    QSpinBox* PortBox() const { return port_; }
    QLabel* PasswordPlaceLabel() const { return passwordPlace_; }
    QLabel* TestStatus() const { return testStatus_; }
    QProgressBar* TestProgress() const { return testProgress_; }
    QPushButton* TestButton() const { return testButton_; }

signals:
    // The test message went out (error empty) or failed.
    void testFinished(const QString& error);

private:
    void UpdateControls();
    void SendNow();
    // Typed in, or in the field already: not to be replaced by what the store answers.
    bool PasswordGiven() const;
    void ShowPasswordPlace(TPasswordPlace place);

    QComboBox* connection_;
    QStackedWidget* panels_;
    QLineEdit* server_;
    QSpinBox* port_;
    QLineEdit* replyTo_;
    QCheckBox* authentification_;
    QWidget* loginPanel_;
    QLineEdit* userName_;
    QLineEdit* password_;
    QCheckBox* allowInsecure_;
    QLabel* passwordPlace_;
    QPushButton* testButton_;
    QProgressBar* testProgress_;
    QLabel* testStatus_;
    std::unique_ptr<IMailTransport> smtp_;
    std::unique_ptr<IMailTransport> mailProgram_;
    std::unique_ptr<TMailer> mailer_;
    int testsRunning_ = 0;
    bool passwordPending_ = false;
    bool testWaiting_ = false;
};

} // namespace kelvo
