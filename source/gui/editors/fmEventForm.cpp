#include "gui/editors/fmEventForm.h"

#include "core/entities/EventTemplate.h"
#include "core/entities/Reminder.h"
#include "core/mail/SendMail.h"
#include "core/scheduling/InitializeCondition.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/editors/fmIconChoice.h"
#include "gui/editors/frAction.h"
#include "gui/editors/frActionList.h"
#include "gui/editors/frConditionList.h"
#include "gui/editors/frInitializeCondition.h"
#include "gui/editors/frReminderConditionList.h"
#include "gui/editors/frReminderDate.h"
#include "gui/help/Help.h"
#include "gui/options/paColorButton.h"
#include "gui/session/ProgramSession.h"
#include "platform/actions/PlatformActions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace kelvo {

// The event dialog's own page dialog and colour button; the options dialog has others.

namespace {

enum { kRemNothing, kRemEventActions, kRemOwnActions };

std::string Core(const QString& text) {
    return text.toStdString();
}

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    label->setFont(font);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Mid);
    label->setForegroundRole(QPalette::Light);
    label->setMargin(4);
    return label;
}

QPlainTextEdit* ReadOnlyMemo(const QString& objectName, const QString& accessibleName,
                             QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setAccessibleName(accessibleName);
    memo->setReadOnly(true);
    memo->setTabChangesFocus(true);
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
    return memo;
}

QCheckBox* Check(const QString& text, const QString& objectName, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
    return box;
}

// A recipient that can never be sent to is refused while the user can still correct it.
void CheckRecipients(const TEventActionList& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (const auto* mail = dynamic_cast<const TSendMailAction*>(&list.Items(i));
            mail && !mail->SendTo().empty())
            ParseMailboxList(mail->SendTo());
}

} // namespace

TEventForm::TEventForm(TProgramSession& session, QWidget* parent)
    : TOptionsDlgForm(parent), session_(session), working_(std::make_unique<TEvent>()) {
    setObjectName(QStringLiteral("EventForm"));
    setWindowModality(Qt::WindowModal);
    AddPage(BuildInitializePage(), tr("Date/Time:DATE"));
    AddPage(BuildActionPage(), tr("Action:ACTION"));
    AddPage(BuildReminderPage(), tr("Reminder:REMIND"));
    AddPage(BuildOptionsPage(), tr("Options:OPTIONS"));
    AddPage(BuildSummaryPage(), tr("Summary:SUMMARY"));
    // Help and F1 show the topic of the page, 201 to 205.
    setProperty(THelp::TopicProperty, 200);
    for (int page = 0; page < PageCount(); ++page)
        Page(page)->setProperty(THelp::TopicProperty, 201 + page);
    AddHelpButton();
    connect(this, &TOptionsDlgForm::pageShown, this, [this](int index) {
        if (index == SummaryPage)
            FillSummary();
    });
    resize(720, 520);
}

TEventForm::~TEventForm() = default;

QToolButton* TEventForm::Toggle(const QString& objectName, const QString& accessibleName) {
    auto* toggle = new QToolButton(this);
    toggle->setObjectName(objectName);
    toggle->setAccessibleName(accessibleName);
    toggle->setAutoRaise(true);
    toggle->setCheckable(true);
    toggle->setText(QStringLiteral(">>"));
    connect(toggle, &QToolButton::toggled, this,
            [this, toggle](bool open) { SetToggle(*toggle, open); });
    return toggle;
}

void TEventForm::SetToggle(QToolButton& toggle, bool open) {
    {
        const QSignalBlocker quiet(toggle);
        toggle.setChecked(open);
    }
    toggle.setText(open ? QStringLiteral("<<") : QStringLiteral(">>"));
    if (&toggle == conditionsToggle_)
        conditions_->setVisible(open);
    else if (&toggle == actionsToggle_)
        UpdateActionPage();
    else if (&toggle == remConditionsToggle_)
        UpdateReminderPage();
}

// ---- pages ------------------------------------------------------------------------------------

QWidget* TEventForm::BuildInitializePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("InitializePage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(tr(" When will the event come?"), page));
    condition_ = new TSimpleConditionFrame(page);
    condition_->setObjectName(QStringLiteral("frCondition"));
    layout->addWidget(condition_);
    auto* row = new QHBoxLayout;
    auto* name = new QLabel(tr("More conditions:"), page);
    name->setObjectName(QStringLiteral("lblConditionsName"));
    conditionsToggle_ = Toggle(QStringLiteral("lblConditions"), tr("More conditions"));
    row->addWidget(name);
    row->addSpacing(6);
    row->addWidget(conditionsToggle_);
    row->addStretch();
    layout->addLayout(row);
    conditions_ = new TConditionListFrame(page);
    conditions_->setObjectName(QStringLiteral("frConditions"));
    layout->addWidget(conditions_);
    layout->addStretch();
    return page;
}

QWidget* TEventForm::BuildActionPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ActionPage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(tr(" What to do when the event comes?"), page));
    messageMemo_ = new QPlainTextEdit(page);
    messageMemo_->setObjectName(QStringLiteral("MessageMemo"));
    messageMemo_->setAccessibleName(tr("Message"));
    messageMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    messageMemo_->setTabChangesFocus(true);
    messageMemo_->setMaximumHeight(messageMemo_->fontMetrics().lineSpacing() * 4 + 12);
    messageMemo_->installEventFilter(this);
    showAlarm_ = Check(tr("Show this &message"), QStringLiteral("chkShowAlarm"), page);
    auto* note = new QLabel(tr("(the first line is used as the event description)"), page);
    auto* top = new QHBoxLayout;
    top->addWidget(showAlarm_);
    top->addStretch();
    top->addWidget(note);
    layout->addLayout(top);
    layout->addWidget(messageMemo_);

    doAction_ = Check(tr("Do this &action:"), QStringLiteral("chkDoEventAction"), page);
    layout->addWidget(doAction_);
    TPlatformActions* platform = session_.Actions();
    actionFrame_ =
        new TActionFrame(&session_.Ini(), QStringLiteral("EventForm.ActionFrame"), platform, page);
    layout->addWidget(actionFrame_, 1);
    auto* row = new QHBoxLayout;
    actionsName_ = new QLabel(tr("Do the additional actions:"), page);
    actionsName_->setObjectName(QStringLiteral("lblActionsName"));
    actionsToggle_ = Toggle(QStringLiteral("lblActions"), tr("Do the additional actions"));
    row->addWidget(actionsName_);
    row->addSpacing(6);
    row->addWidget(actionsToggle_);
    row->addStretch();
    layout->addLayout(row);
    actionsFrame_ = new TActionListFrame(&session_.Ini(), platform, page);
    actionsFrame_->setObjectName(QStringLiteral("ActionsFrame"));
    layout->addWidget(actionsFrame_);
    connect(doAction_, &QCheckBox::toggled, this, &TEventForm::UpdateActionPage);
    return page;
}

QWidget* TEventForm::BuildReminderPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ReminderPage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(tr(" Would you like to be reminded before the event?"), page));
    enabledReminder_ =
        Check(tr("Rem&ind me before this event"), QStringLiteral("EnabledReminder"), page);
    layout->addWidget(enabledReminder_);

    reminderConditionGroup_ = new QGroupBox(tr("Reminder condition"), page);
    auto* conditionLayout = new QVBoxLayout(reminderConditionGroup_);
    reminderCondition_ = new TReminderDateFrame(reminderConditionGroup_);
    reminderCondition_->setObjectName(QStringLiteral("ReminderDateFrame"));
    conditionLayout->addWidget(reminderCondition_);
    layout->addWidget(reminderConditionGroup_);
    auto* row = new QHBoxLayout;
    remConditionsName_ = new QLabel(tr("More reminder conditions:"), page);
    remConditionsName_->setObjectName(QStringLiteral("lblRemConditionsName"));
    remConditionsToggle_ =
        Toggle(QStringLiteral("lblRemConditions"), tr("More reminder conditions"));
    row->addWidget(remConditionsName_);
    row->addSpacing(6);
    row->addWidget(remConditionsToggle_);
    row->addStretch();
    layout->addLayout(row);
    remConditions_ = new TReminderConditionListFrame(page);
    remConditions_->setObjectName(QStringLiteral("ReminderConditionListFrame"));
    layout->addWidget(remConditions_);

    reminderActionsGroup_ = new QGroupBox(tr("Reminder actions"), page);
    auto* actions = new QGridLayout(reminderActionsGroup_);
    remShowAlarm_ =
        Check(tr("&Show alarm window"), QStringLiteral("chkRemShowAlarm"), reminderActionsGroup_);
    reminderActions_ = new QComboBox(reminderActionsGroup_);
    reminderActions_->setObjectName(QStringLiteral("cbbReminderActions"));
    reminderActions_->setAccessibleName(tr("And do"));
    reminderActions_->addItems(
        {tr("nothing"), tr("the event actions"), tr("the following reminder actions:")});
    auto* andDo = new QLabel(tr("&And do"), reminderActionsGroup_);
    andDo->setBuddy(reminderActions_);
    remActionsFrame_ = new TActionListFrame(&session_.Ini(), session_.Actions(), page);
    remActionsFrame_->setObjectName(QStringLiteral("frRemActions"));
    actions->addWidget(remShowAlarm_, 0, 0, 1, 3);
    actions->addWidget(andDo, 1, 0);
    actions->addWidget(reminderActions_, 1, 1);
    actions->setColumnStretch(2, 1);
    actions->addWidget(remActionsFrame_, 2, 0, 1, 3);
    layout->addWidget(reminderActionsGroup_, 1);
    layout->addStretch();

    connect(enabledReminder_, &QCheckBox::toggled, this, &TEventForm::UpdateReminderPage);
    connect(reminderActions_, &QComboBox::currentIndexChanged, this,
            &TEventForm::UpdateReminderPage);
    return page;
}

QWidget* TEventForm::BuildOptionsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("OptionsPage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(tr(" Options"), page));

    auto* iconGroup = new QGroupBox(tr("Icon"), page);
    auto* iconLayout = new QHBoxLayout(iconGroup);
    iconImage_ = new QLabel(iconGroup);
    iconImage_->setObjectName(QStringLiteral("IconEventImage"));
    iconImage_->setFixedSize(36, 36);
    iconImage_->setFrameShape(QFrame::StyledPanel);
    iconImage_->setAlignment(Qt::AlignCenter);
    auto* iconText =
        new QLabel(tr("Specify icon which will present this event in the events list"), iconGroup);
    iconText->setWordWrap(true);
    changeIcon_ = new QPushButton(tr("&Change..."), iconGroup);
    changeIcon_->setObjectName(QStringLiteral("ChangeIconBtn"));
    changeIcon_->setAccessibleName(tr("Change icon"));
    iconLayout->addWidget(iconImage_);
    iconLayout->addWidget(iconText, 1);
    iconLayout->addWidget(changeIcon_);
    layout->addWidget(iconGroup);

    auto* optionsGroup = new QGroupBox(tr("Event options"), page);
    auto* optionsLayout = new QVBoxLayout(optionsGroup);
    deleteAfter_ = Check(tr("Delete this event after &last execution"),
                         QStringLiteral("DeleteAfterLastExecute"), optionsGroup);
    executeIfMissed_ =
        Check(tr("&Execute action if missed"), QStringLiteral("DisplayifMissed"), optionsGroup);
    computeCount_ = Check(tr("Compute date after first occurence (a&ge calculation)"),
                          QStringLiteral("ComputeCount"), optionsGroup);
    hidden_ = Check(tr("&Hidden event (don't display event on calendar)"),
                    QStringLiteral("DontShowOnCalendarCheck"), optionsGroup);
    for (QCheckBox* box : {deleteAfter_, executeIfMissed_, computeCount_, hidden_})
        optionsLayout->addWidget(box);
    layout->addWidget(optionsGroup);

    auto* alarmGroup = new QGroupBox(tr("Alarm window"), page);
    auto* alarmLayout = new QGridLayout(alarmGroup);
    snoozeNumber_ = new QSpinBox(alarmGroup);
    snoozeNumber_->setObjectName(QStringLiteral("OptionsSnoozeNumberEdit"));
    snoozeNumber_->setAccessibleName(tr("Default snooze for this event"));
    snoozeNumber_->setRange(1, 1);
    snoozePeriod_ = new QComboBox(alarmGroup);
    snoozePeriod_->setObjectName(QStringLiteral("OptionSnoozePeriodCombo"));
    snoozePeriod_->setAccessibleName(tr("Snooze unit"));
    snoozePeriod_->addItems({tr("minute(s)"), tr("hour(s)"), tr("day(s)"), tr("week(s)"),
                             tr("month(s)"), tr("years(s)")});
    auto* snoozeLabel = new QLabel(tr("Default &snooze for this event"), alarmGroup);
    snoozeLabel->setBuddy(snoozeNumber_);
    messageColor_ = new TpaColorButton(tr("&Message Color"), alarmGroup);
    messageColor_->setObjectName(QStringLiteral("MessageColorButton"));
    windowColor_ = new TpaColorButton(tr(" &Window Color"), alarmGroup);
    windowColor_->setObjectName(QStringLiteral("WindowColorButton"));
    alarmLayout->addWidget(snoozeLabel, 0, 0);
    alarmLayout->addWidget(snoozeNumber_, 0, 1);
    alarmLayout->addWidget(snoozePeriod_, 0, 2);
    alarmLayout->addWidget(messageColor_, 1, 0);
    alarmLayout->addWidget(windowColor_, 1, 1, 1, 2);
    alarmLayout->setColumnStretch(3, 1);
    layout->addWidget(alarmGroup);

    auto* templateGroup = new QGroupBox(tr("Template"), page);
    auto* templateLayout = new QHBoxLayout(templateGroup);
    templateEdit_ = new QLineEdit(templateGroup);
    templateEdit_->setObjectName(QStringLiteral("edtTemplate"));
    templateEdit_->setAccessibleName(tr("Template"));
    templateEdit_->setReadOnly(true);
    changeTemplate_ = new QPushButton(tr("Change..."), templateGroup);
    changeTemplate_->setObjectName(QStringLiteral("btnChangeTemplate"));
    changeTemplate_->setAccessibleName(tr("Change template"));
    templateLayout->addWidget(templateEdit_, 1);
    templateLayout->addWidget(changeTemplate_);
    layout->addWidget(templateGroup);
    layout->addStretch();

    connect(changeIcon_, &QPushButton::clicked, this, &TEventForm::ChangeIcon);
    connect(changeTemplate_, &QPushButton::clicked, this, &TEventForm::ChangeTemplate);
    connect(snoozePeriod_, &QComboBox::currentIndexChanged, this, &TEventForm::UpdateSnoozeBound);
    return page;
}

QWidget* TEventForm::BuildSummaryPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SummaryPage"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Heading(tr(" Summary"), page));
    const auto jump = [this, page](const QString& objectName, const QString& name,
                                   std::function<void()> go) {
        auto* button = new QToolButton(page);
        button->setObjectName(objectName);
        button->setAccessibleName(name);
        button->setToolTip(name);
        button->setText(QStringLiteral(">"));
        connect(button, &QToolButton::clicked, this, std::move(go));
        return button;
    };

    auto* description = new QHBoxLayout;
    description->addWidget(new QLabel(tr("Description:"), page));
    sumDescription_ = new QLabel(page);
    sumDescription_->setObjectName(QStringLiteral("lblSumDescription"));
    description->addWidget(sumDescription_, 1);
    description->addWidget(
        jump(QStringLiteral("btnSumDescription"), tr("Edit the description"), [this] {
            SetActivePage(ActionPage);
            messageMemo_->setFocus();
        }));
    layout->addLayout(description);

    const auto group = [&](const QString& title, std::initializer_list<QWidget*> widgets,
                           QToolButton* button) {
        auto* box = new QGroupBox(title, page);
        auto* row = new QHBoxLayout(box);
        auto* column = new QVBoxLayout;
        for (QWidget* w : widgets)
            column->addWidget(w);
        row->addLayout(column, 1);
        row->addWidget(button, 0, Qt::AlignTop);
        layout->addWidget(box);
        return box;
    };
    sumInitialize_ = ReadOnlyMemo(QStringLiteral("mmoSumInitialize"), tr("Date/Time"), page);
    group(tr("Date/Time"), {sumInitialize_},
          jump(QStringLiteral("btnSumInitialize"), tr("Edit the date and time"),
               [this] { SetActivePage(InitializePage); }));
    sumAction_ = ReadOnlyMemo(QStringLiteral("mmoSumAction"), tr("Actions"), page);
    group(tr("Actions"), {sumAction_},
          jump(QStringLiteral("btnSumAction"), tr("Edit the actions"), [this] {
              SetActivePage(ActionPage);
              if (actionFrame_->isEnabled())
                  actionFrame_->setFocus();
              else
                  doAction_->setFocus();
          }));
    sumRemCondition_ =
        ReadOnlyMemo(QStringLiteral("mmoSumRemCondition"), tr("Reminder condition"), page);
    sumRemAction_ = ReadOnlyMemo(QStringLiteral("mmoSumRemAction"), tr("Reminder actions"), page);
    group(tr("Reminder"), {sumRemCondition_, sumRemAction_},
          jump(QStringLiteral("btnSumReminder"), tr("Edit the reminder"),
               [this] { SetActivePage(ReminderPage); }));
    auto* templateRow = new QWidget(page);
    auto* templateLayout = new QHBoxLayout(templateRow);
    templateLayout->setContentsMargins(0, 0, 0, 0);
    templateLayout->addWidget(new QLabel(tr("Template:"), templateRow));
    sumTemplate_ = new QLabel(templateRow);
    sumTemplate_->setObjectName(QStringLiteral("lblSumTemplate"));
    templateLayout->addWidget(sumTemplate_, 1);
    sumIcon_ = new QLabel(templateRow);
    sumIcon_->setObjectName(QStringLiteral("imgSumIcon"));
    sumIcon_->setFixedSize(36, 36);
    templateLayout->addWidget(sumIcon_);
    sumOptions_ = ReadOnlyMemo(QStringLiteral("mmoSumOptions"), tr("Options"), page);
    group(tr("Options"), {templateRow, sumOptions_},
          jump(QStringLiteral("btnSumOptions"), tr("Edit the options"),
               [this] { SetActivePage(OptionsPage); }));
    layout->addStretch();
    return page;
}

// ---- enabling -----------------------------------------------------------------------------------

void TEventForm::UpdateActionPage() {
    const bool on = doAction_->isChecked();
    actionFrame_->SetEditable(on);
    actionsName_->setVisible(on);
    actionsToggle_->setVisible(on);
    actionsFrame_->setVisible(on && actionsToggle_->isChecked());
}

void TEventForm::UpdateReminderPage() {
    const bool on = enabledReminder_->isChecked();
    reminderConditionGroup_->setVisible(on);
    remConditionsName_->setVisible(on);
    remConditionsToggle_->setVisible(on);
    remConditions_->setVisible(on && remConditionsToggle_->isChecked());
    reminderActionsGroup_->setVisible(on);
    remActionsFrame_->setVisible(on && reminderActions_->currentIndex() == kRemOwnActions);
}

void TEventForm::UpdateSnoozeBound() {
    const auto period = static_cast<TPeriodType>(snoozePeriod_->currentIndex() + 1);
    snoozeNumber_->setMaximum(std::max(1, MaxSnoozeNumber(period, Now())));
}

bool TEventForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == messageMemo_ && event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(messageMemo_, &QPlainTextEdit::selectAll, Qt::QueuedConnection);
    return TOptionsDlgForm::eventFilter(watched, event);
}

// ---- loading and storing ----------------------------------------------------------------------

void TEventForm::Reset(TDateTime date) {
    // Nothing of an earlier call may reach this one through the frames' own conditions.
    condition_->LoadCondition(TSimpleInitializeCondition());
    condition_->SetDefault(date);
    conditions_->ClearList();
    reminderCondition_->LoadCondition(TReminderInitializeCondition());
    reminderCondition_->SetDefault(date);
    remConditions_->ClearList();
    actionFrame_->Reset();
    actionsFrame_->ClearList();
    remActionsFrame_->ClearList();
    reminderActions_->setCurrentIndex(kRemEventActions);
}

void TEventForm::LoadControls(const TEvent& e) {
    messageMemo_->setPlainText(TextFromCore(e.WindowMessage()));
    shownMessage_ = messageMemo_->toPlainText();
    windowColor_->SetValue(static_cast<TColor>(e.WindowColor()));
    messageColor_->SetValue(static_cast<TColor>(e.MessageColor()));

    const TInitializeConditionList& conditions = e.InitializeCondition().Conditions();
    TInitializeConditionList more;
    for (int i = 0; i < conditions.Count(); ++i) {
        const auto* simple = dynamic_cast<const TSimpleInitializeCondition*>(&conditions.Items(i));
        if (i == 0 && simple)
            condition_->LoadCondition(*simple);
        else
            more.AddCopy(conditions.Items(i));
    }
    conditions_->LoadList(more);
    SetToggle(*conditionsToggle_, more.Count() > 0);

    const TEventActionList& actions = e.EventAction().Actions();
    doAction_->setChecked(actions.Count() > 0);
    TEventActionList rest;
    for (int i = 0; i < actions.Count(); ++i) {
        if (i == 0)
            actionFrame_->LoadAction(actions.Items(i));
        else
            rest.Add(actions.Items(i).Clone());
    }
    actionsFrame_->LoadList(rest);
    SetToggle(*actionsToggle_, rest.Count() > 0);
    UpdateActionPage();

    {
        const QSignalBlocker quiet(enabledReminder_);
        enabledReminder_->setChecked(e.HasReminder());
    }
    if (const TReminder* reminder = e.Reminder()) {
        const TInitializeConditionList& rc = reminder->InitializeCondition().Conditions();
        TInitializeConditionList more;
        for (int i = 0; i < rc.Count(); ++i) {
            const auto* first = dynamic_cast<const TReminderInitializeCondition*>(&rc.Items(i));
            if (i == 0 && first)
                reminderCondition_->LoadCondition(*first);
            else
                more.AddCopy(rc.Items(i));
        }
        remConditions_->LoadList(more);
        SetToggle(*remConditionsToggle_, more.Count() > 0);
        remActionsFrame_->LoadList(reminder->EventAction().Actions());
        if (reminder->ActionAsOwner())
            reminderActions_->setCurrentIndex(kRemEventActions);
        else if (reminder->EventAction().Actions().Count() > 0)
            reminderActions_->setCurrentIndex(kRemOwnActions);
        else
            reminderActions_->setCurrentIndex(kRemNothing);
    } else {
        reminderCondition_->SetDefault(Now());
        SetToggle(*remConditionsToggle_, false);
    }
    UpdateReminderPage();

    templateEdit_->setText(TextFromCore(e.Template()));
    {
        const QSignalBlocker quiet(snoozePeriod_);
        snoozePeriod_->setCurrentIndex(
            std::clamp(static_cast<int>(e.DefaultSnoozePeriod()) - 1, 0, 5));
    }
    UpdateSnoozeBound();
    snoozeNumber_->setValue(e.DefaultSnoozeNumber());
    deleteAfter_->setChecked(e.HasOption(eoEraseAfterComing));
    showAlarm_->setChecked(e.HasOption(eoAlarmWindowOnEvent));
    remShowAlarm_->setChecked(e.HasOption(eoAlarmWindowOnReminder));
    executeIfMissed_->setChecked(e.HasOption(eoMessageAboutComingLate));
    computeCount_->setChecked(e.HasOption(eoComputeCount));
    hidden_->setChecked(e.HasOption(ecNotShowOnCalendar));
    iconFileName_ = e.IconFileName();
    iconFileId_ = e.IconFileId();
    ShowIcon();
}

void TEventForm::StoreControls(TEvent& e) const {
    // A message with other line ends or from another encoding stays as it was unless edited.
    const QString message = messageMemo_->toPlainText();
    if (message != shownMessage_)
        e.SetWindowMessage(Core(message));
    e.SetWindowColor(static_cast<std::int32_t>(windowColor_->Value()));
    e.SetMessageColor(static_cast<std::int32_t>(messageColor_->Value()));

    TInitializeConditionList conditions;
    conditions.AddCopy(condition_->BuildCondition());
    if (conditionsToggle_->isChecked())
        conditions.AddCopies(conditions_->GetList());
    e.InitializeCondition().SetConditions(conditions);
    e.InitializeCondition().SetDateOfCreate(Now());

    TEventActionList actions;
    if (doAction_->isChecked()) {
        actions.Add(actionFrame_->CurrentAction().Clone());
        if (actionsToggle_->isChecked())
            actions.AddCopies(actionsFrame_->GetList());
    }
    CheckRecipients(actions);
    e.EventAction().SetActions(actions);

    e.SetHasReminder(enabledReminder_->isChecked());
    if (TReminder* reminder = e.Reminder()) {
        TInitializeConditionList rc;
        rc.AddCopy(reminderCondition_->BuildCondition());
        if (remConditionsToggle_->isChecked())
            rc.AddCopies(remConditions_->GetList());
        reminder->InitializeCondition().SetConditions(rc);
        reminder->InitializeCondition().SetDateOfCreate(Now());
        reminder->SetActionAsOwner(reminderActions_->currentIndex() == kRemEventActions);
        TEventActionList own;
        if (reminderActions_->currentIndex() == kRemOwnActions)
            own.AddCopies(remActionsFrame_->GetList());
        CheckRecipients(own);
        reminder->EventAction().SetActions(own);
    }

    e.SetTemplate(Core(templateEdit_->text()));
    e.SetDefaultSnoozeNumber(snoozeNumber_->value());
    e.SetDefaultSnoozePeriod(static_cast<TPeriodType>(snoozePeriod_->currentIndex() + 1));
    TEventOptions options;
    const std::pair<const QCheckBox*, TEventOption> checks[] = {
        {deleteAfter_, eoEraseAfterComing},       {showAlarm_, eoAlarmWindowOnEvent},
        {remShowAlarm_, eoAlarmWindowOnReminder}, {executeIfMissed_, eoMessageAboutComingLate},
        {computeCount_, eoComputeCount},          {hidden_, ecNotShowOnCalendar}};
    for (const auto& [box, option] : checks)
        if (box->isChecked())
            options.Include(option);
    e.SetOptions(options);
    e.SetIconFileName(iconFileName_);
    e.SetIconFileId(iconFileId_);
}

std::unique_ptr<TEvent> TEventForm::BuildEvent() const {
    auto built = std::make_unique<TEvent>();
    built->Assign(*working_);
    StoreControls(*built);
    return built;
}

// ---- the summary ------------------------------------------------------------------------------

void TEventForm::FillSummary() {
    std::unique_ptr<TEvent> e;
    try {
        e = BuildEvent();
    } catch (const EpaError& error) {
        sumDescription_->setText(TextFromCore(error.what()));
        return;
    }
    sumDescription_->setText(TextFromCore(e->Description()));
    sumInitialize_->setPlainText(TextFromCore(e->InitializeCondition().Description()));
    QString action;
    if (e->HasOption(eoAlarmWindowOnEvent))
        action = tr("Show alarm window") + QLatin1Char('\n');
    if (e->EventAction().Actions().Count() > 0)
        action += TextFromCore(e->EventAction().Actions().GetDescription());
    sumAction_->setPlainText(action);
    if (const TReminder* reminder = e->Reminder()) {
        sumRemCondition_->setPlainText(TextFromCore(reminder->InitializeCondition().Description()));
        QString text;
        if (e->HasOption(eoAlarmWindowOnReminder))
            text = tr("Show alarm window") + QLatin1Char('\n');
        if (reminder->ActionAsOwner())
            text += tr("Do the event actions");
        else if (reminder->EventAction().Actions().Count() > 0)
            text += TextFromCore(reminder->EventAction().Actions().GetDescription());
        sumRemAction_->setPlainText(text);
        sumRemAction_->setEnabled(true);
    } else {
        sumRemCondition_->setPlainText(tr("Don't remind me before this event"));
        sumRemAction_->clear();
        sumRemAction_->setEnabled(false);
    }
    sumIcon_->setPixmap(iconImage_->pixmap());
    sumTemplate_->setText(TextFromCore(e->Template()));
    QStringList checked;
    for (const QCheckBox* box : {deleteAfter_, executeIfMissed_, computeCount_, hidden_})
        if (box->isChecked())
            checked << QString(box->text()).remove(QLatin1Char('&'));
    sumOptions_->setPlainText(checked.join(QStringLiteral(", ")));
}

// ---- icon and template --------------------------------------------------------------------------

void TEventForm::ShowIcon() {
    const QPixmap picture = EventIconPicture(iconFileName_, iconFileId_);
    if (picture.isNull())
        iconImage_->clear();
    else
        iconImage_->setPixmap(picture);
}

void TEventForm::ChangeIcon() {
    QString file = IconFilePath(iconFileName_);
    int index = iconFileName_.empty() ? 0 : iconFileId_;
    TIconChoiceForm chooser(this);
    if (!chooser.Choose(file, index))
        return;
    iconFileName_ = IconFileNameFor(file);
    iconFileId_ = index;
    ShowIcon();
}

void TEventForm::ChangeTemplate() {
    std::string name = Core(templateEdit_->text());
    if (chooseTemplate_) {
        if (chooseTemplate_(*this, name, false))
            templateEdit_->setText(TextFromCore(name));
        return;
    }
    QStringList names;
    for (const TEventTemplate* t : session_.Templates().AllTemplates())
        names << TextFromCore(t->Template());
    QInputDialog dialog(this);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setWindowTitle(tr("Choose Template"));
    dialog.setLabelText(tr("&Template:"));
    dialog.setComboBoxItems(names);
    dialog.setTextValue(templateEdit_->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.textValue().isEmpty())
        templateEdit_->setText(dialog.textValue());
}

// ---- running ------------------------------------------------------------------------------------

void TEventForm::done(int result) {
    if (result == QDialog::Accepted) {
        try {
            result_ = BuildEvent();
        } catch (const EpaError& error) {
            // Nothing is written back; the user corrects the input and tries again.
            result_.reset();
            lastError_ = TextFromCore(error.what());
            ShowBox(this, QMessageBox::Warning, windowTitle(), lastError_);
            return;
        }
    }
    TOptionsDlgForm::done(result);
}

bool TEventForm::ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                                 int firstPage) {
    Reset(date != 0 ? date : Now());
    working_ = std::make_unique<TEvent>();
    working_->Assign(target);
    LoadControls(*working_);
    setWindowTitle(caption);
    changeTemplate_->setEnabled(dynamic_cast<TEventTemplate*>(&target) == nullptr);
    lastError_.clear();
    result_.reset();
    SetActivePage(std::clamp(firstPage, 0, PageCount() - 1));

    const bool accepted = exec() == QDialog::Accepted && result_;
    if (accepted) {
        actionFrame_->SaveHistories();
        target.Assign(*result_);
        target.SetCreationTime(Now());
    }
    result_.reset();
    // A sound tried in the dialog ends with it; an alarm that sounds meanwhile goes on.
    actionFrame_->StopOwnSound();
    return accepted;
}

} // namespace kelvo
