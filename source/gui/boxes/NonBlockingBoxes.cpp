#include "gui/boxes/NonBlockingBoxes.h"

#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>

namespace kelvo {

namespace {

std::vector<QPointer<QWidget>>& Open() {
    static std::vector<QPointer<QWidget>> open;
    return open;
}

int waiting = 0;

void Forget(QWidget* window) {
    auto& open = Open();
    open.erase(std::remove_if(open.begin(), open.end(),
                              [window](const QPointer<QWidget>& w) { return !w || w == window; }),
               open.end());
}

// Alarm windows stay on top; a box that does not would open beneath them.
void PrepareAndShow(QWidget& window) {
    window.setWindowModality(Qt::NonModal);
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.setAttribute(Qt::WA_QuitOnClose, false);
    Forget(&window);
    Open().push_back(&window);
    window.show();
    window.raise();
    window.activateWindow();
}

class TWaiting {
public:
    TWaiting() { ++waiting; }
    ~TWaiting() { --waiting; }
    TWaiting(const TWaiting&) = delete;
    TWaiting& operator=(const TWaiting&) = delete;
};

} // namespace

QMessageBox* ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                     const QString& text, QMessageBox::StandardButtons buttons,
                     QMessageBox::StandardButton defaultButton, TBoxAnswered answered) {
    auto* box = new QMessageBox(icon, title, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    QObject::connect(box, &QDialog::finished, box, [box, answered = std::move(answered)](int) {
        Forget(box);
        QAbstractButton* clicked = box->clickedButton();
        const QMessageBox::StandardButton button =
            clicked ? box->standardButton(clicked) : QMessageBox::NoButton;
        if (answered)
            answered(button);
    });
    PrepareAndShow(*box);
    return box;
}

QMessageBox::StandardButton AskAndWait(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton) {
    TWaiting mark;
    QEventLoop loop;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    bool done = false;
    ShowBox(parent, icon, title, text, buttons, defaultButton,
            [&](QMessageBox::StandardButton button) {
                answer = button;
                done = true;
                loop.quit();
            });
    if (!done)
        loop.exec();
    return answer;
}

int RunAndWait(QDialog& dialog) {
    TWaiting mark;
    QEventLoop loop;
    const QMetaObject::Connection finished =
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    const QMetaObject::Connection gone =
        QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    QPointer<QDialog> alive(&dialog);
    PrepareAndShow(dialog);
    loop.exec();
    QObject::disconnect(finished);
    QObject::disconnect(gone);
    if (!alive)
        return QDialog::Rejected;
    Forget(&dialog);
    return dialog.result();
}

void RaiseOpenBoxes() {
    Forget(nullptr);
    for (const QPointer<QWidget>& w : Open())
        if (w && w->isVisible())
            w->raise();
}

std::vector<QWidget*> OpenBoxes() {
    Forget(nullptr);
    std::vector<QWidget*> boxes;
    for (const QPointer<QWidget>& w : Open())
        if (w && w->isVisible())
            boxes.push_back(w.data());
    return boxes;
}

bool WaitingForBox() {
    return waiting > 0;
}

} // namespace kelvo
