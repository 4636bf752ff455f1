#include "gui/templates/TemplateChoiceForm.h"

#include "core/entities/EventTemplate.h"
#include "core/util/paText.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/help/Help.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <unordered_map>

namespace kelvo {

TTemplateChoiceForm::TTemplateChoiceForm(TTemplateTree& tree, bool allowNone, QWidget* parent)
    : QDialog(parent), tree_(new QTreeWidget(this)), allowNone_(allowNone) {
    setObjectName(QStringLiteral("TemplateChoiceForm"));
    setWindowTitle(tr("Choose Template"));
    setSizeGripEnabled(true);
    tree_->setObjectName(QStringLiteral("TemplateChoiceTree"));
    tree_->setAccessibleName(tr("Templates"));
    tree_->setHeaderHidden(true);
    tree_->setIndentation(19);
    if (allowNone) {
        none_ = new QTreeWidgetItem(tree_, QStringList{tr("[no template]")});
    }
    std::unordered_map<const TTemplateNode*, QTreeWidgetItem*> items;
    tree.ForEach([&](TTemplateNode& node) {
        const QString text = QString::fromStdString(DisplayText(node.Text()));
        auto parentItem = items.find(node.Parent());
        QTreeWidgetItem* item = parentItem != items.end()
                                    ? new QTreeWidgetItem(parentItem->second, QStringList{text})
                                    : new QTreeWidgetItem(tree_, QStringList{text});
        item->setData(0, Qt::UserRole, QString::fromStdString(node.Text()));
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        items[&node] = item;
    });
    tree_->expandAll();
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setProperty(THelp::TopicProperty, 400);
    THelp::AddButton(*buttons, [this] { return this; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(300, 360);
}

void TTemplateChoiceForm::Select(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == wanted && *it != none_) {
            tree_->setCurrentItem(*it);
            return;
        }
    tree_->setCurrentItem(none_);
}

std::string TTemplateChoiceForm::Chosen() const {
    QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr || item == none_ || !item->isSelected())
        return allowNone_ ? std::string() : std::string(DefaultTemplateName);
    return item->data(0, Qt::UserRole).toString().toStdString();
}

bool TTemplateChoiceForm::ChooseTemplate(QWidget& owner, TTemplateTree& tree, std::string& name,
                                         bool allowNone) {
    // The owner may go while the dialog waits (the program ends).
    QPointer<TTemplateChoiceForm> form = new TTemplateChoiceForm(tree, allowNone, &owner);
    form->Select(name);
    const bool accepted = RunAndWait(*form) == QDialog::Accepted && form;
    if (accepted)
        name = form->Chosen();
    delete form.data();
    return accepted;
}

} // namespace kelvo
