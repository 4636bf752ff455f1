#include "core/options/paConfigUtils.h"

#include "core/options/MailOptions.h"
#include "core/options/paAppIni.h"
#include "core/options/paOption.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

const std::string kList = ComponentPath(ComponentPath("", "QuorvaneMainForm"), "ExploreEvents");

TEST(ConfigUtils, ComponentPaths) {
    EXPECT_EQ(kList, "QuorvaneMainForm.ExploreEvents");
    EXPECT_EQ(ComponentPath("OptionsForm", "PageControl1"), "OptionsForm.PageControl1");
}

TEST(ConfigUtils, ListViewColumns) {
    TMemAppIni ini;
    TListViewState saved{vsReport, {2, 0, 1, 3}, {100, 80, 60, 40}};
    SaveListViewState(ini, "View", kList, saved);
    EXPECT_EQ(ini.ReadInteger("View", kList + ".Count", 0), 4);
    EXPECT_EQ(ini.ReadInteger("View", kList + ".Order0", 0), 2);
    EXPECT_EQ(ini.ReadInteger("View", kList + ".Width3", 0), 40);

    TListViewState loaded{vsIcon, {0, 1, 2, 3}, {50, 50, 50, 50}};
    LoadListViewState(ini, "View", kList, loaded, 90);
    EXPECT_EQ(loaded.ViewStyle, vsReport);
    EXPECT_EQ(loaded.Order, (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(loaded.Widths, (std::vector<int>{90, 80, 60, 40})); // clamped to the list

    ini.WriteInteger("View", kList + ".Order1", 9);
    ini.WriteInteger("View", kList + ".Width2", -5);
    LoadListViewState(ini, "View", kList, loaded, 500);
    EXPECT_EQ(loaded.Order[1], 3);
    EXPECT_EQ(loaded.Widths[2], 0);

    ini.WriteInteger("View", kList + ".Count", 3);
    TListViewState untouched{vsList, {3, 2, 1, 0}, {1, 2, 3, 4}};
    LoadListViewState(ini, "View", kList, untouched, 500);
    EXPECT_EQ(untouched.Order, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(untouched.Widths, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(untouched.ViewStyle, vsReport);

    ini.WriteInteger("View", kList + ".ViewStyle", 12);
    LoadListViewState(ini, "View", kList, untouched, 500, lvViewStyle);
    EXPECT_EQ(untouched.ViewStyle, vsReport);
}

TEST(ConfigUtils, IconStyleSavesNoWidthsAndMissingValuesDefault) {
    TMemAppIni ini;
    SaveListViewState(ini, "View", "L", {vsIcon, {0, 1}, {70, 70}});
    EXPECT_FALSE(ini.ReadValue("View", "L.Width0"));
    TListViewState loaded{vsReport, {1, 0}, {9, 9}};
    LoadListViewState(ini, "View", "L", loaded, 500);
    EXPECT_EQ(loaded.Order, (std::vector<int>{0, 1}));
    EXPECT_EQ(loaded.Widths, (std::vector<int>{50, 50}));
}

TEST(ConfigUtils, SortStatePlacementPageHistory) {
    TMemAppIni ini;
    int col = -1;
    bool asc = false;
    LoadSortState(ini, "View", kList, 4, col, asc);
    EXPECT_EQ(col, 0);
    EXPECT_TRUE(asc);
    SaveSortState(ini, "View", kList, 7, false);
    LoadSortState(ini, "View", kList, 4, col, asc);
    EXPECT_EQ(col, 3);
    EXPECT_FALSE(asc);

    TFormPlacement current{10, 20, 640, 480, false};
    TFormPlacement p = current;
    LoadFormPlacement(ini, "View", "QuorvaneMainForm", p);
    EXPECT_EQ(p, current);
    SaveFormPlacement(ini, "View", "QuorvaneMainForm", {1, 2, 800, 600, true});
    EXPECT_EQ(ini.ReadValue("View", "QuorvaneMainForm.Max"), TIniValue::FromText("True"));
    LoadFormPlacement(ini, "View", "QuorvaneMainForm", p);
    EXPECT_EQ(p, (TFormPlacement{1, 2, 800, 600, true}));

    EXPECT_EQ(LoadActivePage(ini, "View", "WorkspacePages", 2, 4), 2);
    SaveActivePage(ini, "View", "WorkspacePages", 3);
    EXPECT_EQ(LoadActivePage(ini, "View", "WorkspacePages", 0, 4), 3);
    SaveActivePage(ini, "View", "WorkspacePages", 40);
    EXPECT_EQ(LoadActivePage(ini, "View", "WorkspacePages", 1, 4), 1);

    std::vector<std::string> items{"keep"};
    LoadComboHistory(ini, "View", "Edit", items);
    EXPECT_EQ(items, std::vector<std::string>{"keep"});
    SaveComboHistory(ini, "View", "Edit", {"a b", "", "c"});
    EXPECT_EQ(ini.ReadString("View", "Edit.Items", ""), std::string("a b\n\nc"));
    LoadComboHistory(ini, "View", "Edit", items);
    EXPECT_EQ(items, (std::vector<std::string>{"a b", "", "c"}));
    SaveComboHistory(ini, "View", "Edit", {});
    LoadComboHistory(ini, "View", "Edit", items);
    EXPECT_TRUE(items.empty());
}

TEST(ConfigUtils, FontPartsByFlag) {
    TMemAppIni ini;
    TFont font;
    font.Name = "Mono";
    font.Size = 14;
    WriteFontValues(ini, "View", "F", font, fvName | fvSize);
    EXPECT_FALSE(ini.ReadValue("View", "F.Color"));
    TFont read;
    read.Color = 0x00FF0000;
    ReadFontValues(ini, "View", "F", read, fvName);
    EXPECT_EQ(read.Name, "Mono");
    EXPECT_EQ(read.Size, TFont().Size);
    EXPECT_EQ(read.Color, 0x00FF0000u);
}

TEST(OptionTree, PasswordNodesAndAssignment) {
    paOption::TPasswordOptions a, b;
    EXPECT_TRUE(a.IsDefault());
    int changes = 0;
    b.OnChange = [&](paOption::TAbstractOption&) { ++changes; };
    a.UserName().SetValue("me");
    a.Password().SetValue("pw");
    EXPECT_FALSE(a.IsDefault());
    EXPECT_EQ(a.Password().Path(), "Login.Password");
    EXPECT_EQ(a.Find("USERNAME"), &a.UserName());
    b.Assign(a);
    EXPECT_EQ(b.UserName().Value(), "me");
    EXPECT_EQ(b.Password().Value(), "pw");
    EXPECT_EQ(changes, 2); // one report per changed node, after the update
    EXPECT_FALSE(b.IsModified());
    b.Assign(a);
    EXPECT_EQ(changes, 2);
    b.Reset();
    EXPECT_TRUE(b.IsDefault());
    EXPECT_EQ(changes, 4);
}

TEST(OptionTree, ChangesHeldBackDuringUpdate) {
    paOption::TStringOption s("S", "x");
    int changes = 0;
    s.OnChange = [&](paOption::TAbstractOption&) { ++changes; };
    s.BeginUpdate();
    s.SetValue("y");
    s.SetValue("z");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(s.IsModified());
    s.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(s.IsModified());
    s.SetValue("z");
    EXPECT_EQ(changes, 1);
}

TEST(MailOptions, AssignmentCopiesEverything) {
    TMailOptions a;
    EXPECT_EQ(a.ConnectionType, ecMAPI);
    a.ConnectionType = ecSMTP;
    a.SMTPOptions.Server = "s";
    a.SMTPOptions.Port = 465;
    a.SMTPOptions.Login.Password().SetValue("pw");
    TMailOptions b(a);
    EXPECT_EQ(b.ConnectionType, ecSMTP);
    EXPECT_EQ(b.SMTPOptions.Port, 465);
    EXPECT_EQ(b.SMTPOptions.Login.Password().Value(), "pw");
    TMailOptions c;
    c = b;
    EXPECT_EQ(c.SMTPOptions.Server, "s");
    a.SMTPOptions.Login.Password().SetValue("changed");
    EXPECT_EQ(c.SMTPOptions.Login.Password().Value(), "pw");
}

} // namespace
} // namespace kelvo
