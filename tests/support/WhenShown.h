#pragma once

// Answers a modal dialog that a command opens and waits for: the answer runs once a visible
// top-level window of the type is on screen, inside the dialog's own event loop.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kelvo::test {

template <class T> T* Shown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    return nullptr;
}

template <class T> void WhenShown(std::function<void(T&)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (T* dialog = Shown<T>()) {
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
        }
    });
    poll->start(20);
}

} // namespace kelvo::test
