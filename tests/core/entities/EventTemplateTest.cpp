#include "core/entities/EventTemplate.h"

#include "EntityTestSupport.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

using namespace kelvo;
using kelvo::test::RecordingNotebook;

namespace {

std::unique_ptr<TEventTemplate> Named(const std::string& name) {
    auto t = std::make_unique<TEventTemplate>();
    t->SetTemplate(name);
    return t;
}

std::vector<std::string> Names(const TTemplateList& list) {
    std::vector<std::string> names;
    for (auto* t : list)
        names.push_back(t->Template());
    return names;
}

// "name(child,child)" for every node under the root, in order.
std::string Shape(const TTemplateNode& node) {
    std::string s;
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (i)
            s += ",";
        const TTemplateNode& c = node.Child(i);
        s += c.Text();
        if (c.ChildCount())
            s += "(" + Shape(c) + ")";
    }
    return s;
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ETemplateError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(EventTemplate, ConstructorsAndQuicklyNeverCopied) {
    TEventTemplate plain;
    EXPECT_FALSE(plain.Quickly());
    EXPECT_EQ(plain.Template(), "Miscellaneous");
    auto def = TEventTemplate::CreateDefault();
    EXPECT_EQ(def->Template(), "Miscellaneous");
    EXPECT_EQ(def->WindowMessage(), "Don't forget about");
    TEventTemplate fresh(nullptr);
    EXPECT_EQ(fresh.Template(), "New template");

    TEventTemplate birthday;
    birthday.SetTemplate("Birthday");
    birthday.SetWindowMessage("Congratulate");
    birthday.SetQuickly(true);
    TEventTemplate copy(&birthday);
    EXPECT_EQ(copy.Template(), "Birthday");
    EXPECT_EQ(copy.WindowMessage(), "Congratulate");
    EXPECT_FALSE(copy.Quickly());
    TEventTemplate other;
    other.Assign(birthday);
    EXPECT_FALSE(other.Quickly());
}

TEST(TemplateTree, DefaultTemplateIsEnsuredLastUnderTheRoot) {
    TTemplateTree tree;
    EXPECT_EQ(tree.DefaultTemplate(), nullptr);
    tree.EnsureDefaultTemplate();
    ASSERT_NE(tree.DefaultTemplate(), nullptr);
    EXPECT_EQ(tree.DefaultTemplate()->WindowMessage(), "Don't forget about");
    tree.AddTemplate(nullptr, -1, Named("A"));
    tree.AddTemplate(nullptr, 99, Named("B"));
    tree.AddTemplate(nullptr, 0, Named("First"));
    EXPECT_EQ(Shape(tree.Root()), "First,A,B,Miscellaneous");
    tree.AddTemplate(tree.FindTemplate("A"), -1, Named("A2"));
    tree.AddTemplate(tree.FindTemplate("A"), 0, Named("A1"));
    tree.AddTemplate(tree.FindTemplate("A"), 7, Named("A3"));
    EXPECT_EQ(Shape(tree.Root()), "First,A(A1,A2,A3),B,Miscellaneous");
    EXPECT_EQ(tree.AbsoluteIndex(*tree.FindTemplate("A3")), 5);
    EXPECT_EQ(tree.NodeAt(5), tree.FindTemplate("A3"));
    EXPECT_EQ(tree.NodeAt(0), &tree.Root());
    EXPECT_EQ(Names(tree.Children(tree.FindTemplate("A"))),
              (std::vector<std::string>{"A1", "A2", "A3"}));
    EXPECT_EQ(Names(tree.AllTemplates()),
              (std::vector<std::string>{"First", "A", "A1", "A2", "A3", "B", "Miscellaneous"}));
}

TEST(TemplateTree, NamesAreUniqueAndTheDefaultGoesUnderTheRoot) {
    TTemplateTree tree;
    tree.EnsureDefaultTemplate();
    tree.AddTemplate(nullptr, -1, Named("Work"));
    EXPECT_EQ(ErrorOf([&] { tree.AddTemplate(nullptr, -1, Named("Work")); }),
              "Template \"Work\" always exist");
    EXPECT_EQ(ErrorOf([&] { tree.AddTemplate(nullptr, -1, Named("Miscellaneous")); }),
              "Template \"Miscellaneous\" always exist");
    EXPECT_NE(tree.FindTemplate("work"), tree.FindTemplate("Work")); // case counts
    EXPECT_EQ(Shape(tree.Root()), "Work,Miscellaneous");

    TTemplateTree other;
    other.AddTemplate(nullptr, -1, Named("X"));
    other.AddTemplate(other.FindTemplate("X"), -1, Named("Miscellaneous"));
    EXPECT_EQ(Shape(other.Root()), "X,Miscellaneous");
    other.EnsureDefaultTemplate();
    EXPECT_EQ(Shape(other.Root()), "X,Miscellaneous");
}

TEST(TemplateTree, NodeErrors) {
    TTemplateTree tree;
    EXPECT_EQ(ErrorOf([] { TTemplateTree::TemplateOf(nullptr); }), "Node parameter is empty");
    EXPECT_EQ(ErrorOf([&] { TTemplateTree::TemplateOf(&tree.Root()); }),
              "Node \"\" is not template");
    RecordingNotebook nb;
    tree.EnsureDefaultTemplate();
    EXPECT_EQ(ErrorOf([&] { tree.RenameTemplateNode(tree.DefaultTemplateNode(), "", nb); }),
              "Template must have name");
}

TEST(TemplateTree, NewTemplatesGetFreeNames) {
    TTemplateTree tree;
    tree.EnsureDefaultTemplate();
    auto b = Named("Birthday");
    b->SetWindowMessage("Cake");
    tree.AddTemplate(nullptr, -1, std::move(b));
    TTemplateNode* birthday = tree.FindTemplate("Birthday");
    EXPECT_EQ(tree.NewTemplate(birthday).Text(), "Birthday1");
    TTemplateNode& second = tree.NewTemplate(birthday);
    EXPECT_EQ(second.Text(), "Birthday2");
    EXPECT_EQ(second.Template()->WindowMessage(), "Cake");
    EXPECT_EQ(second.Parent(), birthday);
    TTemplateNode& fromDefault = tree.NewTemplate(tree.DefaultTemplateNode());
    EXPECT_EQ(fromDefault.Text(), "Miscellaneous1");
    EXPECT_EQ(fromDefault.Parent(), &tree.Root());
    EXPECT_EQ(tree.NewTemplate(nullptr).Text(), "New template");
    EXPECT_EQ(tree.NewTemplate(&tree.Root()).Text(), "New template1");
    EXPECT_EQ(Shape(tree.Root()),
              "Birthday(Birthday1,Birthday2),Miscellaneous1,New template,New template1,"
              "Miscellaneous");
}

TEST(TemplateTree, RenamingRefilesTheEventsUnlessTheNameIsTaken) {
    TTemplateTree tree;
    tree.EnsureDefaultTemplate();
    tree.AddTemplate(nullptr, -1, Named("Work"));
    tree.AddTemplate(nullptr, -1, Named("Home"));
    RecordingNotebook nb;
    nb.Add("Work");
    nb.Add("Work");
    EXPECT_EQ(ErrorOf([&] { tree.RenameTemplateNode(tree.FindTemplate("Work"), "Home", nb); }),
              "Template \"Home\" always exist");
    EXPECT_EQ(nb.CountOf("Work"), 2);
    EXPECT_EQ(nb.saves, 0);
    tree.RenameTemplateNode(tree.FindTemplate("Work"), "Office", nb);
    EXPECT_EQ(nb.CountOf("Office"), 2);
    EXPECT_NE(tree.FindTemplate("Office"), nullptr);
    EXPECT_EQ(tree.FindTemplate("Work"), nullptr);
    EXPECT_EQ(nb.saves, 1);
}

TEST(TemplateTree, DeletingASubtreeRefilesOrDeletesAllItsEvents) {
    for (bool deleteEvents : {false, true}) {
        TTemplateTree tree;
        tree.EnsureDefaultTemplate();
        tree.AddTemplate(nullptr, -1, Named("Hobby"));
        tree.AddTemplate(tree.FindTemplate("Hobby"), -1, Named("Music"));
        tree.AddTemplate(tree.FindTemplate("Music"), -1, Named("Piano"));
        tree.AddTemplate(nullptr, -1, Named("Work"));
        RecordingNotebook nb;
        nb.Add("Hobby");
        nb.Add("Piano");
        nb.Add("Music");
        nb.Add("Work");
        tree.DeleteTemplate(tree.FindTemplate("Hobby")->Template(), deleteEvents, nb);
        EXPECT_EQ(Shape(tree.Root()), "Work,Miscellaneous");
        EXPECT_EQ(nb.CountOf("Work"), 1);
        if (deleteEvents) {
            EXPECT_EQ(nb.events.size(), 1u);
            EXPECT_EQ(nb.batches, 3);
        } else {
            EXPECT_EQ(nb.CountOf("Miscellaneous"), 3);
            EXPECT_EQ(nb.batches, 0);
        }
        EXPECT_GE(nb.saves, 1);
    }
}

TEST(TemplateTree, EventsMadeFromTemplates) {
    test::TestClock clock(EncodeDateTime(2024, 5, 1, 8, 30));
    TTemplateTree tree;
    tree.EnsureDefaultTemplate();
    auto t = Named("Sport");
    t->SetQuickly(true);
    t->SetWindowMessage("Run");
    t->InitializeCondition().Conditions().Add(
        std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2020, 1, 1, 7, 0)));
    t->InitializeCondition().SetLastAppear(EncodeDateTime(2021, 1, 1, 7, 0));
    TEventTemplate& sport = *tree.AddTemplate(nullptr, -1, std::move(t)).Template();

    auto e = tree.NewEventFromTemplate(sport);
    EXPECT_EQ(e->ClassName(), "TEvent");
    EXPECT_EQ(e->Template(), "Sport");
    EXPECT_EQ(e->WindowMessage(), "Run");
    EXPECT_EQ(e->LastAppear(), NullDate);
    EXPECT_EQ(e->InitializeCondition().Conditions().Count(), 1);

    const TDateTime when = EncodeDateTime(2024, 5, 2, 18, 0);
    auto quick = tree.NewQuickEvent(sport, "Swim", when);
    EXPECT_EQ(quick->WindowMessage(), "Swim");
    ASSERT_EQ(quick->InitializeCondition().Conditions().Count(), 1);
    EXPECT_EQ(quick->InitializeCondition().NextArise(when - 1), when);

    RecordingNotebook nb;
    TEventTemplate other;
    other.SetTemplate("Other");
    tree.CopyEventToTemplate(*quick, &sport, nb);
    tree.CopyEventToTemplate(other, nullptr, nb);
    ASSERT_EQ(nb.events.size(), 2u);
    EXPECT_EQ(nb.events[0]->Template(), "Sport");
    EXPECT_EQ(nb.events[0]->WindowMessage(), "Swim");
    EXPECT_EQ(nb.events[1]->ClassName(), "TEventTemplate"); // the same class as the source
    EXPECT_EQ(nb.events[1]->Template(), "Miscellaneous");
}
