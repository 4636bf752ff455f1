#pragma once

// The program's help: local HTML shipped in the "Help" folder beside "Sounds", one page per
// topic number, opened with the desktop's browser. F1 shows the topic of the focused element:
// the nearest widget up its parents with a "helpTopic" property.

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QApplication;
class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace kelvo {

class THelp : public QObject {
    Q_OBJECT
public:
    // The widget property that names an element's topic.
    static constexpr const char* TopicProperty = "helpTopic";

    // The address of a topic; a topic the help does not know opens its contents.
    static QUrl TopicUrl(int topic);
    // Shows the topic in the browser; false when the help or the browser is missing.
    static bool ShowTopic(int topic);
    // The topic of w: its own or its nearest parent's; 0 for none.
    static int TopicOf(const QWidget* w);
    // A "Help" button in box that shows the topic of what shown answers, as F1 would there.
    static QPushButton* AddButton(QDialogButtonBox& box, std::function<const QWidget*()> shown);
    // Sees every F1 before the widgets do, for the program's lifetime.
    static void InstallF1(QApplication& app);
    // How a page is opened (the desktop's browser); tests record instead.
    static std::function<bool(const QUrl&)>& Opener();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kelvo
