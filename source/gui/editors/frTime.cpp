#include "gui/editors/frTime.h"

#include "gui/editors/EditorControls.h"
#include "gui/editors/MemberList.h"
#include "gui/editors/dmShared.h"
#include "gui/editors/fmTimeDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

template <typename T> T& As(const std::unique_ptr<TTimeCondition>& c) {
    return static_cast<T&>(*c);
}

} // namespace

TTimeFrame::TTimeFrame(QWidget* parent) : QWidget(parent) {
    for (int kind = 0; kind < KindCount; ++kind)
        working_[kind] = CreateTimeCondition(kind);
    BuildPages();
    SetDefault(Now());
    ShowKind(KindOnce);
}

TTimeFrame::~TTimeFrame() = default;

void TTimeFrame::BuildPages() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString captions[KindCount] = {tr("A&ll the day"), tr("On&ce"), tr("M&inutely"),
                                         tr("&Hourly"), tr("Compl&ex")};
    const char* names[KindCount] = {"AllRadio", "OnceRadio", "ByMinuteRadio", "HourlyRadio",
                                    "ComplexRadio"};
    radioColumn_ = AddKindColumn(*this, *layout, kindButtons_, captions, names, pages_);
    auto withMenu = [this](QTimeEdit* picker, QWidget* page, bool besideDate) {
        auto* button = new QToolButton(page);
        button->setAccessibleName(tr("Time menu"));
        std::function<QDateEdit*()> beside;
        if (besideDate)
            beside = [this] { return onceDate_.data(); };
        TDM::Instance().Attach(*picker, *button, beside);
        return button;
    };

    // All the day.
    auto* all = new QWidget(pages_);
    auto* allLayout = new QVBoxLayout(all);
    allLayout->addWidget(new QLabel(tr("as soon as possible in the given day."), all));
    allLayout->addStretch();
    pages_->addWidget(all);

    // Once.
    auto* once = new QWidget(pages_);
    auto* onceLayout = new QGridLayout(once);
    onceTime_ = NewTimePicker(once, "OnceTime", tr("Time"));
    auto* at = new QLabel(tr("at"), once);
    at->setBuddy(onceTime_);
    onceLayout->addWidget(at, 0, 0);
    onceLayout->addWidget(onceTime_, 0, 1);
    onceLayout->addWidget(withMenu(onceTime_, once, true), 0, 2);
    onceLayout->setColumnStretch(3, 1);
    onceLayout->setRowStretch(1, 1);
    pages_->addWidget(once);

    // Minutely and hourly share their layout.
    auto periodic = [&](const char* prefix, int highest, const QString& unit,
                        TBoundedSpinBox*& period, QTimeEdit*& from, QTimeEdit*& to) {
        auto* page = new QWidget(pages_);
        auto* grid = new QGridLayout(page);
        const QByteArray p(prefix);
        period =
            Named(new TBoundedSpinBox(1, highest, page), (p + "Period").constData(), tr("Period"));
        from = NewTimePicker(page, (p + "FromTime").constData(), tr("From"));
        to = NewTimePicker(page, (p + "ToTime").constData(), tr("Until"));
        auto* every = new QLabel(tr("every"), page);
        every->setBuddy(period);
        grid->addWidget(every, 0, 0);
        grid->addWidget(period, 0, 1);
        grid->addWidget(new QLabel(unit, page), 0, 2, 1, 2);
        auto* fromLabel = new QLabel(tr("from"), page);
        fromLabel->setBuddy(from);
        grid->addWidget(fromLabel, 1, 0);
        grid->addWidget(from, 1, 1);
        grid->addWidget(withMenu(from, page, false), 1, 2);
        auto* untilLabel = new QLabel(tr("until"), page);
        untilLabel->setBuddy(to);
        grid->addWidget(untilLabel, 2, 0);
        grid->addWidget(to, 2, 1);
        grid->addWidget(withMenu(to, page, false), 2, 2);
        grid->setColumnStretch(4, 1);
        grid->setRowStretch(3, 1);
        pages_->addWidget(page);
    };
    periodic("ByMinute", 999, tr("minute(s)"), byMinutePeriod_, byMinuteFrom_, byMinuteTo_);
    periodic("Hourly", 12, tr("hour(s)"), hourlyPeriod_, hourlyFrom_, hourlyTo_);

    members_ = &AddComplexPage(
        *pages_, tr("Set a complex time by adding simple times in the list."), tr("Times"));
    members_->OnAdd = [this] { AddMember(); };
    members_->OnEdit = [this](int row) { EditMember(row); };
    members_->OnDelete = [this](int row) {
        TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
        if (row >= members.Count())
            return false;
        members.Remove(&members.Items(row));
        return true;
    };
}

int TTimeFrame::ShownKind() const {
    return pages_->currentIndex();
}

void TTimeFrame::ShowKind(int kind) {
    ShowKindPage(kindButtons_, *pages_, kind);
}

void TTimeFrame::LoadCondition(const TTimeCondition* c) {
    if (!c)
        return;
    const int kind = TimeConditionKind(*c);
    if (kind < 0 || kind >= KindCount)
        return;
    working_[kind]->Assign(*c);
    Fill(kind);
    ShowKind(kind);
}

void TTimeFrame::Fill(int kind) {
    switch (kind) {
    case KindOnce:
        ShowTime(*onceTime_, As<TOnceTimeCondition>(working_[kind]).Time());
        break;
    case KindByMinute:
    case KindHourly: {
        const auto& c = As<TPeriodicTimeCondition>(working_[kind]);
        const bool minutely = kind == KindByMinute;
        (minutely ? byMinutePeriod_ : hourlyPeriod_)->SetLoaded(c.CountPeriod());
        ShowTime(*(minutely ? byMinuteFrom_ : hourlyFrom_), c.FromTime());
        ShowTime(*(minutely ? byMinuteTo_ : hourlyTo_), c.ToTime());
        break;
    }
    case KindComplex:
        FillComplexList();
        break;
    default:
        break;
    }
}

TTimeCondition& TTimeFrame::BuildCondition() {
    const int kind = ShownKind();
    switch (kind) {
    case KindOnce:
        As<TOnceTimeCondition>(working_[kind]).SetTime(ShownTime(*onceTime_));
        break;
    case KindByMinute:
    case KindHourly: {
        auto& c = As<TPeriodicTimeCondition>(working_[kind]);
        const bool minutely = kind == KindByMinute;
        c.SetFromTime(ShownTime(*(minutely ? byMinuteFrom_ : hourlyFrom_)));
        c.SetToTime(ShownTime(*(minutely ? byMinuteTo_ : hourlyTo_)));
        c.SetCountPeriod((minutely ? byMinutePeriod_ : hourlyPeriod_)->value());
        break;
    }
    default:
        break;
    }
    return *working_[kind];
}

void TTimeFrame::SetDefault(TDateTime x) {
    for (int kind = 0; kind < KindCount; ++kind) {
        working_[kind]->SetDefault(x);
        Fill(kind);
    }
}

void TTimeFrame::ShowComplexKind(bool visible) {
    kindButtons_[KindComplex]->setVisible(visible);
    if (!visible && ShownKind() == KindComplex)
        ShowKind(KindHourly);
}

void TTimeFrame::SetEditable(bool flag) {
    if (flag == editable_)
        return;
    editable_ = flag;
    radioColumn_->setEnabled(flag);
    pages_->setEnabled(flag);
}

QListWidget& TTimeFrame::ComplexIncludeList() const {
    return members_->List();
}

void TTimeFrame::FillComplexList() {
    const TTimeConditionList& members =
        As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    members_->Clear();
    for (int i = 0; i < members.Count(); ++i)
        members_->Append(QText(members.Items(i).Description()));
}

void TTimeFrame::AddMember() {
    TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    ChooseTime(this, nullptr, [&](const TTimeCondition& chosen) {
        members.Add(chosen.Clone());
        members_->AppendCurrent(QText(members.Items(members.Count() - 1).Description()));
    });
}

void TTimeFrame::EditMember(int row) {
    TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    if (row < 0 || row >= members.Count())
        return;
    ChooseTime(this, &members.Items(row), [&](const TTimeCondition& chosen) {
        members.Put(row, &chosen);
        members_->SetText(row, QText(members.Items(row).Description()));
    });
}

} // namespace kelvo
