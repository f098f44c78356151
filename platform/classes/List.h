#pragma once
// TList: an ordered list of untyped pointers with checked indexes, and a
// typed view TListOf<T> over it.

#include <cstdint>
#include <vector>

// The class library's error for an index outside a list (EListError).
[[noreturn]] void RaiseListIndexError(int index);

class TList {
public:
    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int value);

    void* Get(int index) const;
    void* operator[](int index) const { return Get(index); }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* item);
    int IndexOf(const void* item) const;
    void Clear();

private:
    std::vector<void*> FItems;
};

template <class T> class TListOf : public TList {
public:
    T* Get(int index) const { return static_cast<T*>(TList::Get(index)); }
    T* operator[](int index) const { return Get(index); }
    int Add(T* item) { return TList::Add(item); }
    void Insert(int index, T* item) { TList::Insert(index, item); }
    int Remove(T* item) { return TList::Remove(item); }
    int IndexOf(const T* item) const { return TList::IndexOf(item); }
};
