#pragma once
// TControl: the base of everything visible on a form. Every message a
// control gets, from Windows or from code (Perform), passes through its
// replaceable WindowProc, which starts out as the virtual WndProc; another
// component may replace it and call the saved one.

#include "platform/classes/Component.h"
#include "platform/classes/Event.h"
#include "platform/classes/Set.h"
#include "platform/controls/Messages.h"
#include "platform/controls/Mouse.h"
#include "platform/controls/SizeConstraints.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObjects.h"

#include <memory>
#include <string>
#include <windows.h>

class TWinControl;
class TPopupMenu;

enum class TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
};
using TControlStyle = TSet<TControlStyleFlag>;
using enum TControlStyleFlag;

enum class TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    // The window is being destroyed and made again (CM_RECREATEWND).
    csRecreating,
};
using TControlState = TSet<TControlStateFlag>;
using enum TControlStateFlag;

// Cursor identifiers of the screen's cursor table.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
const TIdentMap& CursorIdents();

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;
const TEnumNames& AlignmentNames();

// Dragging: how a drag starts, what it does, and where the mouse is in a
// drag over a control.
enum class TDragMode { dmManual, dmAutomatic };
using enum TDragMode;
const TEnumNames& DragModeNames();
enum class TDragKind { dkDrag, dkDock };
using enum TDragKind;
const TEnumNames& DragKindNames();
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using enum TDragState;
// Sender.
using TStartDragEvent = TEvent<TObject*>;
// Sender, Source, X, Y in the sender's client coordinates, State, Accept.
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
// Sender, Source, X, Y.
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
// Sender, Target (null when nothing took the control), X, Y in the target.
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;

// Where the parent lays a control out: along one of its client area's
// edges (in this order: top, bottom, left, right) or over what is left.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;
const TEnumNames& AlignNames();
// The parent's edges whose distance a control keeps when the parent
// changes size.
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
using TAnchors = TSet<TAnchorKind>;
const TEnumNames& AnchorNames();
// The anchors an alignment implies.
TAnchors AnchorsOfAlign(TAlign align);

// Reading order and alignment for right-to-left languages.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;
const TEnumNames& BiDiModeNames();

class TControl : public TComponent {
    TESSARO_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    // Leaves the parent while the control is still whole.
    void BeforeDestruction() override;

    // The message path: WindowProc -> WndProc -> Dispatch -> DefaultHandler.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    // Handles the messages this class knows; hands the rest to its parent
    // class's Dispatch and finally to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    TWinControl* Parent() const { return FParent; }
    // The window the control draws and takes the mouse in: its own when it
    // has one, else its parent's (null without a parent).
    TWinControl* HostWindow();
    virtual void SetParent(TWinControl* value);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int left, int top, int width, int height);

    // Layout by the parent: see TAlign and TAnchorKind. Setting Align sets
    // the anchors it implies.
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    bool IsAnchorsStored() const { return FAnchors != AnchorsOfAlign(FAlign); }
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    virtual RECT ClientRect() const { return {0, 0, FWidth, FHeight}; }
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the form is showing.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    const std::string& Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    virtual const std::string& GetText() const { return FText; }
    virtual void SetText(const std::string& value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    const std::string& Hint() const { return FHint; }
    virtual void SetHint(const std::string& value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    // Right-to-left reading and alignment. A control with ParentBiDiMode
    // follows its parent; setting BiDiMode ends that.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftScrollBar() const {
        return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign;
    }
    // DrawText flags for this control's mode: right-to-left reading added,
    // and left and right alignment swapped when the alignment is mirrored.
    UINT DrawTextBiDiModeFlags(UINT flags) const;
    UINT DrawTextBiDiModeFlagsReadingOnly() const;
    // The alignment the control's text has before mirroring.
    virtual TAlignment ControlsAlignment() const { return taLeftJustify; }

    // Dragging. With dmAutomatic a drag starts once the mouse moves the
    // system's drag distance with the left button held; dkDock makes it a
    // drag into a DockSite.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode value) { FDragMode = value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind value) { FDragKind = value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    // Starts a drag of this control; without Immediate only after the
    // mouse moved Threshold pixels (-1: the system's distance).
    void BeginDrag(bool immediate, int threshold = -1);
    // Drops (Drop) or cancels the drag of this control.
    void EndDrag(bool drop);
    bool Dragging() const;
    // The drag steps; each fires its event.
    virtual void DoStartDrag();
    virtual void DoStartDock();
    // Without OnDragOver a control takes nothing; with it, the handler
    // decides (Accept comes in True).
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoEndDock(TObject* target, int x, int y);
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // The menu a right click or the context-menu key shows; it tells the
    // control when it is freed.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    void Notification(TComponent* component, TOperation operation) override;

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }

    // Repainting: Invalidate marks the control's area, Update paints what is
    // marked now, Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    virtual void Click();
    TNotifyEvent OnClick;

    // The mouse: the steps run for every mouse message the control gets
    // (a control without a window gets them from its parent, in its own
    // coordinates); they fire the events.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnDblClick;
    // Whether this control receives every mouse message, wherever the
    // mouse is. A pressed left button takes it for a control with
    // csCaptureMouse until the button is released.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    void Loaded() override;

    // The palette the control draws with, or null: asked whenever the form
    // realises palettes because the system asks it to.
    virtual HPALETTE GetPalette() const { return nullptr; }
    // Realises the palette (Foreground: as the active window's) and
    // repaints when it did; true when the control has a palette.
    virtual bool PaletteChanged(bool foreground);

    // Called when the font or colour of the parent changed.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();

protected:
    friend class TWinControl;
    // Takes Mode as its own, and a windowed control passes it on to the
    // children that follow it, without making any window again.
    virtual void TakeBiDiMode(TBiDiMode mode);
    // Called after a font change (own or taken over from the parent).
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanging() {}
    // Gives the tooltip the hint as it now stands: the tool of the
    // control's area on the parent's window, removed while the control is
    // hidden or shows no hint.
    virtual void ApplyHint();
    void ConstraintsChanged(TObject* sender);
    // Width and height within Constraints.
    void ConstrainSize(int& width, int& height) const;
    // After the bounds changed: the anchors are measured afresh, and the
    // parent lays out again when this control is aligned. Not while the
    // parent itself is laying out.
    void BoundsChanged();
    // Remembers the distances the anchors keep, against the parent's
    // current size.
    void UpdateAnchorRules();
    // Moves and sizes the control for its parent's new size (ParentWidth,
    // ParentHeight: the parent's outer size).
    void ApplyAnchorRules(int parentWidth, int parentHeight);
    // Asks the parent to lay out its children again.
    void RequestAlign();
    // Shows PopupMenu for WM_CONTEXTMENU (at the control when the request
    // came from the keyboard); false when the control has none to show.
    bool ContextPopup(TMessage& message);
    // Whether a left press takes the mouse for this control.
    bool CapturesOnPress() const;
    // Turns a mouse message into the mouse steps, capture and click.
    void MouseMessage(TMessage& message);
    // The area to repaint in the parent when this control changes.
    void InvalidateControl(bool isVisible, bool isOpaque);
    void FontChangedEvent(TObject* sender);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    // A left press of an automatic drag control, waiting for the mouse to
    // move far enough (screen point).
    bool FDragArmed = false;
    POINT FDragArmPoint{};
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> FConstraints;
    // The bounds and the parent's outer size when the anchors were measured.
    RECT FAnchorBounds{};
    SIZE FAnchorParentSize{};
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FUpdatingFont = false;
};
