#include "gui/alarm/fmAlarmMessage.h"

#include "core/entities/Event.h"
#include "core/entities/Reminder.h"
#include "core/util/paFormat.h"
#include "core/util/paIError.h"
#include "core/util/paText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace kelvo {

namespace {

// The part a system colour plays, by its index.
QPalette::ColorRole SystemColorRole(std::uint32_t index, QPalette::ColorGroup& group) {
    group = QPalette::Active;
    switch (index) {
    case 2:  // active caption
    case 13: // highlight
    case 27: // gradient of the active caption
    case 29: // menu highlight
        return QPalette::Highlight;
    case 9:  // caption text
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 3:  // inactive caption
    case 12: // application workspace
    case 28: // gradient of the inactive caption
        return QPalette::Mid;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 7:  // menu text
    case 19: // inactive caption text
        return QPalette::WindowText;
    case 8: // window text
        return QPalette::Text;
    case 15: // button face
        return QPalette::Button;
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // grey text
        group = QPalette::Disabled;
        return QPalette::Text;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    case 26: // hot-tracked item
        return QPalette::Link;
    default: // scroll bar, desktop, menu, borders, menu bar
        return QPalette::Window;
    }
}

// Translated where they are shown.
constexpr std::array<const char*, 6> SnoozeSubjects = {
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "minute(s)"),
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "hour(s)"),
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "day(s)"),
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "week(s)"),
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "mounth(s)"),
    QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", "year(s)")};

} // namespace

QColor ColorFromValue(std::int32_t value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint32_t high = bits & 0xFF000000u;
    if (high == 0xFF000000u || high == 0x80000000u) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = SystemColorRole(bits & 0x00FFFFFFu, group);
        return palette.color(group, role);
    }
    if (high != 0)
        return {}; // no colour, or the default one
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

QString TextFromCore(const std::string& text) {
    return QString::fromStdString(DisplayText(text));
}

std::string SpanText(TDateTime start, TDateTime eventTime) {
    // The start is the clock at the generator's tick, a moment after the minute: whole
    // minutes are counted to the nearest one.
    constexpr std::int64_t minutesPerDay = MSecsPerDay / MSecsPerMinute;
    const std::int64_t minutes =
        std::llround(std::fabs(eventTime - start) * static_cast<double>(minutesPerDay));
    const std::int64_t days = minutes / minutesPerDay;
    const std::int64_t hours = minutes % minutesPerDay / 60;
    const std::int64_t rest = minutes % 60;
    std::string text;
    auto add = [&](std::int64_t n, const char* unit) {
        if (n == 0)
            return;
        if (!text.empty())
            text += ", ";
        text += std::to_string(n) +
                QCoreApplication::translate("kelvo::TAlarmMessageForm", unit).toStdString();
    };
    add(days, QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", " day(s)"));
    add(hours, QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", " hour(s)"));
    add(rest, QT_TRANSLATE_NOOP("kelvo::TAlarmMessageForm", " minute(s)"));
    return text;
}

std::function<void(int)>& TAlarmMessageForm::HelpHandler() {
    static std::function<void(int)> handler;
    return handler;
}

TAlarmMessageForm::TAlarmMessageForm(QWidget* transientParent)
    : QDialog(nullptr), transientParent_(transientParent) {
    setObjectName(QStringLiteral("AlarmMessageForm"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // A hidden main window and a closed alarm window must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setFixedSize(32, 32);
    startedLabel_ = new QLabel(this);
    startedLabel_->setObjectName(QStringLiteral("StartedLabel"));
    ageLabel_ = new QLabel(this);
    ageLabel_->setObjectName(QStringLiteral("AgeLabel"));
    soundLabel_ = new QLabel(this);
    soundLabel_->setObjectName(QStringLiteral("SoundLabel"));
    soundLabel_->setAccessibleName(tr("Sound problem"));
    soundLabel_->setWordWrap(true);
    soundLabel_->hide();
    messageMemo_ = new QPlainTextEdit(this);
    messageMemo_->setObjectName(QStringLiteral("MessageMemo"));
    messageMemo_->setReadOnly(true);
    messageMemo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    messageMemo_->setFixedHeight(96);
    bevel1_ = new QFrame(this);
    bevel1_->setObjectName(QStringLiteral("Bevel1"));
    bevel1_->setFrameShape(QFrame::HLine);
    bevel1_->setFrameShadow(QFrame::Sunken);
    snoozeBtn_ = new QPushButton(tr("&Snooze for"), this);
    snoozeBtn_->setObjectName(QStringLiteral("SnoozeBtn"));
    snoozeNumberEdit_ = new QSpinBox(this);
    snoozeNumberEdit_->setObjectName(QStringLiteral("SnoozeNumberEdit"));
    snoozeNumberEdit_->setRange(1, 99999);
    snoozeSubjectCombo_ = new QComboBox(this);
    snoozeSubjectCombo_->setObjectName(QStringLiteral("SnoozeSubjectCombo"));
    for (const char* subject : SnoozeSubjects)
        snoozeSubjectCombo_->addItem(tr(subject));
    openButton_ = new QPushButton(tr("&Find"), this);
    openButton_->setObjectName(QStringLiteral("OpenButton"));
    nextButton_ = new QPushButton(tr("&Close"), this);
    nextButton_->setObjectName(QStringLiteral("NextButton"));
    nextButton_->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(image1_, 0, Qt::AlignTop);
    auto* labels = new QVBoxLayout;
    labels->addWidget(startedLabel_);
    labels->addWidget(ageLabel_);
    labels->addWidget(soundLabel_);
    labels->addStretch();
    top->addLayout(labels, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(snoozeBtn_);
    buttons->addWidget(snoozeNumberEdit_);
    buttons->addWidget(snoozeSubjectCombo_);
    buttons->addStretch();
    buttons->addWidget(openButton_);
    buttons->addWidget(nextButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(messageMemo_);
    layout->addWidget(bevel1_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(400);

    // A snooze must end within the last day the program counts; beyond it would never come.
    connect(snoozeSubjectCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        snoozeNumberEdit_->setMaximum(
            std::max(1, MaxSnoozeNumber(static_cast<TPeriodType>(index + 1), Now())));
    });
    snoozeNumberEdit_->setMaximum(std::max(1, MaxSnoozeNumber(ptMinute, Now())));
    connect(snoozeBtn_, &QPushButton::clicked, this, [this] { SnoozeAlarm(); });
    connect(openButton_, &QPushButton::clicked, this, [this] { FindEvent(); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { CloseAlarm(); });

    // Esc and F1 reach the window whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
    messageMemo_->setFocus();
}

TAlarmMessageForm::~TAlarmMessageForm() {
    if (!event_)
        return;
    try {
        Answer(false);
    } catch (const std::exception& e) {
        DispatchError(this, &e);
    } catch (...) {
        DispatchError(this);
    }
}

void TAlarmMessageForm::Attach(TEvent& event, bool isEventAlarm, bool overdue, TDateTime due) {
    isEventAlarm_ = isEventAlarm;
    overdue_ = overdue;
    FillTexts(event, due);
    event_ = &event;
    // The style is fixed for the event; setting it recreates the native window.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, event.HasOption(eoStayOnTop));
    if (flags != windowFlags())
        setWindowFlags(flags);
}

void TAlarmMessageForm::FillTexts(TEvent& event, TDateTime due) {
    const std::string description = event.Description();
    std::string caption =
        isEventAlarm_ ? description
                      : Format(tr("Early reminder about \"%s\"").toStdString(), {description});
    TDateTime start = NullDate;
    TDateTime eventTime = NullDate;
    if (isEventAlarm_) {
        start = event.InitializeCondition().LastAppear();
    } else {
        if (TReminder* reminder = event.Reminder())
            start = reminder->InitializeCondition().LastAppear();
        // A missed reminder counts down to the event it was about.
        eventTime =
            event.InitializeCondition().NextArise(overdue_ && !IsNullDate(due) ? due : Now());
    }
    // A missed arising: its LastAppear is the check that found it, hours later maybe.
    if (overdue_ && !IsNullDate(due))
        start = due;
    if (IsNullDate(start))
        start = Now();
    if (overdue_)
        caption = Format(tr("%s [overdue]").toStdString(), {caption});

    std::string age;
    if (event.HasOption(eoComputeCount))
        age = event.InitializeCondition().ElapsedText(isEventAlarm_ ? start : eventTime);
    // Without a further arising of the event there is nothing to count down to.
    if (!isEventAlarm_ && !IsNullDate(eventTime)) {
        const std::string until = SpanText(start, eventTime) + tr(" until event").toStdString();
        age = age.empty() ? until : age + " - " + until;
    }

    setWindowTitle(TextFromCore(caption));
    startedLabel_->setText(TextFromCore(Format(tr("Started at %s on %s").toStdString(),
                                               {ShortTimeText(start), ShortDateText(start)})));
    ageLabel_->setText(TextFromCore(age));
    // Messages written on Windows break their lines with CR LF.
    QString message = TextFromCore(event.WindowMessage());
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    messageMemo_->setPlainText(message);
    snoozeNumberEdit_->setValue(event.DefaultSnoozeNumber());
    const int period = static_cast<int>(event.DefaultSnoozePeriod());
    const int index = period - 1;
    snoozeSubjectCombo_->setCurrentIndex(index >= 0 && index < snoozeSubjectCombo_->count() ? index
                                                                                            : 0);
}

void TAlarmMessageForm::ReportSoundNotPlayed(const QString& fileName) {
    soundLabel_->setText(tr("The sound \"%1\" cannot be played.").arg(fileName));
    soundLabel_->show();
}

QString TAlarmMessageForm::SoundProblemText() const {
    return soundLabel_->isHidden() ? QString() : soundLabel_->text();
}

void TAlarmMessageForm::ApplyLook(const QIcon& icon) {
    if (event_) {
        QPalette window = QApplication::palette(this);
        if (const QColor c = ColorFromValue(event_->WindowColor(), window); c.isValid())
            window.setColor(QPalette::Window, c);
        setPalette(window);
        setAutoFillBackground(true);
        QPalette memo = QApplication::palette(messageMemo_);
        if (const QColor c = ColorFromValue(event_->MessageColor(), memo); c.isValid())
            memo.setColor(QPalette::Base, c);
        messageMemo_->setPalette(memo);
    }
    setWindowIcon(icon);
    image1_->setPixmap(icon.pixmap(32, 32));
}

void TAlarmMessageForm::Present() {
    const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (!onTop && transientParent_) {
        winId();
        if (QWindow* parent = transientParent_->window()->windowHandle())
            windowHandle()->setTransientParent(parent);
    }
    show();
    repaint();
    raise();
    activateWindow();
}

void TAlarmMessageForm::CloseAlarm() {
    Answer(false);
}

void TAlarmMessageForm::SnoozeAlarm() {
    Answer(true);
}

void TAlarmMessageForm::FindEvent() {
    if (event_ && OnFindEvent)
        OnFindEvent(*event_);
}

void TAlarmMessageForm::Answer(bool snooze) {
    hide();
    TEvent* event = event_;
    if (!event)
        return;
    // Detached first: whatever the state change or the callback sets off (the event
    // deleted, the window closed again) finds an answered window.
    event_ = nullptr;
    if (snooze) {
        event->SetDefaultSnoozeNumber(snoozeNumberEdit_->value());
        event->SetDefaultSnoozePeriod(
            static_cast<TPeriodType>(snoozeSubjectCombo_->currentIndex() + 1));
        if (isEventAlarm_)
            event->SnoozeEvent();
        else
            event->SnoozeReminder();
    } else {
        event->Enable();
    }
    deleteLater();
    if (OnAlarmClosed)
        OnAlarmClosed(*event);
}

void TAlarmMessageForm::closeEvent(QCloseEvent* event) {
    event->accept();
}

void TAlarmMessageForm::reject() {
    CloseAlarm();
}

bool TAlarmMessageForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (widget && widget->window() == this) {
            if (key == Qt::Key_Escape) {
                CloseAlarm();
                return true;
            }
            if (key == Qt::Key_F1 && HelpHandler()) {
                HelpHandler()(HelpTopic);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kelvo
