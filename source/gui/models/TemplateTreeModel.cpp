#include "gui/models/TemplateTreeModel.h"

#include "core/runtime/DataFileCommands.h"
#include "core/util/paText.h"

namespace kelvo {

TTemplateTreeModel::TTemplateTreeModel(TDataFileCommands& dataFiles, QObject* parent)
    : QAbstractItemModel(parent), dataFiles_(dataFiles) {}

void TTemplateTreeModel::Refresh() {
    beginResetModel();
    endResetModel();
}

void TTemplateTreeModel::NodeChanged(const TTemplateNode* node) {
    const QModelIndex index = IndexOf(node);
    if (index.isValid())
        emit dataChanged(index, index);
}

TTemplateNode& TTemplateTreeModel::Root() const {
    return dataFiles_.Templates().Root();
}

TTemplateNode* TTemplateTreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TTemplateNode*>(index.internalPointer()) : &Root();
}

QModelIndex TTemplateTreeModel::IndexOf(const TTemplateNode* node) const {
    if (!node || !node->Parent())
        return {};
    return createIndex(node->IndexInParent(), 0, const_cast<TTemplateNode*>(node));
}

QModelIndex TTemplateTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const TTemplateNode* node = NodeOf(parent);
    if (column != 0 || row < 0 || row >= node->ChildCount())
        return {};
    return createIndex(row, 0, &node->Child(row));
}

QModelIndex TTemplateTreeModel::parent(const QModelIndex& child) const {
    return child.isValid() ? IndexOf(NodeOf(child)->Parent()) : QModelIndex();
}

int TTemplateTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return NodeOf(parent)->ChildCount();
}

int TTemplateTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TTemplateTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const TTemplateNode* node = NodeOf(index);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(DisplayText(node->Text()));
    if (role == TemplateRole)
        return QVariant::fromValue(static_cast<void*>(node->Template()));
    return {};
}

} // namespace kelvo
