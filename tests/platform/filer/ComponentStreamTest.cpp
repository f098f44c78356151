// Reading form streams into live components and writing them back: nested
// property paths, sets, identifiers, references, events, custom string and
// binary properties, children with parents, Loaded order, damaged streams.

#include "FilerTestSupport.h"

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/classes/StringList.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<std::string> loadedOrder;
// What the widgets' ReadState saw: "<" and ">" around each one's reading,
// with the caption read by then.
std::vector<std::string> stateLog;

enum class TMood { mdCalm, mdBusy, mdAngry };
const TEnumNames MoodNames = {"mdCalm", "mdBusy", "mdAngry"};
enum class TEdge { egLeft, egTop, egRight, egBottom };
const TEnumNames EdgeNames = {"egLeft", "egTop", "egRight", "egBottom"};
const TIdentMap ShadeIdents = {{0x00FF00, "shGreen"}, {0x0000FF, "shRed"}};

// A property object two levels deep: Fill.Gradient.Color.
class TGradientSettings : public TPersistent {
    TESSARO_CLASS(TGradientSettings, TPersistent)
public:
    int Color() const { return FColor; }
    void SetColor(int v) { FColor = v; }
    TSet<TEdge> Edges() const { return FEdges; }
    void SetEdges(TSet<TEdge> v) { FEdges = v; }

private:
    int FColor = 0;
    TSet<TEdge> FEdges{TEdge::egLeft};
};

class TFillSettings : public TPersistent {
    TESSARO_CLASS(TFillSettings, TPersistent)
public:
    TGradientSettings* Gradient() const { return FGradient.get(); }
    TMood Mood() const { return FMood; }
    void SetMood(TMood v) { FMood = v; }
    // Custom binary data of the object itself.
    std::vector<std::uint8_t> Blob;
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Blob",
            [this](TStream& s) {
                Blob.resize(static_cast<size_t>(s.GetSize()));
                if (!Blob.empty())
                    s.ReadBuffer(Blob.data(), static_cast<std::int32_t>(Blob.size()));
            },
            [this](TStream& s) {
                s.WriteBuffer(Blob.data(), static_cast<std::int32_t>(Blob.size()));
            },
            !Blob.empty());
    }

private:
    std::unique_ptr<TGradientSettings> FGradient = std::make_unique<TGradientSettings>();
    TMood FMood = TMood::mdCalm;
};

// A visual child: knows its parent, like a control.
class TWidget : public TComponent {
    TESSARO_CLASS(TWidget, TComponent)
public:
    using TComponent::TComponent;
    ~TWidget() override = default;

    TComponent* Parent() const { return FParent; }
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* value) override { FParent = value; }

    int Left() const { return FLeft; }
    void SetLeft(int v) { FLeft = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }
    int Shade() const { return FShade; }
    void SetShade(int v) { FShade = v; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }
    TFillSettings* Fill() const { return FFill.get(); }
    TStringList* Lines() const { return FLines.get(); }
    TWidget* Buddy() const { return FBuddy; }
    void SetBuddy(TWidget* v) {
        FBuddy = v;
        if (v)
            v->FreeNotification(this);
    }
    TNotifyEvent OnClick;

    // Custom string data, like a list reference stored by name.
    std::string Internal;
    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            "Internal", [this](TFilerReader& r) { Internal = r.ReadString(); },
            [this](TFilerWriter& w) { w.WriteString(Internal); }, !Internal.empty());
    }

    void ReadState(TFilerReader& reader) override {
        stateLog.push_back("<" + Name());
        TComponent::ReadState(reader);
        stateLog.push_back(">" + Name() + " " + FCaption);
    }

    // What Loaded saw: the reference is fixed up before any Loaded runs.
    std::string BuddyAtLoaded;
    void Loaded() override {
        TComponent::Loaded();
        loadedOrder.push_back(Name());
        BuddyAtLoaded = FBuddy ? FBuddy->Name() : "-";
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == FBuddy)
            FBuddy = nullptr;
    }

private:
    TComponent* FParent = nullptr;
    int FLeft = 0;
    bool FVisible = true;
    std::string FCaption;
    int FShade = 0;
    double FRatio = 0;
    std::unique_ptr<TFillSettings> FFill = std::make_unique<TFillSettings>();
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    TWidget* FBuddy = nullptr;
};

// A non-visual component: stored as a child of the root.
class TGadget : public TComponent {
    TESSARO_CLASS(TGadget, TComponent)
public:
    using TComponent::TComponent;
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }

private:
    std::string FTitle;
};

class TTestForm : public TComponent {
    TESSARO_CLASS(TTestForm, TComponent)
public:
    TTestForm() : TComponent(nullptr) {}
    int Clicks = 0;
    void WidgetClick(TObject*) { ++Clicks; }
    void OtherClick(TObject*) { Clicks += 10; }
    void Loaded() override {
        TComponent::Loaded();
        loadedOrder.push_back(Name());
    }
    const std::vector<TPublishedMethod>* PublishedMethods() const override {
        static const std::vector<TPublishedMethod> methods = {
            TPublishedMethod::Of<&TTestForm::WidgetClick>("WidgetClick"),
            TPublishedMethod::Of<&TTestForm::OtherClick>("OtherClick"),
        };
        return &methods;
    }
};

} // namespace

const TClassInfo& TGradientSettings::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TGradientSettings>("TGradientSettings", [](TPropertyTable& t) {
            TPropertyBuilder<TGradientSettings> p(t);
            p.Integer("Color", &TGradientSettings::Color, &TGradientSettings::SetColor, 0,
                      &ShadeIdents);
            p.Set("Edges", EdgeNames, &TGradientSettings::Edges, &TGradientSettings::SetEdges,
                  std::optional<TSet<TEdge>>(TSet<TEdge>{TEdge::egLeft}));
        });
    return info;
}

const TClassInfo& TFillSettings::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TFillSettings>("TFillSettings", [](TPropertyTable& t) {
            TPropertyBuilder<TFillSettings> p(t);
            p.Object("Gradient", &TFillSettings::Gradient);
            p.Enum("Mood", MoodNames, &TFillSettings::Mood, &TFillSettings::SetMood,
                   std::optional<TMood>(TMood::mdCalm));
        });
    return info;
}

const TClassInfo& TWidget::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TWidget>("TWidget", [](TPropertyTable& t) {
        TPropertyBuilder<TWidget> p(t);
        p.Integer("Left", &TWidget::Left, &TWidget::SetLeft, 0);
        p.Boolean("Visible", &TWidget::Visible, &TWidget::SetVisible, true);
        p.String("Caption", &TWidget::Caption, &TWidget::SetCaption);
        p.Integer("Shade", &TWidget::Shade, &TWidget::SetShade, 0, &ShadeIdents);
        p.Float("Ratio", &TWidget::Ratio, &TWidget::SetRatio);
        p.Object("Fill", &TWidget::Fill);
        p.Object("Lines", &TWidget::Lines);
        p.Reference("Buddy", &TWidget::Buddy, &TWidget::SetBuddy);
        p.Event("OnClick", &TWidget::OnClick);
    });
    return info;
}

const TClassInfo& TGadget::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TGadget>("TGadget", [](TPropertyTable& t) {
        TPropertyBuilder<TGadget> p(t);
        p.String("Title", &TGadget::Title, &TGadget::SetTitle);
    });
    return info;
}

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TTestForm>("TTestForm");
    return info;
}

namespace {

class ComponentStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses<TWidget, TGadget>();
        loadedOrder.clear();
        stateLog.clear();
    }

    static TBytes ToBinary(const std::string& text) {
        TMemoryStream s;
        ObjectTextToBinary(text, s);
        return s.Bytes();
    }
    static void Read(TTestForm& form, const TBytes& bytes) {
        TReadOnlyMemoryStream s(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        TReader reader(s);
        reader.ReadRootComponent(&form);
    }
    static TBytes Write(TTestForm& form) {
        TMemoryStream s;
        TWriter writer(s);
        writer.WriteRootComponent(&form);
        return s.Bytes();
    }
    template <class T> static T* Find(TTestForm& form, const char* name) {
        return dynamic_cast<T*>(form.FindComponent(name));
    }
};

// Properties in the order of the class tables, as the writer stores them.
const std::string SampleForm = Utf8(u8R"(object Form1: TTestForm
  object Panel: TWidget
    Left = 163
    Caption = 'Gesplittete Dateien ''optimieren'''
    Fill.Gradient.Color = shGreen
    Fill.Gradient.Edges = [egTop, egBottom]
    Fill.Mood = mdAngry
    Fill.Blob = {
      00FF10203040}
    OnClick = WidgetClick
    object Inner: TWidget
      Visible = False
      Caption = 'für Excel bis 2007'
      Shade = 12345
      Ratio = 0.25
      Lines.Strings = (
        'eins'
        'zwei')
      Buddy = Panel
      OnClick = OtherClick
      Internal = 'Bitmaps'
    end
  end
  object Tool: TGadget
    Title = 'nicht sichtbar'
  end
  object Last: TWidget
    Left = 2147483647
    Fill.Gradient.Edges = []
    Buddy = Inner
  end
end
)");

TEST_F(ComponentStream, ReadsEveryKindOfValueIntoLiveComponents) {
    TTestForm form;
    Read(form, ToBinary(SampleForm));
    EXPECT_EQ(form.Name(), "Form1");
    ASSERT_EQ(form.ComponentCount(), 4);
    auto* panel = Find<TWidget>(form, "Panel");
    auto* inner = Find<TWidget>(form, "Inner");
    auto* last = Find<TWidget>(form, "Last");
    auto* tool = Find<TGadget>(form, "Tool");
    ASSERT_TRUE(panel && inner && last && tool);
    EXPECT_EQ(panel->Owner(), &form) << "the root owns every component";
    EXPECT_EQ(inner->Owner(), &form);
    EXPECT_EQ(panel->Parent(), &form);
    EXPECT_EQ(inner->Parent(), panel) << "the parent comes from the nesting";

    EXPECT_EQ(panel->Left(), 163);
    EXPECT_EQ(panel->Caption(), "Gesplittete Dateien 'optimieren'");
    EXPECT_EQ(panel->Fill()->Gradient()->Color(), 0x00FF00);
    EXPECT_EQ(panel->Fill()->Gradient()->Edges(), (TSet<TEdge>{TEdge::egTop, TEdge::egBottom}));
    EXPECT_EQ(panel->Fill()->Mood(), TMood::mdAngry);
    EXPECT_EQ(panel->Fill()->Blob, Bytes({0x00, 0xFF, 0x10, 0x20, 0x30, 0x40}));
    EXPECT_FALSE(inner->Visible());
    EXPECT_EQ(inner->Caption(), "f\xFCr Excel bis 2007") << "UTF-8 text becomes CP1252";
    EXPECT_EQ(inner->Shade(), 12345);
    EXPECT_DOUBLE_EQ(inner->Ratio(), 0.25);
    EXPECT_EQ(inner->Lines()->GetText(), "eins\r\nzwei\r\n");
    EXPECT_EQ(inner->Buddy(), panel);
    EXPECT_EQ(inner->Internal, "Bitmaps");
    EXPECT_EQ(tool->Title(), "nicht sichtbar");
    EXPECT_TRUE(last->Fill()->Gradient()->Edges().Empty()) << "an empty set overrides the default";
    EXPECT_EQ(last->Buddy(), inner) << "a forward reference";
    EXPECT_EQ(last->Left(), INT32_MAX) << "the largest value the property takes";
    EXPECT_EQ(last->Fill()->Gradient()->Color(), 0) << "absent means default";

    panel->OnClick(panel);
    inner->OnClick(inner);
    EXPECT_EQ(form.Clicks, 11);
}

TEST_F(ComponentStream, LoadedRunsOnceForEveryComponentAfterTheWholeTreeIsRead) {
    TTestForm form;
    Read(form, ToBinary(SampleForm));
    EXPECT_EQ(loadedOrder, (std::vector<std::string>{"Form1", "Panel", "Inner", "Last"}));
    EXPECT_EQ(Find<TWidget>(form, "Last")->BuddyAtLoaded, "Inner");
    for (TComponent* c : form.ComponentList()) {
        EXPECT_FALSE(c->ComponentState().Contains(csLoading)) << c->Name();
        EXPECT_FALSE(c->ComponentState().Contains(csReading)) << c->Name();
    }
}

TEST_F(ComponentStream, ReadStateHoldsAComponentsPropertiesAndChildren) {
    TTestForm form;
    Read(form, ToBinary(SampleForm));
    // Named before it is handed over; its children are read inside it.
    EXPECT_EQ(stateLog,
              (std::vector<std::string>{"<Panel", "<Inner", ">Inner f\xFCr Excel bis 2007",
                                        ">Panel Gesplittete Dateien 'optimieren'", "<Last",
                                        ">Last "}));
}

TEST_F(ComponentStream, WritingTheReadTreeGivesTheSameBytes) {
    const TBytes original = ToBinary(SampleForm);
    TTestForm form;
    Read(form, original);
    const TBytes written = Write(form);
    EXPECT_EQ(written, original);
    TMemoryStream s;
    s.WriteBuffer(written.data(), static_cast<std::int32_t>(written.size()));
    s.SetPosition(0);
    // Non-ASCII bytes come back as #nnn codes, which convert to the same bytes.
    const std::string text = ObjectBinaryToText(s);
    EXPECT_NE(text.find("'f'#252'r Excel bis 2007'"), std::string::npos);
    EXPECT_EQ(ToBinary(text), original);
}

TEST_F(ComponentStream, ChangedValuesAreWrittenAndDefaultsLeftOut) {
    TTestForm form;
    Read(form, ToBinary(SampleForm));
    auto* inner = Find<TWidget>(form, "Inner");
    inner->SetVisible(true);
    inner->Lines()->Clear();
    inner->Internal.clear();
    inner->OnClick.Clear();
    inner->SetBuddy(nullptr);
    TTestForm copy;
    Read(copy, Write(form));
    auto* innerCopy = Find<TWidget>(copy, "Inner");
    EXPECT_TRUE(innerCopy->Visible());
    EXPECT_EQ(innerCopy->Lines()->Count(), 0);
    EXPECT_EQ(innerCopy->Internal, "");
    EXPECT_FALSE(innerCopy->OnClick);
    EXPECT_EQ(innerCopy->Buddy(), nullptr);
    EXPECT_EQ(innerCopy->Caption(), inner->Caption());
}

TEST_F(ComponentStream, FreeingTheFormClearsReferencesThroughNotifications) {
    auto* form = new TTestForm;
    Read(*form, ToBinary(SampleForm));
    auto* last = Find<TWidget>(*form, "Last");
    Free(Find<TWidget>(*form, "Inner"));
    EXPECT_EQ(last->Buddy(), nullptr);
    Free(form);
}

struct BadCase {
    const char* Name;
    std::string Text;
    const char* Expected; // part of the message
};

class ComponentStreamErrors : public ComponentStream,
                              public ::testing::WithParamInterface<BadCase> {};

TEST_P(ComponentStreamErrors, RaiseReadErrorsNamingTheProblem) {
    const BadCase& c = GetParam();
    TTestForm form;
    try {
        Read(form, ToBinary(c.Text));
        FAIL() << "no error for " << c.Name;
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(c.Expected), std::string::npos) << e.Message();
    }
    for (TComponent* comp : form.ComponentList())
        EXPECT_FALSE(comp->Loading()) << "a failed read leaves no component loading";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComponentStreamErrors,
    ::testing::Values(
        BadCase{"UnknownClass", "object F: TTestForm\n object X: TNoSuchClass\n end\nend\n",
                "TNoSuchClass"},
        BadCase{"UnknownProperty",
                "object F: TTestForm\n object X: TWidget\n Width = 3\n end\nend\n", "X.Width"},
        BadCase{"UnknownNestedPath",
                "object F: TTestForm\n object X: TWidget\n Fill.Nope.Color = 3\n end\nend\n",
                "X.Fill.Nope.Color"},
        BadCase{"WrongValueType",
                "object F: TTestForm\n object X: TWidget\n Left = 'text'\n end\nend\n", "X.Left"},
        BadCase{"IntegerOutOfRange",
                "object F: TTestForm\n object X: TWidget\n Left = 4294967296\n end\nend\n",
                "Ungültiger Eigenschaftswert"},
        BadCase{"UnknownEnumName",
                "object F: TTestForm\n object X: TWidget\n Fill.Mood = mdSleepy\n end\nend\n",
                "X.Fill.Mood"},
        BadCase{"UnknownSetMember",
                "object F: TTestForm\n object X: TWidget\n Fill.Gradient.Edges = [egMiddle]\n "
                "end\nend\n",
                "Edges"},
        BadCase{"UnknownColourName",
                "object F: TTestForm\n object X: TWidget\n Shade = shBlue\n end\nend\n", "Shade"},
        BadCase{"MissingReference",
                "object F: TTestForm\n object X: TWidget\n Buddy = Nobody\n end\nend\n", "Nobody"},
        BadCase{"ReferenceOfWrongClass",
                "object F: TTestForm\n object X: TWidget\n Buddy = G\n end\n object G: TGadget\n "
                "end\nend\n",
                "falschen Typ"},
        BadCase{"MissingMethod",
                "object F: TTestForm\n object X: TWidget\n OnClick = Nothing\n end\nend\n",
                "Nothing"},
        BadCase{"DuplicateName",
                "object F: TTestForm\n object X: TWidget\n end\n object X: TGadget\n end\nend\n",
                "X"},
        BadCase{"WrongRootClass", "object F: TWidget\nend\n", "TWidget"},
        BadCase{"BinaryExpected",
                "object F: TTestForm\n object X: TWidget\n Fill.Blob = 'text'\n end\nend\n",
                "Fill.Blob"}),
    [](const ::testing::TestParamInfo<BadCase>& p) { return std::string(p.param.Name); });

TEST_F(ComponentStream, DamagedStreamsRaiseReadErrorsAndNeverCrash) {
    const TBytes good = ToBinary(SampleForm);
    int errors = 0;
    // Every truncation.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        TBytes bad(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        TTestForm form;
        try {
            Read(form, bad);
        } catch (const EReadError&) {
            ++errors;
        }
    }
    EXPECT_EQ(errors, static_cast<int>(good.size())) << "every truncated stream is an error";
    // Every byte replaced by a few telling values; errors only as EReadError.
    for (size_t at = 0; at < good.size(); ++at)
        for (std::uint8_t value : {0x00, 0x01, 0x07, 0x0A, 0x7F, 0xFF}) {
            TBytes bad = good;
            bad[at] = value;
            TTestForm form;
            try {
                Read(form, bad);
            } catch (const EReadError&) {
            } catch (const Exception& e) {
                ADD_FAILURE() << "byte " << at << " = " << int(value) << ": " << e.Message();
            }
        }
}

} // namespace
