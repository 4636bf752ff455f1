#pragma once

// Driving the condition editors as a user does: dialogs are answered while they run, fields
// are found by their names.

#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/editors/EditorControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace kelvo::test {

template <typename T> T& Find(const QWidget& in, const char* name) {
    T* w = in.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return *w;
}

inline void Click(const QWidget& in, const char* name) {
    Find<QAbstractButton>(in, name).click();
}

// Runs act on the next editor dialog once it runs; act ends it with accept or reject.
inline void WhenDialog(std::function<void(TEditorDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<TEditorDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("no editor dialog runs");
        act(*dialog);
        // A failed check left it open: the test goes on to report.
        if (dialog->isVisible() && QTest::currentTestFailed())
            dialog->reject();
    });
}

inline void Ok(TEditorDialog& d) {
    d.accept();
}

// Saves a picture of w when KELVO_SHOTS names a folder.
inline void Shot(QWidget& w, const QString& name) {
    const QString folder = qEnvironmentVariable("KELVO_SHOTS");
    if (folder.isEmpty())
        return;
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    w.grab().save(folder + "/" + name + "@" + scale + "x.png");
}

// The first ten arisings from from, as whole milliseconds.
inline std::vector<std::int64_t> TenArisings(const TInitializeCondition& c, TDateTime from) {
    std::unique_ptr<TInitializeCondition> copy = c.Clone();
    std::vector<std::int64_t> result;
    TDateTime x = from;
    for (int i = 0; i < 10; ++i) {
        const TDateTime r = copy->NextArise(x);
        if (IsNullDate(r))
            break;
        result.push_back(DateTimeToMs(r));
        x = IncMinute(1, r);
    }
    return result;
}

} // namespace kelvo::test
