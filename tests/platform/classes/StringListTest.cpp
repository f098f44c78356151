// TStringList: text conversion, objects and change events.

#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(StringList, TextSplitsAtEveryLineEndAndJoinsWithCrLf) {
    TStringList l;
    l.SetText("a\r\nb\rc\nd");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[3], "d");
    EXPECT_EQ(l.GetText(), "a\r\nb\r\nc\r\nd\r\n");
    l.SetText("x\r\n\r\n");
    EXPECT_EQ(l.Count(), 2) << "an empty line in the middle stays, the final line end adds none";
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
    TStringList l;
    TComponent o1(nullptr), o2(nullptr);
    l.AddObject("one", &o1);
    l.AddObject("two", &o2);
    EXPECT_EQ(l.GetObject(1), &o2);
    EXPECT_THROW(l.GetObject(2), EStringListError);
}

TEST(StringList, ChangeEventsOncePerUpdate) {
    struct Counter : TComponent {
        using TComponent::TComponent;
        int Changes = 0, Changings = 0;
        void Changed(TObject*) { ++Changes; }
        void Changing(TObject*) { ++Changings; }
    } counter(nullptr);
    TStringList l;
    l.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    l.OnChanging = TNotifyEvent::Of<&Counter::Changing>(&counter);
    l.Add("a");
    EXPECT_EQ(counter.Changes, 1);
    EXPECT_EQ(counter.Changings, 1);
    l.SetText("a\nb\nc");
    EXPECT_EQ(counter.Changes, 2) << "SetText is one update";
    l.Clear();
    l.Clear(); // clearing an empty list changes nothing
    EXPECT_EQ(counter.Changes, 3);
}

TEST(StringList, AssignCopiesAndStreamsRoundTrip) {
    TStringList a, b;
    a.SetText("Zeile 1\r\nÄrger\r\n");
    b.Assign(&a);
    EXPECT_EQ(b.GetText(), a.GetText());
    TMemoryStream s;
    a.SaveToStream(s);
    s.SetPosition(0);
    TStringList c;
    c.LoadFromStream(s);
    EXPECT_EQ(c.GetText(), "Zeile 1\r\n\xC4rger\r\n");
    TComponent notStrings(nullptr);
    EXPECT_THROW(b.Assign(&notStrings), EConvertError);
}
