#include "platform/stdctrls/CoolBar.h"

#include "platform/rtl/SystemLibrary.h"
#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>
#include <commctrl.h>

namespace {
void RegisterRebarClass() {
    static const bool registered = InitCommonControlClasses(ICC_COOL_CLASSES);
    static_cast<void>(registered);
}

// The band description of Band for RB_INSERTBAND and RB_SETBANDINFO.
REBARBANDINFOA BandInfo(const TCoolBand& band, std::string& text) {
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_TEXT;
    info.fStyle = RBBS_CHILDEDGE | (band.Break() ? RBBS_BREAK : 0);
    TWinControl* control = band.Control();
    info.hwndChild = control->Handle();
    info.cxMinChild = 0;
    info.cyMinChild = static_cast<UINT>(std::max(band.MinHeight(), control->Height()));
    info.cx = static_cast<UINT>(control->Width());
    info.wID = band.Id();
    text = band.Text();
    info.lpText = text.data();
    return info;
}
} // namespace

// --- TCoolBand ---------------------------------------------------------------

TCoolBand::TCoolBand(TCoolBar& bar, TWinControl* control, unsigned id)
    : FBar(bar), FControl(control), FId(id) {}

void TCoolBand::SetText(const std::string& value) {
    FText = value;
    Apply();
}

void TCoolBand::SetMinHeight(int value) {
    FMinHeight = std::max(value, 0);
    Apply();
}

void TCoolBand::SetBreak(bool value) {
    FBreak = value;
    Apply();
}

void TCoolBand::Apply() const {
    const int index = FBar.BandIndexInWindow(*this);
    if (index < 0)
        return;
    std::string text;
    REBARBANDINFOA info = BandInfo(*this, text);
    ::SendMessageA(FBar.Handle(), RB_SETBANDINFOA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&info));
}

// --- TCoolBar ----------------------------------------------------------------

const TClassInfo& TCoolBar::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCoolBar>("TCoolBar", [](TPropertyTable& t) {
        TPropertyBuilder<TCoolBar> p(t);
        StandardProperties<TCoolBar>::Bounds(p);
        StandardProperties<TCoolBar>::Common(p);
    });
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
    FWidth = 150;
    FHeight = 75;
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}

TCoolBar::~TCoolBar() = default;

void TCoolBar::CreateParams(TCreateParams& params) {
    RegisterRebarClass();
    TWinControl::CreateParams(params);
    CreateSubClass(params, REBARCLASSNAMEA);
    // The layer places the bar; the bands keep their rows.
    params.Style |=
        RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void TCoolBar::CreateHandleDone() {
    for (const auto& band : FBands)
        InsertBand(*band);
}

TCoolBand* TCoolBar::BandOf(const TControl* control) const {
    for (const auto& band : FBands)
        if (band->Control() == control)
            return band.get();
    return nullptr;
}

int TCoolBar::BandIndexInWindow(const TCoolBand& band) const {
    if (!HandleAllocated())
        return -1;
    return static_cast<int>(::SendMessageA(WindowHandle(), RB_IDTOINDEX, band.Id(), 0));
}

void TCoolBar::InsertBand(const TCoolBand& band) {
    if (!HandleAllocated() || BandIndexInWindow(band) >= 0)
        return;
    std::string text;
    REBARBANDINFOA info = BandInfo(band, text);
    ::SendMessageA(WindowHandle(), RB_INSERTBANDA, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&info));
}

void TCoolBar::AddBand(TWinControl* control) {
    if (BandOf(control))
        return;
    FBands.push_back(std::make_unique<TCoolBand>(*this, control, FNextId++));
    InsertBand(*FBands.back());
}

void TCoolBar::RemoveBand(const TControl* control) {
    const auto it = std::ranges::find_if(
        FBands, [control](const std::unique_ptr<TCoolBand>& b) { return b->Control() == control; });
    if (it == FBands.end())
        return;
    if (const int index = BandIndexInWindow(**it); index >= 0)
        ::SendMessageA(WindowHandle(), RB_DELETEBAND, static_cast<WPARAM>(index), 0);
    FBands.erase(it);
}

void TCoolBar::Dispatch(TMessage& message) {
    if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) {
        // A control on a band made its window again (a setting that needs a
        // new window): the band takes the new one in place of the dead one.
        const auto window = reinterpret_cast<HWND>(message.LParam);
        if (TWinControl* control = FindControl(window);
            control && control->Parent() == this && control->HandleAllocated())
            if (const TCoolBand* band = BandOf(control))
                band->Apply();
    }
    if (message.Msg == CM_CONTROLLISTCHANGE) {
        // Only the bar's own controls have bands; the message goes on up.
        if (auto* control = reinterpret_cast<TControl*>(message.WParam);
            control && control->Parent() == this) {
            if (!message.LParam)
                RemoveBand(control);
            else if (auto* windowed = dynamic_cast<TWinControl*>(control))
                AddBand(windowed);
        }
    }
    TWinControl::Dispatch(message);
}
