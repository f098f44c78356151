#include "theming/ThemedContainers.h"

#include "platform/classes/Properties.h"
#include "platform/controls/GraphicControl.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"
#include "platform/stdctrls/TrackBar.h"
#include "theming/ControlClassNames.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedButtons.h"

#include <commctrl.h>
#include <string>

namespace {
// Element ordinals of the details families. The enabled group-box frame is
// also passed with every parent background of frames, group boxes and panels.
constexpr std::uint8_t GroupBoxEnabled = 27;
constexpr std::uint8_t GroupBoxDisabled = 28;
constexpr std::uint8_t RebarBand = 4;
constexpr std::uint8_t StatusBackground = 1;
constexpr std::uint8_t TabBody = 43;
constexpr std::uint8_t TrackBarTics = 34;
constexpr LRESULT RedrawWholeOnResize = WVR_HREDRAW | WVR_VREDRAW;

// A published ordinal property by name, for the classes this unit knows only
// by name; Fallback when the class has no such property.
std::int64_t PublishedOrdinal(TObject* object, const char* name, std::int64_t fallback) {
    if (!object)
        return fallback;
    const TPropInfo* info = object->ClassType().Properties().Find(name);
    if (!info || !info->Get)
        return fallback;
    const TPropValue value = info->Get(*object);
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? 1 : 0;
    return fallback;
}

HWND WindowOf(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

HDC DCOf(const TMessage& message) {
    return reinterpret_cast<HDC>(message.WParam);
}

void CallSaved(TThemeManager& manager, TThemedClass cls, TControl* control, TMessage& message) {
    manager.List(cls).CallSavedWindowProc(control, message);
}

void ParentBackground(TControl* control, HDC dc, const ThemedElementDetails* details,
                      bool onlyIfTransparent, const RECT* rect) {
    if (TThemeServices* services = ThemeServicesInstance())
        services->DrawParentBackground(WindowOf(control), dc, details, onlyIfTransparent, rect);
}

// "Erase by the parent": through the parent's own erasing when it buffers
// its painting, else the themed parent background.
void EraseByParent(TControl* control, HDC dc, const ThemedElementDetails* details,
                   bool onlyIfTransparent, const RECT* rect) {
    if (ParentDoubleBuffered(control))
        EraseWithParent(control, dc);
    else
        ParentBackground(control, dc, details, onlyIfTransparent, rect);
}

// WM_ERASEBKGND of a frame, group box or panel: erased by the parent, with
// the enabled group-box frame as the background's element. The message is
// taken.
bool EraseContainerByParent(TControl* control, TMessage& message, bool onlyIfTransparent) {
    const ThemedElementDetails details = TThemeServices::ButtonDetails(GroupBoxEnabled);
    EraseByParent(control, DCOf(message), &details, onlyIfTransparent, nullptr);
    message.Result = 1;
    return true;
}

// The DC's clip region, put back when the scope ends (none when it had none).
class TClipRegionKeeper {
public:
    explicit TClipRegionKeeper(HDC dc) : FDC(dc), FSaved(::CreateRectRgn(0, 0, 0, 0)) {
        if (FSaved && ::GetClipRgn(dc, FSaved.Get()) != 1)
            FSaved.Reset(nullptr);
    }
    ~TClipRegionKeeper() { ::SelectClipRgn(FDC, FSaved.Get()); }
    TClipRegionKeeper(const TClipRegionKeeper&) = delete;
    TClipRegionKeeper& operator=(const TClipRegionKeeper&) = delete;

private:
    HDC FDC;
    TGdiObject<HRGN> FSaved;
};

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(1252, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(1252, 0, text.data(), size, wide.data(), length);
    return wide;
}

bool IsKeyDown(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == CN_KEYDOWN;
}

// WM_PAINT of a container: its own painting, then its non-windowed children.
template <class Paint> void PaintContainer(TWinControl* container, Paint paint) {
    const TPaintDC scope(container->Handle());
    if (!scope.Get())
        return;
    paint(scope.Get());
    container->PaintControls(scope.Get());
}

} // namespace

// --- Forms and frames --------------------------------------------------------

void FormControlListPrelude(TThemeManager& manager, TControl*, TMessage& message) noexcept {
    if (message.Msg != CM_CONTROLLISTCHANGE || !message.WParam)
        return;
    try {
        manager.UpdateControlSubclassing(reinterpret_cast<TControl*>(message.WParam),
                                         message.LParam != 0);
    } catch (...) {
        // The control stays as it was; the message goes on.
    }
}

bool FormWindowProc(TThemeManager& manager, TControl* control, TMessage& message) {
    if (message.Msg != WM_ERASEBKGND && message.Msg != WM_PRINTCLIENT)
        return false;
    const HDC dc = DCOf(message);
    if (!control->Parent())
        CallSaved(manager, TThemedClass::tcForm, control, message);
    else if (ParentDoubleBuffered(control))
        EraseWithParent(control, dc);
    else if (IsDoubleBuffered(control)) {
        // Only the erase that EraseWithParent sends (LParam = DC) is taken.
        if (message.Msg == WM_PRINTCLIENT || static_cast<WPARAM>(message.LParam) == message.WParam)
            EraseWithParent(control, dc);
    } else
        ParentBackground(control, dc, nullptr, false, nullptr);
    message.Result = 1;
    return true;
}

bool FrameWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    auto* frame = dynamic_cast<TWinControl*>(control);
    if (!frame)
        return false;
    switch (message.Msg) {
    case WM_PAINT:
        PaintContainer(frame, [](HDC) {});
        message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        return EraseContainerByParent(control, message, false);
    default:
        return false;
    }
}

// --- Group boxes -------------------------------------------------------------

TGroupBoxLayout GroupBoxLayout(const RECT& clientRect, SIZE captionSize, int width,
                               bool rightToLeft) {
    TGroupBoxLayout layout{};
    if (captionSize.cx > 0 || captionSize.cy > 0) {
        layout.Caption = {0, 0, captionSize.cx, captionSize.cy};
        ::OffsetRect(&layout.Caption, rightToLeft ? width - 8 - captionSize.cx : 8, 0);
    }
    layout.Frame = clientRect;
    layout.Frame.top = (layout.Caption.bottom - layout.Caption.top) / 2;
    return layout;
}

void PaintGroupBox(TWinControl* groupBox, HDC dc) {
    TThemeServices* services = ThemeServicesInstance();
    if (!services || !groupBox || !dc)
        return;
    TObjectSelection font(dc, groupBox->Font()->Handle());
    const std::string& caption = groupBox->Caption();
    SIZE size{};
    if (!caption.empty()) {
        ::SetTextColor(dc, ColorToRGB(groupBox->Font()->Color()));
        ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    }
    const TGroupBoxLayout layout = GroupBoxLayout(groupBox->ClientRect(), size, groupBox->Width(),
                                                  groupBox->UseRightToLeftAlignment());
    const ThemedElementDetails details =
        TThemeServices::ButtonDetails(groupBox->Enabled() ? GroupBoxEnabled : GroupBoxDisabled);
    {
        TClipRegionKeeper clip(dc);
        ::ExcludeClipRect(dc, layout.Caption.left, layout.Caption.top, layout.Caption.right,
                          layout.Caption.bottom);
        services->DrawElement(dc, details, layout.Frame);
    }
    if (!caption.empty()) {
        // The library's text drawing may leave a region behind.
        TClipRegionKeeper clip(dc);
        services->DrawElementText(dc, details, Widen(caption), layout.Caption, 0, 0);
    }
}

bool GroupBoxWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    auto* groupBox = dynamic_cast<TWinControl*>(control);
    if (!groupBox)
        return false;
    if (message.Msg == WM_PAINT) {
        PaintContainer(groupBox, [groupBox](HDC dc) { PaintGroupBox(groupBox, dc); });
        message.Result = 0;
        return true;
    }
    if (message.Msg == WM_ERASEBKGND)
        return EraseContainerByParent(control, message, true);
    if (IsKeyDown(message.Msg))
        HandleKeyboardCues(control, LOWORD(message.WParam));
    return false;
}

// --- Panels ------------------------------------------------------------------

TBevelColors PanelBevelColors(TBevelCut cut) {
    if (cut == TBevelCut::bvLowered)
        return {clBtnShadow, clBtnHighlight};
    return {clBtnHighlight, clBtnShadow};
}

namespace {
bool ParentBrushIsColor(TControl* control) {
    TWinControl* parent = control->Parent();
    return parent && parent->Brush()->Color() == control->Color();
}

} // namespace

void PaintPanel(TCustomPanel* panel, HDC dc) {
    if (!panel || !dc)
        return;
    TCanvas& canvas = *panel->Canvas();
    const TCanvasDCScope scope(canvas, dc);
    canvas.SetFont(panel->Font());
    RECT r = panel->ClientRect();
    if (panel->BevelOuter() != TBevelCut::bvNone) {
        const TBevelColors colors = PanelBevelColors(panel->BevelOuter());
        Frame3D(canvas, r, colors.TopLeft, colors.BottomRight, panel->BevelWidth());
    }
    ::InflateRect(&r, -panel->BorderWidth(), -panel->BorderWidth());
    if (panel->BevelInner() != TBevelCut::bvNone) {
        const TBevelColors colors = PanelBevelColors(panel->BevelInner());
        Frame3D(canvas, r, colors.TopLeft, colors.BottomRight, panel->BevelWidth());
    }
    if (!panel->ParentColor() && !ParentBrushIsColor(panel)) {
        canvas.Brush()->SetColor(panel->Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(r);
    } else if (ParentDoubleBuffered(panel)) {
        EraseWithParent(panel, dc);
    } else {
        const ThemedElementDetails details = TThemeServices::ButtonDetails(GroupBoxEnabled);
        ParentBackground(panel, dc, &details, false, &r);
    }
    const int height = canvas.TextHeight("W");
    r.top = (r.top + r.bottom - height) / 2;
    r.bottom = r.top + height;
    const UINT alignment = panel->Alignment() == taLeftJustify    ? DT_LEFT
                           : panel->Alignment() == taRightJustify ? DT_RIGHT
                                                                  : DT_CENTER;
    const UINT format = panel->DrawTextBiDiModeFlags(alignment | DT_EXPANDTABS | DT_VCENTER);
    TObjectSelection font(dc, panel->Font()->Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(panel->Font()->Color()));
    ::DrawTextA(dc, panel->Caption().c_str(), -1, &r, format);
}

bool PanelWindowProc(TThemeManager& manager, TControl* control, TMessage& message) {
    auto* panel = dynamic_cast<TCustomPanel*>(control);
    if (!panel)
        return false;
    // A panel of its own colour is never themed; one of its parent's colour
    // is themed even while theming is off.
    if (!(IsControlThemingEnabled() && panel->ParentColor()) && !ParentBrushIsColor(panel))
        return false;
    switch (message.Msg) {
    case WM_PAINT:
        PaintContainer(panel, [panel](HDC dc) { PaintPanel(panel, dc); });
        message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        return EraseContainerByParent(control, message, false);
    case WM_NCPAINT:
        CallSaved(manager, TThemedClass::tcPanel, control, message);
        if (panel->BorderStyle() != bsNone && panel->HandleAllocated())
            if (TThemeServices* services = ThemeServicesInstance()) {
                RECT r = panel->BoundsRect();
                ::OffsetRect(&r, -r.left, -r.top);
                TNonClientDC dc(panel->Handle());
                if (dc.Get())
                    services->DrawElementEdge(dc.Get(), TThemeServices::RebarDetails(RebarBand), r,
                                              EDGE_SUNKEN, BF_RECT);
            }
        message.Result = 0;
        return true;
    case WM_PRINTCLIENT:
        PaintPanel(panel, DCOf(message));
        if (DCOf(message))
            panel->PaintControls(DCOf(message));
        message.Result = 0;
        return true;
    default:
        return false;
    }
}

// --- Tab sheets, splitters, status bars -----------------------------------------

bool TabSheetWindowProc(TThemeManager& manager, TControl* control, TMessage& message) {
    TThemeServices* services = ThemeServicesInstance();
    if (!services)
        return false;
    switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        if (manager.Options().Contains(toAlternateTabSheetDraw))
            services->DrawElement(DCOf(message), TThemeServices::TabDetails(TabBody),
                                  control->ClientRect());
        else
            ParentBackground(control, DCOf(message), nullptr, false, nullptr);
        message.Result = 1;
        return true;
    case WM_NCPAINT: {
        if (const HWND window = WindowOf(control)) {
            // The platform's tab sheets have no border of their own: the
            // client area starts at the window's corner.
            TNonClientDC dc(window);
            if (dc.Get()) {
                const RECT r = control->ClientRect();
                ::ExcludeClipRect(dc.Get(), r.left, r.top, r.right, r.bottom);
                const ThemedElementDetails details = TThemeServices::TabDetails(TabBody);
                services->DrawParentBackground(window, dc.Get(), &details, false, nullptr);
            }
        }
        message.Result = 0;
        return true;
    }
    default:
        return false;
    }
}

bool SplitterWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    if (message.Msg != WM_PAINT)
        return false;
    if (DCOf(message))
        EraseWithParent(control, DCOf(message));
    message.Result = 0;
    return true;
}

bool StatusBarWindowProc(TThemeManager& manager, TControl* control, TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        if (TThemeServices* services = ThemeServicesInstance())
            services->DrawElement(DCOf(message), TThemeServices::StatusDetails(StatusBackground),
                                  control->ClientRect());
        message.Result = 1;
        return true;
    }
    if (message.Msg == WM_NCCALCSIZE) {
        CallSaved(manager, TThemedClass::tcStatusBar, control, message);
        if (message.WParam)
            message.Result |= RedrawWholeOnResize;
        return true;
    }
    return false;
}

// --- Track bars --------------------------------------------------------------

namespace {
int SystemMetricParameter(UINT action) {
    UINT value = 0;
    if (!::SystemParametersInfoA(action, 0, &value, 0))
        return 0;
    return static_cast<int>(value);
}

void PaintTrackBarTics(TTrackBar* trackBar, HDC dc) {
    RECT r = trackBar->ClientRect();
    if (trackBar->Focused() && (trackBar->Perform(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0)
        ::InflateRect(&r, -SystemMetricParameter(SPI_GETFOCUSBORDERWIDTH),
                      -SystemMetricParameter(SPI_GETFOCUSBORDERHEIGHT));
    ParentBackground(trackBar, dc, nullptr, false, &r);
}

void PaintTrackBarChannel(TTrackBar* trackBar, HDC dc) {
    RECT r{};
    ::SendMessageA(trackBar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    const RECT client = trackBar->ClientRect();
    const bool focused = trackBar->Focused();
    if (trackBar->Orientation() == trHorizontal) {
        const int edge = focused ? SystemMetricParameter(SPI_GETFOCUSBORDERWIDTH) : 0;
        r.left = client.left + edge;
        r.right = client.right - edge;
    } else {
        const int edge = focused ? SystemMetricParameter(SPI_GETFOCUSBORDERHEIGHT) : 0;
        r.top = client.top + edge;
        r.bottom = client.bottom - edge;
    }
    TClipRegionKeeper clip(dc);
    TGdiObject<HRGN> band(::CreateRectRgnIndirect(&r));
    if (!band)
        return;
    ::SelectClipRgn(dc, band.Get());
    const ThemedElementDetails details = TThemeServices::TrackBarDetails(TrackBarTics);
    ParentBackground(trackBar, dc, &details, false, nullptr);
}
} // namespace

bool TrackBarWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    // Everything else, the scroll notifications behind OnChange among them,
    // goes on to the control.
    auto* trackBar = dynamic_cast<TTrackBar*>(control);
    if (message.Msg != CN_NOTIFY || !message.LParam || !trackBar)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW))
        return true;
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam);
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        message.Result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw->dwDrawStage == CDDS_ITEMPREPAINT && draw->hdc) {
        if (draw->dwItemSpec == TBCD_TICS)
            PaintTrackBarTics(trackBar, draw->hdc);
        else if (draw->dwItemSpec == TBCD_CHANNEL)
            PaintTrackBarChannel(trackBar, draw->hdc);
    }
    message.Result = CDRF_DODEFAULT;
    return true;
}

// --- List views, animations, other windowed controls ---------------------------

bool ListViewWindowProc(TThemeManager&, TControl*, TMessage& message) {
    switch (message.Msg) {
    case LVM_SETCOLUMNA:
    case LVM_INSERTCOLUMNA:
        // An image index of -1 means no image; the control would draw one.
        if (auto* column = reinterpret_cast<LVCOLUMNA*>(message.LParam);
            column && column->iImage == -1)
            column->mask &= ~static_cast<UINT>(LVCF_IMAGE);
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        return header && header->code == static_cast<UINT>(HDN_GETDISPINFOW);
    }
    default:
        return false;
    }
}

bool AnimateWindowProc(TThemeManager&, TControl* control, TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return true;
    }
    if (message.Msg == CN_CTLCOLORSTATIC && PublishedOrdinal(control, "Transparent", 0) != 0) {
        // The system colour's index: the platform marks system colours with
        // the whole top byte, so masking the top bit alone would not do.
        const auto color = static_cast<std::uint32_t>(control->Color());
        const int index = static_cast<int>((color & 0x80000000u) ? color & 0xFFu : color);
        message.Result = reinterpret_cast<LRESULT>(::GetSysColorBrush(index));
        return true;
    }
    return false;
}

bool WinControlWindowProc(TThemeManager& manager, TControl* control, TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        if (!IsInstanceOfClassNamed(control, "TScrollingWinControl"))
            return false;
        if (IsDoubleBuffered(control))
            EraseWithParent(control, DCOf(message));
        else
            ParentBackground(control, DCOf(message), nullptr, false, nullptr);
        message.Result = 1;
        return true;
    }
    if (message.Msg == WM_NCPAINT) {
        CallSaved(manager, TThemedClass::tcWinControl, control, message);
        if (TThemeServices* services = ThemeServicesInstance())
            services->PaintClientEdgeBorder(dynamic_cast<TWinControl*>(control),
                                            IsInstanceOfClassNamed(control, "TCustomGrid"));
        return true;
    }
    if (IsKeyDown(message.Msg)) {
        HandleKeyboardCues(control, LOWORD(message.WParam));
        return false;
    }
    if (message.Msg == CN_CTLCOLORSTATIC && IsInstanceOfClassNamed(control, "TCustomStaticText")) {
        const HDC dc = DCOf(message);
        ::SetBkMode(dc, TRANSPARENT);
        const int saved = ::SaveDC(dc);
        ParentBackground(control, dc, nullptr, false, nullptr);
        CallSaved(manager, TThemedClass::tcWinControl, control, message);
        ::RestoreDC(dc, saved);
        message.Result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    return false;
}

void InitializeThemedContainers() {
    // The form feeds the subclassing and the list view fixes its columns
    // also while controls are not themed; the panel decides for itself.
    TThemedHandler form{FormWindowProc};
    form.Prelude = FormControlListPrelude;
    SetThemedHandler(TThemedClass::tcForm, form);
    SetThemedHandler(TThemedClass::tcFrame, {FrameWindowProc, false});
    SetThemedHandler(TThemedClass::tcGroupBox, {GroupBoxWindowProc, false});
    SetThemedHandler(TThemedClass::tcPanel, {PanelWindowProc, true});
    SetThemedHandler(TThemedClass::tcTabSheet, {TabSheetWindowProc, false});
    SetThemedHandler(TThemedClass::tcSplitter, {SplitterWindowProc, false});
    SetThemedHandler(TThemedClass::tcStatusBar, {StatusBarWindowProc, false});
    SetThemedHandler(TThemedClass::tcTrackBar, {TrackBarWindowProc, false});
    SetThemedHandler(TThemedClass::tcListView, {ListViewWindowProc, true});
    SetThemedHandler(TThemedClass::tcAnimate, {AnimateWindowProc, false});
    SetThemedHandler(TThemedClass::tcWinControl, {WinControlWindowProc, false});
}

void FinalizeThemedContainers() {
    for (TThemedClass cls :
         {TThemedClass::tcForm, TThemedClass::tcFrame, TThemedClass::tcGroupBox,
          TThemedClass::tcPanel, TThemedClass::tcTabSheet, TThemedClass::tcSplitter,
          TThemedClass::tcStatusBar, TThemedClass::tcTrackBar, TThemedClass::tcListView,
          TThemedClass::tcAnimate, TThemedClass::tcWinControl})
        SetThemedHandler(cls, {});
}
