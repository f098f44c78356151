// TOpenDialog in form streams: registered for the reader, its settings read
// from a text form, its defaults left out when written.

#include "platform/classes/Component.h"
#include "platform/classes/Stream.h"
#include "platform/dialogs/DialogClasses.h"
#include "platform/dialogs/OpenDialog.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

class TDialogHost : public TComponent {
    TESSARO_CLASS(TDialogHost, TComponent)
public:
    TDialogHost() : TComponent(nullptr) {}
};

} // namespace

const TClassInfo& TDialogHost::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TDialogHost>("TDialogHost");
    return info;
}

namespace {

using TBytes = std::vector<std::uint8_t>;

// UTF-8 text whatever the execution character set.
std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

TBytes ToBinary(const std::string& text) {
    TMemoryStream s;
    ObjectTextToBinary(text, s);
    return s.Bytes();
}

void Read(TDialogHost& host, const TBytes& bytes) {
    TReadOnlyMemoryStream s(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TReader reader(s);
    reader.ReadRootComponent(&host);
}

std::string WrittenText(TDialogHost& host) {
    TMemoryStream s;
    TWriter writer(s);
    writer.WriteRootComponent(&host);
    s.SetPosition(0);
    return ObjectBinaryToText(s);
}

class OpenDialogForm : public ::testing::Test {
protected:
    void SetUp() override { RegisterDialogClasses(); }
};

TEST_F(OpenDialogForm, ReadsTheMainWindowsSettingsAndKeepsTheRestAtDefault) {
    TDialogHost host;
    Read(host, ToBinary(Utf8(u8R"(object frmMain: TDialogHost
  object OpenDialog: TOpenDialog
    DefaultExt = '*.txt'
    Filter = 'Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv|Textdatei (*.txt)|*.txt |CSV-Datei (*.csv)|*.csv'
    Title = 'Quelldatei wählen'
  end
end
)")));
    ASSERT_EQ(host.ComponentCount(), 1);
    auto* dialog = dynamic_cast<TOpenDialog*>(host.Components(0));
    ASSERT_NE(dialog, nullptr) << "created by class name";
    EXPECT_EQ(dialog->Name(), "OpenDialog");
    EXPECT_EQ(dialog->Owner(), &host);
    EXPECT_EQ(dialog->DefaultExt(), "*.txt");
    EXPECT_EQ(dialog->Filter(), "Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv|Textdatei "
                                "(*.txt)|*.txt |CSV-Datei (*.csv)|*.csv");
    EXPECT_EQ(dialog->Title(), "Quelldatei w\xE4hlen");
    EXPECT_EQ(dialog->FilterIndex(), 1);
    EXPECT_EQ(dialog->Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
    EXPECT_EQ(dialog->FileName(), L"");
    EXPECT_EQ(dialog->InitialDir(), "");
}

TEST_F(OpenDialogForm, ReadsEveryPublishedProperty) {
    TDialogHost host;
    Read(host, ToBinary(R"(object Host: TDialogHost
  object Dlg: TOpenDialog
    DefaultExt = 'csv'
    FileName = 'C:\Daten\Umsatz.csv'
    Filter = 'CSV|*.csv'
    FilterIndex = 3
    InitialDir = 'C:\Daten'
    Options = [ofReadOnly, ofFileMustExist, ofForceShowHidden]
    Title = 'T'
  end
end
)"));
    auto* dialog = dynamic_cast<TOpenDialog*>(host.FindComponent("Dlg"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->DefaultExt(), "csv");
    EXPECT_EQ(dialog->FileName(), L"C:\\Daten\\Umsatz.csv");
    EXPECT_EQ(dialog->Filter(), "CSV|*.csv");
    EXPECT_EQ(dialog->FilterIndex(), 3);
    EXPECT_EQ(dialog->InitialDir(), "C:\\Daten");
    EXPECT_EQ(dialog->Options(), (TOpenOptions{ofReadOnly, ofFileMustExist, ofForceShowHidden}))
        << "a stored set replaces the default";
    EXPECT_EQ(dialog->Title(), "T");
}

TEST_F(OpenDialogForm, WritesOnlyWhatDiffersFromTheDefaults) {
    TDialogHost host;
    host.SetName("Host");
    auto* dialog = new TOpenDialog(&host);
    dialog->SetName("Dlg");
    EXPECT_EQ(WrittenText(host),
              "object Host: TDialogHost\n  object Dlg: TOpenDialog\n  end\nend\n");

    dialog->SetDefaultExt("*.txt");
    dialog->SetFilterIndex(2);
    dialog->SetOptions(TOpenOptions{ofEnableSizing});
    dialog->SetTitle("Titel");
    const std::string text = WrittenText(host);
    EXPECT_EQ(text, "object Host: TDialogHost\n  object Dlg: TOpenDialog\n"
                    "    DefaultExt = '*.txt'\n    FilterIndex = 2\n"
                    "    Options = [ofEnableSizing]\n    Title = 'Titel'\n  end\nend\n");

    TDialogHost copy;
    Read(copy, ToBinary(text));
    auto* again = dynamic_cast<TOpenDialog*>(copy.FindComponent("Dlg"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->FilterIndex(), 2);
    EXPECT_EQ(again->Options(), TOpenOptions{ofEnableSizing});
}

TEST(DialogClasses, OnlyTheCreatableDialogIsKnownByName) {
    RegisterDialogClasses();
    const TClassInfo* open = GetClass("TOpenDialog");
    ASSERT_NE(open, nullptr);
    EXPECT_NE(open->Factory(), nullptr);
    EXPECT_TRUE(open->InheritsFrom(TCommonDialog::StaticClassInfo()));
    EXPECT_EQ(TCommonDialog::StaticClassInfo().Factory(), nullptr) << "an abstract base";
    EXPECT_EQ(TOpenDialog::StaticClassInfo().Properties().Find("Filter")->Kind, TPropKind::String);
}

} // namespace
