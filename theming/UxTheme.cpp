#include "theming/UxTheme.h"

#include "platform/rtl/SystemLibrary.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/rtl/CriticalSection.h"

#include <memory>

namespace {

const char* const EntryNames[ThemeEntryCount] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemePartSize",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "GetThemePropertyOrigin",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
};

// A re-entrant lock that lives from unit start-up to shutdown.
std::unique_ptr<TCriticalSection> LoaderLock;
int ReferenceCount = 0;
HMODULE Module = nullptr;
std::array<FARPROC, ThemeEntryCount> Entries{};

// Holds the loader lock for one scope. Outside the unit's lifetime there is
// no lock; every call comes from the GUI thread, so none is needed then.
class TLoaderGuard : public TCriticalSectionGuard {
public:
    TLoaderGuard() : TCriticalSectionGuard(LoaderLock.get()) {}
};

void BindEntries() {
    for (int i = 0; i < ThemeEntryCount; ++i)
        Entries[static_cast<size_t>(i)] = ::GetProcAddress(Module, EntryNames[i]);
}

template <class Fn> Fn EntryAs(TThemeEntry entry) {
    return AsFunction<Fn>(Entries[static_cast<size_t>(entry)]);
}

// Calls the entry with the arguments' exact types, or answers Fallback
// when the entry is not bound.
template <TThemeEntry E, class R, class... A> R CallEntry(R fallback, A... args) {
    const auto entry = EntryAs<R(WINAPI*)(A...)>(E);
    return entry ? entry(args...) : fallback;
}

} // namespace

std::span<const char* const, ThemeEntryCount> ThemeEntryNames() {
    return std::span<const char* const, ThemeEntryCount>(EntryNames);
}

bool AcquireThemeApi() {
    const TLoaderGuard guard;
    ++ReferenceCount;
    if (!Module) {
        Module = LoadLibraryByName("uxtheme.dll", SystemFolderOnly);
        if (Module)
            BindEntries();
    }
    return Module != nullptr;
}

void ReleaseThemeApi() {
    const TLoaderGuard guard;
    if (ReferenceCount > 0)
        --ReferenceCount;
    if (Module && ReferenceCount == 0) {
        ReleaseLibrary(Module);
        Module = nullptr;
        Entries.fill(nullptr);
    }
}

bool IsThemingActive() {
    return Module && UxTheme::IsAppThemed() && UxTheme::IsThemeActive();
}

int ThemeApiReferenceCount() {
    return ReferenceCount;
}

HMODULE ThemeApiModule() {
    return Module;
}

bool IsThemeEntryBound(TThemeEntry entry) {
    return Entries[static_cast<size_t>(entry)] != nullptr;
}

void InitializeUxTheme() {
    if (!LoaderLock)
        LoaderLock = std::make_unique<TCriticalSection>();
}

void FinalizeUxTheme() {
    while (ReferenceCount > 0)
        ReleaseThemeApi();
    LoaderLock.reset();
}

namespace UxTheme {

using enum TThemeEntry;

HTHEME OpenThemeData(HWND window, LPCWSTR classList) {
    return CallEntry<teOpenThemeData>(HTHEME{}, window, classList);
}

HRESULT CloseThemeData(HTHEME theme) {
    return CallEntry<teCloseThemeData>(E_NOTIMPL, theme);
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clipRect) {
    return CallEntry<teDrawThemeBackground>(E_NOTIMPL, theme, dc, part, state, rect, clipRect);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int charCount,
                      DWORD textFlags, DWORD textFlags2, const RECT* rect) {
    return CallEntry<teDrawThemeText>(E_NOTIMPL, theme, dc, part, state, text, charCount, textFlags,
                                      textFlags2, rect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state,
                                      const RECT* boundingRect, RECT* contentRect) {
    return CallEntry<teGetThemeBackgroundContentRect>(E_NOTIMPL, theme, dc, part, state,
                                                      boundingRect, contentRect);
}

HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC dc, int part, int state, const RECT* contentRect,
                                 RECT* extentRect) {
    return CallEntry<teGetThemeBackgroundExtent>(E_NOTIMPL, theme, dc, part, state, contentRect,
                                                 extentRect);
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                         THEMESIZE sizeKind, SIZE* size) {
    return CallEntry<teGetThemePartSize>(E_NOTIMPL, theme, dc, part, state, rect, sizeKind, size);
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int charCount,
                           DWORD textFlags, const RECT* boundingRect, RECT* extentRect) {
    return CallEntry<teGetThemeTextExtent>(E_NOTIMPL, theme, dc, part, state, text, charCount,
                                           textFlags, boundingRect, extentRect);
}

HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics) {
    return CallEntry<teGetThemeTextMetrics>(E_NOTIMPL, theme, dc, part, state, metrics);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region) {
    return CallEntry<teGetThemeBackgroundRegion>(E_NOTIMPL, theme, dc, part, state, rect, region);
}

HRESULT HitTestThemeBackground(HTHEME theme, HDC dc, int part, int state, DWORD options,
                               const RECT* rect, HRGN region, POINT test, WORD* hitTestCode) {
    return CallEntry<teHitTestThemeBackground>(E_NOTIMPL, theme, dc, part, state, options, rect,
                                               region, test, hitTestCode);
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge,
                      UINT flags, RECT* contentRect) {
    return CallEntry<teDrawThemeEdge>(E_NOTIMPL, theme, dc, part, state, destRect, edge, flags,
                                      contentRect);
}

HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                      HIMAGELIST images, int imageIndex) {
    return CallEntry<teDrawThemeIcon>(E_NOTIMPL, theme, dc, part, state, rect, images, imageIndex);
}

BOOL IsThemePartDefined(HTHEME theme, int part, int state) {
    return CallEntry<teIsThemePartDefined>(BOOL{FALSE}, theme, part, state);
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
    return CallEntry<teIsThemeBackgroundPartiallyTransparent>(BOOL{FALSE}, theme, part, state);
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color) {
    return CallEntry<teGetThemeColor>(E_NOTIMPL, theme, part, state, property, color);
}

HRESULT GetThemeMetric(HTHEME theme, HDC dc, int part, int state, int property, int* value) {
    return CallEntry<teGetThemeMetric>(E_NOTIMPL, theme, dc, part, state, property, value);
}

HRESULT GetThemeString(HTHEME theme, int part, int state, int property, LPWSTR buffer,
                       int bufferChars) {
    return CallEntry<teGetThemeString>(E_NOTIMPL, theme, part, state, property, buffer,
                                       bufferChars);
}

HRESULT GetThemeBool(HTHEME theme, int part, int state, int property, BOOL* value) {
    return CallEntry<teGetThemeBool>(E_NOTIMPL, theme, part, state, property, value);
}

HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value) {
    return CallEntry<teGetThemeInt>(E_NOTIMPL, theme, part, state, property, value);
}

HRESULT GetThemeEnumValue(HTHEME theme, int part, int state, int property, int* value) {
    return CallEntry<teGetThemeEnumValue>(E_NOTIMPL, theme, part, state, property, value);
}

HRESULT GetThemePosition(HTHEME theme, int part, int state, int property, POINT* point) {
    return CallEntry<teGetThemePosition>(E_NOTIMPL, theme, part, state, property, point);
}

HRESULT GetThemeFont(HTHEME theme, HDC dc, int part, int state, int property, LOGFONTW* font) {
    return CallEntry<teGetThemeFont>(E_NOTIMPL, theme, dc, part, state, property, font);
}

HRESULT GetThemeRect(HTHEME theme, int part, int state, int property, RECT* rect) {
    return CallEntry<teGetThemeRect>(E_NOTIMPL, theme, part, state, property, rect);
}

HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int property, const RECT* rect,
                        MARGINS* margins) {
    return CallEntry<teGetThemeMargins>(E_NOTIMPL, theme, dc, part, state, property, rect, margins);
}

HRESULT GetThemeIntList(HTHEME theme, int part, int state, int property, INTLIST* list) {
    return CallEntry<teGetThemeIntList>(E_NOTIMPL, theme, part, state, property, list);
}

HRESULT GetThemePropertyOrigin(HTHEME theme, int part, int state, int property,
                               PROPERTYORIGIN* origin) {
    return CallEntry<teGetThemePropertyOrigin>(E_NOTIMPL, theme, part, state, property, origin);
}

HRESULT SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList) {
    return CallEntry<teSetWindowTheme>(E_NOTIMPL, window, subAppName, subIdList);
}

HRESULT GetThemeFilename(HTHEME theme, int part, int state, int property, LPWSTR buffer,
                         int bufferChars) {
    return CallEntry<teGetThemeFilename>(E_NOTIMPL, theme, part, state, property, buffer,
                                         bufferChars);
}

COLORREF GetThemeSysColor(HTHEME theme, int colorId) {
    return CallEntry<teGetThemeSysColor>(COLORREF{0}, theme, colorId);
}

HBRUSH GetThemeSysColorBrush(HTHEME theme, int colorId) {
    return CallEntry<teGetThemeSysColorBrush>(HBRUSH{}, theme, colorId);
}

BOOL GetThemeSysBool(HTHEME theme, int boolId) {
    return CallEntry<teGetThemeSysBool>(BOOL{FALSE}, theme, boolId);
}

int GetThemeSysSize(HTHEME theme, int sizeId) {
    return CallEntry<teGetThemeSysSize>(0, theme, sizeId);
}

HRESULT GetThemeSysFont(HTHEME theme, int fontId, LOGFONTW* font) {
    return CallEntry<teGetThemeSysFont>(E_NOTIMPL, theme, fontId, font);
}

HRESULT GetThemeSysString(HTHEME theme, int stringId, LPWSTR buffer, int bufferChars) {
    return CallEntry<teGetThemeSysString>(E_NOTIMPL, theme, stringId, buffer, bufferChars);
}

HRESULT GetThemeSysInt(HTHEME theme, int intId, int* value) {
    return CallEntry<teGetThemeSysInt>(E_NOTIMPL, theme, intId, value);
}

BOOL IsThemeActive() {
    return CallEntry<teIsThemeActive>(BOOL{FALSE});
}

BOOL IsAppThemed() {
    return CallEntry<teIsAppThemed>(BOOL{FALSE});
}

HTHEME GetWindowTheme(HWND window) {
    return CallEntry<teGetWindowTheme>(HTHEME{}, window);
}

HRESULT EnableThemeDialogTexture(HWND window, DWORD flags) {
    return CallEntry<teEnableThemeDialogTexture>(E_NOTIMPL, window, flags);
}

BOOL IsThemeDialogTextureEnabled(HWND window) {
    return CallEntry<teIsThemeDialogTextureEnabled>(BOOL{FALSE}, window);
}

DWORD GetThemeAppProperties() {
    return CallEntry<teGetThemeAppProperties>(DWORD{0});
}

void SetThemeAppProperties(DWORD flags) {
    if (const auto entry = EntryAs<void(WINAPI*)(DWORD)>(teSetThemeAppProperties))
        entry(flags);
}

HRESULT GetCurrentThemeName(LPWSTR themeFileName, int themeFileNameChars, LPWSTR colorBuffer,
                            int colorChars, LPWSTR sizeBuffer, int sizeChars) {
    return CallEntry<teGetCurrentThemeName>(E_NOTIMPL, themeFileName, themeFileNameChars,
                                            colorBuffer, colorChars, sizeBuffer, sizeChars);
}

HRESULT GetThemeDocumentationProperty(LPCWSTR themeName, LPCWSTR propertyName, LPWSTR buffer,
                                      int bufferChars) {
    return CallEntry<teGetThemeDocumentationProperty>(E_NOTIMPL, themeName, propertyName, buffer,
                                                      bufferChars);
}

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
    return CallEntry<teDrawThemeParentBackground>(E_NOTIMPL, window, dc, rect);
}

HRESULT EnableTheming(BOOL enable) {
    return CallEntry<teEnableTheming>(E_NOTIMPL, enable);
}

} // namespace UxTheme
