#include "gui/templates/TemplateTreeView.h"

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/util/paText.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/EventCommands.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/session/ProgramSession.h"
#include "gui/templates/TemplateDrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFont>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMenu>
#include <QStyle>
#include <functional>

namespace kelvo {

namespace {

// Runs a command of the tree's own keys and mouse the way the window runs its commands: not
// inside another one that waits for an answer, and with its errors shown.
void RunCommand(QWidget* owner, const std::function<void()>& command) {
    if (WaitingForBox()) {
        QApplication::beep();
        return;
    }
    try {
        command();
    } catch (const EpaError& e) {
        ShowBox(owner, QMessageBox::Warning, owner->window()->windowTitle(),
                QString::fromStdString(e.what()));
    }
}

} // namespace

// The session's tree with the names editable in place (the default template's excepted),
// bold nodes for templates in use and the standard template image.
class TTemplateTreeView::TEditableModel : public QIdentityProxyModel {
public:
    TEditableModel(TEventCommands& commands, QObject* parent)
        : QIdentityProxyModel(parent), commands_(commands) {
        setSourceModel(&commands_.Session().TemplateModel());
    }

    TTemplateNode* NodeOf(const QModelIndex& index) const {
        if (!index.isValid())
            return nullptr;
        return commands_.Session().TemplateModel().NodeOf(mapToSource(index));
    }
    QModelIndex IndexOf(const TTemplateNode* node) const {
        return mapFromSource(commands_.Session().TemplateModel().IndexOf(node));
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QIdentityProxyModel::flags(index);
        const TTemplateNode* node = NodeOf(index);
        if (node != nullptr && node != commands_.Templates().DefaultTemplateNode())
            flags |= Qt::ItemIsEditable;
        return flags;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::EditRole)
            role = Qt::DisplayRole;
        if (role == Qt::FontRole) {
            const TTemplateNode* node = NodeOf(index);
            TProgramSession& session = commands_.Session();
            if (node == nullptr || !node->Template() ||
                !session.Settings().Options().BehaviourBoldFullTemplates.Value() ||
                !session.Notebook().TemplateInUse(node->Text()))
                return {};
            QFont font;
            font.setBold(true);
            return font;
        }
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
        return QIdentityProxyModel::data(index, role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        TTemplateNode* node = NodeOf(index);
        if (role != Qt::EditRole || node == nullptr)
            return false;
        try {
            commands_.RenameTemplate(*node, value.toString().toStdString());
        } catch (const EpaError& e) {
            // Not waited for: the editor is closing now.
            QWidget* owner = qobject_cast<QWidget*>(QObject::parent());
            ShowBox(owner, QMessageBox::Warning, owner ? owner->window()->windowTitle() : QString(),
                    QString::fromStdString(e.what()));
            return false;
        }
        return true;
    }

private:
    TEventCommands& commands_;
};

TTemplateTreeView::TTemplateTreeView(TEventCommands& commands, QWidget* parent)
    : QTreeView(parent), commands_(commands), model_(new TEditableModel(commands, this)) {
    setObjectName(QStringLiteral("TemplatesView"));
    setAccessibleName(tr("Templates"));
    setHeaderHidden(true);
    setIndentation(19);
    setSelectionMode(SingleSelection);
    setEditTriggers(EditKeyPressed);
    setExpandsOnDoubleClick(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(DragDrop);
    setModel(model_);

    connect(this, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { expanded_.insert(model_->NodeOf(index)); });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { expanded_.erase(model_->NodeOf(index)); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (restoring_)
                    return;
                current_ = model_->NodeOf(current);
                emit selectedNodeChanged(const_cast<TTemplateNode*>(current_));
            });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { restoring_ = true; });
    // The window may drop its commands before its child widgets: an editor still open then
    // must not commit into them.
    connect(&commands_, &QObject::destroyed, this, [this] {
        if (QWidget* editor = indexWidget(currentIndex()))
            editor->hide();
        setModel(nullptr);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { Restore(); });
}

TTemplateTreeView::~TTemplateTreeView() = default;

void TTemplateTreeView::Restore() {
    // The tree's nodes now; anything else remembered is gone.
    std::unordered_set<const TTemplateNode*> live;
    commands_.Templates().ForEach([&](TTemplateNode& node) { live.insert(&node); });
    std::erase_if(expanded_, [&](const TTemplateNode* node) { return !live.contains(node); });
    for (const TTemplateNode* node : std::unordered_set<const TTemplateNode*>(expanded_))
        expand(model_->IndexOf(node));
    const bool kept = current_ != nullptr && live.contains(current_);
    if (kept)
        setCurrentIndex(model_->IndexOf(current_));
    restoring_ = false;
    if (!kept && current_ != nullptr) {
        current_ = nullptr;
        emit selectedNodeChanged(nullptr);
    }
}

TTemplateNode* TTemplateTreeView::SelectedNode() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? model_->NodeOf(index) : nullptr;
}

TEventTemplate* TTemplateTreeView::SelectedTemplate() const {
    TTemplateNode* node = SelectedNode();
    return node ? node->Template() : nullptr;
}

void TTemplateTreeView::SelectNode(TTemplateNode* node) {
    const QModelIndex index = model_->IndexOf(node);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    setCurrentIndex(index);
    if (index.isValid())
        scrollTo(index);
}

TTemplateNode* TTemplateTreeView::NodeAt(const QPoint& position) const {
    return model_->NodeOf(indexAt(position));
}

// ---------------------------------------------------------------------------------------------
// Commands

void TTemplateTreeView::NewTemplate() {
    TTemplateNode& node = commands_.NewTemplate(SelectedNode());
    SelectNode(&node);
    setFocus();
    edit(currentIndex());
}

bool TTemplateTreeView::CanRename() const {
    const TTemplateNode* node = SelectedNode();
    return node != nullptr && node != commands_.Templates().DefaultTemplateNode();
}

void TTemplateTreeView::Rename() {
    if (CanRename())
        edit(currentIndex());
}

void TTemplateTreeView::Delete() {
    if (TEventTemplate* t = SelectedTemplate())
        commands_.DeleteTemplate(*t);
}

void TTemplateTreeView::Properties() {
    if (TEventTemplate* t = SelectedTemplate())
        commands_.TemplateProperties(*t);
}

bool TTemplateTreeView::CanMoveUp() const {
    const TTemplateNode* node = SelectedNode();
    return CanRename() && node->IndexInParent() > 0;
}

bool TTemplateTreeView::CanMoveDown() const {
    const TTemplateNode* node = SelectedNode();
    if (!CanRename())
        return false;
    const int next = node->IndexInParent() + 1;
    return next < node->Parent()->ChildCount() &&
           &node->Parent()->Child(next) != commands_.Templates().DefaultTemplateNode();
}

bool TTemplateTreeView::CanMoveLeft() const {
    const TTemplateNode* node = SelectedNode();
    return node != nullptr && node->Parent() != nullptr && node->Parent()->Parent() != nullptr;
}

bool TTemplateTreeView::CanMoveRight() const {
    return CanMoveUp();
}

void TTemplateTreeView::MoveUp() {
    if (!CanMoveUp())
        return;
    TTemplateNode& node = *SelectedNode();
    commands_.MoveTemplate(node, node.Parent(), node.IndexInParent() - 1);
    SelectNode(&node);
}

void TTemplateTreeView::MoveDown() {
    if (!CanMoveDown())
        return;
    TTemplateNode& node = *SelectedNode();
    const int at = node.IndexInParent();
    commands_.MoveTemplate(node.Parent()->Child(at + 1), node.Parent(), at);
    SelectNode(&node);
}

void TTemplateTreeView::MoveLeft() {
    if (!CanMoveLeft())
        return;
    TTemplateNode& node = *SelectedNode();
    TTemplateNode* parent = node.Parent();
    commands_.MoveTemplate(node, parent->Parent(), parent->IndexInParent() + 1);
    SelectNode(&node);
}

void TTemplateTreeView::MoveRight() {
    if (!CanMoveRight())
        return;
    TTemplateNode& node = *SelectedNode();
    TTemplateNode& previous = node.Parent()->Child(node.IndexInParent() - 1);
    commands_.MoveTemplate(node, &previous, -1);
    SelectNode(&node);
}

// ---------------------------------------------------------------------------------------------
// Drag and drop

QMimeData* TTemplateTreeView::DragData() const {
    const TTemplateNode* node = SelectedNode();
    if (node == nullptr)
        return nullptr;
    auto* data = new QMimeData;
    SetDragPosition(*data, TemplateDragMimeType, commands_.Templates().AbsoluteIndex(*node));
    data->setText(QString::fromStdString(DisplayText(node->Text())));
    return data;
}

bool TTemplateTreeView::CanDrop(const QMimeData* data, const TTemplateNode* target) const {
    TTemplateTree& tree = commands_.Templates();
    const TTemplateNode& over = target ? *target : tree.Root();
    if (const auto event = DragPosition(data, EventDragMimeType))
        return *event < commands_.Session().Notebook().EventCount() && over.Template() != nullptr;
    const auto position = DragPosition(data, TemplateDragMimeType);
    if (!position)
        return false;
    const TTemplateNode* dragged = tree.NodeAt(*position);
    const TTemplateNode* home = tree.DefaultTemplateNode();
    return dragged != nullptr && dragged->Template() != nullptr && dragged != home &&
           &over != home && !TTemplateTree::IsInSubtree(over, *dragged) &&
           &over != dragged->Parent();
}

bool TTemplateTreeView::Drop(const QMimeData* data, TTemplateNode* target, bool copy) {
    if (!CanDrop(data, target))
        return false;
    TTemplateTree& tree = commands_.Templates();
    if (const auto position = DragPosition(data, EventDragMimeType)) {
        TEvent& event = commands_.Session().Notebook().Event(*position);
        commands_.FileEventUnder(event, TTemplateTree::TemplateOf(target), copy);
        return true;
    }
    TTemplateNode* dragged = tree.NodeAt(*DragPosition(data, TemplateDragMimeType));
    commands_.MoveTemplate(*dragged, target, -1);
    SelectNode(dragged);
    return true;
}

void TTemplateTreeView::startDrag(Qt::DropActions) {
    QMimeData* data = DragData();
    if (data == nullptr)
        return;
    // What the drop did is the drop's business: nothing is removed here afterwards.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void TTemplateTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (DragPosition(event->mimeData(), EventDragMimeType) ||
        DragPosition(event->mimeData(), TemplateDragMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TTemplateTreeView::dragMoveEvent(QDragMoveEvent* event) {
    QTreeView::dragMoveEvent(event); // auto-scroll and the drop indicator
    if (!CanDrop(event->mimeData(), NodeAt(event->position().toPoint()))) {
        event->ignore();
        return;
    }
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction
                                                                    : Qt::MoveAction);
    event->accept();
}

void TTemplateTreeView::dropEvent(QDropEvent* event) {
    const bool copy = (event->modifiers() & Qt::ControlModifier) != 0;
    TTemplateNode* target = NodeAt(event->position().toPoint());
    bool dropped = false;
    RunCommand(this, [&] { dropped = Drop(event->mimeData(), target, copy); });
    if (dropped) {
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
    setState(NoState);
    viewport()->update();
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

void TTemplateTreeView::keyPressEvent(QKeyEvent* event) {
    if (IsEditing()) {
        QTreeView::keyPressEvent(event);
        return;
    }
    std::function<void()> command;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier) {
        switch (event->key()) {
        case Qt::Key_Up:
            command = [this] { MoveUp(); };
            break;
        case Qt::Key_Down:
            command = [this] { MoveDown(); };
            break;
        case Qt::Key_Left:
            command = [this] { MoveLeft(); };
            break;
        case Qt::Key_Right:
            command = [this] { MoveRight(); };
            break;
        default:
            break;
        }
    } else if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Insert:
            command = [this] { NewTemplate(); };
            break;
        case Qt::Key_Delete:
            command = [this] { Delete(); };
            break;
        case Qt::Key_F2:
            command = [this] { Rename(); };
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            command = [this] { Properties(); };
            break;
        default:
            break;
        }
    }
    if (!command) {
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
    RunCommand(this, command);
}

void TTemplateTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    TTemplateNode* node = NodeAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || node == nullptr || node->Template() == nullptr) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    TEventTemplate& t = *node->Template();
    RunCommand(this, [&] { commands_.NewEventByTemplate(t); });
}

void TTemplateTreeView::contextMenuEvent(QContextMenuEvent* event) {
    if (!menu_)
        return;
    QPoint at = event->globalPos();
    if (event->reason() != QContextMenuEvent::Mouse) {
        const QRect rect = visualRect(currentIndex());
        at = viewport()->mapToGlobal(rect.isValid() ? rect.topLeft() + QPoint(10, 10)
                                                    : QPoint(0, 0));
    }
    menu_->popup(at);
}

} // namespace kelvo
