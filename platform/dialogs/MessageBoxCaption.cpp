#include "platform/dialogs/MessageBoxCaption.h"

#include <utility>

namespace {

std::string& Caption() {
    static std::string caption;
    return caption;
}

} // namespace

const std::string& MessageBoxCaption() {
    return Caption();
}

void SetMessageBoxCaption(std::string caption) {
    Caption() = std::move(caption);
}
