#include "tests/e2e/Dialogs.h"

#include "tests/e2e/Capture.h"
#include "tests/e2e/Input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

namespace e2e {

namespace {

// The id Windows gives the text of a message box.
constexpr int MessageTextId = 0xFFFF;
constexpr int FileNameComboId = 0x47C; // cmb13
constexpr int FileNameEditId = 0x480;  // edt1

bool IsInputControl(HWND window) {
    static constexpr std::array inputClasses{
        "Edit",          "ComboBox",      "ComboBoxEx32",    "ListBox",
        "SysListView32", "SysTreeView32", "SHELLDLL_DefView"};
    return std::any_of(inputClasses.begin(), inputClasses.end(),
                       [window](const char* name) { return ClassMatches(window, name); });
}

bool IsIconStatic(HWND window) {
    return ClassMatches(window, "Static") &&
           (GetWindowLongPtrA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// The static that shows the text: the one with the message id, else the
// one with the longest text.
HWND MessageTextControl(HWND box) {
    HWND longest = nullptr;
    std::size_t longestSize = 0;
    for (HWND child : ChildWindows(box)) {
        if (!ClassMatches(child, "Static") || IsIconStatic(child))
            continue;
        if (GetDlgCtrlID(child) == MessageTextId)
            return child;
        const std::size_t size = WindowText(child).size();
        if (!longest || size > longestSize) {
            longest = child;
            longestSize = size;
        }
    }
    return longest;
}

// Share of the pixels that differ clearly between two pictures of one size.
double DifferentShare(const TCapture& a, const TCapture& b) {
    int different = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const TRgb p = a.Pixel(x, y);
            const TRgb q = b.Pixel(x, y);
            if (std::abs(p.R - q.R) + std::abs(p.G - q.G) + std::abs(p.B - q.B) > 24)
                ++different;
        }
    return static_cast<double>(different) / (a.Width() * a.Height());
}

struct TSystemIcon {
    TBoxIcon Kind;
    LPCSTR Name;
};

TBoxIcon IdentifyIcon(HWND iconStatic) {
    const TCapture shown = CaptureWindow(iconStatic);
    // The corners of the standard icons are transparent: the corner shows
    // the background the icon was drawn on.
    const TRgb background = shown.Pixel(0, 0);
    const int natural = GetSystemMetrics(SM_CXICON);
    const std::array icons{TSystemIcon{TBoxIcon::Information, IDI_ASTERISK},
                           TSystemIcon{TBoxIcon::Warning, IDI_EXCLAMATION},
                           TSystemIcon{TBoxIcon::Error, IDI_HAND},
                           TSystemIcon{TBoxIcon::Question, IDI_QUESTION}};
    TBoxIcon best = TBoxIcon::Unknown;
    // The right icon matches to the pixel; information and question, the
    // closest pair, differ in about 8 %.
    double bestShare = 0.02;
    for (const TSystemIcon& icon : icons) {
        HICON handle = LoadIconA(nullptr, icon.Name);
        // The control draws the icon either at its own size or stretched to
        // the control; try both.
        for (const int size : {natural, 0}) {
            const TCapture drawn = Render(shown.Width(), shown.Height(), background, [&](HDC dc) {
                DrawIconEx(dc, 0, 0, handle, size ? size : shown.Width(),
                           size ? size : shown.Height(), 0, nullptr, DI_NORMAL);
            });
            const double share = DifferentShare(shown, drawn);
            if (share < bestShare) {
                bestShare = share;
                best = icon.Kind;
            }
        }
    }
    return best;
}

} // namespace

std::ostream& operator<<(std::ostream& out, TBoxIcon icon) {
    switch (icon) {
    case TBoxIcon::None:
        return out << "None";
    case TBoxIcon::Information:
        return out << "Information";
    case TBoxIcon::Warning:
        return out << "Warning";
    case TBoxIcon::Error:
        return out << "Error";
    case TBoxIcon::Question:
        return out << "Question";
    case TBoxIcon::Unknown:
        break;
    }
    return out << "Unknown";
}

bool IsMessageBox(HWND window) {
    if (!IsWindow(window) || !ClassMatches(window, DialogClass))
        return false;
    const std::vector<HWND> children = ChildWindows(window);
    return std::none_of(children.begin(), children.end(), IsInputControl) &&
           std::any_of(children.begin(), children.end(),
                       [](HWND child) { return ClassMatches(child, "Button"); });
}

TMessageBoxInfo ReadMessageBox(HWND box) {
    RequireWindow(box, "read the message box");
    TMessageBoxInfo info;
    info.Handle = box;
    info.Caption = Caption(box);
    if (HWND text = MessageTextControl(box)) {
        info.Text = WindowText(text);
        info.WideText = WideWindowText(text);
    }
    for (HWND child : ChildWindows(box))
        if (ClassMatches(child, "Button") && IsWindowVisible(child))
            info.Buttons.push_back(Caption(child));
    info.Icon = MessageBoxIcon(box);
    return info;
}

TBoxIcon MessageBoxIcon(HWND box) {
    RequireWindow(box, "read the icon of");
    for (HWND child : ChildWindows(box))
        // A box without icon may keep an empty icon control.
        if (IsIconStatic(child) && IsWindowVisible(child) &&
            SendWithTimeout(child, STM_GETICON, 0, 0) != 0)
            return IdentifyIcon(child);
    return TBoxIcon::None;
}

namespace {

void PressAndWaitForClose(HWND dialog, HWND button, TDuration closeTimeout) {
    const std::string what = Describe(dialog);
    Click(button, closeTimeout);
    WaitFor([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, closeTimeout,
            "dialog " + what + " to close");
}

std::string ButtonList(HWND dialog) {
    std::string list;
    for (HWND child : ChildWindows(dialog))
        if (ClassMatches(child, "Button"))
            list += "\n  " + Describe(child);
    return list.empty() ? " (none)" : list;
}

} // namespace

void PressDialogButton(HWND dialog, int id, TDuration closeTimeout) {
    RequireWindow(dialog, "press a button of");
    // Not the first child with the id: the open dialog's file list has id 1
    // too.
    const std::vector<HWND> children = ChildWindows(dialog);
    const auto found = std::find_if(children.begin(), children.end(), [id](HWND child) {
        return GetDlgCtrlID(child) == id && ClassMatches(child, "Button") && IsWindowVisible(child);
    });
    if (found == children.end())
        throw std::runtime_error("no button with id " + std::to_string(id) + " in " +
                                 Describe(dialog) + "; its buttons:" + ButtonList(dialog));
    PressAndWaitForClose(dialog, *found, closeTimeout);
}

void PressDialogButton(HWND dialog, std::string_view caption, TCaptionMatch match,
                       TDuration closeTimeout) {
    RequireWindow(dialog, "press a button of");
    HWND button = FindChild(dialog, "Button", caption, match);
    if (!button || !IsWindowVisible(button))
        throw std::runtime_error("no button \"" + std::string(caption) + "\" in " +
                                 Describe(dialog) + "; its buttons:" + ButtonList(dialog));
    PressAndWaitForClose(dialog, button, closeTimeout);
}

HWND OpenDialogFileNameField(HWND dialog) {
    RequireWindow(dialog, "find the file name field of");
    // The Explorer-style dialog nests an edit in a combo box in a ComboBoxEx
    // and gives all three the field's id; the edit takes the text directly.
    HWND field = nullptr;
    for (const int id : {FileNameComboId, FileNameEditId}) {
        for (HWND child : ChildWindows(dialog)) {
            if (GetDlgCtrlID(child) != id || !IsWindowVisible(child))
                continue;
            if (ClassMatches(child, "Edit"))
                return child;
            if (!field)
                field = child;
        }
        if (field)
            return field;
    }
    throw std::runtime_error("no file name field (id 0x47C or 0x480) in " + Describe(dialog) +
                             "; its children:" + DescribeChildren(dialog));
}

void SetOpenDialogFileName(HWND dialog, const std::string& fileName) {
    HWND field = OpenDialogFileNameField(dialog);
    SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    const std::string shown = WindowText(field);
    if (shown != fileName)
        throw std::runtime_error("the file name field of " + Describe(dialog) + " shows \"" +
                                 shown + "\" instead of \"" + fileName + "\"");
}

void SetOpenDialogFileName(HWND dialog, const std::wstring& fileName) {
    HWND field = OpenDialogFileNameField(dialog);
    SendUnicodeWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    if (WideWindowText(field) != fileName)
        throw std::runtime_error("the file name field of " + Describe(dialog) + " shows \"" +
                                 WindowText(field) + "\", not the Unicode name it was given");
}

} // namespace e2e
