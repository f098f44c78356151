#include "platform/classes/List.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>

void RaiseListIndexError(int index) {
    throw EListError("Listenindex überschreitet das Maximum (" + IntToStr(index) + ")");
}

void TList::SetCapacity(int value) {
    if (value < Count())
        throw EListError("Listenkapazität überschreitet das Maximum (" + IntToStr(value) + ")");
    FItems.reserve(static_cast<size_t>(value));
}

void* TList::Get(int index) const {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return FItems[static_cast<size_t>(index)];
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count())
        RaiseListIndexError(index);
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

int TList::IndexOf(const void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
}

