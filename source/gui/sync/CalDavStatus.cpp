#include "gui/sync/CalDavStatus.h"

#include "gui/session/CalDavSyncRunner.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QString Direction(const QString& word) {
    return word == QLatin1String("up") ? TCalDavSyncWindow::tr("to the server")
                                       : TCalDavSyncWindow::tr("from the server");
}

QString Kind(const QString& word) {
    if (word == QLatin1String("added"))
        return TCalDavSyncWindow::tr("added");
    if (word == QLatin1String("changed"))
        return TCalDavSyncWindow::tr("changed");
    if (word == QLatin1String("deleted"))
        return TCalDavSyncWindow::tr("deleted");
    if (word == QLatin1String("conflict"))
        return TCalDavSyncWindow::tr("changed on both sides");
    return word;
}

QString Time(const QDateTime& at) {
    return QLocale().toString(at.time(), QLocale::ShortFormat);
}

// Short: the status bar is shared with the next event and the count.
QString PanelText(const TCalDavSyncReport& r) {
    return r.Failed ? TCalDavStatusPanel::tr("CalDAV: failed %1").arg(Time(r.At))
                    : TCalDavStatusPanel::tr("CalDAV: synced %1").arg(Time(r.At));
}

QString SummaryOf(const TCalDavSyncReport& r) {
    if (r.Failed)
        return TCalDavSyncWindow::tr("The sync at %1 failed.").arg(Time(r.At));
    return TCalDavSyncWindow::tr("Synced at %1, changes: %2").arg(Time(r.At)).arg(r.Lines.size());
}

} // namespace

TCalDavSyncReport TCalDavSyncReport::FromAnswer(const QString& answer, const QDateTime& at) {
    TCalDavSyncReport r;
    r.At = at;
    r.Failed = true;
    for (const QString& line : answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("exit ")))
            r.Failed = line.mid(5).toInt() != 0;
        else if (line.startsWith(QLatin1String("error\t")))
            r.Errors.push_back(line.mid(6));
        else
            r.Lines.push_back(line);
    }
    return r;
}

TCalDavSyncWindow::TCalDavSyncWindow(TCalDavSyncRunner& runner, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CalDavSyncWindow"));
    setWindowTitle(tr("CalDAV sync"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("CalDavSyncSummary"));
    summary_->setAccessibleName(tr("Outcome of the last sync"));
    summary_->setWordWrap(true);
    lines_ = new QTreeWidget(this);
    lines_->setObjectName(QStringLiteral("CalDavSyncLines"));
    lines_->setAccessibleName(tr("What the last sync moved"));
    lines_->setRootIsDecorated(false);
    lines_->setHeaderLabels({tr("Direction"), tr("Change"), tr("Event")});
    lines_->header()->setStretchLastSection(true);
    lines_->setMinimumSize(520, 220);
    // An error names the address and what went wrong: too long for a row.
    errors_ = new QLabel(this);
    errors_->setObjectName(QStringLiteral("CalDavSyncErrors"));
    errors_->setAccessibleName(tr("What failed"));
    errors_->setWordWrap(true);
    errors_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    errors_->setFocusPolicy(Qt::TabFocus);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    sync_ = buttons->addButton(tr("Sync &now"), QDialogButtonBox::ActionRole);
    sync_->setObjectName(QStringLiteral("CalDavSyncNow"));
    sync_->setAccessibleName(tr("Sync now"));
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(sync_, &QPushButton::clicked, this, [this, &runner] {
        SetSyncing(true);
        runner.SyncNow();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(lines_, 1);
    layout->addWidget(errors_);
    layout->addWidget(buttons);
}

void TCalDavSyncWindow::SetSyncing(bool syncing) {
    sync_->setEnabled(!syncing);
    if (syncing)
        summary_->setText(tr("Syncing with the CalDAV server..."));
}

void TCalDavSyncWindow::Show(const TCalDavSyncReport& report) {
    SetSyncing(false);
    summary_->setText(report.At.isValid() ? SummaryOf(report)
                                          : tr("No sync has run since the program started."));
    lines_->clear();
    for (const QString& line : report.Lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 4)
            continue;
        lines_->addTopLevelItem(new QTreeWidgetItem({Direction(f[0]), Kind(f[1]), f[3]}));
    }
    errors_->setText(report.Errors.join(QLatin1Char('\n')));
    errors_->setVisible(!report.Errors.isEmpty());
    for (int c = 0; c < 2; ++c)
        lines_->resizeColumnToContents(c);
}

TCalDavStatusPanel::TCalDavStatusPanel(TCalDavSyncRunner& runner, QWidget* window)
    : QLabel(window), runner_(runner), window_(window) {
    setObjectName(QStringLiteral("CalDavPanel"));
    setAccessibleName(tr("CalDAV sync"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(tr("Click for what the last CalDAV sync moved"));
    // Without an account, until a sync runs (kelvo-cli's asks without one say so).
    setText(tr("CalDAV: not synced yet"));
    setVisible(runner.HasAccount());
    connect(&runner, &TCalDavSyncRunner::syncStarted, this, [this] {
        syncing_ = true;
        setText(tr("CalDAV: syncing..."));
        show();
        if (dialog_)
            dialog_->SetSyncing(true);
    });
    connect(&runner, &TCalDavSyncRunner::syncFinished, this, &TCalDavStatusPanel::Finished);
}

void TCalDavStatusPanel::Finished(const QString& answer) {
    syncing_ = false;
    last_ = TCalDavSyncReport::FromAnswer(answer, QDateTime::currentDateTime());
    setText(PanelText(last_));
    show();
    if (dialog_)
        dialog_->Show(last_);
}

TCalDavSyncWindow& TCalDavStatusPanel::OpenWindow() {
    if (!dialog_) {
        dialog_ = new TCalDavSyncWindow(runner_, window_);
        dialog_->Show(last_);
        dialog_->SetSyncing(syncing_);
    }
    dialog_->open();
    dialog_->raise();
    dialog_->activateWindow();
    return *dialog_;
}

void TCalDavStatusPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OpenWindow();
    QLabel::mouseReleaseEvent(event);
}

void TCalDavStatusPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        OpenWindow();
        return;
    }
    QLabel::keyPressEvent(event);
}

TCalDavStatusPanel& InstallCalDavStatus(TCalDavSyncRunner& runner, QMainWindow& window) {
    auto* panel = new TCalDavStatusPanel(runner, &window);
    window.statusBar()->addPermanentWidget(panel);
    return *panel;
}

} // namespace kelvo
