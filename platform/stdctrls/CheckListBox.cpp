#include "platform/stdctrls/CheckListBox.h"

#include "platform/classes/Properties.h"
#include "platform/controls/MouseTracking.h"
#include "platform/graphics/GdiObject.h"
#include "platform/stdctrls/StandardProperties.h"

namespace {
const TEnumNames& ListBoxStyleNames() {
    static const TEnumNames names = {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"};
    return names;
}

// The width of one glyph of the system's check-box bitmap.
int SystemCheckBoxWidth() {
    constexpr WORD CheckBoxesBitmap = 32759;
    static const int width = [] {
        TGdiObject<HBITMAP> glyphs(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckBoxesBitmap)));
        BITMAP info{};
        if (glyphs && ::GetObjectA(glyphs.Get(), sizeof(info), &info) == sizeof(info))
            return static_cast<int>(info.bmWidth / 4);
        return 13;
    }();
    return width;
}
} // namespace

const TClassInfo& TCheckListBox::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TCheckListBox>("TCheckListBox", [](TPropertyTable& t) {
            TPropertyBuilder<TCheckListBox> p(t);
            StandardProperties<TCheckListBox>::Bounds(p);
            p.Boolean("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed,
                      false);
            StandardProperties<TCheckListBox>::Common(p);
            p.Integer("ItemHeight", &TCheckListBox::ItemHeight, &TCheckListBox::SetItemHeight, 16);
            p.Object("Items", &TCheckListBox::Items);
            p.Enum("Style", ListBoxStyleNames(), &TCheckListBox::Style, &TCheckListBox::SetStyle,
                   std::optional<TListBoxStyle>(lbStandard));
            StandardProperties<TCheckListBox>::Tabbing(p, true);
            p.Event("OnClickCheck", &TCheckListBox::OnClickCheck);
            p.Event("OnDrawItem", &TCheckListBox::OnDrawItem);
        });
    return info;
}

TCheckListBox::TCheckListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TStringList>()),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
    FWidth = 121;
    FHeight = 97;
    SetDefaultTabStop(true);
    FParentColor = false;
    FItems->OnChange = TNotifyEvent::Of<&TCheckListBox::ItemsChanged>(this);
}

TCheckListBox::~TCheckListBox() {
    FItems->OnChange.Clear();
}

TCheckBoxState TCheckListBox::State(int index) const {
    if (index < 0 || index >= static_cast<int>(FStates.size()))
        return cbUnchecked;
    return FStates[static_cast<size_t>(index)];
}

void TCheckListBox::SetState(int index, TCheckBoxState value) {
    if (index < 0 || index >= static_cast<int>(FStates.size()))
        return;
    if (FStates[static_cast<size_t>(index)] == value)
        return;
    FStates[static_cast<size_t>(index)] = value;
    InvalidateItem(index);
}

void TCheckListBox::SetStyle(TListBoxStyle value) {
    // Every style is owner-drawn already; the style only says who paints
    // the text.
    if (value != FStyle) {
        FStyle = value;
        Invalidate();
    }
}

void TCheckListBox::SetItemHeight(int value) {
    if (value > 0 && value != FItemHeight) {
        FItemHeight = value;
        if (HandleAllocated())
            ::SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, value);
    }
}

int TCheckListBox::CheckWidth() const {
    return SystemCheckBoxWidth() + 2;
}

void TCheckListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    // Every style is drawn by the owner: the check column needs it.
    params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    WS_VSCROLL | WS_BORDER;
}

void TCheckListBox::CreateHandleDone() {
    ::SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, FItemHeight);
    FillWindow();
}

void TCheckListBox::ItemsChanged(TObject*) {
    // States follow their index; new items start unchecked.
    FStates.resize(static_cast<size_t>(FItems->Count()), cbUnchecked);
    FillWindow();
}

void TCheckListBox::FillWindow() {
    if (!HandleAllocated())
        return;
    ::SendMessageA(WindowHandle(), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < FItems->Count(); ++i) {
        const std::string text = FItems->Get(i);
        ::SendMessageA(WindowHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCheckListBox::InvalidateItem(int index) {
    if (!HandleAllocated())
        return;
    RECT r{};
    if (::SendMessageA(WindowHandle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        ::InvalidateRect(WindowHandle(), &r, FALSE);
}

void TCheckListBox::ToggleState(int index) {
    TCheckBoxState next = cbUnchecked;
    switch (State(index)) {
    case cbUnchecked:
        next = FAllowGrayed ? cbGrayed : cbChecked;
        break;
    case cbGrayed:
        next = cbChecked;
        break;
    case cbChecked:
        next = cbUnchecked;
        break;
    }
    SetState(index, next);
    if (OnClickCheck)
        OnClickCheck(this);
}

void TCheckListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_DRAWITEM:
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))
            DrawItem(*item);
        message.Result = 1;
        return;
    case CN_MEASUREITEM:
        if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))
            item->itemHeight = static_cast<UINT>(FItemHeight);
        message.Result = 1;
        return;
    case WM_LBUTTONDOWN: {
        const int x = MouseMessagePoint(message.LParam).x;
        const LRESULT hit = ::SendMessageA(WindowHandle(), LB_ITEMFROMPOINT, 0, message.LParam);
        const int index = static_cast<int>(LOWORD(hit));
        const bool inCheckColumn =
            UseRightToLeftAlignment() ? x >= ClientWidth() - CheckWidth() : x < CheckWidth();
        if (HIWORD(hit) == 0 && inCheckColumn && Enabled())
            ToggleState(index);
        break;
    }
    case WM_KEYDOWN:
        if (message.WParam == VK_SPACE && Enabled()) {
            const auto index = static_cast<int>(::SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
            if (index != LB_ERR)
                ToggleState(index);
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    TGdiObject<HBRUSH> back(
        ::CreateSolidBrush(ColorToRGB(selected ? TColor(clHighlight) : Color())));
    ::FillRect(dc, &rect, back.Get());
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= FItems->Count())
        return;
    const bool rightToLeft = UseRightToLeftAlignment();
    RECT check = rightToLeft ? RECT{rect.right - CheckWidth(), rect.top, rect.right, rect.bottom}
                             : RECT{rect.left, rect.top, rect.left + CheckWidth(), rect.bottom};
    const int box = SystemCheckBoxWidth();
    check.left += (CheckWidth() - box) / 2;
    check.right = check.left + box;
    check.top += (rect.bottom - rect.top - box) / 2;
    check.bottom = check.top + box;
    UINT flags = DFCS_BUTTONCHECK;
    if (State(index) == cbChecked)
        flags |= DFCS_CHECKED;
    else if (State(index) == cbGrayed)
        flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!Enabled())
        flags |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &check, DFC_BUTTON, flags);

    if (rightToLeft)
        rect.right -= CheckWidth() + 2;
    else
        rect.left += CheckWidth() + 2;
    const HGDIOBJ oldFont = ::SelectObject(dc, Font()->Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(!Enabled() ? TColor(clGrayText)
                                  : selected ? TColor(clHighlightText)
                                             : Font()->Color()));
    const std::string text = FItems->Get(index);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
    ::SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::DrawFocusRect(dc, &focus);
    }
}
