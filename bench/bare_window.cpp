// The yardstick for the real program's footprint: a bare Win32 program with
// the same kinds of controls (group boxes, radio buttons, a track bar,
// labels, buttons), the same open dialog, and as its job a copy of the chosen
// file in 1 MiB blocks into a folder beside it, then the same report box.
// No class library, no kit, no theme manager.

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace {
const char* const Title = "Bare Win32";
const char* const StartCaption = "Datei wählen und Aufteilung starten";
constexpr int StartId = 100;

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id = 0) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void CreateControls(HWND window) {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    Child(window, "BUTTON", "Gesplittete Dateien optimieren", BS_GROUPBOX, 171, 40, 313, 161);
    Child(window, "BUTTON", "für Excel bis 2007", BS_AUTORADIOBUTTON | WS_GROUP, 179, 64, 113, 17);
    Child(window, "BUTTON", "für Excel ab 2010", BS_AUTORADIOBUTTON, 307, 64, 113, 17);
    Child(window, "BUTTON", "für Texteditoren", BS_AUTORADIOBUTTON, 179, 80, 113, 17);
    Child(window, "BUTTON", "Eigene Einstellung", BS_AUTORADIOBUTTON, 307, 80, 113, 17);
    const HWND bar = Child(window, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_NOTICKS, 174, 133, 302, 25);
    SendMessageA(bar, TBM_SETRANGEMIN, FALSE, 10000);
    SendMessageA(bar, TBM_SETRANGEMAX, FALSE, 1048000);
    SendMessageA(bar, TBM_SETPOS, TRUE, 65500);
    Child(window, "STATIC", "kleine Teildateien", 0, 181, 157, 83, 13);
    Child(window, "STATIC", "große Teildateien", SS_RIGHT, 387, 157, 82, 13);
    Child(window, "STATIC", "max. 65.500 Zeilen je Teildatei", SS_CENTER, 179, 179, 290, 16);
    Child(window, "BUTTON", "Start", BS_GROUPBOX, 171, 208, 313, 73);
    Child(window, "BUTTON", StartCaption, BS_PUSHBUTTON, 187, 228, 281, 25, StartId);
    Child(window, "STATIC", "", SS_RIGHT, 187, 258, 281, 13);
    Child(window, "BUTTON", "&Hilfe", BS_PUSHBUTTON, 8, 312, 89, 25);
    Child(window, "BUTTON", "&Beenden", BS_PUSHBUTTON, 392, 312, 89, 25, IDCANCEL);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The folder beside source named after it up to the first dot, holding the
// copy as 0 plus the extension.
bool CopyBeside(const std::string& source) {
    const size_t slash = source.find_last_of('\\');
    const std::string name = source.substr(slash + 1);
    const size_t dot = name.find('.');
    const std::string folder = source.substr(0, slash + 1) + name.substr(0, dot);
    const size_t lastDot = name.find_last_of('.');
    const std::string extension = lastDot == std::string::npos ? "" : name.substr(lastDot);
    CreateDirectoryA(folder.c_str(), nullptr);
    const HANDLE in = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    const HANDLE out = CreateFileA((folder + "\\0" + extension).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE;
    std::vector<char> block(1024 * 1024);
    for (DWORD got = 0;
         ok && ReadFile(in, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
         got > 0;) {
        DWORD written = 0;
        ok = WriteFile(out, block.data(), got, &written, nullptr) && written == got;
    }
    if (in != INVALID_HANDLE_VALUE)
        CloseHandle(in);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    return ok;
}

void Start(HWND window) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = "Unterstütze Dateien (*.txt,*.csv)\0*.txt;*.csv\0Textdatei (*.txt)\0*.txt "
                         "\0CSV-Datei (*.csv)\0*.csv\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Quelldatei wählen";
    dialog.lpstrDefExt = "*.txt";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&dialog))
        return;
    const std::string source = file;
    if (CopyBeside(source))
        MessageBoxA(nullptr, ("Die Datei \"" + source + "\" wurde erfolgreich aufgeteilt").c_str(),
                    Title, MB_ICONINFORMATION | MB_OK);
    else
        MessageBoxA(window,
                    ("Die Datei \"" + source + "\" konnte nicht aufgeteilt werden.").c_str(), Title,
                    MB_ICONERROR | MB_OK);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == StartId)
            Start(window);
        else if (LOWORD(wParam) == IDCANCEL)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "BareWin32";
    RegisterClassA(&cls);
    RECT bounds{0, 0, 496, 350};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&bounds, style, FALSE);
    const HWND window =
        CreateWindowExA(0, cls.lpszClassName, Title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                        instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}
