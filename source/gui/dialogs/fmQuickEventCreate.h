#pragma once

// "Create Quick Event": a message, a template and either a delay from now or a moment; OK
// makes the event (the caller adds it to the notebook).

#include "core/util/paDateUtils.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
class QToolButton;

namespace kelvo {

class TEvent;
class TProgramOptions;
class TTemplateTree;

class TQuickEventForm : public QDialog {
    Q_OBJECT
public:
    // unit of a delay: 1 minutes, 2 hours, 3 days.
    enum TUnit { Minutes = 1, Hours = 2, Days = 3 };

    // The default template and its description, 5 minutes, today and now; the tree is read
    // while the dialog is open.
    TQuickEventForm(TTemplateTree& templates, QWidget* parent);

    // "Once after" amount units.
    void SetupAfter(const QString& templateName, const QString& text, int unit, int amount);
    // "Once" at moment.
    void SetupAt(const QString& templateName, const QString& text, TDateTime moment);

    QString TemplateName() const;
    QString Text() const;
    bool AtMoment() const;
    int Amount() const;
    int Unit() const;
    // The moment the event arises: now plus the delay, or the chosen date and time.
    TDateTime Moment() const;
    // The event, filed under the chosen template (the default one when it is gone).
    std::unique_ptr<TEvent> MakeEvent() const;
    // The template, the amount and the unit become the quick options' values.
    void StoreOptions(TProgramOptions& options) const;

    // The template choice of "&Change..."; answers the chosen name, nothing on Cancel.
    // Without it a list of the tree's templates is offered.
    std::function<std::optional<QString>(const QString& current)> ChooseTemplate;

    // The whole command: the dialog, waited for without blocking the alarm windows; on OK the
    // options are stored and the event made. Nothing on Cancel.
    static std::unique_ptr<TEvent> QuickEventAfter(TTemplateTree& templates,
                                                   TProgramOptions& options, QWidget* parent,
                                                   const QString& templateName, const QString& text,
                                                   int unit, int amount);
    static std::unique_ptr<TEvent> QuickEventAt(TTemplateTree& templates, TProgramOptions& options,
                                                QWidget* parent, const QString& templateName,
                                                const QString& text, TDateTime moment);

    // The event commands' form of the question: the message and the delay in minutes from
    // now (a chosen moment counts as its distance from now); a delay above 0 is proposed, else
    // the quick options' one. The options are stored on OK.
    static bool AskMessageAndDelay(TTemplateTree& templates, TProgramOptions& options,
                                   QWidget* parent, QString& message, int& delayMinutes);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ModeChanged();
    void ChangeTemplate();

    TTemplateTree& templates_;
    QLineEdit* text_ = nullptr;
    QLineEdit* template_ = nullptr;
    QRadioButton* after_ = nullptr;
    QRadioButton* once_ = nullptr;
    QSpinBox* amount_ = nullptr;
    QComboBox* unit_ = nullptr;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QToolButton* timeMenu_ = nullptr;
};

} // namespace kelvo
