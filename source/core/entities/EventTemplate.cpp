#include "core/entities/EventTemplate.h"

#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>

namespace kelvo {

namespace {

constexpr std::string_view NewTemplateName = "New template";

[[noreturn]] void RaiseExists(const std::string& name) {
    throw ETemplateError(Format(KELVO_TR("EventTemplate", "Template \"%s\" always exist"), {name}));
}

} // namespace

const TClassInfo& TEventTemplate::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TEventTemplate, TEvent>("TEventTemplate")
            .Boolean("Quickly", &TEventTemplate::Quickly, &TEventTemplate::SetQuickly)
            .Default(false)
            .Build();
    return info;
}

TEventTemplate::TEventTemplate(const TEvent* source) {
    SetTemplate(std::string(DefaultTemplateName));
    SetWindowMessage(std::string(DefaultWindowMessage));
    if (source != nullptr)
        Assign(*source);
    else
        SetTemplate(std::string(NewTemplateName));
}

std::unique_ptr<TEventTemplate> TEventTemplate::CreateDefault() {
    auto t = std::make_unique<TEventTemplate>();
    t->SetTemplate(std::string(DefaultTemplateName));
    t->SetWindowMessage(std::string(DefaultWindowMessage));
    return t;
}

// ---- nodes ------------------------------------------------------------------------------

int TTemplateNode::IndexInParent() const {
    if (parent_ == nullptr)
        return -1;
    const auto& siblings = parent_->children_;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

std::string TTemplateNode::Text() const {
    return template_ ? template_->Template() : std::string();
}

// ---- the tree ---------------------------------------------------------------------------

TTemplateTree::TTemplateTree() = default;

TTemplateTree::~TTemplateTree() {
    Clear();
}

void TTemplateTree::Clear() {
    // Node by node: a deep tree read from a file must not recurse in its destructors.
    std::vector<std::unique_ptr<TTemplateNode>> pending = std::move(root_.children_);
    root_.children_.clear();
    while (!pending.empty()) {
        std::unique_ptr<TTemplateNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_)
            pending.push_back(std::move(child));
    }
}

TEventTemplate& TTemplateTree::TemplateOf(const TTemplateNode* node) {
    if (node == nullptr)
        throw ETemplateError("Node parameter is empty");
    if (node->template_ == nullptr)
        throw ETemplateError(Format("Node \"%s\" is not template", {node->Text()}));
    return *node->template_;
}

void TTemplateTree::ForEach(const std::function<void(TTemplateNode&)>& visit) {
    // Iterative, so that a deep tree read from a file cannot exhaust the stack.
    std::vector<TTemplateNode*> pending;
    for (auto it = root_.children_.rbegin(); it != root_.children_.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        TTemplateNode* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it)
            pending.push_back(it->get());
    }
}

TTemplateNode* TTemplateTree::FindTemplate(const std::string& name, const TTemplateNode* except) {
    TTemplateNode* found = nullptr;
    ForEach([&](TTemplateNode& node) {
        if (found == nullptr && &node != except && node.template_ &&
            node.template_->Template() == name)
            found = &node;
    });
    return found;
}

TTemplateNode* TTemplateTree::DefaultTemplateNode() {
    for (auto& child : root_.children_)
        if (child->template_ && child->template_->Template() == DefaultTemplateName)
            return child.get();
    return nullptr;
}

TEventTemplate* TTemplateTree::DefaultTemplate() {
    TTemplateNode* node = DefaultTemplateNode();
    return node ? node->template_.get() : nullptr;
}

std::unique_ptr<TTemplateNode> TTemplateTree::TakeOut(TTemplateNode& node) {
    auto& siblings = node.parent_->children_;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& child) { return child.get() == &node; });
    std::unique_ptr<TTemplateNode> taken = std::move(*it);
    siblings.erase(it);
    taken->parent_ = nullptr;
    return taken;
}

TTemplateNode& TTemplateTree::Insert(TTemplateNode& parent, std::size_t position,
                                     std::unique_ptr<TEventTemplate> t) {
    auto node = std::make_unique<TTemplateNode>();
    node->template_ = std::move(t);
    node->parent_ = &parent;
    auto& children = parent.children_;
    position = std::min(position, children.size());
    // Appending, or placing just before the default template, must not move the others.
    if (position + 1 >= children.size()) {
        children.push_back(std::move(node));
        if (position + 1 == children.size() - 1)
            std::swap(children[children.size() - 1], children[children.size() - 2]);
        return *children[position];
    }
    return **children.insert(children.begin() + static_cast<std::ptrdiff_t>(position),
                             std::move(node));
}

void TTemplateTree::EnsureDefaultTemplate() {
    if (DefaultTemplateNode() != nullptr)
        return;
    std::unique_ptr<TEventTemplate> t;
    std::vector<std::unique_ptr<TTemplateNode>> orphans;
    if (TTemplateNode* misplaced = FindTemplate(std::string(DefaultTemplateName))) {
        std::unique_ptr<TTemplateNode> node = TakeOut(*misplaced);
        t = std::move(node->template_);
        // Its child templates move along rather than being lost.
        orphans = std::move(node->children_);
    } else {
        t = TEventTemplate::CreateDefault();
    }
    TTemplateNode& home = SetDefaultTemplate(std::move(t));
    for (auto& child : orphans) {
        child->parent_ = &home;
        home.children_.push_back(std::move(child));
    }
}

TTemplateNode& TTemplateTree::SetDefaultTemplate(std::unique_ptr<TEventTemplate> t) {
    if (TTemplateNode* node = DefaultTemplateNode()) {
        node->template_ = std::move(t);
        return *node;
    }
    return Insert(root_, root_.children_.size(), std::move(t));
}

TTemplateNode& TTemplateTree::AddTemplate(TTemplateNode* parent, int index,
                                          std::unique_ptr<TEventTemplate> t) {
    if (t == nullptr)
        throw ETemplateError("Node parameter is empty");
    if (parent == nullptr)
        parent = &root_;
    if (FindTemplate(t->Template()) != nullptr)
        RaiseExists(t->Template());
    return InsertTemplate(parent, index, std::move(t));
}

TTemplateNode& TTemplateTree::InsertTemplate(TTemplateNode* parent, int index,
                                             std::unique_ptr<TEventTemplate> t) {
    if (parent == nullptr)
        parent = &root_;
    const bool isDefault = t->Template() == DefaultTemplateName;
    if (isDefault)
        parent = &root_;
    const std::size_t count = parent->children_.size();
    const bool atEnd = index < 0 || static_cast<std::size_t>(index) >= count;
    std::size_t position = atEnd ? count : static_cast<std::size_t>(index);
    if (atEnd && parent == &root_ && !isDefault && count > 0)
        position = count - 1;
    return Insert(*parent, position, std::move(t));
}

std::string TTemplateTree::FreeName(const std::string& name) {
    if (FindTemplate(name) == nullptr)
        return name;
    for (std::uint64_t n = 1;; ++n) {
        std::string candidate = name + std::to_string(n);
        if (FindTemplate(candidate) == nullptr)
            return candidate;
    }
}

TTemplateNode& TTemplateTree::NewTemplate(TTemplateNode* selected) {
    const TEventTemplate* source = selected ? selected->template_.get() : nullptr;
    TTemplateNode* parent = selected;
    if (parent == nullptr || parent == DefaultTemplateNode())
        parent = &root_;
    auto t = std::make_unique<TEventTemplate>(source);
    t->SetTemplate(FreeName(t->Template()));
    return AddTemplate(parent, -1, std::move(t));
}

bool TTemplateTree::IsInSubtree(const TTemplateNode& node, const TTemplateNode& ancestor) {
    for (const TTemplateNode* n = &node; n != nullptr; n = n->parent_)
        if (n == &ancestor)
            return true;
    return false;
}

void TTemplateTree::MoveNode(TTemplateNode& node, TTemplateNode* parent, int index) {
    if (parent == nullptr)
        parent = &root_;
    if (node.parent_ == nullptr || &node == DefaultTemplateNode())
        throw ETemplateError(Format("Node \"%s\" cannot be moved", {node.Text()}));
    if (IsInSubtree(*parent, node))
        throw ETemplateError(Format("Node \"%s\" cannot be moved into itself", {node.Text()}));
    std::unique_ptr<TTemplateNode> taken = TakeOut(node);
    auto& children = parent->children_;
    std::size_t position =
        index < 0 ? children.size() : std::min(static_cast<std::size_t>(index), children.size());
    // The default template stays the root's last child.
    if (parent == &root_ && !children.empty() && position == children.size() &&
        children.back().get() == DefaultTemplateNode())
        --position;
    taken->parent_ = parent;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(position), std::move(taken));
}

void TTemplateTree::RenameTemplateNode(TTemplateNode* node, const std::string& name,
                                       ITemplateNotebook& notebook) {
    TEventTemplate& t = TemplateOf(node);
    if (name.empty())
        throw ETemplateError("Template must have name");
    if (FindTemplate(name, node) != nullptr)
        RaiseExists(name);
    const std::string old = t.Template();
    if (old == name)
        return;
    notebook.RenameTemplate(old, name);
    t.SetTemplate(name);
    notebook.Save();
}

void TTemplateTree::DeleteTemplate(TEventTemplate* t, bool deleteEvents,
                                   ITemplateNotebook& notebook) {
    TTemplateNode* node = NodeOf(t);
    if (node == nullptr)
        throw ETemplateError("Node parameter is empty");
    // Children first; each removes its own node, so take the first until none is left.
    while (!node->children_.empty())
        DeleteTemplate(node->children_.front()->template_.get(), deleteEvents, notebook);
    std::vector<TEvent*> events = notebook.EventsOfTemplate(t->Template());
    if (deleteEvents) {
        if (!events.empty())
            notebook.DeleteEvents(events);
    } else {
        for (TEvent* e : events)
            e->SetTemplate(std::string(DefaultTemplateName));
    }
    std::unique_ptr<TTemplateNode> taken = TakeOut(*node);
    EnsureDefaultTemplate();
    notebook.Save();
}

std::unique_ptr<TEvent> TTemplateTree::NewEventFromTemplate(const TEventTemplate& t) const {
    auto e = std::make_unique<TEvent>();
    e->Assign(t);
    e->InitializeCondition().ResetToDefault(Now());
    return e;
}

std::unique_ptr<TEvent> TTemplateTree::NewQuickEvent(const TEventTemplate& t,
                                                     const std::string& text, TDateTime dt) const {
    auto e = NewEventFromTemplate(t);
    e->SetWindowMessage(text);
    auto& conditions = e->InitializeCondition().Conditions();
    conditions.Clear();
    conditions.Add(std::make_unique<TSimpleInitializeCondition>(dt));
    return e;
}

void TTemplateTree::CopyEventToTemplate(const TEvent& e, const TEventTemplate* t,
                                        ITemplateNotebook& notebook) {
    std::unique_ptr<TPersistent> fresh = e.ClassType().Create();
    std::unique_ptr<TEvent> copy(dynamic_cast<TEvent*>(fresh.get()));
    if (copy == nullptr)
        return;
    fresh.release();
    copy->Assign(e);
    copy->SetTemplate(t ? t->Template() : std::string(DefaultTemplateName));
    notebook.AddEvent(std::move(copy));
}

TTemplateList TTemplateTree::Children(const TTemplateNode* node) {
    const TTemplateNode& parent = node ? *node : root_;
    TTemplateList list;
    for (const auto& child : parent.children_)
        if (child->template_)
            list.push_back(child->template_.get());
    return list;
}

TTemplateList TTemplateTree::AllTemplates() {
    TTemplateList list;
    ForEach([&](TTemplateNode& node) {
        if (node.template_)
            list.push_back(node.template_.get());
    });
    return list;
}

int TTemplateTree::AbsoluteIndex(const TTemplateNode& node) const {
    if (&node == &root_)
        return 0;
    int index = 0, found = -1;
    const_cast<TTemplateTree*>(this)->ForEach([&](TTemplateNode& n) {
        ++index;
        if (&n == &node && found < 0)
            found = index;
    });
    return found;
}

TTemplateNode* TTemplateTree::NodeAt(int index) {
    if (index == 0)
        return &root_;
    int at = 0;
    TTemplateNode* found = nullptr;
    ForEach([&](TTemplateNode& n) {
        if (++at == index)
            found = &n;
    });
    return found;
}

TTemplateNode* TTemplateTree::NodeOf(const TEventTemplate* t) {
    if (t == nullptr)
        return nullptr;
    TTemplateNode* found = nullptr;
    ForEach([&](TTemplateNode& n) {
        if (found == nullptr && n.template_.get() == t)
            found = &n;
    });
    return found;
}

} // namespace kelvo
