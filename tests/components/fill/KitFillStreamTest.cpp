// Every published member of the fill control in a text form: converted,
// read into working members, and written back to the same bytes.

#include "components/controls/kitextcS.h"
#include "components/imagelists/kitimagelist.h"
#include "platform/classes/Stream.h"
#include "platform/controls/Menus.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace {
// A root that parents the fill and answers for the handlers in the form.
class TFillHost : public TCustomControl {
    TESSARO_CLASS(TFillHost, TCustomControl)
public:
    TFillHost() : TCustomControl(nullptr) {}
    std::vector<std::string> Calls;
    void FillClick(TObject*) { Calls.push_back("click"); }
    void FillDblClick(TObject*) { Calls.push_back("dblclick"); }
    void FillDragDrop(TObject*, TObject*, int, int) { Calls.push_back("dragdrop"); }
    void FillDragOver(TObject*, TObject*, int, int, TDragState, bool&) {
        Calls.push_back("dragover");
    }
    void FillEndDrag(TObject*, TObject*, int, int) { Calls.push_back("enddrag"); }
    void FillMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
        Calls.push_back("mousedown");
    }
    void FillMouseMove(TObject*, TShiftState, int, int) { Calls.push_back("mousemove"); }
    void FillMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
        Calls.push_back("mouseup");
    }
    void FillStartDrag(TObject*) { Calls.push_back("startdrag"); }
    void FillEndDock(TObject*, TObject*, int, int) { Calls.push_back("enddock"); }
    void FillStartDock(TObject*) { Calls.push_back("startdock"); }
    const std::vector<TPublishedMethod>* PublishedMethods() const override {
        static const std::vector<TPublishedMethod> methods = {
            TPublishedMethod::Of<&TFillHost::FillClick>("FillClick"),
            TPublishedMethod::Of<&TFillHost::FillDblClick>("FillDblClick"),
            TPublishedMethod::Of<&TFillHost::FillDragDrop>("FillDragDrop"),
            TPublishedMethod::Of<&TFillHost::FillDragOver>("FillDragOver"),
            TPublishedMethod::Of<&TFillHost::FillEndDrag>("FillEndDrag"),
            TPublishedMethod::Of<&TFillHost::FillMouseDown>("FillMouseDown"),
            TPublishedMethod::Of<&TFillHost::FillMouseMove>("FillMouseMove"),
            TPublishedMethod::Of<&TFillHost::FillMouseUp>("FillMouseUp"),
            TPublishedMethod::Of<&TFillHost::FillStartDrag>("FillStartDrag"),
            TPublishedMethod::Of<&TFillHost::FillEndDock>("FillEndDock"),
            TPublishedMethod::Of<&TFillHost::FillStartDock>("FillStartDock"),
        };
        return &methods;
    }
};

// Every row of the fill's table, in its order, with a value other than the
// default (Visible last among the plain ones: hidden, the fill is not laid
// out, so its bounds stay as stored).
const char* const FillForm = R"(object Host: TFillHost
  object FillMenu: TPopupMenu
    AutoPopup = False
    OnPopup = FillClick
    object ItemLoad: TMenuItem
      Caption = '&Laden'
      Checked = True
      OnClick = FillClick
      object ItemSub: TMenuItem
        Caption = 'Unter'
        Enabled = False
        Visible = False
      end
    end
    object ItemLine: TMenuItem
      Caption = '-'
    end
  end
  object Images: TKitImageList
  end
  object Fill: TKitFill
    Left = 3
    Top = 4
    Width = 50
    Height = 20
    About = 'Skala'
    Align = alBottom
    Bevel.Mode = bmCustom
    Bevel.StandardStyle = lsSingleLowered
    Caption.Caption = 'Text'
    Caption.Font.Charset = DEFAULT_CHARSET
    Caption.Font.Color = clWindowText
    Caption.Font.Height = -11
    Caption.Font.Name = 'MS Sans Serif'
    Caption.Font.Style = []
    Color = clRed
    DragCursor = crHandPoint
    DragMode = dmAutomatic
    Enabled = False
    FillObject.Style = sfGradient
    ImageList = Images
    ImageIndex = 2
    ListIndex = 1
    ParentColor = False
    ParentShowHint = False
    PopupMenu = FillMenu
    ShowHint = True
    Visible = False
    OnClick = FillClick
    OnDblClick = FillDblClick
    OnDragDrop = FillDragDrop
    OnDragOver = FillDragOver
    OnEndDrag = FillEndDrag
    OnMouseDown = FillMouseDown
    OnMouseMove = FillMouseMove
    OnMouseUp = FillMouseUp
    OnStartDrag = FillStartDrag
    Anchors = [akLeft, akBottom]
    BiDiMode = bdRightToLeft
    DragKind = dkDock
    Constraints.MaxHeight = 40
    Constraints.MinWidth = 10
    ParentBiDiMode = False
    OnEndDock = FillEndDock
    OnStartDock = FillStartDock
  end
end
)";
} // namespace

const TClassInfo& TFillHost::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFillHost>("TFillHost");
    return info;
}

TEST(KitFillStream, EveryPublishedMemberIsReadIntoAWorkingMemberAndWrittenBackUnchanged) {
    RegisterKitControls();
    RegisterClasses<TKitImageList, TPopupMenu, TMenuItem>();
    TMemoryStream original;
    ObjectTextToBinary(FillForm, original);
    original.SetPosition(0);
    TFillHost host;
    TReader reader(original);
    reader.ReadRootComponent(&host);

    auto* fill = dynamic_cast<TKitFill*>(host.FindComponent("Fill"));
    ASSERT_NE(fill, nullptr);
    auto* menu = dynamic_cast<TPopupMenu*>(host.FindComponent("FillMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(fill->Parent(), &host);
    EXPECT_EQ(fill->Align(), alBottom);
    EXPECT_EQ(fill->Anchors(), (TAnchors{akLeft, akBottom}));
    EXPECT_EQ(fill->Constraints()->MaxHeight(), 40);
    EXPECT_EQ(fill->Constraints()->MinWidth(), 10);
    EXPECT_EQ(fill->DragCursor(), crHandPoint);
    EXPECT_EQ(fill->DragMode(), dmAutomatic);
    EXPECT_EQ(fill->DragKind(), dkDock);
    EXPECT_EQ(fill->BiDiMode(), bdRightToLeft);
    EXPECT_FALSE(fill->ParentBiDiMode());
    EXPECT_EQ(fill->PopupMenu(), menu);
    EXPECT_EQ(fill->ImageList(), host.FindComponent("Images"));
    EXPECT_EQ(fill->ImageIndex(), 2);
    EXPECT_EQ(fill->ListIndex(), 1);
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "&Laden");
    ASSERT_EQ(menu->Items()->Items(0)->Count(), 1);
    EXPECT_FALSE(menu->Items()->Items(0)->Items(0)->Visible());
    EXPECT_TRUE(menu->Items()->Items(1)->IsSeparator());

    // The events are connected to the host's handlers.
    bool accept = false;
    fill->OnClick(fill);
    fill->OnDblClick(fill);
    fill->OnDragDrop(fill, fill, 0, 0);
    fill->OnDragOver(fill, fill, 0, 0, dsDragMove, accept);
    fill->OnEndDrag(fill, nullptr, 0, 0);
    fill->OnMouseDown(fill, mbLeft, {}, 0, 0);
    fill->OnMouseMove(fill, {}, 0, 0);
    fill->OnMouseUp(fill, mbLeft, {}, 0, 0);
    fill->OnStartDrag(fill);
    fill->OnEndDock(fill, nullptr, 0, 0);
    fill->OnStartDock(fill);
    menu->OnPopup(menu);
    EXPECT_EQ(host.Calls,
              (std::vector<std::string>{"click", "dblclick", "dragdrop", "dragover", "enddrag",
                                        "mousedown", "mousemove", "mouseup", "startdrag",
                                        "enddock", "startdock", "click"}));

    TMemoryStream written;
    TWriter writer(written);
    writer.WriteRootComponent(&host);
    written.SetPosition(0);
    original.SetPosition(0);
    EXPECT_EQ(ObjectBinaryToText(written), ObjectBinaryToText(original));
    ASSERT_EQ(written.GetSize(), original.GetSize());
    EXPECT_EQ(std::memcmp(written.Memory(), original.Memory(), static_cast<size_t>(written.GetSize())),
              0);
}

TEST(KitFillStream, PublishesItsTableAndNothingElse) {
    // The top-level names of the fill's rows in the form, in their order.
    std::vector<std::string> rows;
    std::istringstream lines(FillForm);
    std::string line;
    while (std::getline(lines, line) && line != "  object Fill: TKitFill") {
    }
    while (std::getline(lines, line) && line != "  end") {
        std::string name = line.substr(4, line.find_first_of(".=") - 4);
        name.erase(name.find_last_not_of(' ') + 1);
        if (rows.empty() || rows.back() != name)
            rows.push_back(name);
    }
    std::vector<std::string> published;
    for (const TPropInfo& info : TKitFill::StaticClassInfo().Properties().Items())
        published.push_back(info.Name);
    rows.insert(rows.begin(), {"Name", "Tag"}); // every component's
    EXPECT_EQ(published, rows);
}
