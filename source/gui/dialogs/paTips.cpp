#include "gui/dialogs/paTips.h"

#include "core/timers/ProgramFolders.h"
#include "gui/dialogs/fmTips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>

namespace kelvo {

QStringList TpaTips::Parse(const QString& text) {
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        out << line.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    }
    return out;
}

QStringList TpaTips::Load(const QString& folder, const QLocale& locale) {
    const QDir dir(folder);
    for (const QString& name : {QStringLiteral("tips_%1.txt").arg(locale.name()),
                                QStringLiteral("tips_%1.txt").arg(locale.name().section('_', 0, 0)),
                                QStringLiteral("tips.txt")}) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            return Parse(QString::fromUtf8(file.readAll()));
    }
    return {};
}

QString TpaTips::Folder() {
    const QString library = QString::fromStdString(ProgramFolders().IconsLibrary());
    if (!library.isEmpty()) {
        const QString beside = QFileInfo(library).dir().filePath(QStringLiteral("tips"));
        if (QFileInfo(beside).isDir())
            return beside;
    }
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/kelvo-rem/tips"));
}

TTipsForm* TpaTips::Execute(QWidget* parent) {
    Current = Tips.isEmpty() ? 0
                             : static_cast<int>(QRandomGenerator::global()->bounded(
                                   static_cast<quint32>(Tips.size())));
    auto* form = new TTipsForm(*this, parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    form->raise();
    return form;
}

void TpaTips::Next() {
    if (Tips.isEmpty())
        return;
    Current = (Current + 1) % static_cast<int>(Tips.size());
}

QString TpaTips::CurrentTip() const {
    if (Current < 0 || Current >= Tips.size())
        return {};
    return Tips[Current];
}

} // namespace kelvo
