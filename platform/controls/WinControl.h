#pragma once
// TWinControl: a control with a window of its own. It creates the window
// from CreateParams (a class registered under the control's class name,
// superclassing the system class where there is one), finds its object from
// the window (stored there at the first message), and sends every message
// through WindowProc. It reflects
// notifications to the child they concern (WM_COMMAND -> CN_COMMAND ...),
// paints its non-windowed children after its own background, and keeps its
// windowed children in tab order (which is also their z-order, so the
// system's dialog navigation follows it).

#include "platform/controls/Control.h"
#include "platform/graphics/GraphicsObjects.h"

#include <string>
#include <vector>
#include <windows.h>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    WNDCLASSA WindowClass{};
    std::string WinClassName;
};

class TWinControl : public TControl {
    TESSARO_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // The window, created on first use.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (and those of the children); it is made again on
    // the next use, with the same settings.
    void DestroyHandle();
    // Makes the window again with the current settings (when it exists), by
    // sending CM_RECREATEWND through WindowProc: a component that replaced
    // the procedure sees the window go and come back.
    void RecreateWnd();

    // Whether the window is one of a system class (a button, a list ...).
    bool IsSystemClass() const { return !FSystemClassName.empty(); }

    // The object of a window made by this layer, or null.
    static TWinControl* FindControl(HWND handle);

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    const std::vector<TControl*>& ControlList() const { return FControls; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible non-windowed child at P (client coordinates), topmost
    // first, enabled or not.
    TControl* ControlAtPos(POINT p) const;
    // Called after a child control moved or changed its size.
    virtual void ChildBoundsChanged(TControl* /*child*/) {}

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    // Whether a control dragged with dkDock may be dropped into this one,
    // which then becomes its parent.
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool value) { FDockSite = value; }

    TBrush* Brush() const { return FBrush.get(); }
    // Paints through an off-screen bitmap: the background is erased into it
    // (WM_ERASEBKGND with LParam equal to the bitmap's DC) and the whole
    // picture copied to the screen at once. Other erase requests are
    // answered without drawing.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value);
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool value) override;
    void SetText(const std::string& value) override;

    // The children last to first, then the window itself; the first palette
    // realised takes the foreground, the others follow in the background.
    bool PaletteChanged(bool foreground) override;

    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Lays the children out: the aligned ones along the client area's
    // edges, the anchored ones for the new size. Runs whenever the client
    // size, or an aligned child's bounds or visibility change.
    void Realign();
    bool Aligning() const { return FAlignLevel > 0; }

    // Paints the non-windowed children into DC, in creation order, each with
    // the origin moved to it and the clip cut to its bounds; from First on
    // when First is given.
    void PaintControls(HDC dc, TControl* first = nullptr);

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void WndProc(TMessage& message) override;
    // Calls the window procedure the class inherited (the system's).
    virtual void DefWndProc(TMessage& message);

    void Loaded() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    // Called by CreateWnd each time the window is to be made: fills in its class and styles.
    virtual void CreateParams(TCreateParams& params);
    // Registers the class (superclassing SystemClassName when given) and
    // makes the window.
    virtual void CreateWnd();
    // Called by CreateWnd once the class is registered: makes the window itself.
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Called by DestroyHandle after the children's windows went: destroys this window.
    virtual void DestroyWnd();
    // The window, or null while it is not made (Handle() would make it).
    HWND WindowHandle() const { return FHandle; }
    // The tab stop a class starts with, set before any window exists.
    void SetDefaultTabStop(bool value) { FTabStop = value; }
    // Called once the window exists: sets font, tools, children.
    virtual void CreateHandleDone() {}
    // The extended styles for the BiDiMode: right-to-left reading, the
    // scroll bar on the left, mirrored text alignment.
    DWORD BiDiExStyle() const;
    // Makes CreateWnd superclass a system window class.
    void CreateSubClass(TCreateParams& params, const char* systemClassName);
    // Paints the window's own background and content (not the children).
    virtual void PaintWindow(HDC dc);
    // The focus steps: run when the window gets (CM_ENTER) and loses
    // (CM_EXIT) the focus; they fire OnEnter and OnExit.
    virtual void DoEnter();
    virtual void DoExit();
    // The WM_PAINT handler: own painting, then the non-windowed children.
    void PaintHandler(TMessage& message);
    // WM_PAINT of a double-buffered window: the same through a bitmap.
    void PaintBuffered();
    // Erases and paints the whole window onto Dc.
    void PaintInto(HDC dc);
    // The answer to CM_RECREATEWND: destroys the window and makes it again,
    // keeping the focus.
    void RecreateWindow();
    void FontChanged() override;
    void TakeBiDiMode(TBiDiMode mode) override;
    void ColorChanged() override;
    // Whether a message to this window is a notification of a child and,
    // if so, reflects it to that child.
    bool ReflectNotification(TMessage& message);
    void UpdateTabOrderZ();
    void ApplyHint() override;
    virtual void AlignControls(RECT& rect);

private:
    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    int FReadTabOrder = -1;
    int FAlignLevel = 0;
    bool FDockSite = false;

    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void AttachHandle(HWND handle);
    static std::string ClassNameForWindow(const TCreateParams& params);
    std::string FSystemClassName;
    int FControlId = 0;
    // Hands a mouse message to the non-windowed child it concerns (the one
    // holding the mouse, else the one under it) and keeps track of which
    // control the mouse is over; false when the message is this window's.
    bool ForwardMouse(TMessage& message);
    // Shift+F10 and the context-menu key ask for the popup menu at the
    // focused control; true when one was shown (the key is then spent).
    bool ContextMenuKey(TMessage& message);
    bool FContextKeyDown = false;

    // The message families Dispatch hands out, each true when it took the
    // message (false: TControl's handling follows).
    bool PaintMessage(TMessage& message);
    // Bounds, visibility, hints, the child list, re-creation.
    bool WindowMessage(TMessage& message);
    // The cursor, the context menu and its keys, mouse tracking.
    bool InputMessage(TMessage& message);
    bool FocusMessage(TMessage& message);
    bool SystemColorMessage(TMessage& message);
    // Takes the bounds the system gave the window.
    void WindowMoved(const WINDOWPOS& position);
    bool CursorMessage(TMessage& message);
    // A context menu asked for over a child without a window goes to it
    // first; true when that child answered it.
    bool ContextMenuOfChild(TMessage& message);
};
