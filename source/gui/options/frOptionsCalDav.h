#pragma once

// The CalDAV account of the options: the server, the login (the password in the secret
// store), the calendar chosen from the ones the server lists, the template whose events are
// synced and how often.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QThread;

namespace kelvo {

class TAppIni;
class ISecretStore;

class TCalDavOptionsFrame : public QWidget {
    Q_OBJECT
public:
    explicit TCalDavOptionsFrame(const QStringList& templates, QWidget* parent = nullptr);
    ~TCalDavOptionsFrame() override;

    void Load(TAppIni& ini, ISecretStore& secrets);
    void Save(TAppIni& ini, ISecretStore& secrets) const;

    // Asks the server for its calendars on a worker thread; the list fills the calendar box.
    void FindCalendars();

    QComboBox* CalendarBox() const { return calendar_; }
    QLabel* Status() const { return status_; }

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
    QThread* worker_ = nullptr;
};

} // namespace kelvo
