#pragma once

#include <QString>
#include <QStringList>

namespace kelvo {

// The start-at-logon entry: an XDG autostart file whose existence is the real state of
// "run at startup"; "-tray" among its arguments means starting into the tray.
class TStartupShortcut {
public:
    // Empty arguments take the user's autostart folder and the running program.
    explicit TStartupShortcut(const QString& filePath = {}, const QString& programPath = {});

    static QString DefaultFilePath();
    const QString& FilePath() const { return filePath_; }

    // When the entry can be read: runAtStartup becomes true and directlyIntoTray tells
    // whether its arguments hold "-tray" in any letter case. Otherwise runAtStartup becomes
    // false and directlyIntoTray keeps its value.
    void Read(bool& runAtStartup, bool& directlyIntoTray) const;
    // Rewrites or deletes the entry when either value differs from what it shows.
    // Failures are swallowed; returns whether the entry now matches.
    bool Write(bool runAtStartup, bool directlyIntoTray) const;

    // The Exec line's quoting of the desktop entry format.
    static QString QuoteExecArgument(const QString& argument);
    static QStringList SplitExec(const QString& exec);

private:
    bool ReadExec(QString& exec) const;

    QString filePath_;
    QString programPath_;
};

} // namespace kelvo
