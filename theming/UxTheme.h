#pragma once
// Run-time binding of the visual-styles library "uxtheme.dll", so that the
// program runs with classic painting where the library is missing. The
// library is loaded on the first acquisition, its entry points are bound by
// name, and it is unloaded when the last acquisition is released.
//
// The entry points are called through the functions of namespace UxTheme.
// Each checks that its entry is bound; an unbound one does nothing and
// returns E_NOTIMPL, FALSE, 0 or null. (The unqualified names are the
// system's import declarations; the program does not link them.)

#include <array>
#include <span>
#include <windows.h>
#include <uxtheme.h>

// The entries in the order in which they are bound.
enum class TThemeEntry {
    teOpenThemeData,
    teCloseThemeData,
    teDrawThemeBackground,
    teDrawThemeText,
    teGetThemeBackgroundContentRect,
    teGetThemeBackgroundExtent,
    teGetThemePartSize,
    teGetThemeTextExtent,
    teGetThemeTextMetrics,
    teGetThemeBackgroundRegion,
    teHitTestThemeBackground,
    teDrawThemeEdge,
    teDrawThemeIcon,
    teIsThemePartDefined,
    teIsThemeBackgroundPartiallyTransparent,
    teGetThemeColor,
    teGetThemeMetric,
    teGetThemeString,
    teGetThemeBool,
    teGetThemeInt,
    teGetThemeEnumValue,
    teGetThemePosition,
    teGetThemeFont,
    teGetThemeRect,
    teGetThemeMargins,
    teGetThemeIntList,
    teGetThemePropertyOrigin,
    teSetWindowTheme,
    teGetThemeFilename,
    teGetThemeSysColor,
    teGetThemeSysColorBrush,
    teGetThemeSysBool,
    teGetThemeSysSize,
    teGetThemeSysFont,
    teGetThemeSysString,
    teGetThemeSysInt,
    teIsThemeActive,
    teIsAppThemed,
    teGetWindowTheme,
    teEnableThemeDialogTexture,
    teIsThemeDialogTextureEnabled,
    teGetThemeAppProperties,
    teSetThemeAppProperties,
    teGetCurrentThemeName,
    teGetThemeDocumentationProperty,
    teDrawThemeParentBackground,
    teEnableTheming,
};

constexpr int ThemeEntryCount = 47;

// The export names, indexed by TThemeEntry.
std::span<const char* const, ThemeEntryCount> ThemeEntryNames();

// Takes one reference and loads and binds the library when it is not
// loaded; true when the library is loaded. Every call, successful or not,
// is balanced by one ReleaseThemeApi.
bool AcquireThemeApi();
// Gives one reference back; the last one unloads the library.
void ReleaseThemeApi();
// The library is loaded, and IsAppThemed and then IsThemeActive report true.
bool IsThemingActive();

// State of the binding, for the theme services and for tests.
int ThemeApiReferenceCount();
HMODULE ThemeApiModule();
bool IsThemeEntryBound(TThemeEntry entry);

// Unit start-up (creates the loader lock) and shutdown (releases every
// outstanding reference, then frees the lock).
void InitializeUxTheme();
void FinalizeUxTheme();

namespace UxTheme {
HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clipRect);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int charCount,
                      DWORD textFlags, DWORD textFlags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state,
                                      const RECT* boundingRect, RECT* contentRect);
HRESULT GetThemeBackgroundExtent(HTHEME theme, HDC dc, int part, int state, const RECT* contentRect,
                                 RECT* extentRect);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                         THEMESIZE sizeKind, SIZE* size);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int charCount,
                           DWORD textFlags, const RECT* boundingRect, RECT* extentRect);
HRESULT GetThemeTextMetrics(HTHEME theme, HDC dc, int part, int state, TEXTMETRICW* metrics);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region);
HRESULT HitTestThemeBackground(HTHEME theme, HDC dc, int part, int state, DWORD options,
                               const RECT* rect, HRGN region, POINT test, WORD* hitTestCode);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* destRect, UINT edge,
                      UINT flags, RECT* contentRect);
HRESULT DrawThemeIcon(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                      HIMAGELIST images, int imageIndex);
BOOL IsThemePartDefined(HTHEME theme, int part, int state);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
HRESULT GetThemeMetric(HTHEME theme, HDC dc, int part, int state, int property, int* value);
HRESULT GetThemeString(HTHEME theme, int part, int state, int property, LPWSTR buffer,
                       int bufferChars);
HRESULT GetThemeBool(HTHEME theme, int part, int state, int property, BOOL* value);
HRESULT GetThemeInt(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemeEnumValue(HTHEME theme, int part, int state, int property, int* value);
HRESULT GetThemePosition(HTHEME theme, int part, int state, int property, POINT* point);
HRESULT GetThemeFont(HTHEME theme, HDC dc, int part, int state, int property, LOGFONTW* font);
HRESULT GetThemeRect(HTHEME theme, int part, int state, int property, RECT* rect);
HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int property, const RECT* rect,
                        MARGINS* margins);
HRESULT GetThemeIntList(HTHEME theme, int part, int state, int property, INTLIST* list);
HRESULT GetThemePropertyOrigin(HTHEME theme, int part, int state, int property,
                               PROPERTYORIGIN* origin);
HRESULT SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList);
HRESULT GetThemeFilename(HTHEME theme, int part, int state, int property, LPWSTR buffer,
                         int bufferChars);
COLORREF GetThemeSysColor(HTHEME theme, int colorId);
HBRUSH GetThemeSysColorBrush(HTHEME theme, int colorId);
BOOL GetThemeSysBool(HTHEME theme, int boolId);
int GetThemeSysSize(HTHEME theme, int sizeId);
HRESULT GetThemeSysFont(HTHEME theme, int fontId, LOGFONTW* font);
HRESULT GetThemeSysString(HTHEME theme, int stringId, LPWSTR buffer, int bufferChars);
HRESULT GetThemeSysInt(HTHEME theme, int intId, int* value);
BOOL IsThemeActive();
BOOL IsAppThemed();
HTHEME GetWindowTheme(HWND window);
HRESULT EnableThemeDialogTexture(HWND window, DWORD flags);
BOOL IsThemeDialogTextureEnabled(HWND window);
DWORD GetThemeAppProperties();
void SetThemeAppProperties(DWORD flags);
HRESULT GetCurrentThemeName(LPWSTR themeFileName, int themeFileNameChars, LPWSTR colorBuffer,
                            int colorChars, LPWSTR sizeBuffer, int sizeChars);
HRESULT GetThemeDocumentationProperty(LPCWSTR themeName, LPCWSTR propertyName, LPWSTR buffer,
                                      int bufferChars);
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT EnableTheming(BOOL enable);
} // namespace UxTheme
