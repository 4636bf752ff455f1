#include "gui/main/fmTrayHint.h"

#include "core/entities/Event.h"
#include "core/runtime/RemNotebook.h"
#include "gui/events/EventListView.h"

#include <QApplication>
#include <QDate>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelvo {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString AriseText(TDateTime when, TDateTime now) {
    if (DateOf(when) == DateOf(now))
        return Q(ShortTimeText(when));
    return Q(ShortTimeText(when) + ", " + ShortDateText(when));
}

} // namespace

TTrayHintContent TrayHintContent(const TReminderNotebook& notebook, TDateTime now) {
    TTrayHintContent content;
    TDateTime when = NullDate;
    if (TEvent* next = notebook.NearestEvent(when); next && !IsNullDate(when)) {
        content.HasNext = true;
        content.Next = {Q(next->Description()), AriseText(when, now), EventRowIcon(*next)};
    }
    const TDateTime tomorrow = IncDay(1, DateOf(now));
    const TEventList due = notebook.EventsDueBy(tomorrow, now);
    for (TEvent* event : due.Events()) {
        const TDateTime at = event->InitializeCondition().NextArise(now);
        if (!IsNullDate(at) && DateOf(at) == DateOf(now))
            content.Today.push_back(
                {Q(event->Description()), Q(ShortTimeText(at)), EventRowIcon(*event)});
    }
    return content;
}

QString TrayHintText(const TTrayHintContent& content) {
    QStringList lines;
    lines << TTrayHintForm::tr("Next event:") + QLatin1Char(' ') +
                 (content.HasNext ? content.Next.Name + QStringLiteral(" (") + content.Next.Time +
                                        QLatin1Char(')')
                                  : TTrayHintForm::tr("None"));
    lines << TTrayHintForm::tr("Today's upcoming events:");
    if (content.Today.empty())
        lines << TTrayHintForm::tr("None");
    for (const TTrayHintRow& row : content.Today)
        lines << row.Time + QStringLiteral("  ") + row.Name;
    return lines.join(QLatin1Char('\n'));
}

TTrayHintForm::TTrayHintForm(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("TrayHintForm"));
    setWindowTitle(tr("Upcoming events"));
    setAccessibleName(tr("Upcoming events"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(210.0 / 255.0);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    timeLabel_ = new QLabel(this);
    timeLabel_->setObjectName(QStringLiteral("TimeLabel"));
    QFont bold = timeLabel_->font();
    bold.setBold(true);
    timeLabel_->setFont(bold);
    layout->addWidget(timeLabel_);

    auto* nextTitle = new QLabel(tr("Next event:"), this);
    nextTitle->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(nextTitle);
    auto* nextRow = new QHBoxLayout;
    nextRow->setSpacing(6);
    nextImage_ = new QLabel(this);
    nextImage_->setObjectName(QStringLiteral("NextImage"));
    nextImage_->setFixedSize(16, 16);
    nextLabel_ = new QLabel(this);
    nextLabel_->setObjectName(QStringLiteral("NextLabel"));
    nextTimeLabel_ = new QLabel(this);
    nextTimeLabel_->setObjectName(QStringLiteral("NextTimeLabel"));
    nextTimeLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    nextRow->addWidget(nextImage_);
    nextRow->addWidget(nextLabel_, 1);
    nextRow->addWidget(nextTimeLabel_);
    layout->addLayout(nextRow);

    auto* todayTitle = new QLabel(tr("Today's upcoming events:"), this);
    todayTitle->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(todayTitle);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListView"));
    list_->setAccessibleName(tr("Today's upcoming events:"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Name"), tr("Next event")});
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setIconSize(QSize(16, 16));
    list_->setPalette(colours);
    layout->addWidget(list_);
    noneLabel_ = new QLabel(tr("None"), this);
    noneLabel_->setObjectName(QStringLiteral("NoneLabel"));
    layout->addWidget(noneLabel_);

    clock_ = new QTimer(this);
    clock_->setInterval(500);
    connect(clock_, &QTimer::timeout, this, &TTrayHintForm::ShowTime);
}

void TTrayHintForm::SetContent(const TTrayHintContent& content) {
    nextImage_->setPixmap(content.HasNext ? content.Next.Icon.pixmap(16, 16) : QPixmap());
    nextLabel_->setText(content.HasNext ? content.Next.Name : tr("None"));
    nextTimeLabel_->setText(content.HasNext ? content.Next.Time : QString());
    list_->clear();
    for (const TTrayHintRow& row : content.Today) {
        auto* item = new QTreeWidgetItem(list_, {row.Name, row.Time});
        item->setIcon(0, row.Icon);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    const bool none = content.Today.empty();
    list_->setVisible(!none);
    noneLabel_->setVisible(none);
    // The list is as tall as its rows: the window ends with it.
    const int rows = static_cast<int>(content.Today.size());
    const int rowHeight = rows ? list_->sizeHintForRow(0) : 0;
    list_->setFixedHeight(rows * rowHeight + 2);
    list_->setMinimumWidth(list_->columnWidth(0) + list_->columnWidth(1) + 8);
    ShowTime();
    adjustSize();
}

void TTrayHintForm::ShowNear(const QRect& icon, const QPoint& cursor) {
    adjustSize();
    const QPoint anchor = icon.isValid() ? icon.center() : cursor;
    QScreen* screen = QApplication::screenAt(anchor);
    if (!screen)
        screen = QApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), size());
    const QRect around = icon.isValid() ? icon : QRect(cursor, QSize(1, 1));
    QPoint at(around.left(), 0);
    // Away from the panel the icon sits on: above it in the lower half, else below.
    if (around.center().y() > area.center().y())
        at.setY(around.top() - height() - 2);
    else
        at.setY(around.bottom() + 2);
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    move(at);
    show();
    raise();
}

void TTrayHintForm::showEvent(QShowEvent* event) {
    ShowTime();
    clock_->start();
    QWidget::showEvent(event);
}

void TTrayHintForm::hideEvent(QHideEvent* event) {
    clock_->stop();
    QWidget::hideEvent(event);
}

void TTrayHintForm::ShowTime() {
    const TDateTime now = Now();
    const TDateParts d = DecodeDate(now);
    const TTimeParts t = DecodeTime(now);
    const QLocale locale;
    timeLabel_->setText(
        locale.toString(QDate(static_cast<int>(d.Year), d.Month, d.Day), QLocale::LongFormat) +
        QStringLiteral(", ") +
        locale.toString(QTime(t.Hour, t.Minute, t.Second), QLocale::LongFormat));
}

} // namespace kelvo
