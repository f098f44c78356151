#include "platform/stdctrls/PageControl.h"

#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TPageControl::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TPageControl>("TPageControl", [](TPropertyTable& t) {
            TPropertyBuilder<TPageControl> p(t);
            StandardProperties<TPageControl>::Bounds(p);
            StandardProperties<TPageControl>::Common(p);
            StandardProperties<TPageControl>::Tabbing(p, true);
        });
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
    FWidth = 289;
    FHeight = 193;
    SetDefaultTabStop(true);
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TABCONTROLA);
}

void TPageControl::CreateHandleDone() {
    UpdateTabs();
}

RECT TPageControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated())
        ::SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::ranges::find(FPages, page) != FPages.end())
        return;
    FPages.push_back(page);
    if (!FActivePage)
        FActivePage = page;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    std::erase(FPages, page);
    if (FActivePage == page)
        FActivePage = FPages.empty() ? nullptr : FPages.front();
    UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && std::ranges::find(FPages, page) == FPages.end())
        return;
    FActivePage = page;
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    if (HandleAllocated()) {
        ::SendMessageA(WindowHandle(), TCM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < PageCount(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            std::string text = FPages[static_cast<std::size_t>(i)]->Caption();
            item.pszText = text.data();
            ::SendMessageA(WindowHandle(), TCM_INSERTITEMA, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&item));
        }
        const auto active = std::ranges::find(FPages, FActivePage);
        if (active != FPages.end())
            ::SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(active - FPages.begin()), 0);
    }
    PlaceSheets();
}

void TPageControl::PlaceSheets() {
    const RECT r = DisplayRect();
    for (TTabSheet* page : FPages) {
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        page->SetVisible(page == FActivePage);
    }
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    PlaceSheets();
}

void TPageControl::Dispatch(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            const auto index = static_cast<int>(::SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
            if (index >= 0 && index < PageCount()) {
                FActivePage = FPages[static_cast<std::size_t>(index)];
                PlaceSheets();
            }
            message.Result = 0;
            return;
        }
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TTabSheet::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TTabSheet>("TTabSheet", [](TPropertyTable& t) {
        TPropertyBuilder<TTabSheet> p(t);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        StandardProperties<TTabSheet>::Common(p);
    });
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}

void TTabSheet::BeforeDestruction() {
    SetPageControl(nullptr);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    FPageControl = value;
    SetParent(value);
    if (FPageControl)
        FPageControl->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* value) {
    if (auto* pageControl = dynamic_cast<TPageControl*>(value))
        SetPageControl(pageControl);
    else
        TWinControl::SetParentComponent(value);
}

void TTabSheet::SetText(const std::string& value) {
    TWinControl::SetText(value);
    if (FPageControl)
        FPageControl->UpdateTabs();
}
