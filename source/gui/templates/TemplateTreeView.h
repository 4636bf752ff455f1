#pragma once

// The template tree of the Templates page: in-place rename, the four moves, drag and drop of
// templates within the tree and of events onto a template, and the keys of the tree. It
// shows the session's TTemplateTreeModel and keeps its expanded nodes and its selection
// across every reset of that model.

#include <QMenu>
#include <QPointer>
#include <QTreeView>
#include <unordered_set>
class QMimeData;

namespace kelvo {

class TEventCommands;
class TEventTemplate;
class TTemplateNode;

class TTemplateTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TTemplateTreeView(TEventCommands& commands, QWidget* parent = nullptr);
    ~TTemplateTreeView() override;

    // The selected node (none: nothing selected) and its template (none for the root).
    TTemplateNode* SelectedNode() const;
    TEventTemplate* SelectedTemplate() const;
    void SelectNode(TTemplateNode* node);
    bool IsEditing() const { return state() == EditingState; }

    // "Add Tem&plate": the new node is selected and its name edited at once.
    void NewTemplate();
    bool CanRename() const;
    // Starts the in-place edit of the selected node's name.
    void Rename();
    void Delete();
    void Properties();

    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool CanMoveLeft() const;
    bool CanMoveRight() const;
    void MoveUp();
    void MoveDown();
    void MoveLeft();
    void MoveRight();

    // Whether a drop of data onto target (none: the root) is accepted, and the drop itself;
    // copy: Ctrl was held (an event is then copied under the template).
    bool CanDrop(const QMimeData* data, const TTemplateNode* target) const;
    bool Drop(const QMimeData* data, TTemplateNode* target, bool copy);
    // A drag of the selected template, as the tree starts it.
    QMimeData* DragData() const;

    // The menu of the right button and of Shift+F10; the window's.
    void SetContextMenu(QMenu* menu) { menu_ = menu; }

signals:
    void selectedNodeChanged(kelvo::TTemplateNode* node);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class TEditableModel;

    TTemplateNode* NodeAt(const QPoint& position) const;
    TTemplateNode* Resolve(const TTemplateNode* node) const;
    void Remember();
    void Restore();

    TEventCommands& commands_;
    TEditableModel* model_;
    QPointer<QMenu> menu_;
    // Kept by address: only compared with the nodes of the live tree, never followed.
    std::unordered_set<const TTemplateNode*> expanded_;
    const TTemplateNode* current_ = nullptr;
    bool restoring_ = false;
};

} // namespace kelvo
