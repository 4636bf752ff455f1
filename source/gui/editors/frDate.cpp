#include "gui/editors/frDate.h"

#include "gui/editors/EditorControls.h"
#include "gui/editors/MemberList.h"
#include "gui/editors/fmDateComplexExclude.h"
#include "gui/editors/fmDateDialog.h"
#include "gui/editors/fmDateUntilPeriod.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

template <typename T> T& As(const std::unique_ptr<TDateCondition>& c) {
    return static_cast<T&>(*c);
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TDateFrame::TDateFrame(QWidget* parent) : QWidget(parent) {
    for (int kind = 0; kind < KindCount; ++kind)
        working_[kind] = CreateDateCondition(kind);
    monthDialog_.Caption = tr("Select months");
    BuildPages();
    SetDefault(Today());
    ShowKind(KindOnce);
}

TDateFrame::~TDateFrame() = default;

void TDateFrame::BuildPages() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString captions[KindCount] = {tr("&Once"),    tr("&Daily"),    tr("&Weekly"),
                                         tr("&Monthly"), tr("&Annually"), tr("Comple&x")};
    const char* names[KindCount] = {"OnceRadio",    "DailyRadio",  "WeeklyRadio",
                                    "MonthlyRadio", "YearlyRadio", "ComplexRadio"};
    AddKindColumn(*this, *layout, kindButtons_, captions, names, pages_);

    // Once.
    auto* once = new QWidget(pages_);
    auto* onceLayout = new QGridLayout(once);
    onceDate_ = NewDatePicker(once, "OnceDate", tr("Date"));
    onceLayout->addWidget(Buddy(tr("on:"), onceDate_, once), 0, 0);
    onceLayout->addWidget(onceDate_, 0, 1);
    onceLayout->setColumnStretch(2, 1);
    onceLayout->setRowStretch(1, 1);
    pages_->addWidget(once);

    pages_->addWidget(NewPeriodicPage(KindDaily, "Daily", tr("day(s)")));

    // Weekly: the weekday boxes sit under the period.
    QWidget* weekly = NewPeriodicPage(KindWeekly, "Weekly", tr("week(s) on this day(s):"));
    auto* days = new QGridLayout;
    for (int d = 0; d < 7; ++d) {
        const QString name = QText(CurrentLocale().LongDayName(static_cast<TDayOfWeekName>(d)));
        weekly_[static_cast<std::size_t>(d)] =
            Named(new QCheckBox(name, weekly), QStringLiteral("Weekly%1").arg(d).toLatin1(), name);
        days->addWidget(weekly_[static_cast<std::size_t>(d)], d / 4, d % 4);
    }
    static_cast<QGridLayout*>(weekly->layout())->addLayout(days, 1, 0, 1, 4);
    pages_->addWidget(weekly);

    QWidget* monthly = NewPeriodicPage(KindMonthly, "Monthly", tr("month(s)"));
    NewDayPart(KindMonthly, *monthly, "Monthly", 1);
    pages_->addWidget(monthly);

    QWidget* yearly = NewPeriodicPage(KindYearly, "Yearly", tr("year(s)"));
    auto* yearlyGrid = static_cast<QGridLayout*>(yearly->layout());
    yearlyMonthsCombo_ = Named(new QComboBox(yearly), "YearlyMonthsCombo", tr("Months"));
    for (int m = 0; m < 12; ++m)
        yearlyMonthsCombo_->addItem(
            QText(CurrentLocale().LongMonthName(static_cast<TMonthName>(m))));
    // The field over the list shows the whole set; the list's arrow picks a single month.
    yearlyMonthsCombo_->setEditable(true);
    yearlyMonthsCombo_->setInsertPolicy(QComboBox::NoInsert);
    yearlyMonths_ = yearlyMonthsCombo_->lineEdit();
    yearlyMonths_->setObjectName(QStringLiteral("YearlyMonths"));
    yearlyMonths_->setReadOnly(true);
    yearlyMonthsCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    yearlyMonthsCombo_->setMinimumContentsLength(16);
    auto* monthsButton = new QToolButton(yearly);
    monthsButton->setObjectName(QStringLiteral("YearlyMonthsButton"));
    monthsButton->setText(QStringLiteral("…"));
    monthsButton->setAccessibleName(tr("Select months"));
    auto* inRow = new QHBoxLayout;
    inRow->addWidget(Buddy(tr("in"), yearlyMonthsCombo_, yearly));
    inRow->addWidget(yearlyMonthsCombo_, 1);
    inRow->addWidget(monthsButton);
    yearlyGrid->addLayout(inRow, 1, 0, 1, 4);
    connect(yearlyMonthsCombo_, &QComboBox::activated, this, [this](int m) {
        monthDialog_.Months = TMonths{static_cast<TMonthName>(m)};
        ShowMonths();
    });
    connect(monthsButton, &QToolButton::clicked, this, [this] {
        if (monthDialog_.Execute(this))
            ShowMonths();
    });
    OnClick(*yearlyMonths_, [this] { yearlyMonthsCombo_->showPopup(); });
    OnDoubleClick(*yearlyMonths_, [this] {
        if (monthDialog_.Execute(this))
            ShowMonths();
    });
    NewDayPart(KindYearly, *yearly, "Yearly", 2);
    pages_->addWidget(yearly);

    members_ = &AddComplexPage(
        *pages_, tr("Set a complex date by adding simple dates in the list."), tr("Dates"));
    members_->OnAdd = [this] { AddMember(); };
    members_->OnEdit = [this](int row) { EditMember(row); };
    members_->OnDelete = [this](int row) {
        TDateConditionList& members = As<TComplexDateCondition>(working_[KindComplex]).Conditions();
        if (row >= members.Count())
            return false;
        members.Delete(row);
        return true;
    };
    QGridLayout& grid = members_->Grid();
    complexExclude_ =
        Named(new QLineEdit(members_), "ComplexExcludeEdit", tr("Set the excluding dates"));
    complexExclude_->setReadOnly(true);
    auto* exclude = new QPushButton(tr("Exclude..."), members_);
    exclude->setObjectName(QStringLiteral("ComplexExclude"));
    grid.addWidget(Buddy(tr("Set the excluding dates if necessary:"), complexExclude_, members_), 4,
                   0, 1, 2);
    grid.addWidget(complexExclude_, 5, 0);
    grid.addWidget(exclude, 5, 1);
    connect(exclude, &QPushButton::clicked, this, &TDateFrame::EditExclude);
}

QWidget* TDateFrame::NewPeriodicPage(int kind, const char* prefix, const QString& unit) {
    auto* page = new QWidget(pages_);
    auto* grid = new QGridLayout(page);
    const QByteArray p(prefix);
    TPeriodicPage& controls = periodic_[kind];
    const char* periodNames[] = {"", "DailyDayPeriod", "WeeklyWeekPeriod", "MonthlyMonthPeriod",
                                 "YearlyYearPeriod"};
    controls.Period = Named(new TBoundedSpinBox(1, 999, page), periodNames[kind], tr("Period"));
    controls.From = NewDatePicker(page, (p + "FromDate").constData(), tr("From"));
    controls.Until = Named(new QLineEdit(page), (p + "RepeatEdit").constData(), tr("Repeat"));
    controls.Until->setReadOnly(true);
    auto* repeat = new QPushButton(tr("&repeat…"), page);
    repeat->setObjectName(QString::fromLatin1(p + "Repeat"));
    grid->addWidget(Buddy(tr("ever&y"), controls.Period, page), 0, 0);
    grid->addWidget(controls.Period, 0, 1);
    grid->addWidget(new QLabel(unit, page), 0, 2, 1, 2);
    // Rows 1 to 3 hold what the kind adds.
    grid->addWidget(Buddy(tr("&from:"), controls.From, page), 4, 0);
    grid->addWidget(controls.From, 4, 1, 1, 2);
    grid->addWidget(controls.Until, 5, 0, 1, 3);
    grid->addWidget(repeat, 5, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
    connect(repeat, &QPushButton::clicked, this, &TDateFrame::EditEnd);
    OnDoubleClick(*controls.Until, [this] { EditEnd(); });
    OnAnyKey(*controls.Until, [this] { EditEnd(); });
    if (kind != KindDaily)
        connect(controls.From, &QDateEdit::dateChanged, this, [this, kind] {
            if (!filling_)
                StartDateChanged(kind);
        });
    return page;
}

void TDateFrame::NewDayPart(int kind, QWidget& page, const char* prefix, int row) {
    auto* grid = static_cast<QGridLayout*>(page.layout());
    const QByteArray p(prefix);
    TDayPart& part = dayParts_[kind];
    part.OnDay = new QRadioButton(tr("on day"), &page);
    part.OnDay->setObjectName(QString::fromLatin1(p + "OnDay"));
    part.OnThe = new QRadioButton(tr("on the"), &page);
    part.OnThe->setObjectName(QString::fromLatin1(p + "OnThe"));
    auto* group = new QButtonGroup(&page);
    group->addButton(part.OnDay);
    group->addButton(part.OnThe);
    part.DayNumber =
        Named(new TBoundedSpinBox(1, 31, &page), (p + "DayNumber").constData(), tr("Day"));
    part.SubjectNumber =
        Named(new QComboBox(&page), (p + "SubjectNumber").constData(), tr("Which"));
    part.SubjectKind = Named(new QComboBox(&page), (p + "SubjectKind").constData(), tr("Day"));
    part.SubjectNumber->addItems(
        {tr("First"), tr("Second"), tr("Third"), tr("Fourth"), tr("Last")});
    part.SubjectKind->addItem(tr("Day"));
    for (int d = 0; d < 7; ++d)
        part.SubjectKind->addItem(
            QText(CurrentLocale().LongDayName(static_cast<TDayOfWeekName>(d))));
    part.SubjectNumber->setCurrentIndex(0);
    part.SubjectKind->setCurrentIndex(0);
    grid->addWidget(part.OnDay, row, 0);
    grid->addWidget(part.DayNumber, row, 1);
    grid->addWidget(part.OnThe, row + 1, 0);
    auto* subject = new QHBoxLayout;
    subject->addWidget(part.SubjectNumber);
    subject->addWidget(part.SubjectKind);
    subject->addStretch();
    grid->addLayout(subject, row + 1, 1, 1, 3);
    connect(part.OnDay, &QRadioButton::clicked, this, [this, kind] { ApplyRadioRule(kind); });
    connect(part.OnThe, &QRadioButton::clicked, this, [this, kind] { ApplyRadioRule(kind); });
}

int TDateFrame::ShownKind() const {
    return pages_->currentIndex();
}

void TDateFrame::ShowKind(int kind) {
    ShowKindPage(kindButtons_, *pages_, kind);
}

void TDateFrame::LoadCondition(const TDateCondition* c) {
    if (!c)
        return;
    const int kind = DateConditionKind(*c);
    if (kind < 0 || kind >= KindCount)
        return;
    working_[kind]->Assign(*c);
    Fill(kind);
    ShowKind(kind);
}

void TDateFrame::ApplyRadioRule(int kind) {
    const TDayPart& part = dayParts_[kind];
    part.DayNumber->setEnabled(part.OnDay->isChecked());
    part.SubjectNumber->setEnabled(part.OnThe->isChecked());
    part.SubjectKind->setEnabled(part.OnThe->isChecked());
}

void TDateFrame::ShowMonths() {
    yearlyMonths_->setText(QText(MonthsText(monthDialog_.Months)));
    yearlyMonths_->setCursorPosition(0);
}

void TDateFrame::Fill(int kind) {
    filling_ = true;
    if (kind == KindOnce) {
        onceDate_->setDate(ToQDate(As<TOnceDateCondition>(working_[kind]).Date()));
    } else if (kind == KindComplex) {
        FillComplexList();
        complexExclude_->setText(QText(
            As<TComplexDateCondition>(working_[kind]).ExcludeConditions().JoinedDescription()));
        complexExclude_->setCursorPosition(0);
    } else {
        const auto& c = As<TPeriodicDateCondition>(working_[kind]);
        const TPeriodicPage& page = periodic_[kind];
        page.Until->setText(QText(c.UntilText()));
        page.From->setDate(ToQDate(c.FromDate()));
        page.Period->SetLoaded(c.Period());
        if (kind == KindWeekly) {
            const TDaysOfWeek days = As<TWeeklyDateCondition>(working_[kind]).WeekDays();
            for (int d = 0; d < 7; ++d)
                weekly_[static_cast<std::size_t>(d)]->setChecked(
                    days.Contains(static_cast<TDayOfWeekName>(d)));
        }
        if (kind == KindMonthly || kind == KindYearly) {
            const auto& m = As<TInternalDateInMonthDateCondition>(working_[kind]);
            const TDayPart& part = dayParts_[kind];
            if (m.DayNumber() > 0) {
                part.OnDay->setChecked(true);
                part.DayNumber->SetLoaded(m.DayNumber());
            } else {
                part.OnThe->setChecked(true);
                part.SubjectNumber->setCurrentIndex(m.SubjectNumber());
                part.SubjectKind->setCurrentIndex(m.SubjectKind());
            }
            ApplyRadioRule(kind);
        }
        if (kind == KindYearly) {
            monthDialog_.Months = As<TYearlyDateCondition>(working_[kind]).Months();
            ShowMonths();
        }
    }
    filling_ = false;
}

void TDateFrame::Build(int kind) {
    if (kind == KindOnce) {
        As<TOnceDateCondition>(working_[kind]).SetDate(FromQDate(onceDate_->date()));
        return;
    }
    if (kind == KindComplex)
        return;
    auto& c = As<TPeriodicDateCondition>(working_[kind]);
    const TPeriodicPage& page = periodic_[kind];
    c.BeginUpdate();
    c.SetFromDate(FromQDate(page.From->date()));
    c.SetPeriod(page.Period->value());
    if (kind == KindWeekly) {
        TDaysOfWeek days;
        for (int d = 0; d < 7; ++d)
            if (weekly_[static_cast<std::size_t>(d)]->isChecked())
                days.Include(static_cast<TDayOfWeekName>(d));
        As<TWeeklyDateCondition>(working_[kind]).SetWeekDays(days);
    }
    if (kind == KindMonthly || kind == KindYearly) {
        auto& m = As<TInternalDateInMonthDateCondition>(working_[kind]);
        const TDayPart& part = dayParts_[kind];
        if (part.OnDay->isChecked()) {
            m.SetDayNumber(part.DayNumber->value());
        } else {
            m.SetDayNumber(0);
            m.SetSubjectNumber(static_cast<TWeekOfMonthName>(part.SubjectNumber->currentIndex()));
            m.SetSubjectKind(static_cast<TMonthSubjectName>(part.SubjectKind->currentIndex()));
        }
    }
    if (kind == KindYearly)
        As<TYearlyDateCondition>(working_[kind]).SetMonths(monthDialog_.Months);
    c.EndUpdate();
}

TDateCondition& TDateFrame::BuildCondition() {
    const int kind = ShownKind();
    Build(kind);
    return *working_[kind];
}

void TDateFrame::StartDateChanged(int kind) {
    auto& c = As<TPeriodicDateCondition>(working_[kind]);
    const TDateTime previous = c.FromDate();
    const TDateTime next = FromQDate(periodic_[kind].From->date());
    if (kind == KindWeekly) {
        const int was = DayOfWeek0(previous);
        bool onlyThatDay = true;
        for (int d = 0; d < 7; ++d)
            onlyThatDay =
                onlyThatDay && weekly_[static_cast<std::size_t>(d)]->isChecked() == (d == was);
        if (onlyThatDay)
            for (int d = 0; d < 7; ++d)
                weekly_[static_cast<std::size_t>(d)]->setChecked(d == DayOfWeek0(next));
    } else {
        // The field the user sees is compared, so the day follows every move of the start.
        const TDayPart& part = dayParts_[kind];
        if (part.OnDay->isChecked() && part.DayNumber->value() == DayOfMonthOf(previous))
            part.DayNumber->setValue(DayOfMonthOf(next));
        const TMonths single{static_cast<TMonthName>(MonthOf(previous) - 1)};
        if (kind == KindYearly && monthDialog_.Months == single) {
            monthDialog_.Months = TMonths{static_cast<TMonthName>(MonthOf(next) - 1)};
            ShowMonths();
        }
    }
    c.SetFromDate(next);
}

void TDateFrame::EditEnd() {
    const int kind = ShownKind();
    if (kind == KindOnce || kind == KindComplex)
        return;
    Build(kind);
    if (EditDateEnd(this, As<TPeriodicDateCondition>(working_[kind])))
        Fill(kind);
}

void TDateFrame::SetDefault(TDateTime x) {
    for (int kind = 0; kind < KindComplex; ++kind)
        working_[kind]->SetDefault(x);
    auto& complex = As<TComplexDateCondition>(working_[KindComplex]);
    complex.Conditions().Clear();
    complex.ExcludeConditions().Clear();
    for (int kind = 0; kind < KindCount; ++kind)
        Fill(kind);
}

void TDateFrame::ShowComplexKind(bool visible) {
    kindButtons_[KindComplex]->setVisible(visible);
    if (!visible && ShownKind() == KindComplex)
        ShowKind(KindYearly);
}

void TDateFrame::OnlyOnce(bool flag) {
    ShowKind(KindOnce);
    for (int kind = KindDaily; kind < KindCount; ++kind)
        kindButtons_[kind]->setVisible(!flag);
}

void TDateFrame::FillComplexList() {
    const TDateConditionList& members =
        As<TComplexDateCondition>(working_[KindComplex]).Conditions();
    members_->Clear();
    for (int i = 0; i < members.Count(); ++i)
        members_->Append(QText(members.Items(i).Description()));
}

void TDateFrame::AddMember() {
    TDateConditionList& members = As<TComplexDateCondition>(working_[KindComplex]).Conditions();
    ChooseDate(this, nullptr, false, [&](const TDateCondition& chosen) {
        members.Add(chosen.Clone());
        members_->AppendCurrent(QText(members.Items(members.Count() - 1).Description()));
    });
}

void TDateFrame::EditMember(int row) {
    TDateConditionList& members = As<TComplexDateCondition>(working_[KindComplex]).Conditions();
    if (row < 0 || row >= members.Count())
        return;
    ChooseDate(this, &members.Items(row), false, [&](const TDateCondition& chosen) {
        members.Replace(row, chosen);
        members_->SetText(row, QText(members.Items(row).Description()));
    });
}

void TDateFrame::EditExclude() {
    if (ShownKind() != KindComplex)
        return;
    BuildCondition();
    if (EditExclusions(this, As<TComplexDateCondition>(working_[KindComplex])))
        Fill(KindComplex);
}

} // namespace kelvo
