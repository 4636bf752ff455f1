#include "platform/runtime/FolderProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvo {

namespace {

QString RunningProgramFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

} // namespace

TQtFolderProvider::TQtFolderProvider(std::string programFolder)
    : programFolder_(std::move(programFolder)) {
    if (programFolder_.empty())
        programFolder_ = QDir::toNativeSeparators(RunningProgramFolder()).toStdString();
    const QDir program(QString::fromStdString(programFolder_));
    resourceFolder_ = programFolder_;
    if (program.exists(QStringLiteral("Sounds")) || program.exists(QStringLiteral("Icons.dll")))
        return;
    const QString shared = program.absoluteFilePath(QStringLiteral("../share/kelvo-rem"));
    if (QFileInfo(shared).isDir())
        resourceFolder_ = QDir::toNativeSeparators(QDir::cleanPath(shared)).toStdString();
}

std::string TQtFolderProvider::UserDataFolder() const {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? std::string() : QDir::toNativeSeparators(data).toStdString();
}

} // namespace kelvo
