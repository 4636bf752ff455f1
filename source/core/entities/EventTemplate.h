#pragma once

// Templates: the categories events are filed under, and the patterns new events copy. A
// template is an event that never arises. TTemplateTree keeps them in a tree whose root holds
// none and where "Miscellaneous", the default template, always sits last under the root.

#include "core/entities/Event.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

class ETemplateError : public EpaError {
public:
    using EpaError::EpaError;
};

class TEventTemplate : public TEvent {
    KELVO_PERSISTENT(TEventTemplate)
    // The event defaults, not a favourite.
    TEventTemplate() = default;
    // A copy of source (copying never carries Quickly); without source, "New template".
    explicit TEventTemplate(const TEvent* source);

    // The default template.
    static std::unique_ptr<TEventTemplate> CreateDefault();

    // Persisted: the favourite-templates bar has a button for it.
    bool Quickly() const { return quickly_; }
    void SetQuickly(bool flag) { quickly_ = flag; }

private:
    bool quickly_ = false;
};

using TTemplateList = std::vector<TEventTemplate*>;

class TTemplateNode {
public:
    // None for the root.
    TEventTemplate* Template() const { return template_.get(); }
    TTemplateNode* Parent() const { return parent_; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    TTemplateNode& Child(int i) const { return *children_.at(static_cast<std::size_t>(i)); }
    int IndexInParent() const;
    // The template's name; empty for the root.
    std::string Text() const;

private:
    friend class TTemplateTree;
    std::unique_ptr<TEventTemplate> template_;
    TTemplateNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TTemplateNode>> children_;
};

// What the tree needs of the notebook that holds the events filed under its templates.
class ITemplateNotebook {
public:
    virtual ~ITemplateNotebook() = default;
    // Every event filed under oldName gets newName.
    virtual void RenameTemplate(const std::string& oldName, const std::string& newName) = 0;
    virtual std::vector<TEvent*> EventsOfTemplate(const std::string& name) = 0;
    // Removes and destroys the events as one batch (their alarm windows closed).
    virtual void DeleteEvents(const std::vector<TEvent*>& events) = 0;
    virtual void AddEvent(std::unique_ptr<TEvent> event) = 0;
    // Refreshes the views and saves the data.
    virtual void Save() = 0;
};

class TTemplateTree {
public:
    // The root alone; EnsureDefaultTemplate adds the default template.
    TTemplateTree();
    ~TTemplateTree();
    TTemplateTree(const TTemplateTree&) = delete;
    TTemplateTree& operator=(const TTemplateTree&) = delete;

    TTemplateNode& Root() { return root_; }
    const TTemplateNode& Root() const { return root_; }
    // Destroys every template; only the root remains.
    void Clear();

    // The template of a node: "Node parameter is empty" for none, "Node "%s" is not
    // template" for the root.
    static TEventTemplate& TemplateOf(const TTemplateNode* node);

    // The first node in pre-order whose template has exactly that name, except the one given.
    TTemplateNode* FindTemplate(const std::string& name, const TTemplateNode* except = nullptr);
    // The direct child of the root named "Miscellaneous".
    TTemplateNode* DefaultTemplateNode();
    TEventTemplate* DefaultTemplate();
    void EnsureDefaultTemplate();
    // Replaces the default template's object, or appends t as the root's last child.
    TTemplateNode& SetDefaultTemplate(std::unique_ptr<TEventTemplate> t);
    // Under parent (none: the root) before the child at index; -1 or an index past the end:
    // the end, and under the root just before the default template. A name already in the
    // tree is an error.
    TTemplateNode& AddTemplate(TTemplateNode* parent, int index, std::unique_ptr<TEventTemplate> t);
    // AddTemplate for a caller that has made sure the name is free (a file reader keeping
    // its own index of names).
    TTemplateNode& InsertTemplate(TTemplateNode* parent, int index,
                                  std::unique_ptr<TEventTemplate> t);
    // Moves node with its subtree under parent (none: the root) to index among the children
    // that remain; -1 or past the end: the end, under the root just before the default
    // template. The root, the default template and a move below itself are refused.
    void MoveNode(TTemplateNode& node, TTemplateNode* parent, int index);
    // Whether node lies in the subtree of ancestor (node itself included).
    static bool IsInSubtree(const TTemplateNode& node, const TTemplateNode& ancestor);
    // A copy of the selected node's template with a free name, under it (under the root for
    // the default template or the root itself).
    TTemplateNode& NewTemplate(TTemplateNode* selected);
    // The first free name among name, name1, name2, ...
    std::string FreeName(const std::string& name);
    void RenameTemplateNode(TTemplateNode* node, const std::string& name,
                            ITemplateNotebook& notebook);
    // With its child templates; their events are deleted or re-filed under the default one.
    void DeleteTemplate(TEventTemplate* t, bool deleteEvents, ITemplateNotebook& notebook);

    // A new event filed under t, its condition reset for now.
    std::unique_ptr<TEvent> NewEventFromTemplate(const TEventTemplate& t) const;
    // The same with text as its message, arising once at dt.
    std::unique_ptr<TEvent> NewQuickEvent(const TEventTemplate& t, const std::string& text,
                                          TDateTime dt) const;
    // A copy of e filed under t (the default template for none), added to the notebook.
    void CopyEventToTemplate(const TEvent& e, const TEventTemplate* t, ITemplateNotebook& notebook);

    TTemplateList Children(const TTemplateNode* node);
    TTemplateList AllTemplates();
    // Positions in pre-order, the root being 0.
    int AbsoluteIndex(const TTemplateNode& node) const;
    TTemplateNode* NodeAt(int index);
    TTemplateNode* NodeOf(const TEventTemplate* t);
    // Visits every node but the root in pre-order.
    void ForEach(const std::function<void(TTemplateNode&)>& visit);

private:
    std::unique_ptr<TTemplateNode> TakeOut(TTemplateNode& node);
    TTemplateNode& Insert(TTemplateNode& parent, std::size_t position,
                          std::unique_ptr<TEventTemplate> t);

    TTemplateNode root_;
};

} // namespace kelvo
