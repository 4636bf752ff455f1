#pragma once

// The CalDAV account of the options: the server, the login (the password in the secret
// store), the calendar chosen from the ones the server lists, the template whose events are
// synced and how often.

#include <QWidget>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QThread;

namespace kelvo {

class TAppIni;
class IAsyncSecretStore;
class TKeptSecret;

class TCalDavOptionsFrame : public QWidget {
    Q_OBJECT
public:
    explicit TCalDavOptionsFrame(const QStringList& templates, QWidget* parent = nullptr);
    ~TCalDavOptionsFrame() override;

    // The password comes when the secret store answers; until then the field says so.
    void Load(TAppIni& ini, IAsyncSecretStore& secrets);
    // A changed password goes to the secret store without waiting for it.
    void Save(TAppIni& ini, IAsyncSecretStore& secrets) const;

    // Asks the server for its calendars on a worker thread; the list fills the calendar box.
    void FindCalendars();

    QComboBox* CalendarBox() const { return calendar_; }
    QLabel* Status() const { return status_; }
    QLabel* PasswordPlace() const { return passwordPlace_; }

signals:
    void calendarsFound();

private:
    QLineEdit* server_;
    QLineEdit* user_;
    QLineEdit* password_;
    QComboBox* calendar_;
    QPushButton* find_;
    QComboBox* template_;
    QSpinBox* interval_;
    QLabel* status_;
    QLabel* passwordPlace_;
    QThread* worker_ = nullptr;
    std::string loadedUrl_;
    std::unique_ptr<TKeptSecret> secret_;
};

} // namespace kelvo
