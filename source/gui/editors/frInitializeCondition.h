#pragma once

#include "core/scheduling/SimpleInitializeCondition.h"

#include <QWidget>

namespace kelvo {

class TDateFrame;
class TTimeFrame;

// An event's condition: a date frame above a time frame, both with every kind.
class TSimpleConditionFrame : public QWidget {
    Q_OBJECT
public:
    explicit TSimpleConditionFrame(QWidget* parent = nullptr);
    ~TSimpleConditionFrame() override;

    // The working condition becomes a copy of c; each frame loads its part.
    void LoadCondition(const TSimpleInitializeCondition& c);
    // Both parts copied from the frames into the working condition; the frame keeps owning it.
    TSimpleInitializeCondition& BuildCondition();
    // Resets both frames (the working condition itself stays).
    void SetDefault(TDateTime x);

    TDateFrame& DateFrame() const { return *date_; }
    TTimeFrame& TimeFrame() const { return *time_; }

private:
    TSimpleInitializeCondition working_;
    TDateFrame* date_;
    TTimeFrame* time_;
};

} // namespace kelvo
