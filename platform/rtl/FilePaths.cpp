// Parts of Windows path names.

#include "platform/rtl/FilePaths.h"

namespace {

// Position of the last backslash or colon, or npos.
std::size_t LastSeparator(std::string_view fileName) {
    return fileName.find_last_of("\\:");
}

// Start of the name part: just after the last separator.
std::size_t NameStart(std::string_view fileName) {
    const std::size_t separator = LastSeparator(fileName);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string ExtractFileDrive(std::string_view fileName) {
    if (fileName.size() >= 2 && fileName[1] == ':') {
        return std::string(fileName.substr(0, 2));
    }
    if (fileName.size() >= 2 && fileName[0] == '\\' && fileName[1] == '\\') {
        // Skip the server name, then stop before the backslash after the share name.
        const std::size_t afterServer = fileName.find('\\', 2);
        if (afterServer == std::string_view::npos) {
            return std::string(fileName);
        }
        const std::size_t afterShare = fileName.find('\\', afterServer + 1);
        return std::string(fileName.substr(0, afterShare));
    }
    return {};
}

std::string ExtractFilePath(std::string_view fileName) {
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
    std::size_t end = LastSeparator(fileName);
    if (end == std::string_view::npos) {
        return {};
    }
    if (end > 0 && fileName[end] == '\\' && fileName[end - 1] == ':') {
        ++end; // a drive root keeps its backslash
    }
    return std::string(fileName.substr(0, end));
}

std::string ExtractFileName(std::string_view fileName) {
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || dot < NameStart(fileName)) {
        return {};
    }
    return std::string(fileName.substr(dot));
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') {
        result += '\\';
    }
    return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return std::string(path);
}
