#include "DataTestSupport.h"

#include "components/data/kitdatalists.h"
#include "components/data/kitwave.h"
#include "platform/classes/StringList.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "tests/support/FormBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace {

TBytes Record(TKitListItem& item) {
    TMemoryStream s;
    item.WriteItemData(s);
    return StreamBytes(s);
}

void SetWave(TKitWave& wave, const TBytes& bytes) {
    TMemoryStream s;
    LoadBytes(s, bytes);
    wave.LoadFromStream(s);
}

void FillStrings(TKitStringList& list, bool compressed) {
    auto* a = list.Items(list.AddItem());
    a->Items()->Add("Erste Zeile mit ä");
    a->Items()->Add("");
    a->Items()->Add(std::string(300, 'w'));
    a->SetDescription("Texte");
    a->SetIdent(7);
    a->SetCompressed(compressed);
    list.AddItem(); // no line
    auto* c = list.Items(list.AddItem());
    c->Items()->Add("z");
    c->SetCompressed(compressed);
}

void FillWaves(TKitWaveList& list, bool compressed) {
    auto* a = list.Items(list.AddItem());
    SetWave(*a->Wave(), WaveBytes(2000));
    a->SetCompressed(compressed);
    a->SetDescription("Klang");
    list.AddItem(); // no data
    auto* c = list.Items(list.AddItem());
    SetWave(*c->Wave(), WaveBytes(3, 9));
    c->SetIdent(65535);
    c->SetCompressed(compressed);
}

TEST(StringItemTest, FlagsAndRecord) {
    TKitStringList list(nullptr);
    auto* item = list.Items(list.AddItem());
    EXPECT_TRUE(item->DataEmpty());
    EXPECT_EQ(item->ItemFlags(), 0);
    EXPECT_EQ(Record(*item), (TBytes{0}));
    item->Items()->Add("ab");
    EXPECT_FALSE(item->DataEmpty());
    EXPECT_EQ(item->ItemFlags(), 0x08);
    TBytes expected{0x08};
    AppendInt32(expected, 4);
    AppendText(expected, "ab\r\n");
    EXPECT_EQ(Record(*item), expected);
    item->ClearData();
    EXPECT_TRUE(item->DataEmpty());
}

TEST(StringItemTest, RecordWithoutLinesEmptiesTheItem) {
    TKitStringList list(nullptr);
    auto* item = list.Items(list.AddItem());
    item->Items()->Add("old");
    TMemoryStream s;
    LoadBytes(s, {0x02, 1, 'd'});
    item->ReadItemData(s);
    EXPECT_EQ(item->Items()->Count(), 0);
    EXPECT_EQ(item->Description(), "d");
}

TEST(StringItemTest, AssignFromStringsChangesOnlyTheLines) {
    TKitStringList list(nullptr);
    auto* item = list.Items(list.AddItem());
    item->SetDescription("keep");
    item->SetIdent(9);
    TStringList lines;
    lines.Add("1");
    lines.Add("2");
    item->Assign(&lines);
    EXPECT_EQ(item->Items()->GetText(), "1\r\n2\r\n");
    EXPECT_EQ(item->Description(), "keep");
    EXPECT_EQ(item->Ident(), 9);
    item->Assign(item);
    EXPECT_EQ(item->Items()->GetText(), "1\r\n2\r\n");
}

TEST(StringItemTest, AssignBetweenItemKindsRaises) {
    TKitStringList strings(nullptr);
    TKitWaveList waves(nullptr);
    auto* s = strings.Items(strings.AddItem());
    auto* w = waves.Items(waves.AddItem());
    EXPECT_THROW(w->Assign(s), EConvertError);
    EXPECT_THROW(s->Assign(w), EConvertError);
}

TEST(WaveItemTest, FlagsRecordAndSelfAssign) {
    TKitWaveList list(nullptr);
    auto* item = list.Items(list.AddItem());
    EXPECT_TRUE(item->DataEmpty());
    EXPECT_EQ(Record(*item), (TBytes{0}));
    SetWave(*item->Wave(), WaveBytes(4));
    EXPECT_EQ(item->ItemFlags(), 0x08);
    TBytes expected{0x08};
    AppendInt32(expected, static_cast<std::int32_t>(WaveBytes(4).size()));
    const TBytes w = WaveBytes(4);
    expected.insert(expected.end(), w.begin(), w.end());
    EXPECT_EQ(Record(*item), expected);
    item->Assign(item);
    EXPECT_EQ(Record(*item), expected);
    item->ClearData();
    EXPECT_TRUE(item->DataEmpty());
}

TEST(WaveItemTest, AWaveChangeReachesTheList) {
    TKitWaveList list(nullptr);
    auto* item = list.Items(list.AddItem());
    std::vector<TObject*> senders;
    struct Rec {
        std::vector<TObject*>* S;
        void Changed(TObject* o) { S->push_back(o); }
    } rec{&senders};
    list.OnChange = TNotifyEvent::Of<&Rec::Changed>(&rec);
    SetWave(*item->Wave(), WaveBytes());
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], item);
}

TEST(WaveItemTest, BadWaveInARecordRaises) {
    TKitWaveList list(nullptr);
    auto* item = list.Items(list.AddItem());
    TBytes b{0x08};
    AppendInt32(b, 40);
    b.resize(b.size() + 40, 'x');
    TMemoryStream s;
    LoadBytes(s, b);
    EXPECT_THROW(item->ReadItemData(s), EInvalidWave);
}

class DataListRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(DataListRoundTrip, StringItemBlocksByteForByte) {
    for (bool offsets : {false, true}) {
        TKitStringList list(nullptr);
        FillStrings(list, GetParam());
        TMemoryStream s;
        list.WriteItems(s, offsets);
        s.SetPosition(0);
        TKitStringList back(nullptr);
        back.ReadItems(s, offsets);
        ASSERT_EQ(back.Count(), 3);
        EXPECT_EQ(back.Items(0)->Items()->GetText(), list.Items(0)->Items()->GetText());
        EXPECT_EQ(back.Items(0)->Compressed(), GetParam());
        EXPECT_EQ(back.Items(2)->Items()->GetText(), "z\r\n");
        TMemoryStream again;
        back.WriteItems(again, offsets);
        EXPECT_EQ(StreamBytes(again), StreamBytes(s));
    }
}

TEST_P(DataListRoundTrip, WaveListFilesByteForByte) {
    TKitWaveList list(nullptr);
    FillWaves(list, GetParam());
    TMemoryStream s;
    list.SaveToListStream(s);
    EXPECT_EQ(TBytes(s.Bytes().begin(), s.Bytes().begin() + 9),
              (TBytes{8, 'K', 'I', 'T', 'W', 'V', 'L', '3', '0'}));
    s.SetPosition(0);
    TKitWaveList back(nullptr);
    back.LoadFromListStream(s, "test.wvl");
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(StreamBytes(*back.Items(0)->Wave()->Data()), WaveBytes(2000));
    EXPECT_TRUE(back.Items(1)->DataEmpty());
    EXPECT_EQ(back.Items(2)->Ident(), 65535);
    TMemoryStream again;
    back.SaveToListStream(again);
    EXPECT_EQ(StreamBytes(again), StreamBytes(s));
}

TEST_P(DataListRoundTrip, StringListFilesOnDisk) {
    const std::string name = "kitdata_test.sll";
    TKitStringList list(nullptr);
    FillStrings(list, GetParam());
    list.SaveToListFile(name);
    TKitStringList back(nullptr);
    back.LoadFromListFile(name);
    std::remove(name.c_str());
    TMemoryStream a, b;
    list.WriteItems(a, false);
    back.WriteItems(b, false);
    EXPECT_EQ(StreamBytes(a), StreamBytes(b));
}

TEST_P(DataListRoundTrip, FormResourcesByteForByte) {
    TKitStringList strings(nullptr);
    FillStrings(strings, GetParam());
    const TBytes stringForm = WriteForm(strings);
    TKitStringList stringsBack(nullptr);
    ReadForm(stringsBack, stringForm);
    ASSERT_EQ(stringsBack.Count(), 3);
    EXPECT_EQ(stringsBack.Items(0)->Owner(), &stringsBack);
    EXPECT_EQ(stringsBack.Items(0)->Description(), "Texte");
    EXPECT_EQ(stringsBack.Items(0)->Items()->GetText(), strings.Items(0)->Items()->GetText());
    EXPECT_EQ(WriteForm(stringsBack), stringForm);

    TKitWaveList waves(nullptr);
    FillWaves(waves, GetParam());
    const TBytes waveForm = WriteForm(waves);
    TKitWaveList wavesBack(nullptr);
    ReadForm(wavesBack, waveForm);
    ASSERT_EQ(wavesBack.Count(), 3);
    EXPECT_EQ(StreamBytes(*wavesBack.Items(2)->Wave()->Data()), WaveBytes(3, 9));
    EXPECT_EQ(WriteForm(wavesBack), waveForm);
}

// A form-like root holding lists as non-visual components.
class TListForm : public TComponent {
    TESSARO_CLASS(TListForm, TComponent)
public:
    explicit TListForm(TComponent* owner) : TComponent(owner) {}
};

const TClassInfo& TListForm::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TListForm>("TListForm");
    return info;
}

TEST_P(DataListRoundTrip, ListsInsideAFormKeepTheirItemsAsChildren) {
    RegisterClasses<TKitStringList, TKitWaveList>();
    TListForm form(nullptr);
    auto* strings = new TKitStringList(&form);
    strings->SetName("Texte");
    FillStrings(*strings, GetParam());
    auto* waves = new TKitWaveList(&form);
    waves->SetName("Klaenge");
    FillWaves(*waves, GetParam());
    const TBytes bytes = WriteForm(form);

    TListForm back(nullptr);
    ReadForm(back, bytes);
    ASSERT_EQ(back.ComponentCount(), 2);
    auto* stringsBack = dynamic_cast<TKitStringList*>(back.Components(0));
    auto* wavesBack = dynamic_cast<TKitWaveList*>(back.Components(1));
    ASSERT_NE(stringsBack, nullptr);
    ASSERT_NE(wavesBack, nullptr);
    ASSERT_EQ(stringsBack->Count(), 3);
    ASSERT_EQ(wavesBack->Count(), 3);
    EXPECT_EQ(stringsBack->Items(2)->Owner(), stringsBack);
    EXPECT_EQ(StreamBytes(*wavesBack->Items(0)->Wave()->Data()), WaveBytes(2000));
    EXPECT_EQ(WriteForm(back), bytes);
}

INSTANTIATE_TEST_SUITE_P(PlainAndCompressed, DataListRoundTrip, ::testing::Bool());

TEST(DataListFileTest, EmptyWaveItemFollowedByMoreItemsReadsBackWhole) {
    TKitWaveList list(nullptr);
    list.AddItem();
    SetWave(*list.Items(list.AddItem())->Wave(), WaveBytes(1));
    list.Items(list.AddItem())->SetDescription("last");
    TMemoryStream s;
    list.SaveToListStream(s);
    s.SetPosition(0);
    TKitWaveList back(nullptr);
    back.LoadFromListStream(s, "x");
    ASSERT_EQ(back.Count(), 3);
    EXPECT_TRUE(back.Items(0)->DataEmpty());
    EXPECT_FALSE(back.Items(1)->DataEmpty());
    EXPECT_EQ(back.Items(2)->Description(), "last");
}

// The list-file error: a plain Exception naming the file.
void ExpectListFileError(TKitCustomContainer& list, TStream& stream, const char* what) {
    try {
        list.LoadFromListStream(stream, "x");
        ADD_FAILURE() << what << ": accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(typeid(e), typeid(Exception)) << what << ": " << e.Message();
        EXPECT_EQ(e.Message(), "Datei %s kann nicht geöffnet werden: x") << what;
    }
}

TEST(DataListFileTest, HostileListFilesRaise) {
    TKitWaveList list(nullptr);
    list.AddItem();
    TMemoryStream good;
    list.SaveToListStream(good);
    const TBytes valid = StreamBytes(good);
    // Files of 0 to 12 bytes.
    for (std::size_t size = 0; size <= 12; ++size) {
        TMemoryStream s;
        LoadBytes(s, TBytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(
                                                               std::min(size, valid.size()))));
        ExpectListFileError(list, s, ("cut at " + std::to_string(size)).c_str());
    }
    // A count of 10^9 in a 20-byte file.
    TBytes huge(valid.begin(), valid.begin() + 9);
    AppendInt32(huge, 1000000000);
    huge.resize(20, 0);
    TMemoryStream h;
    LoadBytes(h, huge);
    ExpectListFileError(list, h, "a count the file cannot hold");
    // A record cut short.
    TKitWaveList full(nullptr);
    SetWave(*full.Items(full.AddItem())->Wave(), WaveBytes(50));
    TMemoryStream f;
    full.SaveToListStream(f);
    TBytes cut = StreamBytes(f);
    cut.resize(cut.size() - 10);
    TMemoryStream c;
    LoadBytes(c, cut);
    EXPECT_THROW(list.LoadFromListStream(c, "x"), EReadError);
    // Another kind of list file.
    TKitStringList strings(nullptr);
    TMemoryStream o;
    strings.SaveToListStream(o);
    o.SetPosition(0);
    try {
        list.LoadFromListStream(o, "fremd.sll");
        FAIL() << "another kind was accepted";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("fremd.sll"), std::string::npos) << e.Message();
    }
}

TEST(DataListTest, ItemClassesAreRegisteredOnceByTheirLists) {
    TKitStringList first(nullptr);
    TKitWaveList waves(nullptr);
    EXPECT_EQ(GetClass("TKitStringListItem"), &TKitStringListItem::StaticClassInfo());
    EXPECT_EQ(GetClass("TKitWaveListItem"), &TKitWaveListItem::StaticClassInfo());
    TKitStringList second(nullptr);
    EXPECT_EQ(second.ItemClass(), &TKitStringListItem::StaticClassInfo());
    EXPECT_EQ(second.ListKind(), lkStringList);
    EXPECT_EQ(waves.ListKind(), lkWaveList);
}

} // namespace
