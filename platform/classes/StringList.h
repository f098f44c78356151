#pragma once
// TStrings: a list of strings, each with an associated object pointer, that
// can be copied, loaded and saved as text and streamed in form resources as
// the list property "Strings". TStringList keeps them in memory, in the
// order they were added or inserted in.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The lines a text makes: each ends at CR LF, CR or LF, and text after the
// last break is one more. Line is called with each, without its break.
template <class F> void ForEachTextLine(std::string_view text, F&& line) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}
// How many lines SetText makes of Text.
std::int64_t CountTextLines(std::string_view text);

class TStrings : public TPersistent {
    TESSARO_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    virtual int Add(const std::string& s);
    int AddObject(const std::string& s, TObject* object);
    void AddStrings(const TStrings& strings);

    // Lines joined with CR LF, each one ended by it.
    std::string GetText() const;
    // Splits at CR LF, CR or LF.
    void SetText(const std::string& text);

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

protected:
    // Called when an update begins (true) or ends (false).
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    void ReadData(TFilerReader& reader);
    void WriteData(TFilerWriter& writer) const;
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
    TESSARO_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        std::string Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& s, TObject* object);
    std::vector<Item> FItems;
};
