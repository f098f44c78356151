#include "ReaderSeeds.h"

#include "components/data/kitdatalists.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlzrw.h"
#include "components/data/kitwave.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Writer.h"
#include "platform/graphics/BitmapFile.h"

#include <cstring>

namespace {

template <class TList> TSeedBytes ListFile(TList& list) {
    TMemoryStream s;
    list.SaveToListStream(s);
    return StreamBytes(s);
}

template <class TList> TSeedBytes ItemBlock(TList& list, bool offsets) {
    TMemoryStream s;
    list.WriteItems(s, offsets);
    return StreamBytes(s);
}

// A form holding List, as the component writer writes one; the form takes
// the list over.
template <class TList> TSeedBytes FormHolding(TOwnedPtr<TList>& list) {
    TOwnedPtr<TComponent> form(new TComponent(nullptr));
    form->SetName("Form");
    list->SetName("List");
    form->InsertComponent(list.release());
    TMemoryStream s;
    TWriter writer(s);
    writer.WriteRootComponent(form.get());
    return StreamBytes(s);
}

std::string Hex(const TSeedBytes& bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

// Form data of a bitmap ("Bitmap.Data"): its size, then the file.
TSeedBytes BitmapData(const TSeedBytes& file) {
    TSeedBytes data;
    AppendInt32(data, static_cast<std::int32_t>(file.size()));
    data.insert(data.end(), file.begin(), file.end());
    return data;
}

// The text of a list of class Cls holding one item of ItemCls per entry of
// Items, each a binary property ("Internal", "Bitmap.Data") and its bytes.
using TItemData = std::pair<std::string, TSeedBytes>;
std::string ListText(const std::string& cls, const std::string& itemCls, int number,
                     const std::vector<TItemData>& items) {
    std::string text = "  object L" + std::to_string(number) + ": " + cls + "\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "    object L" + std::to_string(number) + "I" + std::to_string(i) + ": " + itemCls +
                "\n      " + items[i].first + " = {" + Hex(items[i].second) + "}\n    end\n";
    return text + "  end\n";
}

TSeedBytes FormOfText(const std::string& lists) {
    TMemoryStream s;
    ObjectTextToBinary("object Form: TComponent\n" + lists + "end\n", s);
    return StreamBytes(s);
}

std::string BitmapListText(int number, const std::vector<TItemData>& items) {
    return ListText("TKitBitmapList", "TKitBitmapListItem", number, items);
}

std::vector<TSeedBytes> StringSeeds(std::vector<TSeedBytes>& forms) {
    std::vector<TSeedBytes> seeds;
    for (bool compressed : {false, true}) {
        TOwnedPtr<TKitStringList> list(new TKitStringList(nullptr));
        for (int i = 0; i < 3; ++i) {
            TKitStringListItem* item = list->Items(list->AddItem());
            item->SetCompressed(compressed);
            item->SetDescription(i == 1 ? std::string() : "Eintrag " + std::to_string(i));
            item->SetIdent(static_cast<std::uint16_t>(i * 7));
            for (int line = 0; line < 5 * i; ++line)
                item->Items()->Add("Zeile " + std::to_string(line) + " von Eintrag " +
                                   std::to_string(i));
        }
        seeds.push_back(ListFile(*list));
        seeds.push_back(ItemBlock(*list, false));
        seeds.push_back(ItemBlock(*list, true));
        forms.push_back(FormHolding(list));
    }
    // A string item whose compressed block is 30 blocks of runs: 1.3 KB for
    // a 1 MB line. Every damaged copy of it decodes that much, so it stays
    // this small; the bounds tests take the runs past the limits.
    TSeedBytes hostile{0x09};
    const TSeedBytes runs = RunHeavyStream(30, 'A');
    hostile.insert(hostile.end(), runs.begin(), runs.end());
    seeds.push_back(hostile);
    return seeds;
}

std::vector<TSeedBytes> WaveSeeds(std::vector<TSeedBytes>& forms) {
    std::vector<TSeedBytes> seeds;
    for (bool compressed : {false, true}) {
        TOwnedPtr<TKitWaveList> list(new TKitWaveList(nullptr));
        for (int i = 0; i < 3; ++i) {
            TKitWaveListItem* item = list->Items(list->AddItem());
            item->SetCompressed(compressed);
            item->SetDescription("Klang " + std::to_string(i));
            if (i != 1) {
                const TSeedBytes wave = WaveBytes(20 + 40 * i);
                TMemoryStream data;
                data.WriteBuffer(wave.data(), static_cast<std::int32_t>(wave.size()));
                data.SetPosition(0);
                item->Wave()->LoadFromStream(data);
            }
        }
        seeds.push_back(ListFile(*list));
        seeds.push_back(ItemBlock(*list, false));
        forms.push_back(FormHolding(list));
    }
    seeds.push_back({0x09}); // a compressed wave record cut after its flags
    return seeds;
}

TSeedBytes BitmapFile(int width, int height, int bitCount) {
    TBitmapFileImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = static_cast<std::uint16_t>(bitCount);
    // One bit is the monochrome masks of image items; more are colours.
    if (bitCount == 1)
        image.Palette = BlackAndWhitePalette();
    else if (bitCount <= 8)
        image.Palette.resize(std::size_t{1} << bitCount, TBitmapFileColor{0x40, 0x80, 0xC0, 0});
    image.Pixels.resize(BitmapRowSize(width, bitCount) * static_cast<std::uint64_t>(height));
    for (std::size_t i = 0; i < image.Pixels.size(); ++i)
        image.Pixels[i] = static_cast<std::uint8_t>(i * 37);
    return WriteBitmapFile(image);
}

void AppendBlock(TSeedBytes& record, const TSeedBytes& payload, bool compressed) {
    const TSeedBytes block = DataBlock(payload, compressed);
    record.insert(record.end(), block.begin(), block.end());
}

std::vector<TSeedBytes> BitmapSeeds() {
    std::vector<TSeedBytes> seeds;
    for (bool compressed : {false, true}) {
        TSeedBytes record{static_cast<std::uint8_t>(0x08 | (compressed ? 0x01 : 0x00) | 0x20)};
        AppendBlock(record, BitmapFile(12, 7, 4), compressed);
        record.push_back(0x00); // a second item, empty
        seeds.push_back(record);
    }
    // A record of a 4000 x 4000 bitmap of one colour: its headers in a
    // stored block, then 57 KB of runs for 48 MB of pixels.
    TSeedBytes header = BitmapFile(1, 1, 24);
    header.resize(54);
    for (int at : {18, 22})
        for (int i = 0; i < 4; ++i)
            header[static_cast<std::size_t>(at + i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(4000) >> (8 * i));
    TSeedBytes runs = RunHeavyStream(1465, 0);
    TSeedBytes big{0x09};
    const auto total = static_cast<std::int32_t>(runs.size() - 4 + 4 + 1 + header.size());
    AppendInt32(big, total);
    AppendInt32(big, static_cast<std::int32_t>(header.size() + 1));
    big.push_back(LZRWFlagStored);
    big.insert(big.end(), header.begin(), header.end());
    big.insert(big.end(), runs.begin() + 4, runs.end());
    seeds.push_back(big);
    // The same records as a whole list file, and a run-length bitmap whose
    // end marker stands for 1 MiB of rows.
    seeds.push_back(ListFileOf(lkBitmapList, {seeds[0], seeds[1]}));
    seeds.push_back(BitmapRecord(EndMarkerBitmapFile(1024, 1024)));
    return seeds;
}

std::vector<TSeedBytes> ImageSeeds() {
    std::vector<TSeedBytes> seeds;
    for (bool compressed : {false, true}) {
        for (bool masked : {false, true}) {
            TSeedBytes record{static_cast<std::uint8_t>((compressed ? 0x01 : 0x00) | 0x02)};
            record.push_back(6);
            AppendText(record, "Bilder");
            AppendInt32(record, 8);  // Height
            AppendInt32(record, 8);  // Width
            AppendInt32(record, 4);  // AllocBy
            record.push_back(masked ? 1 : 0);
            AppendInt32(record, 3);  // images
            AppendBlock(record, BitmapFile(24, 8, 24), compressed);
            if (masked)
                AppendBlock(record, BitmapFile(24, 8, 1), compressed);
            seeds.push_back(record);
        }
    }
    seeds.push_back(ListFileOf(lkImageList, {seeds[0], seeds[3]}));
    return seeds;
}

} // namespace

TSeedBytes ListFileOf(TKitListKind kind, const std::vector<TSeedBytes>& records) {
    TMemoryStream s;
    WriteListFile(s, kind, static_cast<std::int32_t>(records.size()), [&records](TStream& out, int i) {
        const TSeedBytes& record = records[static_cast<std::size_t>(i)];
        out.WriteBuffer(record.data(), static_cast<std::int32_t>(record.size()));
    });
    return StreamBytes(s);
}

TSeedBytes RunHeavyStringListFile(int count, int blocks, std::uint8_t fill) {
    TSeedBytes record{0x09}; // compressed, data follows
    const TSeedBytes runs = RunHeavyStream(blocks, fill);
    record.insert(record.end(), runs.begin(), runs.end());
    return ListFileOf(lkStringList, std::vector<TSeedBytes>(static_cast<std::size_t>(count), record));
}

TSeedBytes EndMarkerBitmapFile(int width, int height) {
    TSeedBytes file = BitmapFile(1, 1, 8);
    file.resize(file.size() - 4); // the one row
    for (const auto& [at, value] : {std::pair{18, width}, std::pair{22, height}, std::pair{30, 1}})
        for (int i = 0; i < 4; ++i)
            file[static_cast<std::size_t>(at + i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    file.insert(file.end(), {0, 1}); // end of bitmap
    const auto size = static_cast<std::uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        file[static_cast<std::size_t>(2 + i)] = static_cast<std::uint8_t>(size >> (8 * i));
    return file;
}

TSeedBytes BitmapRecord(const TSeedBytes& bitmap) {
    TSeedBytes record{0x08};
    AppendBlock(record, bitmap, false);
    return record;
}

TSeedBytes RunHeavyStream(int blocks, std::uint8_t fill) {
    // One block: a control word with 9 run items, 8 of 4095 bytes and one of
    // the rest, 32781 bytes in 39 bytes.
    TSeedBytes block{LZRWFlagCompressed, 0xFF, 0x80};
    int left = LZRWMaxInputBytes;
    for (int item = 0; item < 9; ++item) {
        const int run = left > 4095 + 16 ? 4095 : left;
        left -= run;
        block.push_back(0);
        block.push_back(static_cast<std::uint8_t>((run - 16) >> 8));
        block.push_back(static_cast<std::uint8_t>((run - 16) & 0xFF));
        block.push_back(fill);
    }
    TSeedBytes stream;
    AppendInt32(stream, blocks * static_cast<std::int32_t>(block.size() + 4));
    for (int i = 0; i < blocks; ++i) {
        AppendInt32(stream, static_cast<std::int32_t>(block.size()));
        stream.insert(stream.end(), block.begin(), block.end());
    }
    return stream;
}

std::vector<TSeedBytes> BitmapFileSeeds() {
    return {BitmapFile(5, 3, 1), BitmapFile(9, 4, 4), BitmapFile(7, 7, 8), BitmapFile(3, 2, 24),
            BitmapFile(2, 2, 32)};
}

std::map<std::string, std::vector<TSeedBytes>> ReaderSeeds() {
    std::vector<TSeedBytes> forms;
    std::map<std::string, std::vector<TSeedBytes>> seeds;
    seeds["strings"] = StringSeeds(forms);
    seeds["waves"] = WaveSeeds(forms);
    seeds["bitmaps"] = BitmapSeeds();
    seeds["images"] = ImageSeeds();
    // Several lists in one form: bitmap items by their records and by their
    // published Bitmap, image items, and a second bitmap list.
    const std::vector<TSeedBytes>& bitmaps = seeds["bitmaps"];
    const std::vector<TSeedBytes>& images = seeds["images"];
    forms.push_back(FormOfText(
        BitmapListText(0, {{"Internal", bitmaps[0]},
                           {"Bitmap.Data", BitmapData(BitmapFileSeeds()[2])}}) +
        ListText("TKitImageList", "TKitImageListItem", 1,
                 {{"Internal", images[1]}, {"Internal", images[2]}}) +
        BitmapListText(2, {{"Bitmap.Data", BitmapData(BitmapFileSeeds()[0])}})));
    seeds["forms"] = forms;
    return seeds;
}

TSeedBytes TenLargeListsForm() {
    const TSeedBytes item = BitmapRecord(EndMarkerBitmapFile(11264, 11264));
    std::string lists;
    for (int i = 0; i < 10; ++i)
        lists += BitmapListText(i, {{"Internal", item}});
    return FormOfText(lists);
}

TSeedBytes BitmapDataItemsForm() {
    return FormOfText(BitmapListText(
        0, std::vector<TItemData>(6, {"Bitmap.Data", BitmapData(EndMarkerBitmapFile(16384, 16384))})));
}

TSeedBytes DataBlock(const TSeedBytes& payload, bool compressed) {
    TMemoryStream s;
    WriteDataBlock(s, compressed, [&payload](TStream& out) {
        out.WriteBuffer(payload.data(), static_cast<std::int32_t>(payload.size()));
    });
    return StreamBytes(s);
}
