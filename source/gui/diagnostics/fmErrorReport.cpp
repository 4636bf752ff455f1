#include "gui/diagnostics/fmErrorReport.h"

#include "gui/boxes/NonBlockingBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvo {

const char* const SupportMailAddress = "support@brennikor.com";
const char* const SupportWebPage = "https://www.brennikor.com/support/";

namespace {

QString& MailCommand() {
    static QString command = QStringLiteral("xdg-email");
    return command;
}

QString FromReportText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

constexpr int DesignedDetailLines = 20;

} // namespace

void TErrorReportForm::SetMailCommand(const QString& program) {
    MailCommand() = program;
}

TErrorReportForm::TErrorReportForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    errorImage_ = new QLabel(this);
    textMemo_ = new QPlainTextEdit(this);
    textMemo_->setReadOnly(true);
    textMemo_->setFrameShape(QFrame::NoFrame);
    textMemo_->setToolTip(tr("Use Ctrl+C to copy the report to the clipboard"));
    textMemo_->setFixedHeight(textMemo_->fontMetrics().lineSpacing() * 4 + 12);
    textMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textMemo_->viewport()->setAutoFillBackground(false);
    textMemo_->setStyleSheet(QStringLiteral("background: transparent;"));

    label1_ = new QLabel(tr("Please tell us about the problem"), this);
    QFont bold = label1_->font();
    bold.setBold(true);
    label1_->setFont(bold);
    label2_ = new QLabel(tr("An error report has been generated that can be send to us. "
                            "If the Send button does not work, please copy the report "
                            "to clipboard and paste it in your message."),
                         this);
    label2_->setWordWrap(true);

    sendBtn_ = new QPushButton(tr("&Send"), this);
    sendBtn_->setToolTip(tr("Send the report using default mail client"));
    sendBtn_->setDefault(true);
    okBtn_ = new QPushButton(tr("&Don't send"), this);
    copyBtn_ = new QPushButton(tr("&Copy"), this);
    copyBtn_->setToolTip(tr("Copy the report to clipboard"));

    detailsLabel_ = new QLabel(tr("Show the report >>"), this);
    detailsLabel_->setToolTip(tr("Show or hide the report details"));
    detailsLabel_->setStyleSheet(QStringLiteral("color: navy; text-decoration: underline;"));
    detailsLabel_->setCursor(Qt::PointingHandCursor);

    detailsMemo_ = new QPlainTextEdit(this);
    detailsMemo_->setReadOnly(true);
    detailsMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    detailsMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    detailsMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    detailsMemo_->setFont(fixed);

    auto* top = new QHBoxLayout;
    top->addWidget(errorImage_, 0, Qt::AlignTop);
    top->addWidget(textMemo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(detailsLabel_);
    buttons->addStretch(1);
    buttons->addWidget(sendBtn_);
    buttons->addWidget(okBtn_);
    buttons->addWidget(copyBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addLayout(buttons);
    layout->addWidget(detailsMemo_, 1);
    layout->setContentsMargins(8, 8, 8, 3);

    connect(okBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(copyBtn_, &QPushButton::clicked, this, &TErrorReportForm::CopyReport);
    connect(sendBtn_, &QPushButton::clicked, this, &TErrorReportForm::SendReport);

    // The window sees Ctrl+C and the clicks on the details link before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    resize(520, 0);
    expandedHeight_ = 0;
    expanded_ = true;
    ToggleDetails();
}

void TErrorReportForm::ToggleDetails() {
    if (expanded_) {
        if (isVisible() || expandedHeight_ > 0)
            expandedHeight_ = height();
        expanded_ = false;
        detailsLabel_->setText(tr("Show the report >>"));
        detailsMemo_->setEnabled(false);
        detailsMemo_->hide();
        layout()->activate();
        // The window ends just below the details link.
        const int collapsed = layout()->sizeHint().height() - 3 + 2;
        setMinimumHeight(collapsed);
        setMaximumHeight(collapsed);
        resize(width(), collapsed);
    } else {
        expanded_ = true;
        detailsLabel_->setText(tr("Hide the report <<"));
        const int collapsed = height();
        detailsMemo_->setEnabled(true);
        detailsMemo_->show();
        if (expandedHeight_ <= 0)
            expandedHeight_ =
                collapsed + detailsMemo_->fontMetrics().lineSpacing() * DesignedDetailLines + 40;
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const int screenHeight = screen ? screen->availableGeometry().height() : 10000;
        setMinimumHeight(collapsed + 100);
        setMaximumHeight(std::max(collapsed + 100, screenHeight));
        resize(width(), std::clamp(expandedHeight_, collapsed + 100,
                                   std::max(collapsed + 100, screenHeight)));
    }
}

void TErrorReportForm::Prepare(const TpaErrorReport& report) {
    const bool warning = dynamic_cast<const EpaWarning*>(report.Exception()) != nullptr;
    setWindowTitle(warning ? tr("Application Warning") : tr("Application Error"));
    const QIcon icon = style()->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                                     : QStyle::SP_MessageBoxCritical);
    errorImage_->setPixmap(icon.pixmap(32, 32));
    textMemo_->setPlainText(FromReportText(
        (warning ? tr("The application encountered an unusual situation.\r\nIt's not a serious "
                      "problem, you can continue your work.")
                 : tr("The application encountered a problem and might become unstable and even "
                      "useless.\r\nIt's recommended that you save your work and close this "
                      "application."))
            .toStdString()));
    for (const auto& line : report.ReportLines())
        detailsMemo_->appendPlainText(QString::fromStdString(line));
    detailsMemo_->moveCursor(QTextCursor::Start);
}

void TErrorReportForm::ShowReport(const TpaErrorReport& report) {
    Prepare(report);
    QApplication::beep();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Waited for, but not modal: the alarm windows stay answerable meanwhile.
    RunAndWait(*this);
}

QString TErrorReportForm::ReportText() const {
    QString details = detailsMemo_->toPlainText();
    details.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return tr("This error happened when I ...\r\n\r\nIs the error reproducible? "
              "(Y/N) ...\r\n\r\n") +
           details;
}

void TErrorReportForm::CopyReport() {
    QGuiApplication::clipboard()->setText(ReportText());
}

void TErrorReportForm::SendReport() {
    if (mailer_)
        return; // the compose window is on its way
    mailer_ = new QProcess(this);
    const QString subject = QString::fromStdString(VersionInfo().productName) + tr(" Problem");
    connect(mailer_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            SendFailed(MailCommand() + tr(" could not be started"));
    });
    connect(mailer_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            SendFailed(MailCommand() + tr(" ended with code ") + QString::number(code));
        else {
            mailer_->deleteLater();
            mailer_ = nullptr;
            emit sendFinished(true);
        }
    });
    mailer_->setProcessChannelMode(QProcess::ForwardedChannels);
    mailer_->start(MailCommand(), {QStringLiteral("--utf8"), QStringLiteral("--subject"), subject,
                                   QStringLiteral("--body"), ReportText(),
                                   QString::fromLatin1(SupportMailAddress)});
}

void TErrorReportForm::SendFailed(const QString& reason) {
    if (!mailer_)
        return;
    mailer_->deleteLater();
    mailer_ = nullptr;
    // Logged where it is raised; a report is on screen already, so it is not presented.
    try {
        RaiseCritical<EErrorReportSend>(reason.toStdString(), "The error report was not sent");
    } catch (const EpaError&) {
    }
    // Nothing can tell a cancelled compose window from a failed one here, so the user is
    // offered the other way in both cases.
    ShowBox(this, QMessageBox::Question, tr("Error report sending"),
            tr("The error report was not sent. Would you like to open support web "
               "page in your browser?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton,
            [](QMessageBox::StandardButton answer) {
                if (answer == QMessageBox::Yes)
                    QDesktopServices::openUrl(QUrl(QString::fromLatin1(SupportWebPage)));
            });
    emit sendFinished(false);
}

bool TErrorReportForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_C && (key->modifiers() & Qt::ControlModifier)) {
            CopyReport();
            QApplication::beep();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && watched == detailsLabel_) {
        ToggleDetails();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

namespace {

class TErrorReportWindowPresenter : public IErrorReportPresenter {
public:
    void ShowReport(const TpaErrorReport& report) override {
        // Owned by no other window: closing an alarm window meanwhile must not take it along.
        TErrorReportForm form;
        form.ShowReport(report);
    }
};

} // namespace

void InstallErrorReportWindow() {
    static TErrorReportWindowPresenter presenter;
    SetErrorReportPresenter(&presenter);
    SetErrorMessageBox([](const std::string& message) {
        ShowBox(nullptr, QMessageBox::Critical, TErrorReportForm::tr("Error"),
                QString::fromStdString(message));
    });
}

} // namespace kelvo
