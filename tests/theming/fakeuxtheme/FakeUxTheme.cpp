// Exports ten of the visual-styles entries (OpenThemeData, CloseThemeData,
// DrawThemeBackground, DrawThemeText, DrawThemeEdge,
// IsThemeBackgroundPartiallyTransparent, DrawThemeParentBackground,
// GetThemeAppProperties, IsThemeActive, IsAppThemed) and the Fake* controls.
// Each call is appended to a log, one line per call.

#include <string>
#include <windows.h>

#define FAKE_EXPORT extern "C" __declspec(dllexport)

namespace {
std::string CallLog;
BOOL AppThemed = TRUE;
BOOL ThemeActive = TRUE;
DWORD AppProperties = 7;
BOOL PartiallyTransparent = FALSE;
INT_PTR NextTheme = 0x1000;

void Record(const std::string& line) {
    CallLog += line;
    CallLog += '\n';
}

std::string Narrow(LPCWSTR text, int count) {
    std::string result;
    for (int i = 0; text && (count < 0 ? text[i] != 0 : i < count); ++i)
        result += static_cast<char>(text[i]);
    return result;
}

std::string Number(INT_PTR value) {
    return std::to_string(static_cast<long long>(value));
}

std::string RectText(const RECT* rect) {
    if (!rect)
        return "none";
    return Number(rect->left) + "," + Number(rect->top) + "," + Number(rect->right) + "," +
           Number(rect->bottom);
}

std::string ThemeText(HANDLE theme) {
    return Number(reinterpret_cast<INT_PTR>(theme));
}
} // namespace

FAKE_EXPORT HANDLE WINAPI OpenThemeData(HWND, LPCWSTR classList) {
    const INT_PTR theme = NextTheme++;
    Record("OpenThemeData " + Narrow(classList, -1) + " -> " + Number(theme));
    return reinterpret_cast<HANDLE>(theme);
}

FAKE_EXPORT HRESULT WINAPI CloseThemeData(HANDLE theme) {
    Record("CloseThemeData " + ThemeText(theme));
    return S_OK;
}

FAKE_EXPORT HRESULT WINAPI DrawThemeBackground(HANDLE theme, HDC, int part, int state,
                                               const RECT* rect, const RECT* clip) {
    Record("DrawThemeBackground " + ThemeText(theme) + " " + Number(part) + " " + Number(state) +
           " " + RectText(rect) + " " + RectText(clip));
    return S_OK;
}

FAKE_EXPORT HRESULT WINAPI DrawThemeText(HANDLE theme, HDC, int part, int state, LPCWSTR text,
                                         int count, DWORD flags, DWORD flags2, const RECT* rect) {
    Record("DrawThemeText " + ThemeText(theme) + " " + Number(part) + " " + Number(state) + " " +
           Narrow(text, count) + " " + Number(count) + " " + Number(flags) + " " + Number(flags2) +
           " " + RectText(rect));
    return S_OK;
}

FAKE_EXPORT HRESULT WINAPI DrawThemeEdge(HANDLE theme, HDC, int part, int state, const RECT* rect,
                                         UINT edge, UINT flags, RECT* content) {
    Record("DrawThemeEdge " + ThemeText(theme) + " " + Number(part) + " " + Number(state) + " " +
           RectText(rect) + " " + Number(edge) + " " + Number(flags) + " " +
           (content ? "content" : "none"));
    return S_OK;
}

FAKE_EXPORT BOOL WINAPI IsThemeBackgroundPartiallyTransparent(HANDLE theme, int part, int state) {
    Record("IsThemeBackgroundPartiallyTransparent " + ThemeText(theme) + " " + Number(part) + " " +
           Number(state));
    return PartiallyTransparent;
}

FAKE_EXPORT HRESULT WINAPI DrawThemeParentBackground(HWND, HDC, const RECT* rect) {
    Record("DrawThemeParentBackground " + RectText(rect));
    return S_OK;
}

FAKE_EXPORT DWORD WINAPI GetThemeAppProperties() {
    Record("GetThemeAppProperties");
    return AppProperties;
}

FAKE_EXPORT BOOL WINAPI IsThemeActive() {
    Record("IsThemeActive");
    return ThemeActive;
}

FAKE_EXPORT BOOL WINAPI IsAppThemed() {
    Record("IsAppThemed");
    return AppThemed;
}

// Controls of the fake, not part of the library's interface.
FAKE_EXPORT const char* WINAPI FakeCallLog() {
    return CallLog.c_str();
}

FAKE_EXPORT void WINAPI FakeReset(BOOL appThemed, BOOL themeActive, DWORD appProperties,
                                  BOOL partiallyTransparent) {
    CallLog.clear();
    AppThemed = appThemed;
    ThemeActive = themeActive;
    AppProperties = appProperties;
    PartiallyTransparent = partiallyTransparent;
}
