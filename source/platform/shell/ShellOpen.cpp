#include "platform/shell/ShellOpen.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace kelvo {

namespace {

QString FromText(const std::string& text) {
    return QString::fromStdString(text);
}

bool HasGui() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// The desktop's opener; without a graphical application (the command-line tool) the
// desktop's opener program, started directly.
bool OpenUrl(const QUrl& url) {
    if (!url.isValid())
        return false;
    if (HasGui())
        return QDesktopServices::openUrl(url);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && QProcess::startDetached(opener, {url.toString(QUrl::FullyEncoded)});
}

QString InFolder(const QString& name, const QString& folder) {
    if (folder.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir(folder).filePath(name);
}

bool IsProgramFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The program file target names, or empty when it names none.
QString FindProgram(const QString& target, const QString& folder) {
    if (target.contains(QLatin1Char('/'))) {
        const QString path = InFolder(target, folder);
        return IsProgramFile(path) ? QFileInfo(path).absoluteFilePath() : QString();
    }
    if (!folder.isEmpty() && IsProgramFile(InFolder(target, folder)))
        return QFileInfo(InFolder(target, folder)).absoluteFilePath();
    return QStandardPaths::findExecutable(target);
}

// "mailto:x", "file:///x"; not a relative name with a colon in it.
bool NamesScheme(const QString& target) {
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

} // namespace

std::vector<std::string> SplitParameters(const std::string& parameters) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const char ch = parameters[i];
        if (quoted) {
            if (ch == '"') {
                if (i + 1 < parameters.size() && parameters[i + 1] == '"') {
                    word += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                word += ch;
            }
        } else if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else if (ch == '"') {
            quoted = true;
            inWord = true;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

bool ShellOpen(const std::string& target, const std::string& parameters,
               const std::string& folder) {
    const QString name = FromText(target).trimmed();
    if (name.isEmpty())
        return false;
    TBusyCursor busy;
    const QString dir = FromText(folder);
    const QString program = FindProgram(name, dir);
    if (!program.isEmpty()) {
        QStringList arguments;
        for (const std::string& word : SplitParameters(parameters))
            arguments << FromText(word);
        return QProcess::startDetached(program, arguments, dir);
    }
    const QString path = InFolder(name, dir);
    if (QFileInfo::exists(path))
        return OpenUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (NamesScheme(name))
        return OpenUrl(QUrl(name, QUrl::StrictMode));
    return false;
}

bool OpenDocument(const std::string& target) {
    return IsWebAddress(target) ? OpenWebAddress(target) : ShellOpen(target);
}

bool OpenWebAddress(const std::string& address) {
    {
        TBusyCursor busy;
        const QUrl url(QString::fromLatin1(EscapeUrl(address)), QUrl::StrictMode);
        if (OpenUrl(url))
            return true;
    }
    return ShellOpen(address);
}

TBusyCursor::TBusyCursor() : set_(HasGui()) {
    if (set_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TBusyCursor::~TBusyCursor() {
    if (set_)
        QGuiApplication::restoreOverrideCursor();
}

bool TDesktopShell::OpenDocument(const std::string& target) {
    return ::kelvo::OpenDocument(target);
}

bool TDesktopShell::ShellOpen(const std::string& target, const std::string& parameters,
                              const std::string& folder) {
    return ::kelvo::ShellOpen(target, parameters, folder);
}

} // namespace kelvo
