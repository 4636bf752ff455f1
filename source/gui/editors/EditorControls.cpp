#include "gui/editors/EditorControls.h"

#include "gui/help/Help.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <utility>

namespace kelvo {

QDate ToQDate(TDateTime d) {
    if (IsNullDate(d))
        return {};
    const TDateParts p = DecodeDate(d);
    return QDate(static_cast<int>(p.Year), p.Month, p.Day);
}

TDateTime FromQDate(const QDate& d) {
    return d.isValid() ? EncodeDate(d.year(), d.month(), d.day()) : NullDate;
}

QTime ToQTime(TDateTime t) {
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(TimeOfDayMs(t)));
}

TDateTime FromQTime(const QTime& t) {
    return MsToTime(t.msecsSinceStartOfDay());
}

namespace {
const char* const LoadedTime = "kelvoLoadedTime";
const char* const LoadedValue = "kelvoLoadedValue";
} // namespace

void ShowTime(QTimeEdit& picker, TDateTime t) {
    picker.setTime(ToQTime(t));
    picker.setProperty(LoadedTime, picker.time());
    picker.setProperty(LoadedValue, t);
}

TDateTime ShownTime(const QTimeEdit& picker) {
    const QVariant loaded = picker.property(LoadedValue);
    if (loaded.isValid() && picker.property(LoadedTime).toTime() == picker.time())
        return loaded.toDouble();
    return FromQTime(picker.time());
}

TBoundedSpinBox::TBoundedSpinBox(int lowest, int highest, QWidget* parent)
    : QSpinBox(parent), lowest_(lowest), highest_(highest) {
    setRange(lowest, highest);
}

void TBoundedSpinBox::SetLoaded(int value) {
    widened_ = value < lowest_ || value > highest_;
    if (widened_)
        setRange(std::min(lowest_, value), std::max(highest_, value));
    else
        setRange(lowest_, highest_);
    setValue(value);
}

void TBoundedSpinBox::stepBy(int steps) {
    if (widened_) {
        // The first step lands on the nearest bound.
        RestoreBounds();
        return;
    }
    QSpinBox::stepBy(steps);
}

void TBoundedSpinBox::keyPressEvent(QKeyEvent* event) {
    // Typing is an edit as much as the arrows are: it starts over from the nearest bound,
    // selected, so the typed digits replace it.
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (widened_ &&
        (typing || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        RestoreBounds();
        selectAll();
    }
    QSpinBox::keyPressEvent(event);
}

void TBoundedSpinBox::RestoreBounds() {
    if (!widened_)
        return;
    widened_ = false;
    setRange(lowest_, highest_);
}

QDateEdit* NewDatePicker(QWidget* parent, const char* objectName, const QString& accessible) {
    auto* picker = Named(new QDateEdit(parent), objectName, accessible);
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return picker;
}

QTimeEdit* NewTimePicker(QWidget* parent, const char* objectName, const QString& accessible) {
    auto* picker = Named(new QTimeEdit(parent), objectName, accessible);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

namespace {

class THook : public QObject {
public:
    THook(QWidget& widget, QEvent::Type type, std::function<void()> action)
        : QObject(&widget), type_(type), action_(std::move(action)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != type_)
            return QObject::eventFilter(watched, event);
        if (type_ == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Shift:
            case Qt::Key_Control:
            case Qt::Key_Alt:
            case Qt::Key_Meta:
            case Qt::Key_AltGr:
                return false;
            default:
                if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
                    return false;
            }
        }
        if (type_ == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        action_();
        return true;
    }

private:
    QEvent::Type type_;
    std::function<void()> action_;
};

} // namespace

void OnDoubleClick(QWidget& widget, std::function<void()> action) {
    new THook(widget, QEvent::MouseButtonDblClick, std::move(action));
}

void OnAnyKey(QWidget& widget, std::function<void()> action) {
    new THook(widget, QEvent::KeyPress, std::move(action));
}

void OnClick(QWidget& widget, std::function<void()> action) {
    new THook(widget, QEvent::MouseButtonPress, std::move(action));
}

TEditorDialog::TEditorDialog(QWidget* owner, const QString& caption, int helpTopic)
    : QDialog(owner), body_(new QVBoxLayout), helpTopic_(helpTopic) {
    setWindowTitle(caption);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (helpTopic > 0) {
        // F1 and the button show the same topic.
        setProperty(THelp::TopicProperty, helpTopic);
        THelp::AddButton(*buttons, [this] { return this; });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TEditorDialog::Run() {
    setWindowModality(Qt::WindowModal);
    return exec() == QDialog::Accepted;
}

void AddChoiceRadios(QWidget& owner, QGridLayout& grid, std::span<QRadioButton*> radios,
                     std::span<const QString> captions, std::span<const char* const> names,
                     const std::function<void()>& clicked) {
    for (std::size_t i = 0; i < radios.size(); ++i) {
        QRadioButton*& radio = radios[i];
        radio = new QRadioButton(captions[i], &owner);
        radio->setObjectName(QString::fromLatin1(names[i]));
        grid.addWidget(radio, static_cast<int>(i), 0);
        QObject::connect(radio, &QRadioButton::clicked, &owner, clicked);
    }
}

QWidget* AddKindColumn(QWidget& frame, QHBoxLayout& layout, std::span<QRadioButton*> buttons,
                       std::span<const QString> captions, std::span<const char* const> names,
                       QStackedWidget*& pages) {
    auto* column = new QWidget(&frame);
    auto* radios = new QVBoxLayout(column);
    radios->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(&frame);
    for (std::size_t kind = 0; kind < buttons.size(); ++kind) {
        buttons[kind] = new QRadioButton(captions[kind], column);
        buttons[kind]->setObjectName(QString::fromLatin1(names[kind]));
        group->addButton(buttons[kind], static_cast<int>(kind));
        radios->addWidget(buttons[kind]);
    }
    radios->addStretch();
    layout.addWidget(column);
    pages = new QStackedWidget(&frame);
    layout.addWidget(pages, 1);
    QObject::connect(group, &QButtonGroup::idClicked, pages, &QStackedWidget::setCurrentIndex);
    return column;
}

void ShowKindPage(std::span<QRadioButton* const> buttons, QStackedWidget& pages, int kind) {
    if (kind < 0 || kind >= static_cast<int>(buttons.size()))
        return;
    buttons[static_cast<std::size_t>(kind)]->setChecked(true);
    pages.setCurrentIndex(kind);
}

int CheckedIndex(std::span<QRadioButton* const> radios) {
    for (std::size_t i = 0; i < radios.size(); ++i)
        if (radios[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

} // namespace kelvo
