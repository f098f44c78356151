#include "platform/stdctrls/StandardControls.h"

#include "platform/controls/Menus.h"
#include "platform/stdctrls/Animate.h"
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/CheckListBox.h"
#include "platform/stdctrls/CoolBar.h"
#include "platform/stdctrls/Frames.h"
#include "platform/stdctrls/GlyphButtons.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/RichEdit.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/Splitter.h"
#include "platform/stdctrls/StaticText.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TrackBar.h"

void RegisterStandardControls() {
    RegisterMenuClasses();
    RegisterClasses<TBevel, TBitBtn, TButton, TCheckBox, TCheckListBox, TRadioButton, TImage,
                    TLabel, TPanel, TGroupBox, TSpeedButton, TTrackBar>();
    RegisterClasses<TAnimate, TFrame, TListView, TPageControl, TSplitter, TStaticText, TStatusBar,
                    TTabSheet, TToolBar, TToolButton>();
    RegisterClasses<TCoolBar, TDrawGrid, TRichEdit, TScrollBox>();
}
