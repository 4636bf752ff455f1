#pragma once

// The tips of the day: their texts (read from the shipped tip files, in the user's language
// when a file for it is there), whether they show at start-up, and the one shown now.

#include <QString>
#include <QStringList>
#include <functional>

class QLocale;
class QWidget;

namespace kelvo {

class TTipsForm;

class TpaTips {
public:
    // One tip a line; "\n" inside a tip is a line break; empty lines and lines that begin
    // with "#" are skipped. A file that cannot be read gives no tips.
    static QStringList Parse(const QString& text);
    // tips_<locale>.txt, tips_<language>.txt, else tips.txt, from folder.
    static QStringList Load(const QString& folder, const QLocale& locale);
    // Where the program's tip files lie: "tips" beside the icon library, or in the shared
    // folder of an installation.
    static QString Folder();

    QStringList Tips;
    bool ShowAtStartup = true;
    int Current = 0;
    // After the window closed, with ShowAtStartup as the user left it.
    std::function<void(TpaTips&)> OnClose;

    // A tip chosen at random, in a window of its own that stays on top; returns at once.
    TTipsForm* Execute(QWidget* parent);
    void Next();
    QString CurrentTip() const;
};

} // namespace kelvo
