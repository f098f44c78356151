#pragma once
// TPageControl and TTabSheet: the system's tab control holding one sheet
// per tab; only the active sheet is shown, inside the tab's display area.

#include "platform/controls/WinControl.h"

#include <vector>

class TTabSheet;

class TPageControl : public TWinControl {
    TESSARO_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    // The area the sheets fill, in client coordinates.
    RECT DisplayRect();

    void Dispatch(TMessage& message) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTabs();
    void PlaceSheets();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

class TTabSheet : public TWinControl {
    TESSARO_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    void SetParentComponent(TComponent* value) override;
    void SetText(const std::string& value) override;

private:
    TPageControl* FPageControl = nullptr;
};
