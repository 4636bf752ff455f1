#pragma once

// What every settings store must do alike. A test program instantiates the suite with a
// factory type that provides:
//   kelvo::TAppIni& Ini();   the store under test, empty at first
//   void Reopen();           closes the store and opens it again on the same content
#include "core/options/MailOptions.h"
#include "core/options/paAppIni.h"
#include "core/options/paConfigUtils.h"

#include <climits>
#include <gtest/gtest.h>

namespace kelvo::test {

template <class Factory> class AppIniContract : public ::testing::Test {
protected:
    TAppIni& Ini() { return factory_.Ini(); }
    void Reopen() { factory_.Reopen(); }
    void Put(const std::string& name, const TIniValue& value) {
        ASSERT_TRUE(Ini().WriteValue("Options", name, value));
    }
    void PutText(const std::string& name, const std::string& text) {
        Put(name, TIniValue::FromText(text));
    }
    void PutInt(const std::string& name, std::int32_t n) { Put(name, TIniValue::FromInteger(n)); }

private:
    Factory factory_;
};

TYPED_TEST_SUITE_P(AppIniContract);

TYPED_TEST_P(AppIniContract, ValuesKeepTheirKindAcrossReopening) {
    TAppIni& ini = this->Ini();
    const std::string texts[] = {
        "",         "plain",    "15",          "dword:0000000f", "sz:x",
        "DWORD:zz", "@at sign", "a,b,c",       "x\ny",           " padded ",
        "quote\"s", "ünïcödé",  "back\\slash", "semi;colon",     "[Section]",
        "key=value"};
    int i = 0;
    for (const auto& text : texts)
        ASSERT_TRUE(ini.WriteString("Options", "Text" + std::to_string(i++), text)) << text;
    const std::int32_t numbers[] = {0, 1, -1, 15, INT_MAX, INT_MIN, 0x7FFF0000};
    i = 0;
    for (const auto n : numbers)
        ASSERT_TRUE(ini.WriteInteger("Options", "Number" + std::to_string(i++), n));
    const std::string bytes("\x00\x01\xff binary", 10);
    ASSERT_TRUE(ini.WriteValue("Options", "Bytes", TIniValue::FromBinary(bytes)));

    for (int pass = 0; pass < 2; ++pass) {
        i = 0;
        for (const auto& text : texts) {
            const auto v = this->Ini().ReadValue("Options", "Text" + std::to_string(i++));
            ASSERT_TRUE(v) << text;
            EXPECT_EQ(*v, TIniValue::FromText(text));
        }
        i = 0;
        for (const auto n : numbers) {
            const auto v = this->Ini().ReadValue("Options", "Number" + std::to_string(i++));
            ASSERT_TRUE(v);
            EXPECT_EQ(*v, TIniValue::FromInteger(n));
        }
        EXPECT_EQ(this->Ini().ReadValue("Options", "Bytes"), TIniValue::FromBinary(bytes));
        this->Reopen();
    }
}

TYPED_TEST_P(AppIniContract, SectionsAndTopLevelAreApart) {
    TAppIni& ini = this->Ini();
    ASSERT_TRUE(ini.WriteInteger("", "FirstRun", 1));
    ASSERT_TRUE(ini.WriteString("Options", "Name", "options"));
    ASSERT_TRUE(ini.WriteString("View", "Name", "view"));
    this->Reopen();
    EXPECT_EQ(this->Ini().ReadInteger("", "FirstRun", 0), 1);
    EXPECT_EQ(this->Ini().ReadInteger("Options", "FirstRun", 7), 7);
    EXPECT_EQ(this->Ini().ReadString("Options", "Name", ""), "options");
    EXPECT_EQ(this->Ini().ReadString("View", "Name", ""), "view");
    EXPECT_EQ(this->Ini().ReadString("View", "Missing", "def"), "def");
}

TYPED_TEST_P(AppIniContract, BooleanReadRules) {
    TAppIni& ini = this->Ini();
    this->PutInt("DwordOne", 1);
    this->PutInt("DwordZero", 0);
    this->PutInt("DwordOther", -5);
    for (const char* t : {"true", "TRUE", "tRuE", "1"})
        this->PutText(std::string("T_") + t, t);
    for (const char* t : {"0", "False", "yes", "2", " true"})
        this->PutText(std::string("F_") + t, t);
    this->PutText("Empty", "");
    this->Put("Binary", TIniValue::FromBinary("\x01"));
    this->Reopen();
    TAppIni& again = this->Ini();
    (void)ini;
    for (const bool def : {false, true}) {
        EXPECT_TRUE(again.ReadBool("Options", "DwordOne", def));
        EXPECT_FALSE(again.ReadBool("Options", "DwordZero", def));
        EXPECT_TRUE(again.ReadBool("Options", "DwordOther", def));
        for (const char* t : {"true", "TRUE", "tRuE", "1"})
            EXPECT_TRUE(again.ReadBool("Options", std::string("T_") + t, def)) << t;
        for (const char* t : {"0", "False", "yes", "2", " true"})
            EXPECT_FALSE(again.ReadBool("Options", std::string("F_") + t, def)) << t;
        EXPECT_EQ(again.ReadBool("Options", "Empty", def), def);
        EXPECT_EQ(again.ReadBool("Options", "Missing", def), def);
        EXPECT_EQ(again.ReadBool("Options", "Binary", def), def);
    }
    ASSERT_TRUE(again.WriteBool("Options", "Written", true));
    EXPECT_EQ(again.ReadValue("Options", "Written"), TIniValue::FromText("True"));
    ASSERT_TRUE(again.WriteBool("Options", "Written", false));
    EXPECT_EQ(again.ReadValue("Options", "Written"), TIniValue::FromText("False"));
}

TYPED_TEST_P(AppIniContract, IntegersMayArriveAsText) {
    this->PutText("QuickDefaultPeriod", "15");
    this->PutText("Padded", " 42 ");
    this->PutText("Negative", "-7");
    this->PutText("Word", "fifteen");
    this->PutText("Huge", "99999999999");
    this->PutText("Hex", "$1F");
    this->PutText("Empty", "");
    this->Put("Binary", TIniValue::FromBinary("\x0f\0\0\0"));
    this->Reopen();
    TAppIni& ini = this->Ini();
    EXPECT_EQ(ini.ReadInteger("Options", "QuickDefaultPeriod", 5), 15);
    EXPECT_EQ(ini.ReadInteger("Options", "Padded", 5), 42);
    EXPECT_EQ(ini.ReadInteger("Options", "Negative", 5), -7);
    for (const char* name : {"Word", "Huge", "Hex", "Empty", "Binary", "Missing"})
        EXPECT_EQ(ini.ReadInteger("Options", name, 5), 5) << name;

    // A value kept as text stays text; a new or numeric one is a number.
    ASSERT_TRUE(ini.WriteInteger("Options", "QuickDefaultPeriod", 20));
    ASSERT_TRUE(ini.WriteInteger("Options", "Fresh", 20));
    this->PutInt("Numeric", 1);
    ASSERT_TRUE(ini.WriteInteger("Options", "Numeric", -3));
    this->Reopen();
    EXPECT_EQ(this->Ini().ReadValue("Options", "QuickDefaultPeriod"), TIniValue::FromText("20"));
    EXPECT_EQ(this->Ini().ReadValue("Options", "Fresh"), TIniValue::FromInteger(20));
    EXPECT_EQ(this->Ini().ReadValue("Options", "Numeric"), TIniValue::FromInteger(-3));
}

TYPED_TEST_P(AppIniContract, StringsAndEnumerationsOfTheWrongKind) {
    this->PutInt("Number", 12);
    this->Put("Binary", TIniValue::FromBinary("abc"));
    this->PutInt("FilterType", 7);
    this->PutInt("InRange", 3);
    this->PutText("TextEnum", "2");
    TAppIni& ini = this->Ini();
    EXPECT_EQ(ini.ReadString("Options", "Number", "def"), "def");
    EXPECT_EQ(ini.ReadString("Options", "Binary", "def"), "def");
    EXPECT_EQ(ini.ReadEnum("Options", "FilterType", 1, 0, 3), 1);
    EXPECT_EQ(ini.ReadEnum("Options", "InRange", 1, 0, 3), 3);
    EXPECT_EQ(ini.ReadEnum("Options", "TextEnum", 1, 0, 3), 2);
    EXPECT_EQ(ini.ReadEnum("Options", "Missing", 1, 0, 3), 1);
}

TYPED_TEST_P(AppIniContract, DateTimePairs) {
    TAppIni& ini = this->Ini();
    ASSERT_TRUE(ini.WriteDateTime("Options", "Seventy", 70.0));
    EXPECT_EQ(ini.ReadValue("Options", "Seventy.Date"), TIniValue::FromInteger(693664));
    EXPECT_EQ(ini.ReadValue("Options", "Seventy.Time"), TIniValue::FromInteger(0));
    ASSERT_TRUE(ini.WriteDateTime("Options", "Moment", 46000.75));
    EXPECT_FALSE(ini.WriteDateTime("Options", "Negative", -1.5));
    this->PutInt("HalfDay.Time", 43200000);
    this->PutInt("BadTime.Time", -1);
    this->PutInt("BadTime.Date", 693600);
    this->PutInt("BadDate.Time", 0);
    this->PutInt("BadDate.Date", 0);
    this->PutText("TextDate.Date", "693665");
    this->Reopen();
    TAppIni& again = this->Ini();
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "Seventy", 1.0), 70.0);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "Moment", 1.0), 46000.75);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "HalfDay", 70.0), 70.5);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "BadTime", 70.0), 70.0);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "BadDate", 70.0), 70.0);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "TextDate", 70.25), 71.25);
    EXPECT_DOUBLE_EQ(again.ReadDateTime("Options", "Missing", 80.0), 80.0);
    EXPECT_FALSE(again.ReadValue("Options", "Negative.Date"));
}

TYPED_TEST_P(AppIniContract, FontValues) {
    TAppIni& ini = this->Ini();
    TFont font;
    font.Name = "DejaVu Sans";
    font.Size = 11;
    font.Color = 0x00112233;
    font.CharSet = 204;
    font.Style = fsBold | fsItalic;
    WriteFontValues(ini, "Options", "FontX", font);
    EXPECT_EQ(ini.ReadString("Options", "FontX.Style", ""), "*fsBold,fsItalic");
    this->Reopen();
    TFont read;
    ReadFontValues(this->Ini(), "Options", "FontX", read);
    EXPECT_EQ(read, font);

    const auto styleAfter = [this](const std::string& text, TFontStyles before) {
        this->PutText("FontY.Style", text);
        TFont f;
        f.Style = before;
        ReadFontValues(this->Ini(), "Options", "FontY", f);
        return f.Style;
    };
    EXPECT_EQ(styleAfter("*", fsItalic), 0u);
    EXPECT_EQ(styleAfter("*fsbold,fsStrikeOut", fsItalic), fsBold | fsStrikeOut);
    EXPECT_EQ(styleAfter("*NoSuchStyle", fsItalic), fsItalic);
    EXPECT_EQ(styleAfter("", fsUnderline), fsUnderline);

    this->PutInt("FontZ.Size", 0);
    this->PutText("FontZ.Name", "Mono");
    TFont partial;
    ReadFontValues(this->Ini(), "Options", "FontZ", partial);
    EXPECT_EQ(partial.Size, 1);
    EXPECT_EQ(partial.Name, "Mono");
    EXPECT_EQ(partial.Color, TFont().Color);
    EXPECT_EQ(partial.CharSet, TFont().CharSet);
    this->PutInt("FontZ.Size", INT_MAX);
    ReadFontValues(this->Ini(), "Options", "FontZ", partial);
    EXPECT_LT(partial.Size, 2000);
}

TYPED_TEST_P(AppIniContract, MailSettings) {
    TAppIni& ini = this->Ini();
    TMailOptions mail;
    mail.ConnectionType = ecSMTP;
    mail.SMTPOptions.Server = "smtp.example.org";
    mail.SMTPOptions.Port = 587;
    mail.SMTPOptions.Authentification = true;
    mail.SMTPOptions.ReplyTo = "me@example.org";
    mail.SMTPOptions.Login.UserName().SetValue("me");
    mail.SMTPOptions.Login.Password().SetValue("dword:secret");
    mail.SaveToStore(ini, "Options");
    this->Reopen();
    TMailOptions read;
    read.LoadFromStore(this->Ini(), "Options");
    EXPECT_EQ(read.ConnectionType, ecSMTP);
    EXPECT_EQ(read.SMTPOptions.Server, "smtp.example.org");
    EXPECT_EQ(read.SMTPOptions.Port, 587);
    EXPECT_TRUE(read.SMTPOptions.Authentification);
    EXPECT_EQ(read.SMTPOptions.ReplyTo, "me@example.org");
    EXPECT_EQ(read.SMTPOptions.Login.UserName().Value(), "me");
    EXPECT_EQ(read.SMTPOptions.Login.Password().Value(), "dword:secret");

    this->PutInt("SMTPOptionsAuthentification", 1);
    this->PutInt("ConnectionType", 5);
    this->PutText("SMTPOptionsPort", "not a port");
    read.LoadFromStore(this->Ini(), "Options");
    EXPECT_TRUE(read.SMTPOptions.Authentification);
    EXPECT_EQ(read.ConnectionType, ecMAPI);
    EXPECT_EQ(read.SMTPOptions.Port, 25);
}

TYPED_TEST_P(AppIniContract, NoApplicationKeyAbsorbsEverything) {
    TAppIni& ini = this->Ini();
    const std::string key = ini.AppKey();
    ASSERT_TRUE(ini.WriteString("Options", "Kept", "yes"));
    ini.SetAppKey("");
    EXPECT_FALSE(ini.IsOpen());
    EXPECT_THROW(ini.Open(), EAppIniError);
    EXPECT_EQ(ini.ReadString("Options", "Kept", "def"), "def");
    EXPECT_FALSE(ini.WriteString("Options", "Kept", "no"));
    ini.SetAppKey(key);
    EXPECT_EQ(ini.ReadString("Options", "Kept", "def"), "yes");
    EXPECT_TRUE(ini.IsOpen());
}

TYPED_TEST_P(AppIniContract, WritesKeptTogetherArriveTogether) {
    TAppIni& ini = this->Ini();
    ini.BeginUpdate();
    {
        const TAppIniUpdate inner(ini);
        EXPECT_TRUE(ini.WriteInteger("View", "A.Left", 10));
        EXPECT_TRUE(ini.WriteBool("View", "A.Max", true));
    }
    EXPECT_TRUE(ini.Updating());
    EXPECT_EQ(ini.ReadInteger("View", "A.Left", 0), 10); // visible before it is stored
    EXPECT_TRUE(ini.WriteString("View", "A.Items", "x"));
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_FALSE(ini.Updating());
    EXPECT_TRUE(ini.EndUpdate()); // unbalanced: harmless
    this->Reopen();
    EXPECT_EQ(this->Ini().ReadInteger("View", "A.Left", 0), 10);
    EXPECT_TRUE(this->Ini().ReadBool("View", "A.Max", false));
    EXPECT_EQ(this->Ini().ReadString("View", "A.Items", ""), "x");
}

REGISTER_TYPED_TEST_SUITE_P(AppIniContract, WritesKeptTogetherArriveTogether,
                            ValuesKeepTheirKindAcrossReopening, SectionsAndTopLevelAreApart,
                            BooleanReadRules, IntegersMayArriveAsText,
                            StringsAndEnumerationsOfTheWrongKind, DateTimePairs, FontValues,
                            MailSettings, NoApplicationKeyAbsorbsEverything);

} // namespace kelvo::test
