#include "platform/session/paAutostart.h"

#include "platform/diagnostics/SetupLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kelvo {

namespace {

constexpr int MaxExecPart = 256;

// A desktop entry's string value escapes: "\s", "\n", "\t", "\r", "\\".
QString UnescapeValue(const QString& value) {
    QString result;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            result += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.toLatin1()) {
        case 's':
            result += QLatin1Char(' ');
            break;
        case 'n':
            result += QLatin1Char('\n');
            break;
        case 't':
            result += QLatin1Char('\t');
            break;
        case 'r':
            result += QLatin1Char('\r');
            break;
        default:
            result += next;
        }
    }
    return result;
}

QString EscapeValue(const QString& value) {
    QString result = value;
    result.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return result;
}

} // namespace

TStartupShortcut::TStartupShortcut(const QString& filePath, const QString& programPath)
    : filePath_(filePath.isEmpty() ? DefaultFilePath() : filePath),
      programPath_(programPath.isEmpty() ? QString::fromStdString(ProgramFilePath())
                                         : programPath) {}

QString TStartupShortcut::DefaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/Tavrelon MP3.desktop");
}

QString TStartupShortcut::QuoteExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QStringList TStartupShortcut::SplitExec(const QString& exec) {
    QStringList parts;
    QString current;
    bool inQuotes = false;
    bool hasPart = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                current += exec[++i];
            else if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            hasPart = true;
        } else if (c.isSpace()) {
            if (hasPart)
                parts << current;
            current.clear();
            hasPart = false;
        } else {
            current += c;
            hasPart = true;
        }
    }
    if (hasPart)
        parts << current;
    return parts;
}

bool TStartupShortcut::ReadExec(QString& exec) const {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inEntry = false;
    bool found = false;
    bool hidden = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!inEntry || eq < 0 || line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = UnescapeValue(line.mid(eq + 1).trimmed());
        if (key == QLatin1String("Exec")) {
            exec = value;
            found = true;
        } else if (key == QLatin1String("Hidden")) {
            // An entry marked hidden is one the desktop treats as deleted.
            hidden = value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        }
    }
    return found && !hidden;
}

void TStartupShortcut::Read(bool& runAtStartup, bool& directlyIntoTray) const {
    QString exec;
    QStringList parts;
    if (ReadExec(exec))
        parts = SplitExec(exec);
    const QString arguments = parts.mid(1).join(QLatin1Char(' '));
    if (parts.isEmpty() || parts[0].size() > MaxExecPart || arguments.size() > MaxExecPart) {
        runAtStartup = false;
        return;
    }
    runAtStartup = true;
    directlyIntoTray = parts.mid(1).contains(QStringLiteral("-tray"), Qt::CaseInsensitive);
}

bool TStartupShortcut::Write(bool runAtStartup, bool directlyIntoTray) const {
    bool shownRun = false;
    bool shownTray = directlyIntoTray;
    Read(shownRun, shownTray);
    if (shownRun == runAtStartup && (!runAtStartup || shownTray == directlyIntoTray))
        return true;
    if (!runAtStartup) {
        return QFile::remove(filePath_) || !QFileInfo::exists(filePath_);
    }
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    QString exec = QuoteExecArgument(programPath_);
    if (directlyIntoTray)
        exec += QStringLiteral(" -tray");
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tavrelon MP3\n"
                                        "Comment=Calendar and reminders\n"
                                        "Exec=%1\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(EscapeValue(exec));
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace kelvo
