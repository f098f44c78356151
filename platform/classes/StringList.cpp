#include "platform/classes/StringList.h"

#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <cstring>

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo info("TStrings", &TPersistent::StaticClassInfo(), nullptr, nullptr);
    return info;
}

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info("TStringList", &TStrings::StaticClassInfo(), nullptr, nullptr);
    return info;
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    Delete(index);
    Insert(index, s);
    PutObject(index, object);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    try {
        for (int i = 0; i < strings.Count(); ++i)
            AddObject(strings.Get(i), strings.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::GetText() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

std::int64_t CountTextLines(std::string_view text) {
    std::int64_t lines = 0;
    ForEachTextLine(text, [&lines](std::string_view) { ++lines; });
    return lines;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    try {
        Clear();
        ForEachTextLine(text, [this](std::string_view line) { Add(std::string(line)); });
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream) {
    const std::int64_t size = StreamRemaining(stream);
    if (size > INT32_MAX)
        throw EReadError("Der Stream ist zu groß für eine Stringliste");
    std::string text(static_cast<size_t>(size), '\0');
    if (size > 0)
        stream.ReadBuffer(text.data(), static_cast<std::int32_t>(size));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    const std::string text = GetText();
    if (text.size() > static_cast<size_t>(INT32_MAX))
        throw EWriteError("Die Stringliste ist zu groß");
    stream.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::Assign(TPersistent* source) {
    if (auto* strings = dynamic_cast<TStrings*>(source)) {
        BeginUpdate();
        try {
            Clear();
            AddStrings(*strings);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings", [this](TFilerReader& r) { ReadData(r); },
        [this](TFilerWriter& w) { WriteData(w); }, Count() > 0);
}

void TStrings::ReadData(TFilerReader& reader) {
    BeginUpdate();
    try {
        Clear();
        reader.ReadListBegin();
        while (!reader.EndOfList())
            Add(reader.ReadString());
        reader.ReadListEnd();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::WriteData(TFilerWriter& writer) const {
    writer.WriteListBegin();
    for (int i = 0; i < Count(); ++i)
        writer.WriteString(Get(i));
    writer.WriteListEnd();
}

// --- TStringList -------------------------------------------------------------

TStringList::~TStringList() {
    OnChange.Clear();
    OnChanging.Clear();
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("Listenindex überschreitet das Maximum (" + IntToStr(index) + ")");
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int index, const std::string& s) {
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].Text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].Object = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count())
        throw EStringListError("Listenindex überschreitet das Maximum (" + IntToStr(index) + ")");
    InsertItem(index, s, nullptr);
}

int TStringList::Add(const std::string& s) {
    InsertItem(Count(), s, nullptr);
    return Count() - 1;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        OnChanging(this);
    else
        OnChange(this);
}

void TStringList::Changed() {
    if (!Updating())
        OnChange(this);
}

void TStringList::Changing() {
    if (!Updating())
        OnChanging(this);
}
