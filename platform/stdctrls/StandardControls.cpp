#include "platform/stdctrls/StandardControls.h"

#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/TrackBar.h"

void RegisterStandardControls() {
    RegisterClasses<TBevel, TButton, TCheckBox, TRadioButton, TImage, TLabel, TPanel, TGroupBox,
                    TTrackBar>();
}
