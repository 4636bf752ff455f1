#pragma once

// "Choose Template": the template tree, read-only and fully expanded, to pick one from.

#include <QDialog>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace kelvo {

class TTemplateTree;

class TTemplateChoiceForm : public QDialog {
    Q_OBJECT
public:
    TTemplateChoiceForm(TTemplateTree& tree, bool allowNone, QWidget* parent = nullptr);

    // The template named name is selected (none: nothing is).
    void Select(const std::string& name);
    // The selected template's name; with nothing selected (or "[no template]"): empty when
    // none is allowed, else the default template's.
    std::string Chosen() const;
    QTreeWidget& Tree() const { return *tree_; }

    // Opens the dialog on the window owner and waits; on OK name takes the choice.
    static bool ChooseTemplate(QWidget& owner, TTemplateTree& tree, std::string& name,
                               bool allowNone);

private:
    QTreeWidget* tree_;
    QTreeWidgetItem* none_ = nullptr;
    bool allowNone_;
};

} // namespace kelvo
