#pragma once
// The theme services: whether controls are painted in the visual style now,
// one theme handle per element class, the element details (class, part,
// state) of the themed items, and the library's drawing calls. The object
// subclasses the application window to hear WM_THEMECHANGED and re-reads
// the theme state before the window itself sees the message. A window gets
// one procedure of the services however many objects hear it: it calls each
// of them, then passes the message on. It stays below a procedure another
// component installed above it, passing everything on, until the window goes.

#include "platform/classes/Event.h"
#include "platform/classes/Object.h"

#include <array>
#include <cstdint>
#include <string>
#include <windows.h>
#include <uxtheme.h>

class TWinControl;

// The element classes of the visual-styles library, in the order of the
// theme handle table.
enum class ThemeElementClass : std::uint8_t {
    teButton,
    teClock,
    teComboBox,
    teEdit,
    teExplorerBar,
    teHeader,
    teListView,
    teMenu,
    tePage,
    teProgress,
    teRebar,
    teScrollBar,
    teSpin,
    teStartPanel,
    teStatus,
    teTab,
    teTaskBand,
    teTaskBar,
    teToolBar,
    teToolTip,
    teTrackBar,
    teTrayNotify,
    teTreeView,
    teWindow,
};

constexpr int ThemeElementClassCount = 24;

// The class name OpenThemeData receives.
const wchar_t* ThemeElementClassName(ThemeElementClass element);

// What the library draws: the element class and the schema's part and state.
struct ThemedElementDetails {
    ThemeElementClass Element = ThemeElementClass::teButton;
    std::int32_t Part = 0;
    std::int32_t State = 0;
    bool operator==(const ThemedElementDetails&) const = default;
};

class TThemeServices : public TObject {
public:
    // Subclasses Window when it is non-zero, takes a reference on the
    // library and reads the theme state.
    explicit TThemeServices(HWND window);
    ~TThemeServices() override;

    bool LibraryLoaded() const { return FLibraryLoaded; }
    bool ThemesInUse() const { return FThemesInUse; }
    bool ControlThemesAllowed() const { return FControlThemesAllowed; }
    HWND Window() const { return FWindow; }
    // The procedure that leads Window's messages to this object; null while
    // not subclassing.
    WNDPROC ObjectInstance() const { return FObjectInstance; }
    // The procedure the messages go on to.
    WNDPROC SavedWindowProc() const { return FSavedWindowProc; }

    // Every themed painting is gated by this.
    bool ControlThemingEnabled() const {
        return FLibraryLoaded && FThemesInUse && FControlThemesAllowed;
    }
    // The cached handle of Element, opened on first use while themes are in
    // use; 0 while they are not and nothing is cached.
    HTHEME ThemeHandleFor(ThemeElementClass element);
    // The cached handle without opening it.
    HTHEME CachedThemeHandle(ThemeElementClass element) const {
        return FThemeHandles[static_cast<size_t>(element)];
    }
    void RefreshThemeState();
    void CloseThemeHandles();

    // The families: an ordinal of one element class's items to its details.
    // An ordinal in no range gives part 0 and state ordinal + 1.
    static ThemedElementDetails ButtonDetails(std::uint8_t ordinal);
    static ThemedElementDetails EditDetails(std::uint8_t ordinal);
    static ThemedElementDetails RebarDetails(std::uint8_t ordinal);
    static ThemedElementDetails StatusDetails(std::uint8_t ordinal);
    static ThemedElementDetails TabDetails(std::uint8_t ordinal);
    static ThemedElementDetails ToolBarDetails(std::uint8_t ordinal);
    static ThemedElementDetails TrackBarDetails(std::uint8_t ordinal);

    void DrawElement(HDC dc, const ThemedElementDetails& details, const RECT& rect,
                     const RECT* clipRect = nullptr);
    // The content rectangle inside Bounding; Bounding itself when the
    // library cannot tell.
    RECT ElementContentRect(HDC dc, const ThemedElementDetails& details, const RECT& bounding);
    void DrawElementEdge(HDC dc, const ThemedElementDetails& details, const RECT& rect, UINT edge,
                         UINT flags, RECT* contentRect = nullptr);
    void DrawElementText(HDC dc, const ThemedElementDetails& details, const std::wstring& text,
                         const RECT& rect, DWORD flags, DWORD flags2);
    // With OnlyIfTransparent and Details, draws only when the element is
    // partially transparent.
    void DrawParentBackground(HWND window, HDC dc, const ThemedElementDetails* details,
                              bool onlyIfTransparent, const RECT* rect);
    // The themed border of a control with a client edge, drawn into its
    // window's non-client area.
    void PaintClientEdgeBorder(TWinControl* control, bool eraseCorner);

    // Called after a theme change; nothing in the program sets it.
    TNotifyEvent ThemeChangeNotify;

protected:
    virtual void DoThemeChange();

private:
    static LRESULT CALLBACK ThemeWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Subclass();
    // What this object does with a message of its window before the
    // message goes on along the chain.
    void WindowProc(UINT msg);
    void Unsubclass();

    bool FLibraryLoaded = false;
    bool FThemesInUse = false;
    bool FControlThemesAllowed = false;
    HWND FWindow = nullptr;
    WNDPROC FObjectInstance = nullptr;
    WNDPROC FSavedWindowProc = nullptr;
    std::array<HTHEME, ThemeElementClassCount> FThemeHandles{};
};

// The single instance, made on the first call with the application window.
// Null after the unit's shutdown: a late caller must not make it again.
TThemeServices* ThemeServicesInstance();
// Controls are painted in the visual style now: the instance exists and
// says so. Never makes the instance again after the unit's shutdown.
bool IsControlThemingEnabled();

// Unit start-up (allows the instance again) and shutdown (frees it).
void InitializeThemeSrv();
void FinalizeThemeSrv();
