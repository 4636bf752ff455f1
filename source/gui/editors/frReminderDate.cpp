#include "gui/editors/frReminderDate.h"

#include "gui/editors/EditorControls.h"
#include "gui/editors/fmReminderTime.h"
#include "gui/editors/fmReminderUntil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace kelvo {

void FillPeriodUnits(QComboBox& units) {
    units.addItems({QObject::tr("minute(s)"), QObject::tr("hour(s)"), QObject::tr("day(s)"),
                    QObject::tr("week(s)"), QObject::tr("month(s)"), QObject::tr("year(s)")});
}

namespace {

TRelativeSubjectRecord Subject(const TBoundedSpinBox& number, const QComboBox& unit) {
    return TRelativeSubjectRecord(number.value(),
                                  static_cast<TPeriodType>(unit.currentIndex() + 1));
}

void ShowSubject(const TRelativeSubjectRecord& subject, TBoundedSpinBox& number, QComboBox& unit) {
    number.SetLoaded(subject.Number());
    unit.setCurrentIndex(static_cast<int>(subject.Subject()) - 1);
}

} // namespace

TReminderDateFrame::TReminderDateFrame(QWidget* parent)
    : QWidget(parent),
      startNumber_(Named(new TBoundedSpinBox(1, 100, this), "StartNumber", tr("Lead time"))),
      startSubject_(Named(new QComboBox(this), "StartSubject", tr("Lead time unit"))),
      timeEdit_(Named(new QLineEdit(this), "TimeEdit", tr("Time of reminder"))),
      timeBtn_(Named(new QToolButton(this), "TimeBtn", tr("Time of reminder..."))),
      repeat_(new QCheckBox(tr("&repeat"), this)), repeatLine_(new QWidget(this)),
      repeatNumber_(
          Named(new TBoundedSpinBox(1, 100, repeatLine_), "RepeatNumber", tr("Repeat period"))),
      repeatSubject_(Named(new QComboBox(repeatLine_), "RepeatSubject", tr("Repeat period unit"))),
      untilEdit_(Named(new QLineEdit(repeatLine_), "UntilEdit", tr("Repeat until"))),
      repeatBtn_(Named(new QToolButton(repeatLine_), "btnRepeat", tr("Reminder repeat..."))) {
    repeat_->setObjectName(QStringLiteral("RepeatEnabled"));
    FillPeriodUnits(*startSubject_);
    FillPeriodUnits(*repeatSubject_);
    timeEdit_->setReadOnly(true);
    untilEdit_->setReadOnly(true);
    untilEdit_->setText(tr("until event"));
    // Room for "until 12 month(s) before event" in most languages.
    untilEdit_->setMinimumWidth(untilEdit_->fontMetrics().averageCharWidth() * 34);
    timeBtn_->setText(QStringLiteral("..."));
    repeatBtn_->setText(QStringLiteral("..."));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* start = new QHBoxLayout;
    start->addWidget(startNumber_);
    start->addWidget(startSubject_);
    start->addWidget(new QLabel(tr("before event"), this));
    start->addStretch();
    grid->addLayout(start, 0, 0, 1, 2);
    grid->addWidget(timeEdit_, 1, 0);
    grid->addWidget(timeBtn_, 1, 1);
    grid->addWidget(repeat_, 2, 0, 1, 2);
    auto* line = new QHBoxLayout(repeatLine_);
    line->setContentsMargins(0, 0, 0, 0);
    auto* every = new QLabel(tr("every "), repeatLine_);
    every->setBuddy(repeatNumber_);
    line->addWidget(every);
    line->addWidget(repeatNumber_);
    line->addWidget(repeatSubject_);
    line->addWidget(untilEdit_, 1);
    line->addWidget(repeatBtn_);
    grid->addWidget(repeatLine_, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(4, 1);

    connect(repeat_, &QCheckBox::toggled, this, &TReminderDateFrame::ShowRepeatLine);
    connect(startSubject_, &QComboBox::activated, this, &TReminderDateFrame::ShowTimeLine);
    connect(timeBtn_, &QToolButton::clicked, this, &TReminderDateFrame::EditTime);
    connect(repeatBtn_, &QToolButton::clicked, this, &TReminderDateFrame::EditEnd);
    OnDoubleClick(*timeEdit_, [this] { EditTime(); });
    OnDoubleClick(*untilEdit_, [this] { EditEnd(); });
    Fill();
}

TReminderDateFrame::~TReminderDateFrame() = default;

void TReminderDateFrame::ShowRepeatLine() {
    repeatLine_->setVisible(repeat_->isChecked());
}

void TReminderDateFrame::ShowTimeLine() {
    // A lead in minutes or hours keeps the event's time of day: no time to choose.
    const bool days = startSubject_->currentIndex() + 1 >= ptDay;
    timeEdit_->setVisible(days);
    timeBtn_->setVisible(days);
}

void TReminderDateFrame::Fill() {
    const TRelativeCondition* relative = working_.RelativeCondition();
    if (relative)
        ShowSubject(relative->FromSubject(), *startNumber_, *startSubject_);
    timeEdit_->setText(QText(working_.TimeText()));
    timeEdit_->setCursorPosition(0);
    const auto* periodic = dynamic_cast<const TPeriodicRelativeCondition*>(relative);
    repeat_->setChecked(periodic != nullptr);
    ShowRepeatLine();
    if (periodic) {
        ShowSubject(periodic->PeriodSubject(), *repeatNumber_, *repeatSubject_);
        untilEdit_->setText(QText(periodic->UntilText()));
        untilEdit_->setCursorPosition(0);
    }
    if (startSubject_->currentIndex() < 0 && !relative)
        startSubject_->setCurrentIndex(0);
    if (repeatSubject_->currentIndex() < 0)
        repeatSubject_->setCurrentIndex(0);
    ShowTimeLine();
}

void TReminderDateFrame::LoadCondition(const TReminderInitializeCondition& c) {
    working_.Assign(c);
    working_.SetBase(c.Base());
    Fill();
}

TReminderInitializeCondition& TReminderDateFrame::BuildCondition() {
    std::unique_ptr<TRelativeCondition> relative;
    if (repeat_->isChecked())
        relative = std::make_unique<TPeriodicRelativeCondition>();
    else
        relative = std::make_unique<TOnceRelativeCondition>();
    if (working_.RelativeCondition())
        relative->Assign(*working_.RelativeCondition());
    relative->SetFromSubject(Subject(*startNumber_, *startSubject_));
    if (auto* periodic = dynamic_cast<TPeriodicRelativeCondition*>(relative.get()))
        periodic->SetPeriodSubject(Subject(*repeatNumber_, *repeatSubject_));
    working_.SetRelativeCondition(relative.get());
    return working_;
}

void TReminderDateFrame::SetDefault(TDateTime x) {
    working_.ResetToDefault(x);
    Fill();
}

void TReminderDateFrame::EditTime() {
    BuildCondition();
    if (EditReminderTime(this, working_))
        Fill();
}

void TReminderDateFrame::EditEnd() {
    BuildCondition();
    auto* periodic = dynamic_cast<TPeriodicRelativeCondition*>(working_.RelativeCondition());
    if (periodic && EditReminderEnd(this, *periodic))
        Fill();
}

} // namespace kelvo
