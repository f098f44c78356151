#include "components/imagelists/kitbitmaplist.h"

#include "components/drawing/kitbitmap.h"
#include "components/imagelists/kitbitmapblock.h"
#include "components/imagelists/kititembitmap.h"
#include "components/codec/kitlistfile.h"
#include "components/base/kitutils.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/FilePaths.h"

#include <string>

namespace {

// A library mapped as data, an image resource only: its code is never run.
class TDataLibrary {
public:
    explicit TDataLibrary(const std::string& name)
        : FModule(LoadLibraryExA(name.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~TDataLibrary() {
        if (FModule != nullptr)
            FreeLibrary(FModule);
    }
    TDataLibrary(const TDataLibrary&) = delete;
    TDataLibrary& operator=(const TDataLibrary&) = delete;
    // LoadLibraryEx gives null on failure; the old rule of handles below 32
    // covers it.
    bool Loaded() const { return reinterpret_cast<std::uintptr_t>(FModule) >= 32; }

private:
    HMODULE FModule;
};

constexpr std::size_t SourceNameChars = 3;

} // namespace

std::string BitmapSourceFileName(TKitPathPrefix Prefix, const std::string& SourceFile,
                                 std::uint16_t Ident) {
    const std::string folder =
        Prefix == ppFixed ? AddBackslash(ExtractFilePath(SourceFile)) : GetPrefixPath(Prefix, true);
    return folder + ExtractFileName(SourceFile).substr(0, SourceNameChars) + std::to_string(Ident) +
           ListFileExtension(lkBitmapList, true);
}

bool LoadLibraryBitmap(const std::string& LibraryName, std::uint16_t /*Ident*/,
                       TBitmap& /*Bitmap*/) {
    const TDataLibrary library(LibraryName);
    return library.Loaded();
}

bool LoadBitmapFromListFile(const std::string& FileName, int Index, TBitmap& Bitmap) {
    // Without owner the item never fetches on its own.
    TOwnedPtr<TKitBitmapListItem> item(new TKitBitmapListItem(nullptr));
    const bool read = LoadListFileItem(FileName, lkBitmapList, nullptr, Index,
                                       [&item](TStream& s) { item->ReadItemData(s); });
    Bitmap.Assign(&item->StoredBitmap());
    return read;
}


// ---------------------------------------------------------------------------

const TClassInfo& TKitBitmapListItem::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitBitmapListItem>("TKitBitmapListItem", [](TPropertyTable& t) {
            TPropertyBuilder<TKitBitmapListItem> p(t);
            // The item reaches a form only through "Internal".
            const auto never = [](TObject&) { return false; };
            p.Object("Bitmap", &TKitBitmapListItem::Bitmap).Stored = never;
            p.Integer("Ident", &TKitBitmapListItem::Ident, &TKitBitmapListItem::SetIdent).Stored =
                never;
            p.String("Description", &TKitBitmapListItem::Description,
                     &TKitBitmapListItem::SetDescription)
                .Stored = never;
        });
    return info;
}

TKitBitmapListItem::TKitBitmapListItem(TComponent* owner)
    : TKitListItem(owner), FBitmap(std::make_unique<TKitItemBitmap>()) {}

TKitBitmapListItem::~TKitBitmapListItem() = default;

TBitmap* TKitBitmapListItem::Bitmap() {
    FetchBitmap();
    return FBitmap.get();
}

void TKitBitmapListItem::SetBitmap(TBitmap* value) {
    FBitmap->Assign(value);
}

void TKitBitmapListItem::FetchBitmap() {
    const TComponentState state = ComponentState();
    if (state.Contains(csReading) || state.Contains(csDesigning) || !FBitmap->Empty())
        return;
    const TKitSilentUpdate update(*this);
    if (Owner() != nullptr && Owner()->Is<TKitCustomContainer>())
        FetchFromSource(static_cast<const TKitCustomContainer&>(*Owner()));
}

void TKitBitmapListItem::FetchFromSource(const TKitCustomContainer& list) {
    const TKitPathPrefix prefix = list.SourcePrefix();
    switch (list.SourceKind()) {
    case skMemory:
        break;
    case skListFile:
        LoadBitmapFromListFile(GetPrefixPath(prefix, true) + list.SourceFile(), Ident(), *FBitmap);
        break;
    case skResource:
        // "#n" names the numeric resource n.
        FBitmap->LoadFromResourceName(GetModuleHandleA(nullptr), "#" + std::to_string(Ident()));
        break;
    case skLibrary:
        if (prefix == ppWindows || prefix == ppSystem)
            LoadLibraryBitmap(list.SourceFile(), Ident(), *FBitmap);
        else
            LoadLibraryBitmap(BitmapSourceFileName(prefix, list.SourceFile(), Ident()), Ident(),
                              *FBitmap);
        break;
    case skFile:
        FBitmap->LoadFromFile(BitmapSourceFileName(prefix, list.SourceFile(), Ident()));
        break;
    }
}

void TKitBitmapListItem::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (source == nullptr || !source->Is<TKitBitmapListItem>()) {
        TKitListItem::Assign(source);
        return;
    }
    auto& other = static_cast<TKitBitmapListItem&>(*source);
    AssignHeader(other);
    FBitmap->Assign(other.Bitmap());
    FSavePixelFormat = other.FSavePixelFormat;
}

void TKitBitmapListItem::DefineProperties(TFiler& filer) {
    TKitListItem::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Internal", [this](TStream& s) { ReadItemData(s); },
        [this](TStream& s) { WriteItemData(s); }, true);
}

void TKitBitmapListItem::ClearData() {
    FBitmap = std::make_unique<TKitItemBitmap>();
}

bool TKitBitmapListItem::DataEmpty() {
    return FBitmap->Empty();
}

std::uint8_t TKitBitmapListItem::ItemFlags() {
    std::uint8_t flags = TKitListItem::ItemFlags() | SavePixelFormatFlag(FSavePixelFormat);
    if (!FBitmap->Empty())
        flags |= ItemFlagData;
    return flags;
}

void TKitBitmapListItem::WriteItemData(TStream& stream) {
    WriteHeader(stream);
    if (!FBitmap->Empty())
        WriteBitmap(stream, *FBitmap, Compressed(), SavePixelFormatColours(FSavePixelFormat));
}

void TKitBitmapListItem::ReadItemData(TStream& stream) {
    TMemoryStream image;
    const std::uint8_t flags = ReadBitmapRecord(*this, stream, image);
    FSavePixelFormat = SavePixelFormatFromFlags(flags);
    if (flags & ItemFlagData)
        FBitmap->LoadFromStream(image);
}

// ---------------------------------------------------------------------------

const TClassInfo& TKitBitmapList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitBitmapList>("TKitBitmapList");
    return info;
}

TKitBitmapList::TKitBitmapList(TComponent* owner) : TKitCustomImageList(owner) {
    SetItemClass(TKitBitmapListItem::StaticClassInfo(), lkBitmapList);
}

TKitBitmapListItem* TKitBitmapList::BitmapItems(int index) const {
    return static_cast<TKitBitmapListItem*>(Items(index));
}

TBitmap& TKitBitmapList::ItemBitmap(int ListIndex) {
    return *BitmapItems(ListIndex)->Bitmap();
}

TCanvas* TKitBitmapList::GetItemCanvas(int ListIndex) {
    return ItemBitmap(ListIndex).Canvas();
}

void TKitBitmapList::GetImageRect(int ListIndex, int /*ImageIndex*/, TRect& Rect) {
    TBitmap& bitmap = ItemBitmap(ListIndex);
    Rect = TRect{0, 0, bitmap.Width(), bitmap.Height()};
}

int TKitBitmapList::GetItemDimension(int ListIndex, std::uint8_t Which) {
    if (OutOfRange(ListIndex))
        return 0;
    TBitmap& bitmap = ItemBitmap(ListIndex);
    switch (Which) {
    case 0:
        return bitmap.Width();
    case 1:
        return bitmap.Height();
    default:
        return 0;
    }
}

int TKitBitmapList::GetImageCount(int ListIndex) {
    if (OutOfRange(ListIndex))
        return 0;
    return Items(ListIndex)->DataEmpty() ? 0 : 1;
}

bool TKitBitmapList::IsValidImage(int ListIndex, int /*ImageIndex*/) {
    return !OutOfRange(ListIndex) && !Items(ListIndex)->DataEmpty();
}

void TKitBitmapList::GetImage(int ListIndex, int /*ImageIndex*/, TBitmap* Dest) {
    if (Dest != nullptr)
        Dest->Assign(&ItemBitmap(ListIndex));
}

bool TKitBitmapList::IsMasked(int /*ListIndex*/) {
    return false;
}

HPALETTE TKitBitmapList::GetItemPalette(int ListIndex) {
    if (OutOfRange(ListIndex))
        return nullptr;
    return ItemBitmap(ListIndex).Palette();
}

TColor TKitBitmapList::GetTransparentColor(int ListIndex, int /*ImageIndex*/) {
    if (OutOfRange(ListIndex))
        return 0xFFFFFF;
    return ItemBitmap(ListIndex).TransparentColor();
}

TColor TKitBitmapList::GetImagePixel(const TPoint& Point, int ListIndex, int /*ImageIndex*/) {
    if (OutOfRange(ListIndex))
        return 0xFFFFFF;
    return ItemBitmap(ListIndex).Canvas()->Pixels(Point.x, Point.y);
}

void TKitBitmapList::DrawImage(TCanvas& Canvas, int X, int Y, int ListIndex, int /*ImageIndex*/) {
    TBitmap& bitmap = ItemBitmap(ListIndex);
    const TRect dest{X, Y, X + bitmap.Width(), Y + bitmap.Height()};
    TRect painted{};
    DrawBitmapExt(Canvas, dest, bitmap, 0, 0, painted);
}

void TKitBitmapList::DrawImageRect(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                                   int ListIndex, int /*ImageIndex*/, TRect& Painted) {
    TBitmap& bitmap = ItemBitmap(ListIndex);
    DrawBitmapExt(Canvas, Rect, bitmap, Flags, bitmap.TransparentColor(), Painted);
}

void TKitBitmapList::DrawImageOffset(TCanvas& Canvas, const TRect& Rect, std::uint16_t Flags,
                                     std::int32_t Offset, TColor Colour, int ListIndex,
                                     int /*ImageIndex*/) {
    DrawBitmapClipped(Canvas, Rect, ItemBitmap(ListIndex), Flags, Offset, Colour);
}
