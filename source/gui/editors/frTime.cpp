#include "gui/editors/frTime.h"

#include "gui/editors/EditorControls.h"
#include "gui/editors/dmShared.h"
#include "gui/editors/fmTimeDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvo {

namespace {

constexpr int MemberRole = Qt::UserRole;

template <typename T> T& As(const std::unique_ptr<TTimeCondition>& c) {
    return static_cast<T&>(*c);
}

void SetMember(QListWidgetItem& line, const TTimeCondition& member) {
    line.setText(QText(member.Description()));
    line.setData(MemberRole, QVariant::fromValue(reinterpret_cast<quintptr>(&member)));
}

const TTimeCondition* MemberOf(const QListWidgetItem* line) {
    return line ? reinterpret_cast<const TTimeCondition*>(line->data(MemberRole).value<quintptr>())
                : nullptr;
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
    radioColumn_ = new QWidget(this);
    auto* radios = new QVBoxLayout(radioColumn_);
    radios->setContentsMargins(0, 0, 0, 0);
    kindGroup_ = new QButtonGroup(this);
    const QString captions[KindCount] = {tr("A&ll the day"), tr("On&ce"), tr("M&inutely"),
                                         tr("&Hourly"), tr("Compl&ex")};
    const char* names[KindCount] = {"AllRadio", "OnceRadio", "ByMinuteRadio", "HourlyRadio",
                                    "ComplexRadio"};
    for (int kind = 0; kind < KindCount; ++kind) {
        kindButtons_[kind] = new QRadioButton(captions[kind], radioColumn_);
        kindButtons_[kind]->setObjectName(QString::fromLatin1(names[kind]));
        kindGroup_->addButton(kindButtons_[kind], kind);
        radios->addWidget(kindButtons_[kind]);
    }
    radios->addStretch();
    connect(kindGroup_, &QButtonGroup::idClicked, this,
            [this](int kind) { pages_->setCurrentIndex(kind); });
    layout->addWidget(radioColumn_);

    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_, 1);
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

    // Complex.
    auto* complex = new QWidget(pages_);
    auto* grid = new QGridLayout(complex);
    auto* hint = new QLabel(tr("Set a complex time by adding simple times in the list."), complex);
    hint->setWordWrap(true);
    grid->addWidget(hint, 0, 0, 1, 2);
    complexList_ = Named(new QListWidget(complex), "ComplexIncludeList", tr("Times"));
    grid->addWidget(complexList_, 1, 0, 4, 1);
    auto* add = new QPushButton(tr("Add..."), complex);
    editButton_ = new QPushButton(tr("Edit..."), complex);
    deleteButton_ = new QPushButton(tr("Delete"), complex);
    add->setObjectName(QStringLiteral("ComplexAdd"));
    editButton_->setObjectName(QStringLiteral("ComplexEdit"));
    deleteButton_->setObjectName(QStringLiteral("ComplexDelete"));
    grid->addWidget(add, 1, 1);
    grid->addWidget(editButton_, 2, 1);
    grid->addWidget(deleteButton_, 3, 1);
    grid->setRowStretch(4, 1);
    connect(add, &QPushButton::clicked, this, &TTimeFrame::AddMember);
    connect(editButton_, &QPushButton::clicked, this, &TTimeFrame::EditMember);
    connect(deleteButton_, &QPushButton::clicked, this, &TTimeFrame::DeleteMember);
    connect(complexList_, &QListWidget::itemDoubleClicked, this, [this] {
        if (editButton_->isEnabled())
            EditMember();
    });
    connect(complexList_, &QListWidget::currentRowChanged, this, &TTimeFrame::UpdateListButtons);
    connect(complexList_, &QListWidget::itemSelectionChanged, this, &TTimeFrame::UpdateListButtons);
    pages_->addWidget(complex);
    UpdateListButtons();
}

int TTimeFrame::ShownKind() const {
    return pages_->currentIndex();
}

void TTimeFrame::ShowKind(int kind) {
    if (kind < 0 || kind >= KindCount)
        return;
    kindButtons_[kind]->setChecked(true);
    pages_->setCurrentIndex(kind);
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

void TTimeFrame::FillComplexList() {
    const TTimeConditionList& members =
        As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    complexList_->clear();
    for (int i = 0; i < members.Count(); ++i) {
        auto* line = new QListWidgetItem(complexList_);
        SetMember(*line, members.Items(i));
    }
    UpdateListButtons();
}

void TTimeFrame::UpdateListButtons() {
    const bool selected = complexList_->currentItem() && complexList_->currentItem()->isSelected();
    editButton_->setEnabled(selected);
    deleteButton_->setEnabled(selected);
}

void TTimeFrame::AddMember() {
    TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    ChooseTime(this, nullptr, [&](const TTimeCondition& chosen) {
        members.Add(chosen.Clone());
        auto* line = new QListWidgetItem(complexList_);
        SetMember(*line, members.Items(members.Count() - 1));
        complexList_->setCurrentItem(line);
    });
}

void TTimeFrame::EditMember() {
    TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    QListWidgetItem* line = complexList_->currentItem();
    const int i = members.IndexOf(MemberOf(line));
    if (i < 0)
        return;
    ChooseTime(this, &members.Items(i), [&](const TTimeCondition& chosen) {
        members.Put(i, &chosen);
        SetMember(*line, members.Items(i));
    });
}

void TTimeFrame::DeleteMember() {
    TTimeConditionList& members = As<TComplexTimeCondition>(working_[KindComplex]).Conditions();
    const int row = complexList_->currentRow();
    QListWidgetItem* line = complexList_->currentItem();
    if (!line)
        return;
    members.Remove(MemberOf(line));
    delete complexList_->takeItem(row);
    if (complexList_->count() > 0)
        complexList_->setCurrentRow(std::min(row, complexList_->count() - 1));
    else
        complexList_->setCurrentRow(-1);
    UpdateListButtons();
}

} // namespace kelvo
