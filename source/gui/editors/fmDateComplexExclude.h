#pragma once

#include "core/scheduling/DateCondition.h"
#include "gui/editors/EditorControls.h"

#include <memory>
#include <vector>

class QListWidget;

namespace kelvo {

class TMemberList;

// "Exclude...": the single dates a complex date leaves out. Works on copies until OK.
class TDateComplexExcludeForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TDateComplexExcludeForm(QWidget* owner);

    void Load(const TDateConditionList& exclusions);
    void Store(TDateConditionList& exclusions) const;
    QListWidget& ComplexExcludeList() const;

private:
    void AddLine();
    void EditLine(int row);

    TMemberList* members_;
    std::vector<std::unique_ptr<TDateCondition>> lines_;
};

// Rewrites condition's exclusions on OK; true for OK.
bool EditExclusions(QWidget* owner, TComplexDateCondition& condition);

} // namespace kelvo
