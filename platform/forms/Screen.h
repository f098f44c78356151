#pragma once
// TScreen: the forms of the program, the screen-wide cursor and the cursor
// table.

#include "platform/classes/Component.h"
#include "platform/controls/Control.h"

#include <vector>
#include <windows.h>

class TCustomForm;

class TScreen : public TComponent {
    TESSARO_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    TCursor Cursor() const;
    void SetCursor(TCursor value);
    HCURSOR Cursors(TCursor index) const;
    // Installs a cursor handle under Index; the table destroys it later.
    void SetCursors(TCursor index, HCURSOR handle);

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    int Width() const { return ::GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return ::GetSystemMetrics(SM_CYSCREEN); }

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> FForms;
};

extern TScreen* Screen;
