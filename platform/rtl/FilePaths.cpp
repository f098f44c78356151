// Parts of Windows path names, one set of rules for both kinds of names.

#include "platform/rtl/FilePaths.h"

namespace {

template <class Ch> using TView = std::basic_string_view<Ch>;
template <class Ch> using TText = std::basic_string<Ch>;

// Position of the last backslash or colon, or npos.
template <class Ch> std::size_t LastSeparator(TView<Ch> fileName) {
    static constexpr Ch separators[] = {Ch('\\'), Ch(':'), Ch(0)};
    return fileName.find_last_of(separators);
}

// Start of the name part: just after the last separator.
template <class Ch> std::size_t NameStart(TView<Ch> fileName) {
    const std::size_t separator = LastSeparator(fileName);
    return separator == TView<Ch>::npos ? 0 : separator + 1;
}

template <class Ch> TText<Ch> Drive(TView<Ch> fileName) {
    if (fileName.size() >= 2 && fileName[1] == Ch(':')) {
        return TText<Ch>(fileName.substr(0, 2));
    }
    if (fileName.size() >= 2 && fileName[0] == Ch('\\') && fileName[1] == Ch('\\')) {
        // Skip the server name, then stop before the backslash after the share name.
        const std::size_t afterServer = fileName.find(Ch('\\'), 2);
        if (afterServer == TView<Ch>::npos) {
            return TText<Ch>(fileName);
        }
        const std::size_t afterShare = fileName.find(Ch('\\'), afterServer + 1);
        return TText<Ch>(fileName.substr(0, afterShare));
    }
    return {};
}

template <class Ch> TText<Ch> Path(TView<Ch> fileName) {
    return TText<Ch>(fileName.substr(0, NameStart(fileName)));
}

template <class Ch> TText<Ch> Dir(TView<Ch> fileName) {
    std::size_t end = LastSeparator(fileName);
    if (end == TView<Ch>::npos) {
        return {};
    }
    if (end > 0 && fileName[end] == Ch('\\') && fileName[end - 1] == Ch(':')) {
        ++end; // a drive root keeps its backslash
    }
    return TText<Ch>(fileName.substr(0, end));
}

template <class Ch> TText<Ch> Name(TView<Ch> fileName) {
    return TText<Ch>(fileName.substr(NameStart(fileName)));
}

template <class Ch> TText<Ch> Ext(TView<Ch> fileName) {
    const std::size_t dot = fileName.find_last_of(Ch('.'));
    if (dot == TView<Ch>::npos || dot < NameStart(fileName)) {
        return {};
    }
    return TText<Ch>(fileName.substr(dot));
}

template <class Ch> TText<Ch> WithBackslash(TView<Ch> path) {
    TText<Ch> result(path);
    if (result.empty() || result.back() != Ch('\\')) {
        result += Ch('\\');
    }
    return result;
}

template <class Ch> TText<Ch> WithoutBackslash(TView<Ch> path) {
    if (!path.empty() && path.back() == Ch('\\')) {
        path.remove_suffix(1);
    }
    return TText<Ch>(path);
}

} // namespace

std::string ExtractFileDrive(std::string_view fileName) {
    return Drive(fileName);
}
std::wstring ExtractFileDrive(std::wstring_view fileName) {
    return Drive(fileName);
}

std::string ExtractFilePath(std::string_view fileName) {
    return Path(fileName);
}
std::wstring ExtractFilePath(std::wstring_view fileName) {
    return Path(fileName);
}

std::string ExtractFileDir(std::string_view fileName) {
    return Dir(fileName);
}
std::wstring ExtractFileDir(std::wstring_view fileName) {
    return Dir(fileName);
}

std::string ExtractFileName(std::string_view fileName) {
    return Name(fileName);
}
std::wstring ExtractFileName(std::wstring_view fileName) {
    return Name(fileName);
}

std::string ExtractFileExt(std::string_view fileName) {
    return Ext(fileName);
}
std::wstring ExtractFileExt(std::wstring_view fileName) {
    return Ext(fileName);
}

std::string IncludeTrailingBackslash(std::string_view path) {
    return WithBackslash(path);
}
std::wstring IncludeTrailingBackslash(std::wstring_view path) {
    return WithBackslash(path);
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    return WithoutBackslash(path);
}
std::wstring ExcludeTrailingBackslash(std::wstring_view path) {
    return WithoutBackslash(path);
}

bool IsDosDeviceName(std::wstring_view fileName) {
    std::wstring_view stem = fileName.substr(NameStart(fileName));
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') {
        stem.remove_suffix(1);
    }
    std::wstring upper(stem);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    if (upper == L"CON" || upper == L"PRN" || upper == L"AUX" || upper == L"NUL" ||
        upper == L"CONIN$" || upper == L"CONOUT$") {
        return true;
    }
    // COM and LPT with a digit 1 to 9, or a superscript one, two or three.
    const std::wstring_view digits = L"123456789\u00B9\u00B2\u00B3";
    return upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")) &&
           digits.find(upper[3]) != std::wstring_view::npos;
}
