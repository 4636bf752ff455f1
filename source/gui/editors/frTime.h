#pragma once

#include "core/scheduling/TimeCondition.h"

#include <QDateEdit>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QAbstractButton;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;

namespace kelvo {

class TBoundedSpinBox;
class TMemberList;

// Builds a time condition of any kind: a radio button per kind, a page of controls per kind.
// The frame owns one working condition of every kind; changing the kind keeps what was
// entered on the other pages.
class TTimeFrame : public QWidget {
    Q_OBJECT
public:
    enum { KindAll, KindOnce, KindByMinute, KindHourly, KindComplex, KindCount };

    explicit TTimeFrame(QWidget* parent = nullptr);
    ~TTimeFrame() override;

    // Copies c into the working condition of its kind and shows that page; nothing for none.
    void LoadCondition(const TTimeCondition* c);
    // The page shown copied into its working condition; the frame keeps owning it.
    TTimeCondition& BuildCondition();
    void SetDefault(TDateTime x);
    void ShowComplexKind(bool visible);
    void SetEditable(bool flag);
    bool Editable() const { return editable_; }

    int ShownKind() const;
    // Shows a page by program: its radio button is checked without the click handling.
    void ShowKind(int kind);

    // The date picker placed beside the once picker, which "In" moves across midnight.
    void SetOnceDateBeside(QDateEdit* date) { onceDate_ = date; }

    QRadioButton& KindButton(int kind) const { return *kindButtons_[kind]; }
    QTimeEdit& OnceTime() const { return *onceTime_; }
    QListWidget& ComplexIncludeList() const;

private:
    void BuildPages();
    void Fill(int kind);
    void FillComplexList();
    void AddMember();
    void EditMember(int row);

    std::array<std::unique_ptr<TTimeCondition>, KindCount> working_;
    std::array<QRadioButton*, KindCount> kindButtons_{};
    QWidget* radioColumn_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTimeEdit* onceTime_ = nullptr;
    TBoundedSpinBox* byMinutePeriod_ = nullptr;
    QTimeEdit* byMinuteFrom_ = nullptr;
    QTimeEdit* byMinuteTo_ = nullptr;
    TBoundedSpinBox* hourlyPeriod_ = nullptr;
    QTimeEdit* hourlyFrom_ = nullptr;
    QTimeEdit* hourlyTo_ = nullptr;
    TMemberList* members_ = nullptr;
    QPointer<QDateEdit> onceDate_;
    bool editable_ = true;
};

} // namespace kelvo
