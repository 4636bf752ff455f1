#include "gui/editors/dmShared.h"

#include "gui/editors/EditorControls.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>
#include <algorithm>
#include <string>
#include <utility>

namespace kelvo {

namespace {

// Arrow keys move between the buttons of the grid, Enter chooses one.
class TGridKeys : public QObject {
public:
    TGridKeys(std::vector<QToolButton*> buttons, int rows, QObject* parent)
        : QObject(parent), buttons_(std::move(buttons)), rows_(rows) {
        for (QToolButton* b : buttons_)
            b->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto at = std::find(buttons_.begin(), buttons_.end(), watched);
        if (at == buttons_.end())
            return false;
        const int i = static_cast<int>(at - buttons_.begin());
        const int n = static_cast<int>(buttons_.size());
        int to = -1;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            to = i % rows_ > 0 ? i - 1 : -1;
            break;
        case Qt::Key_Down:
            to = i % rows_ < rows_ - 1 ? i + 1 : -1;
            break;
        case Qt::Key_Left:
            to = i - rows_;
            break;
        case Qt::Key_Right:
            to = i + rows_;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            (*at)->click();
            return true;
        default:
            return false;
        }
        if (to >= 0 && to < n)
            buttons_[static_cast<std::size_t>(to)]->setFocus();
        return true;
    }

private:
    std::vector<QToolButton*> buttons_;
    int rows_;
};

// A grid of items in columns of rows entries, each item a flat button for its action.
void AddGrid(QMenu& menu, const std::vector<QAction*>& items, int rows, QMenu& top) {
    auto* holder = new QWidget(&menu);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(0);
    std::vector<QToolButton*> buttons;
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* button = new QToolButton(holder);
        button->setDefaultAction(items[i]);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        button->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(items[i], &QAction::triggered, &top, &QMenu::close);
        const int n = static_cast<int>(i);
        grid->addWidget(button, n % rows, n / rows);
        buttons.push_back(button);
    }
    // Opening the submenu by keyboard lands on its first item.
    holder->setFocusProxy(buttons.front());
    new TGridKeys(std::move(buttons), rows, holder);
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(holder);
    menu.addAction(action);
}

} // namespace

TDM& TDM::Instance() {
    static TDM* instance = nullptr;
    if (!instance) {
        instance = new TDM;
        // Widgets must go before the application does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            delete instance;
            instance = nullptr;
        });
    }
    return *instance;
}

TDM::TDM() : popup_(new QMenu) {
    popup_->setObjectName(QStringLiteral("TimePickerPopup"));
    now_ = popup_->addAction(tr("Now"));
    now_->setObjectName(QStringLiteral("NowMenuItem"));
    connect(now_, &QAction::triggered, this, [this] {
        if (picker_)
            picker_->setTime(ToQTime(CurrentTime()));
    });

    auto* atMenu = popup_->addMenu(tr("At"));
    at_ = atMenu->menuAction();
    at_->setObjectName(QStringLiteral("AtMenuItem"));
    for (int m = 0; m < 24 * 60; m += 30) {
        auto* item = new QAction(AtCaption(m), atMenu);
        connect(item, &QAction::triggered, this, [this, m] {
            if (picker_)
                picker_->setTime(QTime(m / 60, m % 60));
        });
        atItems_.push_back(item);
    }
    AddGrid(*atMenu, atItems_, 12, *popup_);

    auto* inMenu = popup_->addMenu(tr("In"));
    in_ = inMenu->menuAction();
    in_->setObjectName(QStringLiteral("InMenuItem"));
    for (int m = 5; m <= 55; m += 5) {
        auto* item = new QAction(tr("%1 min").arg(m), inMenu);
        connect(item, &QAction::triggered, this, [this, m] { SetIn(m); });
        inItems_.push_back(item);
    }
    for (int half = 2; half <= 12; ++half) {
        const double hours = half / 2.0;
        const QString number = QLocale().toString(hours, 'f', half % 2 == 0 ? 0 : 1);
        auto* item = new QAction(tr("%1 hour(s)").arg(number), inMenu);
        connect(item, &QAction::triggered, this, [this, half] { SetIn(half * 30); });
        inItems_.push_back(item);
    }
    AddGrid(*inMenu, inItems_, 11, *popup_);
}

TDM::~TDM() {
    delete popup_;
}

QString TDM::AtCaption(int minutesOfDay) {
    std::string format = CurrentLocale().ShortTimeFormat();
    for (const char* seconds : {":ss", ":s", "s"}) {
        const auto at = format.find(seconds);
        if (at != std::string::npos) {
            format.erase(at, std::char_traits<char>::length(seconds));
            break;
        }
    }
    return QText(FormatDateTime(format, EncodeTime(minutesOfDay / 60, minutesOfDay % 60)));
}

void TDM::SetIn(int minutes) {
    if (!picker_)
        return;
    const TDateTime now = Now();
    const TDateTime then = IncMinute(minutes, now);
    picker_->setTime(ToQTime(TimeOf(then)));
    // The time alone wraps past midnight; the date beside it follows.
    const auto days = static_cast<int>(DateOf(then) - DateOf(now));
    if (date_ && days > 0)
        date_->setDate(date_->date().addDays(days));
}

void TDM::Target(QDateTimeEdit* picker, QDateEdit* date) {
    picker_ = picker;
    date_ = date;
}

void TDM::PopupFor(QDateTimeEdit& picker, const QPoint& globalPos, QDateEdit* date) {
    Target(&picker, date);
    popup_->popup(globalPos);
}

void TDM::Attach(QDateTimeEdit& picker, QToolButton& button, std::function<QDateEdit*()> beside) {
    auto date = [beside] { return beside ? beside() : nullptr; };
    picker.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&picker, &QWidget::customContextMenuRequested, &picker,
            [&picker, date](const QPoint& pos) {
                Instance().PopupFor(picker, picker.mapToGlobal(pos), date());
            });
    button.setArrowType(Qt::DownArrow);
    button.setFocusPolicy(Qt::StrongFocus);
    connect(&button, &QToolButton::clicked, &button, [&picker, &button, date] {
        Instance().PopupFor(picker, button.mapToGlobal(QPoint(0, button.height())), date());
    });
}

} // namespace kelvo
