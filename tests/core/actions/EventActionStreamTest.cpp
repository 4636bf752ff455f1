#include "core/actions/EventAction.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {
namespace {

std::string Write(const TPersistent& obj) {
    std::string out;
    TClassWriter w(out);
    w.WriteObject(obj);
    return out;
}

template <class T> std::unique_ptr<T> Read(const std::string& bytes) {
    TStreamView stream{bytes};
    TClassReader reader(stream);
    std::unique_ptr<T> obj;
    EXPECT_TRUE(reader.ReadObjectAs(obj, false)) << reader.LastError();
    EXPECT_TRUE(reader.AtEnd());
    return obj;
}

// The names of the properties written for an object of no nested objects, in order.
std::vector<std::string> PropertyNames(const std::string& bytes) {
    std::vector<std::string> names;
    TStreamView stream{bytes};
    TClassReader r(stream);
    EXPECT_EQ(r.ReadTag(), TIdentType::itObjectBegin);
    r.ReadRawString();
    while (r.PeekTag() == TIdentType::itPropName) {
        r.ReadTag();
        names.push_back(r.ReadRawString());
        r.SkipValue();
    }
    return names;
}

using Names = std::vector<std::string>;

TEST(EventActionStream, DefaultsWriteOnlyWhatIsAlwaysStored) {
    EXPECT_EQ(PropertyNames(Write(TBeepEventAction())), Names{});
    EXPECT_EQ(PropertyNames(Write(TSendNetEventAction())), Names{});
    EXPECT_EQ(PropertyNames(Write(TLaunchAppEventAction())), Names{});
    EXPECT_EQ(PropertyNames(Write(TSendMailAction())), Names{});
    EXPECT_EQ(PropertyNames(Write(TPlayMediaEventAction())), Names{"StopIfEventClose"});
    EXPECT_EQ(PropertyNames(Write(TPlayCDEventAction())), (Names{"StopIfEventClose", "Track"}));
    EXPECT_EQ(PropertyNames(Write(TEventActionList())), Names{});
}

TEST(EventActionStream, MediaWithEveryPropertySetReadsBack) {
    TPlayMediaEventAction a;
    a.SetRepeatType(rtTimes);
    a.SetTimes(3);
    a.SetMinutes(7); // not the count in use: not written
    a.SetStopIfEventClose(false);
    a.SetVolume(0);
    a.SetShuffle(true);
    a.SetFileName("Sounds/Alarm clock.wav");
    a.SetTag(4);
    const std::string bytes = Write(a);
    EXPECT_EQ(PropertyNames(bytes), (Names{"Tag", "RepeatType", "Times", "StopIfEventClose",
                                           "Volume", "Shuffle", "FileName"}));
    auto b = Read<TPlayMediaEventAction>(bytes);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->RepeatType(), rtTimes);
    EXPECT_EQ(b->Times(), 3);
    EXPECT_EQ(b->Minutes(), 1);
    EXPECT_FALSE(b->StopIfEventClose());
    EXPECT_EQ(b->Volume(), 0);
    EXPECT_TRUE(b->Shuffle());
    EXPECT_EQ(b->FileName(), "Sounds/Alarm clock.wav");
    EXPECT_EQ(b->Tag(), 4);
    EXPECT_EQ(Write(*b), bytes);
}

TEST(EventActionStream, MinutesAreWrittenOnlyWhenRepeatingByMinutes) {
    TPlayCDEventAction a;
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(5);
    a.SetTimes(9);
    a.SetTrack(0);
    const std::string bytes = Write(a);
    EXPECT_EQ(PropertyNames(bytes), (Names{"RepeatType", "Minutes", "StopIfEventClose", "Track"}));
    auto b = Read<TPlayCDEventAction>(bytes);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->RepeatType(), rtMinutes);
    EXPECT_EQ(b->Minutes(), 5);
    EXPECT_EQ(b->Times(), 1);
    EXPECT_EQ(b->Track(), 0);

    // One minute is the default and is left out even when repeating by minutes.
    a.SetMinutes(1);
    EXPECT_EQ(PropertyNames(Write(a)), (Names{"RepeatType", "StopIfEventClose", "Track"}));
}

TEST(EventActionStream, MinutesBelowOneReadAsOne) {
    TPlayMediaEventAction a;
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(-20);
    auto b = Read<TPlayMediaEventAction>(Write(a));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Minutes(), 1);
}

TEST(EventActionStream, LaunchAndMailStringsReadBack) {
    TLaunchAppEventAction l;
    l.SetFileName("/usr/bin/printf");
    l.SetParams("'%s' \"$HOME\"; rm -rf /");
    const std::string lb = Write(l);
    EXPECT_EQ(PropertyNames(lb), (Names{"FileName", "Params"}));
    auto l2 = Read<TLaunchAppEventAction>(lb);
    ASSERT_TRUE(l2);
    EXPECT_EQ(l2->FileName(), l.FileName());
    EXPECT_EQ(l2->Params(), l.Params());
    EXPECT_EQ(l2->Directory(), "");

    TSendMailAction m;
    m.SetSendTo("a@b.c; Name <d@e.f>");
    m.SetSubject("Due");
    m.SetBody("Line 1\r\nLine 2");
    m.SetFileName("/tmp/a.txt /tmp/b.txt");
    const std::string mb = Write(m);
    EXPECT_EQ(PropertyNames(mb), (Names{"SendTo", "Subject", "Body", "FileName"}));
    auto m2 = Read<TSendMailAction>(mb);
    ASSERT_TRUE(m2);
    EXPECT_EQ(m2->SendTo(), m.SendTo());
    EXPECT_EQ(m2->Subject(), m.Subject());
    EXPECT_EQ(m2->Body(), m.Body());
    EXPECT_EQ(m2->FileName(), m.FileName());
}

TEST(EventActionStream, ComplexActionKeepsEveryKindInOrder) {
    TComplexEventAction c;
    EXPECT_EQ(PropertyNames(Write(c)), Names{"Actions"});
    auto emptyBack = Read<TComplexEventAction>(Write(c));
    ASSERT_TRUE(emptyBack);
    EXPECT_EQ(emptyBack->Actions().Count(), 0);

    for (int kind = 0; kind < ActionKindCount; ++kind)
        c.Actions().Add(CreateActionOfKind(kind));
    static_cast<TPlayMediaEventAction&>(c.Actions().Items(1)).SetFileName("a.mp3");
    static_cast<TPlayCDEventAction&>(c.Actions().Items(2)).SetTrack(7);
    static_cast<TLaunchAppEventAction&>(c.Actions().Items(3)).SetFileName("notepad.exe");
    auto nested = std::make_unique<TComplexEventAction>();
    nested->Actions().Add(std::make_unique<TBeepEventAction>());
    c.Actions().Add(std::move(nested));

    const std::string bytes = Write(c);
    auto b = Read<TComplexEventAction>(bytes);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->Actions().Count(), 7);
    for (int kind = 0; kind < ActionKindCount; ++kind)
        EXPECT_EQ(ActionKindIndex(b->Actions().Items(kind)), kind);
    EXPECT_EQ(b->Actions().Items(6).ClassName(), "TComplexEventAction");
    EXPECT_EQ(b->GetDescription(), c.GetDescription());
    EXPECT_EQ(Write(*b), bytes);
}

TEST(EventActionStream, ReadingItemsReplacesWhatTheListHeld) {
    TEventActionList source;
    source.Add(std::make_unique<TBeepEventAction>());
    const std::string bytes = Write(source);

    TEventActionList target;
    target.Add(std::make_unique<TSendNetEventAction>());
    target.Add(std::make_unique<TSendNetEventAction>());
    TStreamView stream{bytes};
    TClassReader reader(stream);
    ASSERT_EQ(reader.ReadTag(), TIdentType::itObjectBegin);
    reader.ReadRawString();
    reader.ReadProperties(target);
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(target.Items(0).ClassName(), "TBeepEventAction");
}

TEST(EventActionStream, AnItemThatIsNoActionFailsTheRead) {
    // A list where an action belongs: built by hand, since no list holds one.
    std::string bytes;
    TClassWriter w(bytes);
    TEventActionList outer;
    w.WriteObjectBegin(outer);
    w.WritePropName("Items");
    w.WriteTag(TIdentType::itUserBegin);
    w.WriteInteger(2);
    w.WriteObject(TBeepEventAction());
    w.WriteObject(TEventActionList());
    w.WriteTag(TIdentType::itUserEnd);
    w.WriteRawString("Items");
    w.WriteObjectEnd(outer);

    TStreamView stream{bytes};
    TClassReader reader(stream);
    std::unique_ptr<TEventActionList> list;
    bool read = false;
    try {
        read = reader.ReadObjectAs(list, false);
    } catch (const EClassReadingError&) {
        read = false;
    }
    EXPECT_FALSE(read);
    EXPECT_FALSE(list);
}

TEST(EventActionStream, ClassesAreRegisteredByName) {
    for (const char* name : {"TBeepEventAction", "TPlayMediaEventAction", "TPlayCDEventAction",
                             "TLaunchAppEventAction", "TSendMailAction", "TSendNetEventAction",
                             "TComplexEventAction", "TEventActionList"})
        EXPECT_NE(TClassRegistry::Global().Find(name), nullptr) << name;
    EXPECT_EQ(TClassRegistry::Global().Find("TAudioEventAction"), nullptr);
}

} // namespace
} // namespace kelvo
