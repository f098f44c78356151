#include "platform/dialogs/MessageDlg.h"

#include "platform/dialogs/MessageBoxCaption.h"
#include "platform/rtl/SystemSeams.h"

int MessageDlg(HWND owner, const std::string& text, UINT flags) {
    return ShowMessageBox(owner, text, MessageBoxCaption(), flags);
}
