#include "gui/dialogs/fmTips.h"

#include "gui/dialogs/paTips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvo {

TTipsForm::TTipsForm(TpaTips& tips, QWidget* parent) : QDialog(parent), tips_(tips) {
    setObjectName(QStringLiteral("TipsForm"));
    setWindowTitle(tr("Tip of the Day"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    auto* strip = new QLabel(panel);
    strip->setFixedWidth(56);
    strip->setAutoFillBackground(true);
    QPalette grey = strip->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    strip->setPalette(grey);
    strip->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    strip->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    strip->setContentsMargins(0, 12, 0, 0);

    auto* heading = new QLabel(tr("Did you know..."), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    auto* line = new QFrame(panel);
    line->setFrameShape(QFrame::HLine);
    text_ = new QLabel(panel);
    text_->setObjectName(QStringLiteral("TipText"));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setMinimumSize(320, 110);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* texts = new QVBoxLayout;
    texts->setContentsMargins(8, 8, 12, 12);
    texts->addWidget(heading);
    texts->addWidget(line);
    texts->addWidget(text_, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(strip);
    panelLayout->addLayout(texts, 1);

    atStartup_ = new QCheckBox(tr("&Show tips at startup"), this);
    atStartup_->setObjectName(QStringLiteral("TipsAtStartup"));
    atStartup_->setChecked(tips_.ShowAtStartup);
    auto* next = new QPushButton(tr("&Next Tip"), this);
    next->setObjectName(QStringLiteral("TipsNext"));
    next->setDefault(true);
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("TipsClose"));
    close->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, &TTipsForm::NextTip);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(atStartup_);
    bottom->addStretch(1);
    bottom->addWidget(next);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);

    text_->setText(tips_.CurrentTip());
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TTipsForm::ShownTip() const {
    return text_->text();
}

void TTipsForm::NextTip() {
    tips_.Next();
    text_->setText(tips_.CurrentTip());
}

void TTipsForm::done(int result) {
    tips_.ShowAtStartup = atStartup_->isChecked();
    QDialog::done(result);
    if (tips_.OnClose)
        tips_.OnClose(tips_);
}

} // namespace kelvo
