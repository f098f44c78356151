// A second process for the kit application tests: makes the kit's
// application object as the program does and answers in its exit code.
//   bit 0: another process holds the mutex of this program's file name
//   bit 1: the kit cursor is installed (this program has no such resource)

#include "components/base/kitclass.h"

#include "platform/forms/Screen.h"

#include <windows.h>

int main() {
    Screen = new TScreen(nullptr);
    int answer = 0;
    {
        TKitApplication app(nullptr);
        if (app.IsSecondInstance)
            answer |= 1;
        if (Screen->Cursors(crKitCursor) != ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)))
            answer |= 2;
    }
    Free(Screen);
    Screen = nullptr;
    return answer;
}
