#include "theming/ThemeSrv.h"

#include "platform/controls/ExceptionHook.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/graphics/DeviceContext.h"
#include "theming/UxTheme.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace {

const wchar_t* const ElementClassNames[ThemeElementClassCount] = {
    L"button",   L"clock",      L"combobox", L"edit",       L"explorerbar", L"header",
    L"listview", L"menu",       L"page",     L"progress",   L"rebar",       L"scrollbar",
    L"spin",     L"startpanel", L"status",   L"tab",        L"taskband",    L"taskbar",
    L"toolbar",  L"tooltip",    L"trackbar", L"traynotify", L"treeview",    L"window",
};

// Common controls 6.0 packed as major.minor is 0x60000.
constexpr std::uint32_t LastVersionWithoutThemes = 0x5FFFF;

// The last ordinal of each range of a family; the ranges follow each other
// from ordinal 2 on, and range n (from 0) is part n + 1.
constexpr std::uint8_t ButtonRanges[] = {6, 14, 26, 28, 29};
constexpr std::uint8_t EditRanges[] = {8, 9};
constexpr std::uint8_t RebarRanges[] = {2, 3, 9, 13, 17};
constexpr std::uint8_t StatusRanges[] = {2, 3, 4};
constexpr std::uint8_t TabRanges[] = {6, 11, 16, 21, 26, 31, 36, 41, 42, 43};
constexpr std::uint8_t ToolBarRanges[] = {7, 13, 19, 25, 31, 37};
constexpr std::uint8_t TrackBarRanges[] = {2, 3, 8, 13, 18, 23, 28, 33, 34, 35};

ThemedElementDetails DetailsOf(ThemeElementClass element, std::span<const std::uint8_t> lasts,
                               std::uint8_t ordinal) {
    int first = 2;
    int part = 1;
    for (const std::uint8_t last : lasts) {
        if (ordinal >= first && ordinal <= last)
            return {element, part, ordinal - first + 1};
        first = last + 1;
        ++part;
    }
    return {element, 0, ordinal + 1};
}

// The services objects on one window, oldest first, and the procedure the
// window had before the first of them came; kept in a window property.
struct TServicesChain {
    WNDPROC Next = nullptr;
    std::vector<TThemeServices*> Objects;
};
const char* const ChainProperty = "Tessaro.ThemeServices";

TServicesChain* ChainOf(HWND window) {
    return static_cast<TServicesChain*>(::GetPropA(window, ChainProperty));
}

std::unique_ptr<TThemeServices> Instance;
bool InstanceFinalized = false;

} // namespace

const wchar_t* ThemeElementClassName(ThemeElementClass element) {
    return ElementClassNames[static_cast<size_t>(element)];
}

TThemeServices::TThemeServices(HWND window) : FWindow(window) {
    if (FWindow)
        Subclass();
    FLibraryLoaded = AcquireThemeApi();
    RefreshThemeState();
}

TThemeServices::~TThemeServices() {
    Unsubclass();
    CloseThemeHandles();
    ReleaseThemeApi();
}

void TThemeServices::Subclass() {
    TServicesChain* chain = ChainOf(FWindow);
    if (!chain) {
        // The window's first services object installs the one procedure.
        auto made = std::make_unique<TServicesChain>();
        made->Next = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(FWindow, GWLP_WNDPROC));
        if (!::SetPropA(FWindow, ChainProperty, made.get()))
            return;
        chain = made.release();
        ::SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ThemeWindowProc));
    }
    chain->Objects.push_back(this);
    FObjectInstance = &ThemeWindowProc;
    FSavedWindowProc = chain->Next;
}

void TThemeServices::Unsubclass() {
    if (!FObjectInstance)
        return;
    FObjectInstance = nullptr;
    TServicesChain* chain = ChainOf(FWindow);
    if (!chain)
        return;
    std::erase(chain->Objects, this);
    // The last object takes the procedure away, unless another one was
    // installed above it: then it stays and passes everything on.
    if (chain->Objects.empty() &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(FWindow, GWLP_WNDPROC)) == &ThemeWindowProc) {
        ::SetWindowLongPtrA(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->Next));
        ::RemovePropA(FWindow, ChainProperty);
        delete chain;
    }
}

LRESULT CALLBACK TThemeServices::ThemeWindowProc(HWND window, UINT msg, WPARAM wParam,
                                                 LPARAM lParam) {
    TServicesChain* chain = ChainOf(window);
    if (!chain)
        return ::DefWindowProcA(window, msg, wParam, lParam);
    // Copies: an object may leave, and take the chain with it, meanwhile.
    const WNDPROC next = chain->Next;
    const std::vector<TThemeServices*> objects(chain->Objects.rbegin(), chain->Objects.rend());
    for (TThemeServices* object : objects) {
        chain = ChainOf(window);
        if (!chain || std::ranges::find(chain->Objects, object) == chain->Objects.end())
            continue;
        try {
            object->WindowProc(msg);
        } catch (...) {
            HandleCurrentException();
        }
    }
    if (msg == WM_NCDESTROY)
        if (TServicesChain* left = ChainOf(window)) {
            ::RemovePropA(window, ChainProperty);
            delete left;
        }
    return ::CallWindowProcA(next, window, msg, wParam, lParam);
}

void TThemeServices::WindowProc(UINT msg) {
    if (msg == WM_DESTROY) {
        Unsubclass();
    } else if (msg == WM_THEMECHANGED) {
        RefreshThemeState();
        DoThemeChange();
    }
}

void TThemeServices::DoThemeChange() {
    ThemeChangeNotify(this);
}

void TThemeServices::RefreshThemeState() {
    if (FThemesInUse)
        CloseThemeHandles();
    FThemesInUse = IsThemingActive() && CommonControlsVersion().Packed() > LastVersionWithoutThemes;
    FControlThemesAllowed =
        FThemesInUse && (UxTheme::GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
}

void TThemeServices::CloseThemeHandles() {
    // Closed whether or not the window still exists: the handles belong to
    // the library, not to the window.
    for (HTHEME& handle : FThemeHandles) {
        if (handle) {
            UxTheme::CloseThemeData(handle);
            handle = nullptr;
        }
    }
}

HTHEME TThemeServices::ThemeHandleFor(ThemeElementClass element) {
    HTHEME& handle = FThemeHandles[static_cast<size_t>(element)];
    if (FThemesInUse && !handle)
        handle = UxTheme::OpenThemeData(FWindow, ThemeElementClassName(element));
    return handle;
}

ThemedElementDetails TThemeServices::ButtonDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teButton, ButtonRanges, ordinal);
}

ThemedElementDetails TThemeServices::EditDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teEdit, EditRanges, ordinal);
}

ThemedElementDetails TThemeServices::RebarDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teRebar, RebarRanges, ordinal);
}

ThemedElementDetails TThemeServices::StatusDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teStatus, StatusRanges, ordinal);
}

ThemedElementDetails TThemeServices::TabDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teTab, TabRanges, ordinal);
}

ThemedElementDetails TThemeServices::ToolBarDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teToolBar, ToolBarRanges, ordinal);
}

ThemedElementDetails TThemeServices::TrackBarDetails(std::uint8_t ordinal) {
    return DetailsOf(ThemeElementClass::teTrackBar, TrackBarRanges, ordinal);
}

void TThemeServices::DrawElement(HDC dc, const ThemedElementDetails& details, const RECT& rect,
                                 const RECT* clipRect) {
    UxTheme::DrawThemeBackground(ThemeHandleFor(details.Element), dc, details.Part, details.State,
                                 &rect, clipRect);
}

RECT TThemeServices::ElementContentRect(HDC dc, const ThemedElementDetails& details,
                                        const RECT& bounding) {
    RECT content = bounding;
    if (FAILED(UxTheme::GetThemeBackgroundContentRect(
            ThemeHandleFor(details.Element), dc, details.Part, details.State, &bounding, &content)))
        content = bounding;
    return content;
}

void TThemeServices::DrawElementEdge(HDC dc, const ThemedElementDetails& details, const RECT& rect,
                                     UINT edge, UINT flags, RECT* contentRect) {
    UxTheme::DrawThemeEdge(ThemeHandleFor(details.Element), dc, details.Part, details.State, &rect,
                           edge, flags, contentRect);
}

void TThemeServices::DrawElementText(HDC dc, const ThemedElementDetails& details,
                                     const std::wstring& text, const RECT& rect, DWORD flags,
                                     DWORD flags2) {
    UxTheme::DrawThemeText(ThemeHandleFor(details.Element), dc, details.Part, details.State,
                           text.c_str(), static_cast<int>(text.size()), flags, flags2, &rect);
}

void TThemeServices::DrawParentBackground(HWND window, HDC dc, const ThemedElementDetails* details,
                                          bool onlyIfTransparent, const RECT* rect) {
    if (onlyIfTransparent && details &&
        !UxTheme::IsThemeBackgroundPartiallyTransparent(ThemeHandleFor(details->Element),
                                                        details->Part, details->State))
        return;
    UxTheme::DrawThemeParentBackground(window, dc, rect);
}

void TThemeServices::PaintClientEdgeBorder(TWinControl* control, bool eraseCorner) {
    // Called while painting a window's frame: a control without a window
    // has no border to paint and is not given one here.
    if (!control || !control->HandleAllocated())
        return;
    const HWND window = control->Handle();
    if ((::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0)
        return;
    RECT whole{};
    ::GetWindowRect(window, &whole);
    ::OffsetRect(&whole, -whole.left, -whole.top);
    const TNonClientDC dc(window);
    if (!dc.Get())
        return;
    RECT inner = whole;
    ::InflateRect(&inner, -2, -2);
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    if (eraseCorner && (style & WS_HSCROLL) && (style & WS_VSCROLL)) {
        const RECT corner{inner.right - ::GetSystemMetrics(SM_CXVSCROLL),
                          inner.bottom - ::GetSystemMetrics(SM_CYHSCROLL), inner.right,
                          inner.bottom};
        ::FillRect(dc.Get(), &corner, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::ExcludeClipRect(dc.Get(), inner.left, inner.top, inner.right, inner.bottom);
    DrawElement(dc.Get(), EditDetails(2), whole);
}

bool IsControlThemingEnabled() {
    const TThemeServices* services = ThemeServicesInstance();
    return services && services->ControlThemingEnabled();
}

TThemeServices* ThemeServicesInstance() {
    if (InstanceFinalized)
        return nullptr;
    if (!Instance)
        Instance = std::make_unique<TThemeServices>(Application ? Application->Handle() : nullptr);
    return Instance.get();
}

void InitializeThemeSrv() {
    InstanceFinalized = false;
}

void FinalizeThemeSrv() {
    Instance.reset();
    InstanceFinalized = true;
}
