#include "platform/stdctrls/RichEdit.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/StandardProperties.h"

#include <memory>
#include <richedit.h>

namespace {
// The library that registers the control's window class, loaded once from
// the system folder (never from the program's folder) and kept.
void LoadRichEditLibrary() {
    static const bool loaded = LoadSystemLibraryForProcess("riched20.dll") != nullptr;
    if (!loaded)
        throw EOSError("Die Bibliothek riched20.dll kann nicht geladen werden");
}

// The control's text as lines. Every change writes the whole text back: the
// control, not this object, holds the lines.
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit& edit) : FEdit(edit) {}

    int Count() const override { return Snapshot()->Count(); }
    std::string Get(int index) const override { return Snapshot()->Get(index); }
    void Put(int index, const std::string& s) override {
        Change([&](TStringList& lines) { lines.Put(index, s); });
    }
    void Insert(int index, const std::string& s) override {
        Change([&](TStringList& lines) { lines.Insert(index, s); });
    }
    void Delete(int index) override {
        Change([&](TStringList& lines) { lines.Delete(index); });
    }
    void Clear() override { FEdit.SetText(std::string()); }

private:
    std::unique_ptr<TStringList> Snapshot() const {
        auto lines = std::make_unique<TStringList>();
        lines->SetText(FEdit.GetText());
        return lines;
    }
    template <class Edit> void Change(Edit edit) {
        const std::unique_ptr<TStringList> lines = Snapshot();
        edit(*lines);
        std::string text = lines->GetText();
        // The last line ends the text: no empty paragraph after it.
        if (text.size() >= 2)
            text.resize(text.size() - 2);
        FEdit.SetText(text);
    }

    TCustomRichEdit& FEdit;
};
} // namespace

const TClassInfo& TCustomRichEdit::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomRichEdit>("TCustomRichEdit");
    return info;
}

const TClassInfo& TRichEdit::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TRichEdit>("TRichEdit", [](TPropertyTable& t) {
        TPropertyBuilder<TRichEdit> p(t);
        StandardProperties<TRichEdit>::Bounds(p);
        p.Enum("BorderStyle", BorderStyleNames(), &TRichEdit::BorderStyle,
               &TRichEdit::SetBorderStyle, std::optional<TBorderStyle>(bsSingle));
        StandardProperties<TRichEdit>::Common(p);
        p.Object("Lines", &TRichEdit::Lines);
        p.Enum("ScrollBars", ScrollStyleNames(), &TRichEdit::ScrollBars, &TRichEdit::SetScrollBars,
               std::optional<TScrollStyle>(ssNone));
        StandardProperties<TRichEdit>::Tabbing(p, true);
    });
    return info;
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TWinControl(owner), FLines(std::make_unique<TRichEditStrings>(*this)) {
    FWidth = 185;
    FHeight = 89;
    SetDefaultTabStop(true);
    FColor = clWindow;
    FParentColor = false;
    Brush()->SetColor(FColor);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CreateParams(TCreateParams& params) {
    LoadRichEditLibrary();
    TWinControl::CreateParams(params);
    CreateSubClass(params, RICHEDIT_CLASSA);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
    if (HasHorizontalBar(FScrollBars))
        params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (HasVerticalBar(FScrollBars))
        params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomRichEdit::DestroyWnd() {
    // The new window starts with the text the old one had.
    if (HandleAllocated())
        FText = GetText();
    TWinControl::DestroyWnd();
}

const std::string& TCustomRichEdit::GetText() const {
    if (!WindowHandle())
        return FText;
    const int length = ::GetWindowTextLengthA(WindowHandle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(WindowHandle(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    FCurrentText = std::move(text);
    return FCurrentText;
}

void TCustomRichEdit::SetText(const std::string& value) {
    FText = value;
    if (WindowHandle())
        ::SetWindowTextA(WindowHandle(), FText.c_str());
    Perform(CM_TEXTCHANGED);
}

void TCustomRichEdit::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    RecreateWnd();
}
