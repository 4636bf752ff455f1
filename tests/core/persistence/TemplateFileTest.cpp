#include "core/persistence/TemplateFile.h"

#include "support/EntitySamples.h"
#include "support/RecordingDataFileHost.h"
#include "support/StreamTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kelvo;

namespace {

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

// Builds a templates file record by record.
struct TFileBuilder {
    std::string Data;
    TClassWriter W{Data};

    explicit TFileBuilder(std::int32_t version = 1) {
        W.WriteString(TemplatesFileFormat.Header);
        W.WriteInteger(version);
    }
    TFileBuilder& Add(int index, int parent, const std::string& name, int kind = ntTemplate) {
        W.WriteString(TemplatesFileFormat.Marker);
        W.WriteEnum(kind, EnumNames<TNodeType>());
        W.WriteInteger(index);
        W.WriteInteger(parent);
        W.WriteObject(*samples::SampleTemplate(name, false));
        return *this;
    }
    TFileBuilder& AddObject(int index, int parent, const TPersistent& obj) {
        W.WriteString(TemplatesFileFormat.Marker);
        W.WriteEnum(ntTemplate, EnumNames<TNodeType>());
        W.WriteInteger(index);
        W.WriteInteger(parent);
        W.WriteObject(obj);
        return *this;
    }
};

std::string ReadError(std::string_view bytes, TTemplateTree& tree, IDataFileHost& host) {
    try {
        ReadTemplates(bytes, tree, host);
    } catch (const ETemplateError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(TemplateFile, TreeRoundTrips) {
    TTemplateTree tree;
    samples::FillSampleTree(tree);
    const std::string shape = "Work(Meetings(Weekly),Calls),Home,Miscellaneous(Odd)";
    ASSERT_EQ(Shape(tree.Root()), shape);
    const std::string bytes = WriteTemplates(tree);

    TTemplateTree read;
    test::RecordingDataFileHost host;
    ReadTemplates(bytes, read, host);
    EXPECT_TRUE(host.Errors.empty());
    EXPECT_EQ(Shape(read.Root()), shape);
    EXPECT_TRUE(read.FindTemplate("Work")->Template()->Quickly());
    EXPECT_TRUE(read.FindTemplate("Calls")->Template()->Quickly());
    EXPECT_FALSE(read.FindTemplate("Home")->Template()->Quickly());
    EXPECT_EQ(read.FindTemplate("Weekly")->Template()->WindowMessage(), "Template Weekly");
    EXPECT_EQ(read.DefaultTemplate()->WindowMessage(), "Don't forget about");
    EXPECT_TRUE(WriteTemplates(read) == bytes);
}

TEST(TemplateFile, FileLayoutOfOneTemplate) {
    TTemplateTree tree;
    tree.EnsureDefaultTemplate();
    const std::string bytes = WriteTemplates(tree);
    TFileBuilder expected;
    expected.W.WriteString(TemplatesFileFormat.Marker);
    expected.W.WriteEnum(ntTemplate, EnumNames<TNodeType>());
    expected.W.WriteInteger(1);
    expected.W.WriteInteger(0);
    expected.W.WriteObject(*tree.DefaultTemplate());
    EXPECT_EQ(test::Hex(bytes), test::Hex(expected.Data));
    EXPECT_EQ(bytes.substr(5, 31), "Reminder notebook template file");
}

TEST(TemplateFile, ChildBeforeItsParentGoesUnderTheRoot) {
    // Saved: 1 A, 2 B (child of 3), 3 C.
    TFileBuilder file;
    file.Add(1, 0, "A").Add(2, 3, "B").Add(3, 0, "C").Add(4, 3, "D").Add(5, 1, "A1");
    TTemplateTree tree;
    test::RecordingDataFileHost host;
    ReadTemplates(file.Data, tree, host);
    EXPECT_TRUE(host.Errors.empty());
    EXPECT_EQ(Shape(tree.Root()), "A(A1),B,C(D),Miscellaneous");
}

TEST(TemplateFile, DuplicateNameIsReportedAndSkipped) {
    TFileBuilder file;
    file.Add(1, 0, "Work").Add(2, 0, "Work").Add(3, 0, "Home");
    TTemplateTree tree;
    test::RecordingDataFileHost host;
    ReadTemplates(file.Data, tree, host);
    EXPECT_EQ(Shape(tree.Root()), "Work,Home,Miscellaneous");
    ASSERT_EQ(host.Errors.size(), 1u);
    EXPECT_EQ(host.Errors[0], "Error in template's file:\r\nTemplate \"Work\" always exist");
}

TEST(TemplateFile, DefaultTemplateIsAlwaysUnderTheRoot) {
    // Miscellaneous saved under Work, with a child of its own.
    TFileBuilder file;
    file.Add(1, 0, "Work").Add(2, 1, "Miscellaneous").Add(3, 2, "Odd").Add(4, 0, "Home");
    TTemplateTree tree;
    test::RecordingDataFileHost host;
    ReadTemplates(file.Data, tree, host);
    EXPECT_EQ(Shape(tree.Root()), "Work,Home,Miscellaneous(Odd)");
    EXPECT_EQ(tree.DefaultTemplate()->WindowMessage(), "Template Miscellaneous");

    // A file without it gains a fresh one, last.
    TFileBuilder without;
    without.Add(1, 0, "Work");
    ReadTemplates(without.Data, tree, host);
    EXPECT_EQ(Shape(tree.Root()), "Work,Miscellaneous");
    EXPECT_EQ(tree.DefaultTemplate()->WindowMessage(), "Don't forget about");
}

TEST(TemplateFile, IndexesNameNodesEvenWhenPositionsMove) {
    // Pre-order saved with the default template first: positions shift as later top-level
    // templates are put before it, but children still find their parents.
    TFileBuilder file;
    file.Add(1, 0, "Miscellaneous").Add(2, 1, "Odd").Add(3, 0, "Work").Add(4, 2, "Odder");
    TTemplateTree tree;
    test::RecordingDataFileHost host;
    ReadTemplates(file.Data, tree, host);
    EXPECT_EQ(Shape(tree.Root()), "Work,Miscellaneous(Odd(Odder))");
}

TEST(TemplateFile, DamagedRecords) {
    TEvent notTemplate;
    TFileBuilder file;
    file.Add(1, 0, "A").Add(2, 0, "Event", ntEvent).AddObject(3, 0, notTemplate).Add(4, 0, "B");
    // A record whose index is a string.
    file.W.WriteString(TemplatesFileFormat.Marker);
    file.W.WriteEnum(ntTemplate, EnumNames<TNodeType>());
    file.W.WriteString("5");
    file.Add(6, 0, "C");
    // A template whose name is written, but empty.
    file.W.WriteString(TemplatesFileFormat.Marker);
    file.W.WriteEnum(ntTemplate, EnumNames<TNodeType>());
    file.W.WriteInteger(7);
    file.W.WriteInteger(0);
    test::TBytes nameless;
    nameless.Begin("TEventTemplate").Prop("Template").StrValue("").End("TEventTemplate");
    file.Data += nameless.Data;
    TTemplateTree tree;
    test::RecordingDataFileHost host;
    ReadTemplates(file.Data, tree, host);
    EXPECT_EQ(Shape(tree.Root()), "A,B,C,Miscellaneous");
    ASSERT_EQ(host.Errors.size(), 4u);
    EXPECT_EQ(host.Errors[3], "Error in template's file:\r\nTemplate must have name");
    EXPECT_EQ(host.Errors[0], "Error in template's file:\r\nBad saved template type 4");
    EXPECT_EQ(host.Errors[1],
              "Error in template's file:\r\nUnexpected class of loaded object TEvent");
    EXPECT_EQ(host.Errors[2], "Error in template's file:\r\nCan not read abs index of template");
}

TEST(TemplateFile, NewerVersionIsReadOnlyWithYes) {
    TFileBuilder file(2);
    file.Add(1, 0, "Future");
    TTemplateTree tree;
    samples::FillSampleTree(tree);
    const std::string before = Shape(tree.Root());

    test::RecordingDataFileHost no(false);
    EXPECT_EQ(ReadError(file.Data, tree, no),
              "The template's file of a newer version was not read");
    EXPECT_EQ(no.Questions,
              std::vector<std::string>{"This is new version of template's file. Try read?"});
    EXPECT_EQ(Shape(tree.Root()), before);

    test::RecordingDataFileHost yes(true);
    ReadTemplates(file.Data, tree, yes);
    EXPECT_EQ(Shape(tree.Root()), "Future,Miscellaneous");
}

TEST(TemplateFile, HeaderErrorsLeaveTheTreeAlone) {
    TTemplateTree tree;
    samples::FillSampleTree(tree);
    const std::string before = Shape(tree.Root());
    test::RecordingDataFileHost host;
    EXPECT_EQ(ReadError("", tree, host), "Read template's file: Bad file format");
    std::string events;
    TClassWriter w(events);
    w.WriteString(EventsFileFormat.Header);
    w.WriteInteger(1);
    EXPECT_EQ(ReadError(events, tree, host), "Read template's file: Bad file format");
    std::string noVersion;
    TClassWriter v(noVersion);
    v.WriteString(TemplatesFileFormat.Header);
    EXPECT_EQ(ReadError(noVersion, tree, host), "Can not read version of template's file");
    EXPECT_EQ(Shape(tree.Root()), before);
}

TEST(TemplateFile, EveryTruncationReadsWithoutHarm) {
    TTemplateTree tree;
    samples::FillSampleTree(tree);
    const std::string bytes = WriteTemplates(tree);
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        TTemplateTree read;
        test::RecordingDataFileHost host;
        try {
            ReadTemplates(std::string_view(bytes).substr(0, n), read, host);
            ASSERT_NE(read.DefaultTemplateNode(), nullptr);
            EXPECT_EQ(read.Root().Child(read.Root().ChildCount() - 1).Text(), "Miscellaneous");
        } catch (const EpaError&) {
        }
    }
}

TEST(TemplateFile, SavesAndLoadsFiles) {
    test::TempDir dir;
    const std::string target = dir.File("kelvo-rem.tpl");
    TTemplateTree tree;
    samples::FillSampleTree(tree);
    SaveTemplatesFile(target, tree);
    SafeSaveTemplatesFile(target, tree, EncodeDateTime(2024, 1, 2, 3, 4, 5), TDateOrder::YearFirst);
    TTemplateTree read;
    test::RecordingDataFileHost host;
    LoadTemplatesFile(target, read, host);
    EXPECT_EQ(Shape(read.Root()), Shape(tree.Root()));
    LoadTemplatesFile(dir.File("kelvo-rem.~tp"), read, host);
    EXPECT_EQ(Shape(read.Root()), Shape(tree.Root()));
}
