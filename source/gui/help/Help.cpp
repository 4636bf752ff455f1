#include "gui/help/Help.h"

#include "core/timers/ProgramFolders.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace kelvo {

namespace {

QString HelpPage(const QString& name) {
    return QDir(QString::fromStdString(ProgramFolders().HelpFolder())).absoluteFilePath(name);
}

QString HelpIndex() {
    return HelpPage(QStringLiteral("index.html"));
}

} // namespace

std::function<bool(const QUrl&)>& THelp::Opener() {
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return opener;
}

QUrl THelp::TopicUrl(int topic) {
    // A page per topic: file addresses lose their fragment on the way through xdg-open.
    const QString page = HelpPage(QStringLiteral("topic-%1.html").arg(topic));
    return QUrl::fromLocalFile(QFile::exists(page) ? page : HelpIndex());
}

bool THelp::ShowTopic(int topic) {
    if (!QFile::exists(HelpIndex()))
        return false;
    return Opener()(TopicUrl(topic));
}

int THelp::TopicOf(const QWidget* w) {
    for (; w != nullptr; w = w->parentWidget())
        if (const QVariant topic = w->property(TopicProperty); topic.isValid())
            return topic.toInt();
    return 0;
}

QPushButton* THelp::AddButton(QDialogButtonBox& box, std::function<const QWidget*()> shown) {
    QPushButton* help = box.addButton(tr("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("Help"));
    help->setAccessibleName(tr("Help"));
    // Clicked, not helpRequested: the box's own signal also fires for buttons added elsewhere.
    connect(help, &QPushButton::clicked, help,
            [shown = std::move(shown)] { ShowTopic(TopicOf(shown())); });
    return help;
}

void THelp::InstallF1(QApplication& app) {
    app.installEventFilter(new THelp());
}

bool THelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
        return false;
    // Key presses go to the focus widget first; its parents see them again.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget != QApplication::focusWidget())
        return false;
    if (const int topic = TopicOf(widget); topic > 0) {
        ShowTopic(topic);
        return true;
    }
    return false; // windows with help of their own (the alarm window) answer it themselves
}

} // namespace kelvo
