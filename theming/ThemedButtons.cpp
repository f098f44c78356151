#include "theming/ThemedButtons.h"

#include "platform/controls/WinControl.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/stdctrls/CheckListBox.h"
#include "platform/stdctrls/GlyphButtons.h"
#include "theming/ControlClassNames.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"

#include <optional>

namespace {
const TGlyphSettings* GlyphSettingsOf(const TControl* control) {
    return dynamic_cast<const TGlyphSettings*>(control);
}

int GlyphCount(const TGlyphSettings& settings) {
    return settings.NumGlyphs() & 0x7F;
}

// The width of one glyph cell; 0 without a glyph.
int GlyphCellWidth(const TGlyphSettings& settings) {
    const TBitmap* glyph = settings.Glyph();
    const int count = GlyphCount(settings);
    if (!glyph || glyph->Empty() || count == 0)
        return 0;
    return glyph->Width() / count;
}

// The offset of the glyph cell that State shows.
int GlyphCellOffset(const TControl* control, const TGlyphSettings& settings, int state) {
    const int width = GlyphCellWidth(settings);
    const int count = GlyphCount(settings);
    if (!control->Enabled() && count > 1)
        return width;
    if (const auto* speed = dynamic_cast<const TSpeedButton*>(control)) {
        if (speed->State() == bsDown && count > 2)
            return 2 * width;
        if (speed->State() == bsExclusive && count > 3)
            return 3 * width;
        return 0;
    }
    return state == ButtonDrawState::Pressed && count > 2 ? 2 * width : 0;
}

ThemedElementDetails ButtonElement(const TControl* control, int state) {
    const auto* speed = dynamic_cast<const TSpeedButton*>(control);
    if (speed && speed->Flat() && state >= ButtonDrawState::Normal &&
        state <= ButtonDrawState::Disabled)
        return TThemeServices::ToolBarDetails(static_cast<std::uint8_t>(state));
    return TThemeServices::ButtonDetails(static_cast<std::uint8_t>(state));
}

// Text and background colours of a DC for one scope.
class TDCColors {
public:
    TDCColors(HDC dc, COLORREF text, COLORREF back)
        : FDC(dc), FText(::SetTextColor(dc, text)), FBack(::SetBkColor(dc, back)) {}
    ~TDCColors() {
        ::SetBkColor(FDC, FBack);
        ::SetTextColor(FDC, FText);
    }
    TDCColors(const TDCColors&) = delete;
    TDCColors& operator=(const TDCColors&) = delete;

private:
    HDC FDC;
    COLORREF FText;
    COLORREF FBack;
};

// Draws one glyph cell through a mask of the glyph's transparent colour.
void DrawGlyphCell(HDC dc, TBitmap& glyph, int cellX, int cellWidth, POINT at) {
    TBitmap mask;
    mask.Assign(&glyph);
    mask.Mask(glyph.TransparentColor());
    const HDC glyphDC = glyph.Canvas()->Handle();
    const HDC maskDC = mask.Canvas()->Handle();
    const int height = glyph.Height();
    // The mask is white where the glyph is transparent; a monochrome source
    // takes the destination's text (0) and background (1) colours.
    const TDCColors colors(dc, RGB(0, 0, 0), RGB(255, 255, 255));
    ::BitBlt(dc, at.x, at.y, cellWidth, height, glyphDC, cellX, 0, SRCINVERT);
    ::BitBlt(dc, at.x, at.y, cellWidth, height, maskDC, cellX, 0, SRCAND);
    ::BitBlt(dc, at.x, at.y, cellWidth, height, glyphDC, cellX, 0, SRCINVERT);
}

TCustomForm* ParentFormOf(TControl* control) {
    TControl* top = control;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TCustomForm*>(top);
}

// Whether the control found under the cursor, disabled ones included, is
// Control.
bool CursorOver(TControl* control) {
    POINT cursor{};
    if (!::GetCursorPos(&cursor))
        return false;
    TWinControl* window = TWinControl::FindControl(::WindowFromPoint(cursor));
    if (!window)
        return false;
    if (window == control)
        return true;
    const POINT local = window->ScreenToClient(cursor);
    return window->ControlAtPos(local) == control;
}

bool IsBitBtn(const TControl* control) {
    return dynamic_cast<const TBitBtn*>(control) != nullptr;
}
} // namespace

bool ButtonWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    TThemeServices* services = ThemeServicesInstance();
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case CN_KEYDOWN:
        HandleKeyboardCues(control, LOWORD(message.WParam));
        return false;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (IsBitBtn(control))
            control->Invalidate();
        return false;
    case CN_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        auto* window = dynamic_cast<TWinControl*>(control);
        if (!item || !window || !services)
            return false;
        const ThemedElementDetails normal = TThemeServices::ButtonDetails(ButtonDrawState::Normal);
        services->DrawParentBackground(window->Handle(), item->hDC, &normal, true, nullptr);
        if (!IsBitBtn(control))
            return false;
        DrawBitBtnItem(control, *item);
        return true;
    }
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        auto* window = dynamic_cast<TWinControl*>(control);
        if (dc && window) {
            if (ParentDoubleBuffered(control))
                EraseWithParent(control, dc);
            else if (services)
                services->DrawParentBackground(window->Handle(), dc, nullptr, false, nullptr);
        }
        message.Result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    default:
        return false;
    }
}

bool SpeedButtonWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    auto* button = dynamic_cast<TSpeedButton*>(control);
    if (!button)
        return false;
    switch (message.Msg) {
    case WM_PAINT: {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        if (dc) {
            EraseWithParent(button, dc);
            int state = ButtonDrawState::Normal;
            const bool hot = button->Flat() ? button->MouseInControl() : CursorOver(button);
            if (!button->Enabled())
                state = ButtonDrawState::Disabled;
            else if (button->State() == bsDown || button->State() == bsExclusive)
                state = ButtonDrawState::Pressed;
            else if (hot)
                state = ButtonDrawState::Hot;
            DrawThemedButton(button, state, false, button->ClientRect(), dc);
        }
        message.Result = 0;
        return true;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (!button->Flat() && button->Enabled())
            button->Invalidate();
        return false;
    default:
        return false;
    }
}

bool CheckListBoxWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    auto* listBox = dynamic_cast<TCheckListBox*>(control);
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (message.Msg != CN_DRAWITEM || !listBox || !item)
        return false;
    if (listBox->Items()->Count() == 0)
        return true;
    TCanvas* canvas = listBox->Canvas();
    RECT rect = item->rcItem;
    if (listBox->UseRightToLeftAlignment())
        rect.right -= listBox->CheckWidth();
    else
        rect.left += listBox->CheckWidth();
    const TCanvasDCScope scope(*canvas, item->hDC);
    canvas->SetFont(listBox->Font());
    canvas->SetBrush(listBox->Brush());
    const auto index = static_cast<int>(item->itemID);
    if (index >= 0 && (item->itemState & ODS_SELECTED)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    if (index < 0)
        canvas->FillRect(rect);
    else
        DrawCheckListBoxItem(listBox, index, rect, item->itemState);
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(item->hDC, &rect);
    return true;
}

void InitializeThemedButtons() {
    SetThemedHandler(TThemedClass::tcButton, {ButtonWindowProc, false, false});
    SetThemedHandler(TThemedClass::tcSpeedButton, {SpeedButtonWindowProc, false, false});
    SetThemedHandler(TThemedClass::tcCheckListBox, {CheckListBoxWindowProc, false, true});
}

void DrawCheckListBoxItem(TControl* control, int index, RECT rect, UINT itemState) {
    auto* listBox = dynamic_cast<TCheckListBox*>(control);
    if (!listBox)
        return;
    TCanvas* canvas = listBox->Canvas();
    const bool rightToLeft = listBox->UseRightToLeftAlignment();
    const int checkWidth = listBox->CheckWidth();
    const bool listed = index < listBox->Items()->Count();
    if (listed) {
        const RECT check = rightToLeft
                               ? RECT{rect.right, rect.top, rect.right + checkWidth, rect.bottom}
                               : RECT{rect.left - checkWidth, rect.top, rect.left, rect.bottom};
        DrawCheckListBoxCheck(listBox, check, static_cast<int>(listBox->State(index)),
                              listBox->Enabled());
        if (!listBox->Enabled())
            canvas->Font()->SetColor(clGrayText);
    }
    if (listBox->Style() != lbStandard && listBox->OnDrawItem) {
        listBox->OnDrawItem(listBox, index, rect, itemState);
        return;
    }
    canvas->FillRect(rect);
    if (!listed)
        return;
    const UINT format = listBox->DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (rightToLeft)
        rect.right -= 2;
    else
        rect.left += 2;
    const std::string text = listBox->Items()->Get(index);
    ::DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void DrawCheckListBoxCheck(TControl* control, const RECT& rect, int checkState, bool enabled) {
    auto* listBox = dynamic_cast<TCheckListBox*>(control);
    TThemeServices* services = ThemeServicesInstance();
    if (!listBox || !services)
        return;
    RECT box;
    box.left = rect.left + (rect.right - rect.left - CheckBoxWidth) / 2;
    box.top = rect.top + (rect.bottom - rect.top - CheckBoxHeight) / 2;
    box.right = box.left + CheckBoxWidth;
    box.bottom = box.top + CheckBoxHeight;
    // Unchecked, checked, grayed; the disabled look is three ordinals on.
    constexpr std::uint8_t Ordinals[] = {15, 19, 23};
    std::uint8_t ordinal = Ordinals[checkState >= 0 && checkState <= 2 ? checkState : 0];
    if (!enabled)
        ordinal += 3;
    services->DrawElement(listBox->Canvas()->Handle(), TThemeServices::ButtonDetails(ordinal), box,
                          &box);
}

void DrawBitBtnItem(TControl* control, DRAWITEMSTRUCT& item) {
    auto* button = dynamic_cast<TBitBtn*>(control);
    if (!button)
        return;
    POINT cursor{};
    if (button->HandleAllocated() && ::GetCursorPos(&cursor) &&
        ::WindowFromPoint(cursor) == button->Handle())
        item.itemState |= OdsHotLight;
    int state = ButtonDrawState::Normal;
    if (!button->Enabled())
        state = ButtonDrawState::Disabled;
    else if (item.itemState & ODS_SELECTED)
        state = ButtonDrawState::Pressed;
    else if (item.itemState & OdsHotLight)
        state = ButtonDrawState::Hot;
    else if (button->Default() || (item.itemState & ODS_FOCUS))
        state = ButtonDrawState::Defaulted;
    DrawThemedButton(button, state, item.itemState & ODS_FOCUS, item.rcItem, item.hDC);
}

void DrawThemedButton(TControl* control, int state, bool focused, RECT rect, HDC dc) {
    const TGlyphSettings* settings = GlyphSettingsOf(control);
    TThemeServices* services = ThemeServicesInstance();
    if (!settings || !dc || !services)
        return;
    const int cellWidth = GlyphCellWidth(*settings);
    const int cellX = cellWidth ? GlyphCellOffset(control, *settings, state) : 0;

    const ThemedElementDetails details = ButtonElement(control, state);
    services->DrawElement(dc, details, rect);
    rect = services->ElementContentRect(dc, details, rect);

    std::optional<TObjectSelection> font(std::in_place, dc, control->Font()->Handle());
    RECT textBounds{};
    POINT glyphPos{};
    LayoutGlyphAndCaption(control, dc, rect, control->DrawTextBiDiModeFlags(0), textBounds,
                          glyphPos);
    const TColor textColor =
        state == ButtonDrawState::Disabled ? TColor(clGrayText) : control->Font()->Color();
    ::SetTextColor(dc, ColorToRGB(textColor));
    ::SetBkMode(dc, TRANSPARENT);
    const std::string& caption = control->Caption();
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textBounds,
                DT_CENTER | DT_VCENTER);
    if (cellWidth > 0)
        DrawGlyphCell(dc, *settings->Glyph(), cellX, cellWidth, glyphPos);
    font.reset();

    if (focused) {
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::DrawFocusRect(dc, &rect);
    }
}

void LayoutGlyphAndCaption(TControl* control, HDC dc, const RECT& client, UINT biDiFlags,
                           RECT& textBounds, POINT& glyphPos) {
    textBounds = {};
    glyphPos = {};
    const TGlyphSettings* settings = GlyphSettingsOf(control);
    if (!settings)
        return;
    TButtonLayout layout = settings->Layout();
    int margin = settings->Margin();
    int spacing = settings->Spacing();
    if (biDiFlags & DT_RIGHT) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }

    const POINT clientSize{client.right - client.left, client.bottom - client.top};
    POINT glyphSize{};
    if (const TBitmap* glyph = settings->Glyph(); glyph && GlyphCount(*settings) > 0)
        glyphSize = {glyph->Width() / GlyphCount(*settings), glyph->Height()};

    POINT textSize{};
    const std::string& caption = control->Caption();
    if (!caption.empty()) {
        textBounds = {0, 0, clientSize.x, 0};
        if (dc)
            ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textBounds,
                        DT_CALCRECT | biDiFlags);
        textSize = {textBounds.right - textBounds.left, textBounds.bottom - textBounds.top};
    }

    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    POINT textPos{};
    if (horizontal) {
        glyphPos.y = (clientSize.y - glyphSize.y + 1) / 2;
        textPos.y = (clientSize.y - textSize.y + 1) / 2;
    } else {
        glyphPos.x = (clientSize.x - glyphSize.x + 1) / 2;
        textPos.x = (clientSize.x - textSize.x + 1) / 2;
    }

    if (textSize.x == 0 || glyphSize.x == 0)
        spacing = 0;

    const int size = horizontal ? clientSize.x : clientSize.y;
    const int glyph = horizontal ? glyphSize.x : glyphSize.y;
    const int text = horizontal ? textSize.x : textSize.y;
    if (margin == -1 && spacing == -1) {
        margin = (size - (glyph + text)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (size - (glyph + spacing + text) + 1) / 2;
    } else if (spacing == -1) {
        spacing = ((size - (margin + glyph)) - text) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphPos.x = margin;
        textPos.x = glyphPos.x + glyphSize.x + spacing;
        break;
    case blGlyphRight:
        glyphPos.x = clientSize.x - margin - glyphSize.x;
        textPos.x = glyphPos.x - spacing - textSize.x;
        break;
    case blGlyphTop:
        glyphPos.y = margin;
        textPos.y = glyphPos.y + glyphSize.y + spacing;
        break;
    case blGlyphBottom:
        glyphPos.y = clientSize.y - margin - glyphSize.y;
        textPos.y = glyphPos.y - spacing - textSize.y;
        break;
    }

    glyphPos.x += client.left;
    glyphPos.y += client.top;
    ::OffsetRect(&textBounds, textPos.x + client.left, textPos.y + client.top);
}

void EraseWithParent(TControl* control, HDC dc) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent || !dc)
        return;
    POINT origin{};
    ::GetWindowOrgEx(dc, &origin);
    ::SetWindowOrgEx(dc, origin.x + control->Left(), origin.y + control->Top(), nullptr);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}

bool IsDoubleBuffered(const TControl* control) {
    const auto* windowed = dynamic_cast<const TWinControl*>(control);
    return windowed && windowed->DoubleBuffered();
}

bool ParentDoubleBuffered(const TControl* control) {
    return control && IsDoubleBuffered(control->Parent());
}

void HandleKeyboardCues(TControl* control, WORD key) {
    TCustomForm* form = control ? ParentFormOf(control) : nullptr;
    if (!form)
        return;
    if (key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN)) {
        form->Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    } else if (key == VK_MENU) {
        form->Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
        InvalidateStaticTexts(form);
    }
}

void InvalidateStaticTexts(TWinControl* control) {
    if (!control)
        return;
    if (IsInstanceOfClassNamed(control, "TCustomStaticText"))
        control->Invalidate();
    for (TControl* child : control->ControlList())
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            InvalidateStaticTexts(windowed);
}
