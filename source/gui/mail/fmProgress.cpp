#include "gui/mail/fmProgress.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint),
      bar_(new QProgressBar(this)) {
    setWindowTitle(tr("Email sending..."));
    setModal(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(320, sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TProgressForm::SetProgress(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
}

int TProgressForm::Progress() const {
    return bar_->value();
}

std::unique_ptr<IMailProgress> CreateMailProgressWindow() {
    auto form = std::make_unique<TProgressForm>();
    form->show();
    return form;
}

} // namespace kelvo
