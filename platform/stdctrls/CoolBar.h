#pragma once
// TCoolBar: the system's rebar. Every windowed control placed on it gets a
// band of its own, in the order they arrive; the band holds the control,
// shows an optional text and may start a new row. The bands are made again
// with the window, and a band takes its control's new window when that one
// is made again.

#include "platform/controls/WinControl.h"

#include <memory>
#include <string>
#include <vector>

class TCoolBar;

class TCoolBand {
public:
    TCoolBand(TCoolBar& bar, TWinControl* control, unsigned id);

    TWinControl* Control() const { return FControl; }
    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);
    // The band's height is at least this (0: the control's height).
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    // The band starts a new row.
    bool Break() const { return FBreak; }
    void SetBreak(bool value);
    unsigned Id() const { return FId; }

private:
    friend class TCoolBar;
    void Apply() const;
    TCoolBar& FBar;
    TWinControl* FControl;
    unsigned FId;
    std::string FText;
    int FMinHeight = 0;
    bool FBreak = false;
};

class TCoolBar : public TWinControl {
    TESSARO_CLASS(TCoolBar, TWinControl)
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    int BandCount() const { return static_cast<int>(FBands.size()); }
    TCoolBand* Bands(int index) const { return FBands.at(static_cast<std::size_t>(index)).get(); }
    // The band holding Control, or null.
    TCoolBand* BandOf(const TControl* control) const;
    // The band's place in the window (the system's index), or -1.
    int BandIndexInWindow(const TCoolBand& band) const;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    friend class TCoolBand;
    void AddBand(TWinControl* control);
    void RemoveBand(const TControl* control);
    // Puts Band into the window as its last band.
    void InsertBand(const TCoolBand& band);
    std::vector<std::unique_ptr<TCoolBand>> FBands;
    unsigned FNextId = 1;
};
