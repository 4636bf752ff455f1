#pragma once

#include "core/scheduling/DateCondition.h"
#include "gui/editors/MonthDialog.h"

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace kelvo {

class TBoundedSpinBox;
class TMemberList;

// Builds a date condition of any kind: a radio button per kind, a page of controls per kind.
// The frame owns one working condition of every kind; changing the kind keeps what was
// entered on the other pages.
class TDateFrame : public QWidget {
    Q_OBJECT
public:
    enum { KindOnce, KindDaily, KindWeekly, KindMonthly, KindYearly, KindComplex, KindCount };

    explicit TDateFrame(QWidget* parent = nullptr);
    ~TDateFrame() override;

    // Copies c into the working condition of its kind and shows that page; nothing for none.
    void LoadCondition(const TDateCondition* c);
    // The page shown copied into its working condition; the frame keeps owning it.
    TDateCondition& BuildCondition();
    void SetDefault(TDateTime x);
    void ShowComplexKind(bool visible);
    // Shows the once page and hides (or shows again) the other kinds.
    void OnlyOnce(bool flag);

    int ShownKind() const;
    // Shows a page by program: its radio button is checked without the click handling.
    void ShowKind(int kind);

    QRadioButton& KindButton(int kind) const { return *kindButtons_[kind]; }
    QDateEdit& OnceDate() const { return *onceDate_; }
    TMonthDialog& Months() { return monthDialog_; }

private:
    // The controls every periodic page has.
    struct TPeriodicPage {
        TBoundedSpinBox* Period = nullptr;
        QDateEdit* From = nullptr;
        QLineEdit* Until = nullptr;
    };
    // The day of the month of the monthly and annually pages.
    struct TDayPart {
        QRadioButton* OnDay = nullptr;
        QRadioButton* OnThe = nullptr;
        TBoundedSpinBox* DayNumber = nullptr;
        QComboBox* SubjectNumber = nullptr;
        QComboBox* SubjectKind = nullptr;
    };

    void BuildPages();
    QWidget* NewPeriodicPage(int kind, const char* prefix, const QString& unit);
    void NewDayPart(int kind, QWidget& page, const char* prefix, int row);
    void Fill(int kind);
    void Build(int kind);
    void ApplyRadioRule(int kind);
    void StartDateChanged(int kind);
    void ShowMonths();
    void EditEnd();
    void FillComplexList();
    void AddMember();
    void EditMember(int row);
    void EditExclude();

    std::array<std::unique_ptr<TDateCondition>, KindCount> working_;
    std::array<QRadioButton*, KindCount> kindButtons_{};
    QStackedWidget* pages_ = nullptr;
    QDateEdit* onceDate_ = nullptr;
    std::array<TPeriodicPage, KindCount> periodic_{};
    std::array<TDayPart, KindCount> dayParts_{};
    std::array<QCheckBox*, 7> weekly_{};
    QComboBox* yearlyMonthsCombo_ = nullptr;
    QLineEdit* yearlyMonths_ = nullptr;
    TMemberList* members_ = nullptr;
    QLineEdit* complexExclude_ = nullptr;
    TMonthDialog monthDialog_;
    bool filling_ = false;
};

} // namespace kelvo
