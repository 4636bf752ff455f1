#pragma once

// The controls of the Event Filter page: a period (two dates, each with a check box, and four
// period buttons), a search text and a template. The window runs the filter over the notebook.

#include "core/util/paDateUtils.h"

#include <QDate>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace kelvo {

class TEvent;
class TReminderNotebook;

class TEventFilterPanel : public QWidget {
    Q_OBJECT
public:
    // The store's "FilterType".
    enum TPeriod { Custom = 0, CurrentDay = 1, CurrentWeek = 2, CurrentMonth = 3, AllPeriod = 4 };

    // periodActions: the commands of day, week, month and all events, then the refresh
    // command, as the page's buttons show them.
    TEventFilterPanel(const std::vector<QAction*>& periodActions, QWidget* parent = nullptr);

    // Sets the dates (or unticks both) for the period and runs the filter.
    void ApplyPeriod(TPeriod period);
    // The period the dates hold exactly; Custom for any other.
    TPeriod ShownPeriod() const;

    // What the filter lets through of the notebook, sorted by next arising.
    std::vector<TEvent*> Filter(const TReminderNotebook& notebook) const;

    QDateEdit* StartEdit() const { return start_; }
    QDateEdit* EndEdit() const { return end_; }
    QCheckBox* StartCheck() const { return startCheck_; }
    QCheckBox* EndCheck() const { return endCheck_; }
    QLineEdit* TextEdit() const { return text_; }
    QLineEdit* TemplateEdit() const { return template_; }
    void SetTemplateName(const QString& name);

    // The template choice: preset with the edit's name; false on Cancel.
    std::function<bool(QString& name)> ChooseTemplate;

signals:
    // The filter's inputs changed: run it again.
    void filterChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DateEdited(bool startChanged);
    void PickTemplate();

    QCheckBox* startCheck_;
    QDateEdit* start_;
    QCheckBox* endCheck_;
    QDateEdit* end_;
    QLineEdit* text_;
    QToolButton* templateButton_;
    QLineEdit* template_;
    bool applying_ = false;
};

} // namespace kelvo
