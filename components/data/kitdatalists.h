#pragma once
// The two kit lists whose items are not drawn: text lines and wave sounds.

#include "components/data/kitlistbase.h"

#include <memory>

class TKitWave;
class TStringList;
class TStrings;

class TKitStringListItem : public TKitListItem {
    TESSARO_CLASS(TKitStringListItem, TKitListItem)
public:
    explicit TKitStringListItem(TComponent* owner);
    ~TKitStringListItem() override;

    TStrings* Items() const;
    void SetItems(TStrings* value);

    void ClearData() override;
    bool DataEmpty() override;
    void ReadItemData(TStream& stream) override;
    void WriteItemData(TStream& stream) override;
    std::uint8_t ItemFlags() override;

    // TStrings: the lines only; a string item: header and lines.
    void Assign(TPersistent* source) override;
    // The whole record as the binary property "Internal".
    void DefineProperties(TFiler& filer) override;

private:
    std::unique_ptr<TStringList> FItems;
};

class TKitWaveListItem : public TKitListItem {
    TESSARO_CLASS(TKitWaveListItem, TKitListItem)
public:
    explicit TKitWaveListItem(TComponent* owner);
    ~TKitWaveListItem() override;

    TKitWave* Wave() const { return FWave.get(); }
    void SetWave(TKitWave* value);

    void ClearData() override;
    bool DataEmpty() override;
    void ReadItemData(TStream& stream) override;
    void WriteItemData(TStream& stream) override;
    std::uint8_t ItemFlags() override;

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

private:
    std::unique_ptr<TKitWave> FWave;
};

class TKitStringList : public TKitCustomContainer {
    TESSARO_CLASS(TKitStringList, TKitCustomContainer)
public:
    // The first list of the program registers TKitStringListItem.
    explicit TKitStringList(TComponent* owner);
    TKitStringListItem* Items(int index) const;
};

class TKitWaveList : public TKitCustomContainer {
    TESSARO_CLASS(TKitWaveList, TKitCustomContainer)
public:
    // The first list of the program registers TKitWaveListItem.
    explicit TKitWaveList(TComponent* owner);
    TKitWaveListItem* Items(int index) const;
};
