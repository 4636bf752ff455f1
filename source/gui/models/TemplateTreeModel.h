#pragma once

// The template tree as a tree model: one column, the templates' names; the root is not shown.

#include <QAbstractItemModel>

namespace kelvo {

class TDataFileCommands;
class TEventTemplate;
class TTemplateNode;

class TTemplateTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The row's TEventTemplate*.
    static constexpr int TemplateRole = Qt::UserRole + 1;

    // The tree is the data files' and is replaced with every load.
    explicit TTemplateTreeModel(TDataFileCommands& dataFiles, QObject* parent = nullptr);

    // After the tree changed or was replaced.
    void Refresh();
    // After a node's name or look changed, the tree being the same.
    void NodeChanged(const TTemplateNode* node);
    TTemplateNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TTemplateNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TTemplateNode& Root() const;

    TDataFileCommands& dataFiles_;
};

} // namespace kelvo
