#include "core/stream/PropertyTable.h"
#include "support/StreamTestHelpers.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace kelvo::test {
namespace {

using R = EClassReadingError::TReach;

std::unique_ptr<TComplexTimeCondition> ComplexAtNoon() {
    auto complex = std::make_unique<TComplexTimeCondition>();
    auto once = std::make_unique<TOnceTimeCondition>();
    once->SetTime(0.5);
    complex->Conditions().Add(std::move(once));
    return complex;
}

// ---- byte layouts -------------------------------------------------------------------------

TEST_F(StreamTest, WorkedExampleIs205BytesAndReadsBack) {
    const std::string bytes = Write(*ComplexAtNoon());
    TBytes expected;
    expected.Begin("TComplexTimeCondition")
        .Prop("Conditions")
        .Begin("TTimeConditionList")
        .Prop("Items")
        .Tag(TIdentType::itUserBegin)
        .IntValue(1)
        .Begin("TOnceTimeCondition")
        .Prop("Time")
        .Raw(std::string("\x04\x00\x00\x00\x00\x00\x00\x00\x80\xFE\x3F", 11))
        .End("TOnceTimeCondition")
        .Tag(TIdentType::itUserEnd)
        .Str("Items")
        .End("TTimeConditionList")
        .End("TComplexTimeCondition");
    EXPECT_EQ(bytes.size(), 205u);
    EXPECT_EQ(Hex(bytes), Hex(expected.Data));
    EXPECT_EQ(Hex(bytes.substr(0, 5)), "08 15 00 00 00");

    auto read = Read<TComplexTimeCondition>(bytes);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->Conditions().Count(), 1u);
    auto& once = dynamic_cast<const TOnceTimeCondition&>(read->Conditions().Item(0));
    EXPECT_EQ(once.Time(), 0.5);
    EXPECT_EQ(Write(*read), bytes);
}

TEST_F(StreamTest, EmptyListWritesNoItemsBlock) {
    TComplexTimeCondition empty;
    TBytes expected;
    expected.Begin("TComplexTimeCondition")
        .Prop("Conditions")
        .Begin("TTimeConditionList")
        .End("TTimeConditionList")
        .End("TComplexTimeCondition");
    EXPECT_EQ(Hex(Write(empty)), Hex(expected.Data));
    EXPECT_EQ(Read<TComplexTimeCondition>(expected.Data)->Conditions().Count(), 0u);
}

TEST_F(StreamTest, DefaultsAreLeftOutAndPropertiesWithoutDefaultAlwaysWritten) {
    TSampleRecord record; // every value at its default or constructor value
    const std::string bytes = Write(record);
    // Name is never stored, Tag 0 is the default; Count 0 and the empty set have no declared
    // default; Volume 0.0 is left out; Until is not stored; the read-only Revision is written.
    EXPECT_EQ(PropertyNames(bytes), (std::vector<std::string>{"Message", "Count", "Enabled", "Days",
                                                              "When", "Revision"}));
    TBytes emptySet;
    emptySet.Prop("Days").Tag(TIdentType::itSet).Str("");
    EXPECT_NE(bytes.find(emptySet.Data), std::string::npos);
}

TEST_F(StreamTest, NonDefaultValuesRoundTrip) {
    TSampleRecord r;
    r.SetName("ignored");
    r.SetTag(-42);
    r.SetCount(-7);
    r.SetSnooze(12);
    r.SetColor(0x123456);
    r.SetQuickly(true);
    r.SetEnabled(false);
    r.SetUnit(TSampleUnit::suDay);
    r.SetDays(TWeekdays("1000101"));
    r.SetMessage(std::string("line\r\nwith \0 byte", 17));
    r.SetVolume(-1.25e-300);
    r.SetWhen(-693594.0); // NullDate is written
    r.SetHasUntil(true);
    r.SetUntil(46000.75);
    TSampleSubject subject;
    subject.SetNumber(3);
    subject.SetUnit(TSampleUnit::suHour);
    r.SetSubject(subject);
    r.SetCondition(ComplexAtNoon());

    const std::string bytes = Write(r);
    auto back = Read<TSampleRecord>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Name(), "");
    EXPECT_EQ(back->Tag(), -42);
    EXPECT_EQ(back->Count(), -7);
    EXPECT_EQ(back->Snooze(), 12);
    EXPECT_EQ(back->Color(), 0x123456);
    EXPECT_TRUE(back->Quickly());
    EXPECT_FALSE(back->Enabled());
    EXPECT_EQ(back->Unit(), TSampleUnit::suDay);
    EXPECT_EQ(back->Days(), TWeekdays("1000101"));
    EXPECT_EQ(back->Message(), r.Message());
    EXPECT_EQ(back->Volume(), -1.25e-300);
    EXPECT_EQ(back->When(), -693594.0);
    EXPECT_EQ(back->Until(), 46000.75);
    ASSERT_TRUE(back->Subject());
    EXPECT_EQ(back->Subject()->Number(), 3);
    EXPECT_EQ(back->Subject()->Unit(), TSampleUnit::suHour);
    auto* complex = dynamic_cast<const TComplexTimeCondition*>(back->Condition());
    ASSERT_TRUE(complex);
    EXPECT_EQ(complex->Conditions().Count(), 1u);
    EXPECT_EQ(Write(*back), bytes);

    // The set is written by member names in ordinal order.
    TBytes set;
    set.Tag(TIdentType::itSet).Str("dwSunday").Str("dwTuesday").Str("dwSaturday").Str("");
    EXPECT_NE(bytes.find(set.Data), std::string::npos);
}

TEST_F(StreamTest, ColoursWithANameAreIdentifiersOthersIntegers) {
    TSampleRecord r;
    for (std::int32_t color : {clRed, clBlack, clInfoBk, SystemColor(5), clNone}) {
        r.SetColor(color);
        const std::string bytes = Write(r);
        EXPECT_NE(bytes.find(std::string("\x0A\x05\x00\x00\x00"
                                         "Color\x06",
                                         11)),
                  std::string::npos)
            << color;
        EXPECT_EQ(Read<TSampleRecord>(bytes)->Color(), color);
    }
    // The settings' form of a system colour has no name and keeps its value.
    for (std::int32_t color : {static_cast<std::int32_t>(0x80000005u), 0x00ABCDEF}) {
        r.SetColor(color);
        const std::string bytes = Write(r);
        EXPECT_NE(bytes.find(std::string("Color\x02", 6)), std::string::npos);
        EXPECT_EQ(Read<TSampleRecord>(bytes)->Color(), color);
    }
    EXPECT_EQ(clBtnFace, -16777201);
    TBytes named;
    named.Begin("TSampleRecord")
        .Prop("Color")
        .Tag(TIdentType::itIdent)
        .Str("CLWINDOW")
        .End("TSampleRecord");
    EXPECT_EQ(Read<TSampleRecord>(named.Data)->Color(), clWindow);
}

TEST_F(StreamTest, NamesAreMatchedIgnoringCase) {
    TBytes b;
    b.Begin("tsamplerecord")
        .Prop("UNIT")
        .EnumValue("SUday")
        .Prop("quickly")
        .EnumValue("TRUE")
        .Prop("days")
        .Tag(TIdentType::itSet)
        .Str("DWMONDAY")
        .Str("")
        .End("tsamplerecord");
    auto r = Read<TSampleRecord>(b.Data);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Unit(), TSampleUnit::suDay);
    EXPECT_TRUE(r->Quickly());
    EXPECT_EQ(r->Days(), TWeekdays("0000010"));
}

// ---- what an absent or odd value reads as --------------------------------------------------

TEST_F(StreamTest, AbsentFloatReadsAsZeroWhereItWouldHaveBeenStored) {
    TSampleRecord r;
    r.SetWhen(0.0); // midnight: left out, but meant
    r.SetVolume(0.0);
    auto back = Read<TSampleRecord>(Write(r));
    EXPECT_EQ(back->When(), 0.0);
    EXPECT_EQ(back->Until(), 200.0) << "not stored, so the constructor's value stays";

    r.SetHasUntil(true);
    r.SetUntil(0.0);
    EXPECT_EQ(Read<TSampleRecord>(Write(r))->Until(), 0.0);

    TOnceTimeCondition midnight;
    midnight.SetTime(0.0);
    EXPECT_EQ(Read<TOnceTimeCondition>(Write(midnight))->Time(), 0.0);
}

TEST_F(StreamTest, EmptyStringReadsAsTheConstructorsValue) {
    TSampleRecord r;
    r.SetMessage("");
    const std::string bytes = Write(r);
    EXPECT_EQ(bytes.find("Message"), std::string::npos);
    EXPECT_EQ(Read<TSampleRecord>(bytes)->Message(), "Don't forget");
}

TEST_F(StreamTest, NumbersThatMustBePositiveReadAsAtLeastOne) {
    TBytes b;
    b.Begin("TSampleRecord")
        .Prop("Snooze")
        .IntValue(0)
        .Prop("Subject")
        .Begin("TSampleSubject")
        .Prop("Number")
        .IntValue(-3)
        .End("TSampleSubject")
        .End("TSampleRecord");
    auto r = Read<TSampleRecord>(b.Data);
    EXPECT_EQ(r->Snooze(), 1);
    EXPECT_EQ(r->Subject()->Number(), 1);
}

TEST_F(StreamTest, DateTimesOutsideTheCalendarFailTheRecord) {
    const double bad[] = {std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN(), 2958466.0, -693595.0};
    for (double when : bad) {
        TSampleRecord r;
        r.SetWhen(when);
        const std::string bytes = Write(r);
        TStreamView s{bytes};
        TClassReader reader(s, true, Registry);
        std::unique_ptr<TSampleRecord> obj;
        try {
            reader.ReadObjectAs(obj, true);
            ADD_FAILURE() << when << " was accepted";
        } catch (const EClassReadingError& e) {
            EXPECT_EQ(e.Reach(), R::Record);
        }
        EXPECT_FALSE(obj);
    }
    TSampleRecord last;
    last.SetWhen(2958465.99999);
    EXPECT_EQ(Read<TSampleRecord>(Write(last))->When(), 2958465.99999);
}

TEST_F(StreamTest, ReadOnlyPropertiesAreSkipped) {
    TBytes b;
    b.Begin("TSampleRecord")
        .Prop("Revision")
        .IntValue(99)
        .Prop("Description")
        .StrValue("x")
        .Prop("Count")
        .IntValue(4)
        .End("TSampleRecord");
    auto r = Read<TSampleRecord>(b.Data);
    EXPECT_EQ(r->Revision(), 7);
    EXPECT_EQ(r->Count(), 4);
}

// ---- unknown properties and skipping -------------------------------------------------------

TEST_F(StreamTest, UnknownPropertyIsSkippedByDataFileReaderOnly) {
    TBytes b;
    b.Begin("TSampleRecord")
        .Prop("FromTheFuture")
        .Raw(Write(*ComplexAtNoon()))
        .Prop("Later")
        .Tag(TIdentType::itSet)
        .Str("a")
        .Str("b")
        .Str("")
        .Prop("Count")
        .IntValue(9)
        .End("TSampleRecord");
    auto r = Read<TSampleRecord>(b.Data, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Count(), 9);
    EXPECT_EQ(ReadError(b.Data, false), "Not exist property FromTheFuture");
}

TEST_F(StreamTest, SkippingAnObjectLandsRightAfterItsEnd) {
    const std::string object = Write(*ComplexAtNoon());
    const std::string bytes = object + "tail";
    TStreamView s{bytes};
    TClassReader r(s, true, Registry);
    r.SkipValue();
    EXPECT_EQ(s.Position, object.size());
}

TEST_F(StreamTest, UnknownCustomBlockIsSkippedToItsOwnEnd) {
    TBytes b;
    b.Begin("TSampleRecord")
        .Prop("Items")
        .Tag(TIdentType::itUserBegin)
        .Tag(TIdentType::itUserEnd)
        .Str("Other")                                // a 12 followed by another name is not the end
        .Raw(std::string("\x0C\xFF\xFF\xFF\xFF", 5)) // nor one with a negative length
        .Raw(std::string("\x0C\x00\x00\x01\x00", 5)) // nor one longer than the stream
        .Tag(TIdentType::itUserEnd)
        .Str("ITEMS")
        .Prop("Count")
        .IntValue(3)
        .End("TSampleRecord");
    EXPECT_EQ(Read<TSampleRecord>(b.Data, true)->Count(), 3);
}

TEST_F(StreamTest, SkipUserBlockWithoutPendingNameTakesAnyEnd) {
    const std::string bytes = std::string("ab\x0C\x01\x00\x00\x00Qz", 10);
    TStreamView s{bytes};
    TClassReader r(s, true, Registry);
    r.SkipUserBlock();
    EXPECT_EQ(s.Position, 8u);
    r.SkipUserBlock();
    EXPECT_TRUE(r.AtEnd()) << "no end before the stream's end: skipped all the same";
}

// ---- failures ------------------------------------------------------------------------------

TEST_F(StreamTest, FailedReadLeavesCallersObjectAndNamesTheFault) {
    TBytes b;
    b.Begin("TOnceTimeCondition").End("TSampleRecord");
    TStreamView s{b.Data};
    TClassReader r(s, false, Registry);
    auto previous = std::make_unique<TOnceTimeCondition>();
    TOnceTimeCondition* kept = previous.get();
    std::unique_ptr<TOnceTimeCondition> obj = std::move(previous);
    EXPECT_FALSE(r.ReadObjectAs(obj, false));
    EXPECT_EQ(obj.get(), kept);
    EXPECT_EQ(s.Position, 0u);
    EXPECT_EQ(r.LastError(), "Expected end of class TOnceTimeCondition but dind TSampleRecord");

    EXPECT_TRUE(r.ReadObjectAs(obj, true) == false);
    EXPECT_EQ(s.Position, b.Data.size()) << "skip asked: the value is passed over";

    TBytes unknown;
    unknown.Begin("TNoSuchClass").End("TNoSuchClass");
    EXPECT_EQ(ReadError(unknown.Data), "Class TNoSuchClass not found");
    TBytes prefix;
    prefix.Begin("TOnceTimeCondition").Tag(TIdentType::itString);
    EXPECT_EQ(ReadError(prefix.Data), "Expected prefix itObjectEnd but itString found");
    EXPECT_EQ(ReadError(std::string("\x0D", 1)), "Reading prefix is illegal");
    EXPECT_EQ(ReadError(std::string("\x05\x00\x00\x00\x00", 5)),
              "Expected prefix itObjectBegin but itString found");
}

TEST_F(StreamTest, ValueOfTheWrongKindOrNameFailsTheObject) {
    const auto withUnit = [](std::string_view value) {
        TBytes b;
        b.Begin("TSampleRecord").Prop("Unit").Raw(value).End("TSampleRecord");
        return b.Data;
    };
    TBytes intValue, badName;
    intValue.IntValue(2);
    badName.EnumValue("suFortnight");
    EXPECT_EQ(ReadError(withUnit(intValue.Data)), "Expected prefix itObjectEnd but itInt32 found");
    EXPECT_EQ(ReadError(withUnit(badName.Data)), "Expected prefix itObjectEnd but itEnum found");
    TBytes ident;
    ident.Begin("TSampleRecord")
        .Prop("Count")
        .Tag(TIdentType::itIdent)
        .Str("clRed")
        .End("TSampleRecord");
    EXPECT_NE(ReadError(ident.Data), "") << "an integer without identifiers takes no identifier";
}

TEST_F(StreamTest, ObjectOfAnotherClassFailsTheRecordNeverUsedAsThatType) {
    TBytes b;
    b.Begin("TSampleRecord")
        .Prop("Condition")
        .Begin("TSampleSubject")
        .End("TSampleSubject")
        .End("TSampleRecord");
    TStreamView s{b.Data};
    TClassReader r(s, true, Registry);
    std::unique_ptr<TSampleRecord> obj;
    try {
        r.ReadObjectAs(obj, true);
        FAIL() << "accepted a subject as a condition";
    } catch (const EClassReadingError& e) {
        EXPECT_EQ(e.Reach(), R::Record);
        EXPECT_STREQ(e.what(), "Unexpected class TSampleSubject where TTimeCondition belongs");
    }
    EXPECT_FALSE(obj);

    // At the top level, too.
    TBytes top;
    top.Begin("TSampleSubject").End("TSampleSubject");
    TStreamView ts{top.Data};
    TClassReader tr(ts, true, Registry);
    EXPECT_THROW(tr.RequireObject<TSampleRecord>(), EClassReadingError);
}

TBytes ListOf(std::initializer_list<std::string> items, int count = -1) {
    TBytes b;
    b.Begin("TSampleRecordList")
        .Prop("Items")
        .Tag(TIdentType::itUserBegin)
        .IntValue(count < 0 ? static_cast<int>(items.size()) : count);
    for (const auto& item : items)
        b.Raw(item);
    b.Tag(TIdentType::itUserEnd).Str("Items").End("TSampleRecordList");
    return b;
}

std::string RecordWithCount(int count) {
    TSampleRecord r;
    r.SetCount(count);
    std::string out;
    TClassWriter w(out);
    w.WriteObject(r);
    return out;
}

TEST_F(StreamTest, ItemsRoundTripAndListIsEmptiedBeforeReading) {
    TSampleRecordList list;
    for (int i = 0; i < 3; ++i) {
        list.Items.push_back(std::make_unique<TSampleRecord>());
        list.Items.back()->SetCount(i);
    }
    const std::string bytes = Write(list);
    EXPECT_EQ(Hex(bytes),
              Hex(ListOf({RecordWithCount(0), RecordWithCount(1), RecordWithCount(2)}).Data));
    TStreamView s{bytes};
    TClassReader r(s, false, Registry);
    TSampleRecordList target;
    target.Items.push_back(std::make_unique<TSampleRecord>());
    r.Seek(0);
    // Read the block into an existing list through ReadProperties.
    r.ReadTag();
    r.ReadRawString();
    r.ReadProperties(target);
    ASSERT_EQ(target.Items.size(), 3u);
    EXPECT_EQ(target.Items[2]->Count(), 2);
}

TEST_F(StreamTest, FailureInsideItemsKeepsTheItemsBeforeIt) {
    TBytes bad;
    bad.Begin("TNoSuchClass").End("TNoSuchClass");
    const std::string bytes = ListOf({RecordWithCount(1), bad.Data, RecordWithCount(3)}).Data;
    auto list = Read<TSampleRecordList>(bytes);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->Items.size(), 1u);
    EXPECT_EQ(list->Items[0]->Count(), 1);

    // A count far beyond what follows reads what is there and then fails the same way.
    auto many = Read<TSampleRecordList>(ListOf({RecordWithCount(5)}, 2000000000).Data);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->Items.size(), 1u);
}

TEST_F(StreamTest, WrongClassInsideItemsEndsTheRecord) {
    TBytes wrong;
    wrong.Begin("TSampleSubject").End("TSampleSubject");
    const std::string bytes = ListOf({RecordWithCount(1), wrong.Data}).Data;
    TStreamView s{bytes};
    TClassReader r(s, true, Registry);
    std::unique_ptr<TPersistent> obj;
    try {
        r.ReadObject(obj, true);
        FAIL() << "the list took a subject";
    } catch (const EClassReadingError& e) {
        EXPECT_EQ(e.Reach(), R::Record);
    }
    EXPECT_EQ(r.PendingProperty(), "");
}

// ---- hostile input -------------------------------------------------------------------------

TEST_F(StreamTest, HugeOrNegativeLengthsAreErrorsNotAllocations) {
    for (std::int32_t length : {2000000000, -1, std::numeric_limits<std::int32_t>::min(), 1025}) {
        TBytes b;
        b.Begin("TSampleRecord").Prop("Message").Tag(TIdentType::itString).Int(length);
        b.Raw(std::string(1024 - b.Data.size(), 'x'));
        EXPECT_EQ(ReadError(b.Data), "Stream read error") << length;
        TStreamView s{b.Data};
        TClassReader r(s, true, Registry);
        r.ReadTag();
        r.ReadRawString();
        r.ReadTag();
        r.ReadRawString();
        EXPECT_THROW(r.SkipValue(), EClassReadingError);
    }
}

TEST_F(StreamTest, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    for (bool skip : {false, true}) {
        TBytes b;
        const int depth = 100000;
        for (int i = 0; i < depth; ++i)
            b.Begin("TSampleRecord").Prop(skip ? "Unknown" : "Next");
        TStreamView s{b.Data};
        TClassReader r(s, true, Registry);
        std::unique_ptr<TPersistent> obj;
        EXPECT_FALSE(r.ReadObject(obj, false));
        EXPECT_EQ(r.LastError(), skip ? "Objects are nested too deeply"
                                      : "Expected prefix itObjectEnd but itObjectBegin found");
    }
    // Within the limit, nesting works.
    TBytes ok;
    const int depth = TClassReader::MaxNesting - 1;
    for (int i = 0; i < depth; ++i)
        ok.Begin("TComplexTimeCondition").Prop("Unknown");
    ok.Begin("TOnceTimeCondition").End("TOnceTimeCondition");
    for (int i = 0; i < depth; ++i)
        ok.End("TComplexTimeCondition");
    EXPECT_TRUE(Read<TComplexTimeCondition>(ok.Data, true));
}

TEST_F(StreamTest, EveryTruncationOrByteFlipOfAValidStreamFailsCleanly) {
    TSampleRecord r;
    r.SetCondition(ComplexAtNoon());
    TSampleSubject subject;
    r.SetSubject(subject);
    r.SetDays(TWeekdays(0x55));
    r.SetColor(clRed);
    const std::string bytes = Write(r);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_NE(ReadError(bytes.substr(0, n), true), "") << n;
    std::mt19937 random(7);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string damaged = bytes;
        damaged[i] = static_cast<char>(random());
        TStreamView s{damaged};
        TClassReader reader(s, true, Registry);
        std::unique_ptr<TPersistent> obj;
        try {
            reader.ReadObject(obj, true);
        } catch (const EClassReadingError& e) {
            EXPECT_EQ(e.Reach(), R::Record) << i;
        }
        EXPECT_LE(s.Position, damaged.size());
    }
}

// ---- the date helpers' sets ---------------------------------------------------------------

class TWeekly : public TComponent {
    KELVO_PERSISTENT(TWeekly)
    TDaysOfWeek WeekDays() const { return days_; }
    void SetWeekDays(TDaysOfWeek d) { days_ = d; }

private:
    TDaysOfWeek days_;
};

const TClassInfo& TWeekly::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWeekly, TComponent>("TWeekly")
            .Set("WeekDays", EnumNames<TDayOfWeekName>(), &TWeekly::WeekDays, &TWeekly::SetWeekDays)
            .Build();
    return info;
}

TEST_F(StreamTest, EnumSetsOfTheDateHelpersRoundTrip) {
    Registry.Register(TWeekly::StaticClass());
    TWeekly w;
    w.SetWeekDays(TDaysOfWeek::FromBits(0x41));
    const std::string bytes = Write(w);
    TBytes set;
    set.Tag(TIdentType::itSet)
        .Str(EnumName(static_cast<TDayOfWeekName>(0)))
        .Str(EnumName(static_cast<TDayOfWeekName>(6)))
        .Str("");
    EXPECT_NE(bytes.find(set.Data), std::string::npos);
    EXPECT_EQ(Read<TWeekly>(bytes)->WeekDays(), w.WeekDays());
}

// ---- the registry --------------------------------------------------------------------------

class TForgetful : public TSampleRecord {}; // no KELVO_PERSISTENT of its own

struct TForgetfulInfo {
    static const TClassInfo& StaticClass() {
        static const TClassInfo info =
            TClassBuilder<TForgetful, TSampleRecord>("TForgetful").Build();
        return info;
    }
};

TEST_F(StreamTest, RegistryRefusesClassesItCannotServe) {
    TClassRegistry registry;
    EXPECT_THROW(registry.Register(TTimeCondition::StaticClass()), EpaError) << "abstract";
    EXPECT_THROW(registry.Register(TForgetfulInfo::StaticClass()), EpaError);
    registry.Register(TOnceTimeCondition::StaticClass());
    registry.Register(TOnceTimeCondition::StaticClass()); // again: harmless
    EXPECT_EQ(registry.Find("tOnceTimeCondition"), &TOnceTimeCondition::StaticClass());
    EXPECT_EQ(registry.Find("TComplexTimeCondition"), nullptr);
    EXPECT_TRUE(TOnceTimeCondition::StaticClass().InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TSampleSubject::StaticClass().InheritsFrom(TComponent::StaticClass()));
}

// ---- extended floats -----------------------------------------------------------------------

std::string Ext(double v) {
    const auto b = DoubleToExtended(v);
    return Hex(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

double FromExt(std::uint64_t significand, std::uint16_t head) {
    std::uint8_t b[10];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    b[8] = static_cast<std::uint8_t>(head);
    b[9] = static_cast<std::uint8_t>(head >> 8);
    return ExtendedToDouble(b);
}

TEST(ExtendedFloat, KnownEncodings) {
    EXPECT_EQ(Ext(0.5), "00 00 00 00 00 00 00 80 FE 3F");
    EXPECT_EQ(Ext(1.0), "00 00 00 00 00 00 00 80 FF 3F");
    EXPECT_EQ(Ext(-2.0), "00 00 00 00 00 00 00 80 00 C0");
    EXPECT_EQ(Ext(0.0), "00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Ext(-0.0), "00 00 00 00 00 00 00 00 00 80");
    EXPECT_EQ(Ext(std::numeric_limits<double>::infinity()), "00 00 00 00 00 00 00 80 FF 7F");
    // The smallest subnormal double is 2^-1074: normal in the wider format.
    EXPECT_EQ(Ext(std::numeric_limits<double>::denorm_min()), "00 00 00 00 00 00 00 80 CD 3B");
    EXPECT_TRUE(std::isnan(FromExt(0xC000000000000000u, 0x7FFF)));
    EXPECT_EQ(FromExt(0x8000000000000000u, 0xFFFF), -std::numeric_limits<double>::infinity());
}

TEST(ExtendedFloat, EveryDoubleRoundTripsExactly) {
    std::mt19937_64 random(42);
    std::vector<double> values = {std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -693594.0,
                                  -0.99999,
                                  46000.5,
                                  -0.0};
    for (int i = 0; i < 200000; ++i)
        values.push_back(std::bit_cast<double>(random()));
    for (double v : values) {
        if (std::isnan(v))
            continue;
        const auto b = DoubleToExtended(v);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(b.data())),
                  std::bit_cast<std::uint64_t>(v))
            << v;
    }
}

TEST(ExtendedFloat, NarrowingRoundsToNearestEven) {
    const std::uint64_t one = 0x8000000000000000u;
    const double ulp = std::ldexp(1.0, -52);
    EXPECT_EQ(FromExt(one | 0x400, 0x3FFF), 1.0) << "tie, even stays";
    EXPECT_EQ(FromExt(one | 0xC00, 0x3FFF), 1.0 + 2 * ulp) << "tie, odd goes up";
    EXPECT_EQ(FromExt(one | 0x401, 0x3FFF), 1.0 + ulp);
    EXPECT_EQ(FromExt(one | 0x3FF, 0x3FFF), 1.0);
    EXPECT_EQ(FromExt(~std::uint64_t{0}, 0x3FFF), 2.0) << "carry into the exponent";
    EXPECT_EQ(FromExt(one, 0x3FFF + 1024), std::numeric_limits<double>::infinity());
    EXPECT_EQ(FromExt(~std::uint64_t{0}, 0x3FFF + 1023), std::numeric_limits<double>::infinity());
    EXPECT_EQ(FromExt(one, 0x3FFF - 1075), 0.0) << "half the smallest subnormal, tie to even";
    EXPECT_EQ(FromExt(one | 1, 0x3FFF - 1075), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(FromExt(one, 1), 0.0) << "far below the range";
    EXPECT_EQ(FromExt(~std::uint64_t{0}, 0x3FFF - 1023), std::numeric_limits<double>::min())
        << "a subnormal that rounds up to the smallest normal";
    EXPECT_EQ(FromExt(1, 0), 0.0) << "an extended denormal";
    EXPECT_EQ(FromExt(0x4000000000000000u, 0x3FFF), 0.5) << "an unnormal is read by its value";
}

#if defined(__x86_64__) || defined(__i386__)
TEST(ExtendedFloat, AgreesWithTheProcessorOnRandomPatterns) {
    static_assert(std::numeric_limits<long double>::digits == 64);
    std::mt19937_64 random(3);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t significand = random() | 0x8000000000000000u; // normal x87 numbers
        const auto head = static_cast<std::uint16_t>(random());
        if ((head & 0x7FFF) == 0 || (head & 0x7FFF) == 0x7FFF)
            continue;
        long double x = 0;
        std::uint8_t bytes[16] = {};
        for (int k = 0; k < 8; ++k)
            bytes[k] = static_cast<std::uint8_t>(significand >> (8 * k));
        bytes[8] = static_cast<std::uint8_t>(head);
        bytes[9] = static_cast<std::uint8_t>(head >> 8);
        std::memcpy(&x, bytes, 10);
        const double expected = static_cast<double>(x);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(bytes)),
                  std::bit_cast<std::uint64_t>(expected))
            << std::hex << significand << " " << head;
    }
}
#endif

} // namespace
} // namespace kelvo::test
