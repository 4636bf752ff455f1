#pragma once

#include "core/mail/SendMail.h"

#include <QDialog>
#include <memory>

class QProgressBar;

namespace kelvo {

// The small window that shows how far one SMTP send has come. It is not modal: alarms and
// the rest of the program go on while the message travels.
class TProgressForm : public QDialog, public IMailProgress {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    void SetProgress(int percent) override;
    int Progress() const;

private:
    QProgressBar* bar_;
};

// A shown progress window for each send, as TMailer::CreateProgress wants it.
std::unique_ptr<IMailProgress> CreateMailProgressWindow();

} // namespace kelvo
