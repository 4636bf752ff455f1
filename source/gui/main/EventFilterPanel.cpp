#include "gui/main/EventFilterPanel.h"

#include "core/runtime/RemNotebook.h"
#include "core/util/paText.h"
#include "gui/editors/EditorControls.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace kelvo {

TEventFilterPanel::TEventFilterPanel(const std::vector<QAction*>& periodActions, QWidget* parent)
    : QWidget(parent), startCheck_(new QCheckBox(tr("Fro&m:"), this)), start_(new QDateEdit(this)),
      endCheck_(new QCheckBox(tr("E&nd:"), this)), end_(new QDateEdit(this)),
      text_(new QLineEdit(this)), templateButton_(new QToolButton(this)),
      template_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FilterPanel"));
    startCheck_->setObjectName(QStringLiteral("FilterStartDate"));
    endCheck_->setObjectName(QStringLiteral("FilterFinishDate"));
    start_->setObjectName(QStringLiteral("FilterStartEdit"));
    end_->setObjectName(QStringLiteral("FilterFinishEdit"));
    start_->setAccessibleName(tr("Start date"));
    end_->setAccessibleName(tr("End date"));
    for (QDateEdit* edit : {start_, end_}) {
        edit->setCalendarPopup(true);
        edit->setDate(ToQDate(DateOf(Now())));
    }

    auto* periods = new QToolBar(this);
    periods->setObjectName(QStringLiteral("FilterPeriodBar"));
    periods->setAccessibleName(tr("Period"));
    periods->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (std::size_t i = 0; i < periodActions.size(); ++i) {
        if (i == 4)
            periods->addSeparator();
        periods->addAction(periodActions[i]);
    }

    auto* textLabel = new QLabel(tr("&Search text:"), this);
    textLabel->setBuddy(text_);
    text_->setObjectName(QStringLiteral("FilterTextEdit"));
    text_->setAccessibleName(tr("Search text"));
    text_->setClearButtonEnabled(true);
    templateButton_->setObjectName(QStringLiteral("FilterTemplateButton"));
    templateButton_->setText(tr("&Template..."));
    templateButton_->setAutoRaise(true);
    templateButton_->setToolTip(tr("Click here to choose template for filtering"));
    templateButton_->setStatusTip(templateButton_->toolTip());
    template_->setObjectName(QStringLiteral("FilterTemplateEdit"));
    template_->setAccessibleName(tr("Template"));
    template_->setReadOnly(true);
    template_->setToolTip(tr("Filter by specified template (press Ctrl+Del to clear)"));
    template_->setStatusTip(template_->toolTip());
    template_->installEventFilter(this);
    text_->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(2);
    grid->addWidget(startCheck_, 0, 0);
    grid->addWidget(start_, 0, 1);
    grid->addWidget(endCheck_, 0, 2);
    grid->addWidget(end_, 0, 3);
    grid->addWidget(periods, 1, 0, 1, 6);
    grid->addWidget(textLabel, 2, 0);
    grid->addWidget(text_, 2, 1, 1, 3);
    grid->addWidget(templateButton_, 2, 4);
    grid->addWidget(template_, 2, 5);
    grid->setColumnStretch(5, 1);

    connect(startCheck_, &QCheckBox::toggled, this, [this] { DateEdited(true); });
    connect(endCheck_, &QCheckBox::toggled, this, [this] { DateEdited(false); });
    connect(start_, &QDateEdit::dateChanged, this, [this] { DateEdited(true); });
    connect(end_, &QDateEdit::dateChanged, this, [this] { DateEdited(false); });
    connect(text_, &QLineEdit::returnPressed, this, &TEventFilterPanel::filterChanged);
    connect(templateButton_, &QToolButton::clicked, this, &TEventFilterPanel::PickTemplate);
}

void TEventFilterPanel::ApplyPeriod(TPeriod period) {
    const TDateTime today = DateOf(Now());
    applying_ = true;
    switch (period) {
    case CurrentDay:
        start_->setDate(ToQDate(today));
        end_->setDate(ToQDate(today));
        break;
    case CurrentWeek:
        start_->setDate(ToQDate(StartOfWeek(today)));
        end_->setDate(ToQDate(EndOfWeek(today)));
        break;
    case CurrentMonth:
        start_->setDate(ToQDate(StartOfMonth(today)));
        end_->setDate(ToQDate(EndOfMonth(today)));
        break;
    case AllPeriod:
    case Custom:
        break;
    }
    const bool dated = period == CurrentDay || period == CurrentWeek || period == CurrentMonth;
    if (period != Custom) {
        startCheck_->setChecked(dated);
        endCheck_->setChecked(dated);
    }
    applying_ = false;
    emit filterChanged();
}

TEventFilterPanel::TPeriod TEventFilterPanel::ShownPeriod() const {
    if (!startCheck_->isChecked() && !endCheck_->isChecked())
        return AllPeriod;
    if (!startCheck_->isChecked() || !endCheck_->isChecked())
        return Custom;
    const TDateTime today = DateOf(Now());
    const QDate from = start_->date();
    const QDate to = end_->date();
    const auto is = [&](TDateTime a, TDateTime b) {
        return from == ToQDate(a) && to == ToQDate(b);
    };
    if (is(today, today))
        return CurrentDay;
    if (is(StartOfWeek(today), EndOfWeek(today)))
        return CurrentWeek;
    if (is(StartOfMonth(today), EndOfMonth(today)))
        return CurrentMonth;
    return Custom;
}

std::vector<TEvent*> TEventFilterPanel::Filter(const TReminderNotebook& notebook) const {
    const TDateTime from = startCheck_->isChecked() ? FromQDate(start_->date()) : NullDate;
    const TDateTime to = endCheck_->isChecked() ? FromQDate(end_->date()) : NullDate;
    const std::string templateName = template_->text().trimmed().toStdString();
    const QString text = text_->text().trimmed();
    std::vector<TEvent*> out;
    const TEventList inPeriod = notebook.EventsInDays(to, from);
    for (TEvent* event : inPeriod.Events()) {
        if (!templateName.empty() && DisplayText(event->Template()) != templateName)
            continue;
        if (!text.isEmpty() && !QString::fromStdString(DisplayText(event->WindowMessage()))
                                    .contains(text, Qt::CaseInsensitive))
            continue;
        out.push_back(event);
    }
    return out;
}

void TEventFilterPanel::SetTemplateName(const QString& name) {
    template_->setText(name);
    emit filterChanged();
}

void TEventFilterPanel::DateEdited(bool startChanged) {
    if (applying_)
        return;
    // The period never runs backwards: the other date follows the one just changed.
    if (startCheck_->isChecked() && endCheck_->isChecked() && start_->date() > end_->date()) {
        applying_ = true;
        if (startChanged)
            end_->setDate(start_->date());
        else
            start_->setDate(end_->date());
        applying_ = false;
    }
    emit filterChanged();
}

void TEventFilterPanel::PickTemplate() {
    if (!ChooseTemplate)
        return;
    QString name = template_->text();
    if (ChooseTemplate(name))
        SetTemplateName(name);
}

bool TEventFilterPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == template_ && event->type() == QEvent::MouseButtonDblClick) {
        PickTemplate();
        return true;
    }
    if (watched == template_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            SetTemplateName({});
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvo
