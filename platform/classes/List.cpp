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

void TList::SetCount(int value) {
    if (value < 0)
        throw EListError("Listenanzahl überschreitet das Maximum (" + IntToStr(value) + ")");
    FItems.resize(static_cast<size_t>(value), nullptr);
}

void* TList::Get(int index) const {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return FItems[static_cast<size_t>(index)];
}

void TList::Put(int index, void* item) {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    FItems[static_cast<size_t>(index)] = item;
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

void* TList::Extract(void* item) {
    return Remove(item) >= 0 ? item : nullptr;
}

int TList::IndexOf(const void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Exchange(int index1, int index2) {
    if (index1 < 0 || index1 >= Count())
        RaiseListIndexError(index1);
    if (index2 < 0 || index2 >= Count())
        RaiseListIndexError(index2);
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    if (newIndex < 0 || newIndex >= Count())
        RaiseListIndexError(newIndex);
    void* item = Get(curIndex);
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
}

void TList::Pack() {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

void TList::Sort(const std::function<int(void*, void*)>& compare) {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [&](void* a, void* b) { return compare(a, b) < 0; });
}
