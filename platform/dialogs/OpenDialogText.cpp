#include "platform/dialogs/OpenDialogText.h"

std::string DialogFilterText(const std::string& filter) {
    if (filter.empty())
        return {};
    std::string result = filter;
    for (char& c : result)
        if (c == '|')
            c = '\0';
    result.append(2, '\0');
    return result;
}

std::string DialogDefaultExtension(const std::string& defaultExt) {
    if (defaultExt.starts_with("*."))
        return defaultExt.substr(2);
    if (defaultExt.starts_with('.'))
        return defaultExt.substr(1);
    return defaultExt;
}
