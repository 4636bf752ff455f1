#pragma once

#include "core/diagnostics/paErrorReport.h"
#include "core/util/paError.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QProcess;

namespace kelvo {

// Raised (and logged) when the report could not be handed to the mail program.
class EErrorReportSend : public EpaError {
public:
    using EpaError::EpaError;
};

extern const char* const SupportMailAddress;
extern const char* const SupportWebPage;

// The error report window: the severity, a collapsible view of the report lines, and the
// ways to pass the report on (the mail program's compose window, the clipboard).
class TErrorReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TErrorReportForm(QWidget* parent = nullptr);

    // Fills the window from the report and runs it modally until it is closed.
    void ShowReport(const TpaErrorReport& report);
    // Fills the window without running it.
    void Prepare(const TpaErrorReport& report);

    QString ReportText() const;
    bool IsExpanded() const { return expanded_; }
    void ToggleDetails();
    void CopyReport();
    void SendReport();

    // The program that opens the compose window ("xdg-email" unless changed).
    static void SetMailCommand(const QString& program);

signals:
    // After "&Send": whether the mail program took the report.
    void sendFinished(bool handedOver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SendFailed(const QString& reason);

    QLabel* errorImage_;
    QPlainTextEdit* textMemo_;
    QLabel* label1_;
    QLabel* label2_;
    QPushButton* sendBtn_;
    QPushButton* okBtn_;
    QPushButton* copyBtn_;
    QLabel* detailsLabel_;
    QPlainTextEdit* detailsMemo_;
    bool expanded_ = false;
    int expandedHeight_ = 0;
    QProcess* mailer_ = nullptr;
};

// Puts the report window in charge of presenting reports, and a message box in charge of
// errors that arrive before any handler exists.
void InstallErrorReportWindow();

} // namespace kelvo
