#include "gui/dialogs/fmQuickEventCreate.h"

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/editors/EditorControls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace kelvo {

namespace {

void ListTemplates(const TTemplateNode& node, QStringList& out) {
    for (int i = 0; i < node.ChildCount(); ++i) {
        out << QString::fromStdString(node.Child(i).Text());
        ListTemplates(node.Child(i), out);
    }
}

} // namespace

TQuickEventForm::TQuickEventForm(TTemplateTree& templates, QWidget* parent)
    : QDialog(parent), templates_(templates) {
    setObjectName(QStringLiteral("QuickEventForm"));
    setWindowTitle(tr("Create Quick Event"));

    auto* textLabel = new QLabel(tr("&Description:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("QuickDescription"));
    text_->setAccessibleName(tr("Description"));
    textLabel->setBuddy(text_);

    auto* templateBox = new QGroupBox(tr("Template"), this);
    template_ = new QLineEdit(templateBox);
    template_->setObjectName(QStringLiteral("QuickTemplate"));
    template_->setReadOnly(true);
    template_->setAccessibleName(tr("Template"));
    auto* change = new QPushButton(tr("&Change..."), templateBox);
    change->setObjectName(QStringLiteral("QuickChangeTemplate"));
    change->setAutoDefault(false);
    auto* templateRow = new QHBoxLayout(templateBox);
    templateRow->addWidget(template_, 1);
    templateRow->addWidget(change);

    auto* when = new QGroupBox(tr("Date/Time"), this);
    after_ = new QRadioButton(tr("Once &after"), when);
    after_->setObjectName(QStringLiteral("QuickOnceAfter"));
    amount_ = new QSpinBox(when);
    amount_->setObjectName(QStringLiteral("QuickAmount"));
    amount_->setRange(1, 9999);
    amount_->setAccessibleName(tr("Delay"));
    unit_ = new QComboBox(when);
    unit_->setObjectName(QStringLiteral("QuickUnit"));
    unit_->addItems({tr("minute(s)"), tr("hour(s)"), tr("day(s)")});
    unit_->setAccessibleName(tr("Unit of the delay"));
    once_ = new QRadioButton(tr("O&nce"), when);
    once_->setObjectName(QStringLiteral("QuickOnce"));
    date_ = new QDateEdit(when);
    date_->setObjectName(QStringLiteral("QuickDate"));
    date_->setCalendarPopup(true);
    date_->setAccessibleName(tr("Date"));
    time_ = new QTimeEdit(when);
    time_->setObjectName(QStringLiteral("QuickTime"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    time_->setAccessibleName(tr("Time"));
    timeMenu_ = new QToolButton(when);
    timeMenu_->setObjectName(QStringLiteral("QuickTimeMenu"));
    timeMenu_->setArrowType(Qt::DownArrow);
    timeMenu_->setPopupMode(QToolButton::InstantPopup);
    timeMenu_->setAccessibleName(tr("Times of day"));
    auto* times = new QMenu(timeMenu_);
    times->addAction(tr("Now"), this, [this] { time_->setTime(ToQTime(Now())); });
    for (const int hour : {8, 9, 12, 14, 18, 20})
        times->addAction(QTime(hour, 0).toString(QStringLiteral("HH:mm")), this,
                         [this, hour] { time_->setTime(QTime(hour, 0)); });
    timeMenu_->setMenu(times);
    time_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(time_, &QWidget::customContextMenuRequested, this,
            [this, times](const QPoint& at) { times->popup(time_->mapToGlobal(at)); });

    auto* grid = new QGridLayout(when);
    grid->addWidget(after_, 0, 0);
    grid->addWidget(amount_, 0, 1);
    grid->addWidget(unit_, 0, 2, 1, 2);
    grid->addWidget(once_, 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(time_, 1, 2);
    grid->addWidget(timeMenu_, 1, 3);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel);
    layout->addWidget(text_);
    layout->addWidget(templateBox);
    layout->addWidget(when);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(change, &QPushButton::clicked, this, &TQuickEventForm::ChangeTemplate);
    connect(after_, &QRadioButton::toggled, this, &TQuickEventForm::ModeChanged);

    // The defaults before any caller's values.
    if (TEventTemplate* t = templates_.DefaultTemplate()) {
        template_->setText(QString::fromStdString(std::string(DefaultTemplateName)));
        text_->setText(QString::fromStdString(t->Description()));
    }
    amount_->setValue(5);
    unit_->setCurrentIndex(0);
    date_->setDate(ToQDate(Today()));
    time_->setTime(ToQTime(Now()));
    after_->setChecked(true);
    ModeChanged();
    setTabOrder(text_, change);
}

void TQuickEventForm::SetupAfter(const QString& templateName, const QString& text, int unit,
                                 int amount) {
    template_->setText(templateName);
    text_->setText(text);
    unit_->setCurrentIndex(std::clamp(unit, 1, 3) - 1);
    amount_->setValue(amount);
    after_->setChecked(true);
}

void TQuickEventForm::SetupAt(const QString& templateName, const QString& text, TDateTime moment) {
    template_->setText(templateName);
    text_->setText(text);
    date_->setDate(ToQDate(moment));
    time_->setTime(ToQTime(moment));
    once_->setChecked(true);
}

QString TQuickEventForm::TemplateName() const {
    return template_->text();
}

QString TQuickEventForm::Text() const {
    return text_->text();
}

bool TQuickEventForm::AtMoment() const {
    return once_->isChecked();
}

int TQuickEventForm::Amount() const {
    return amount_->value();
}

int TQuickEventForm::Unit() const {
    return unit_->currentIndex() + 1;
}

TDateTime TQuickEventForm::Moment() const {
    if (AtMoment())
        return FromQDate(date_->date()) + FromQTime(time_->time());
    static constexpr TPeriodType units[] = {ptMinute, ptHour, ptDay};
    return IncPeriod(units[Unit() - 1], Amount(), Now());
}

std::unique_ptr<TEvent> TQuickEventForm::MakeEvent() const {
    const TEventTemplate* t = nullptr;
    if (TTemplateNode* node = templates_.FindTemplate(TemplateName().toStdString()))
        t = node->Template();
    if (!t)
        t = templates_.DefaultTemplate();
    if (!t) {
        templates_.EnsureDefaultTemplate();
        t = templates_.DefaultTemplate();
    }
    return templates_.NewQuickEvent(*t, Text().toStdString(), Moment());
}

void TQuickEventForm::StoreOptions(TProgramOptions& options) const {
    options.QuickDefaultTemplate.SetValue(TemplateName().toStdString());
    options.QuickDefaultPeriod.SetValue(Amount());
    options.QuickDefaultPeriodType.SetValue(Unit());
}

void TQuickEventForm::ModeChanged() {
    const bool after = after_->isChecked();
    amount_->setEnabled(after);
    unit_->setEnabled(after);
    date_->setEnabled(!after);
    time_->setEnabled(!after);
    timeMenu_->setEnabled(!after);
}

void TQuickEventForm::ChangeTemplate() {
    std::optional<QString> chosen;
    if (ChooseTemplate) {
        chosen = ChooseTemplate(TemplateName());
    } else {
        QStringList names;
        ListTemplates(templates_.Root(), names);
        QInputDialog ask(this);
        ask.setWindowTitle(tr("Choose Template"));
        ask.setLabelText(tr("&Template:"));
        ask.setComboBoxItems(names);
        ask.setComboBoxEditable(false);
        ask.setTextValue(TemplateName());
        if (RunAndWait(ask) == QDialog::Accepted)
            chosen = ask.textValue();
    }
    if (chosen && !chosen->isEmpty())
        template_->setText(*chosen);
}

void TQuickEventForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Opened by a global hot key, it must come to the front with the text ready.
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    text_->setFocus();
    text_->selectAll();
}

std::unique_ptr<TEvent> TQuickEventForm::QuickEventAfter(TTemplateTree& templates,
                                                         TProgramOptions& options, QWidget* parent,
                                                         const QString& templateName,
                                                         const QString& text, int unit,
                                                         int amount) {
    TQuickEventForm form(templates, parent);
    form.SetupAfter(templateName, text, unit, amount);
    if (RunAndWait(form) != QDialog::Accepted)
        return nullptr;
    form.StoreOptions(options);
    return form.MakeEvent();
}

std::unique_ptr<TEvent> TQuickEventForm::QuickEventAt(TTemplateTree& templates,
                                                      TProgramOptions& options, QWidget* parent,
                                                      const QString& templateName,
                                                      const QString& text, TDateTime moment) {
    TQuickEventForm form(templates, parent);
    form.SetupAt(templateName, text, moment);
    if (RunAndWait(form) != QDialog::Accepted)
        return nullptr;
    form.StoreOptions(options);
    return form.MakeEvent();
}

bool TQuickEventForm::AskMessageAndDelay(TTemplateTree& templates, TProgramOptions& options,
                                         QWidget* parent, QString& message, int& delayMinutes) {
    TQuickEventForm form(templates, parent);
    const QString name = QString::fromStdString(options.QuickDefaultTemplate.Value());
    if (delayMinutes > 0)
        form.SetupAfter(name, message, Minutes, delayMinutes);
    else
        form.SetupAfter(name, message, options.QuickDefaultPeriodType.Value(),
                        options.QuickDefaultPeriod.Value());
    if (RunAndWait(form) != QDialog::Accepted)
        return false;
    form.StoreOptions(options);
    message = form.Text();
    const double minutes = (form.Moment() - Now()) * 24 * 60;
    delayMinutes = std::max(0, static_cast<int>(std::lround(minutes)));
    return true;
}

} // namespace kelvo
