// The setup wizard's pages and their navigation, on the sample package and on small definitions.
#include "driver/SetupDriver.h"
#include "resources/SetupTexts.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace e2e;
namespace ids = setup::ids;
namespace texts = setup::texts;

namespace {

const std::wstring kName = L"サンプル ビューア";

std::wstring WelcomeText(const std::wstring& name) {
    return name + L" ｾｯﾄｱｯﾌﾟへようこそ。\r\n\r\n今から " + name +
           L" をこのｺﾝﾋﾟｭｰﾀｰにｲﾝｽﾄｰﾙします。\r\n\r\nなお、次へ行く前にすべてのｱﾌﾟﾘｹｰｼｮﾝを終了することをお勧めします。";
}

std::wstring FileText(const std::wstring& path) {
    std::wstring text;
    for (const auto& line : ReadLines(path)) {
        text += line + L"\r\n";
    }
    return text;
}

} // namespace

TEST(SetupWizard, WalksEveryPageForwardAndBackWithItsTextsAndButtons) {
    SetupPackage package;
    Wizard wizard(package.folder());
    ASSERT_NE(wizard.form(), nullptr);
    EXPECT_EQ(WindowText(wizard.form()), L"Setup");
    ASSERT_EQ(wizard.Page(), 0);
    // Slid in from above the screen to its middle, centred across (halves rounded to even).
    RECT r;
    GetWindowRect(wizard.form(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    EXPECT_EQ(r.left, static_cast<int>(std::nearbyint((GetSystemMetrics(SM_CXSCREEN) - width) / 2.0)));
    EXPECT_TRUE(WaitUntil([&] {
        GetWindowRect(wizard.form(), &r);
        return r.top == static_cast<int>(std::nearbyint((GetSystemMetrics(SM_CYSCREEN) - height) / 2.0));
    }));
    EXPECT_EQ(wizard.Text(ids::Label(0)), WelcomeText(kName));
    EXPECT_EQ(wizard.Text(ids::kWelcomeNext), L"次へ &>>");
    EXPECT_EQ(wizard.Text(ids::kWelcomeCancel), L"ｷｬﾝｾﾙ");

    ASSERT_TRUE(wizard.Press(ids::kWelcomeNext, 1));
    EXPECT_EQ(wizard.Text(ids::Label(1)), L"以下の内容に同意されない場合はｾｯﾄｱｯﾌﾟを継続できません。");
    EXPECT_EQ(wizard.Text(ids::kAgreementText), FileText(package.File(L"LICENSE.TXT")));
    EXPECT_EQ(wizard.Text(ids::kAgree), L"同意する");
    EXPECT_EQ(wizard.Text(ids::kAgreementBack), L"&<< 戻る");
    EXPECT_EQ(wizard.Text(ids::kDisagree), L"同意しない");

    ASSERT_TRUE(wizard.Press(ids::kAgree, 2));
    EXPECT_EQ(wizard.Text(ids::Label(2)), L"以下の内容をよくお読みください。");
    EXPECT_EQ(wizard.Text(ids::kReadmeText), FileText(package.File(L"README.TXT")));

    ASSERT_TRUE(wizard.Press(ids::kReadmeNext, 3));
    EXPECT_EQ(wizard.Text(ids::Label(3)), L"ｲﾝｽﾄｰﾙ先を指定してください。");
    EXPECT_EQ(wizard.Text(ids::kDestination), L"C:\\Program Files\\SampleViewer");
    EXPECT_EQ(wizard.Text(ids::kBrowse), L"参照(&B)");
    TempFolder destination;
    SetText(wizard.Item(ids::kDestination), destination.path());

    ASSERT_TRUE(wizard.Press(ids::kDestinationNext, 4)); // an existing folder: no question
    EXPECT_EQ(wizard.Text(ids::Label(4)), L"以下の項目にﾁｪｯｸするとｱﾌﾟﾘｹｰｼｮﾝを起動しやすくなります。");
    const int boxes[] = {ids::kProgramGroupBox, ids::kDesktopBox, ids::kStartupBox, ids::kSendToBox};
    const wchar_t* captions[] = {L"ﾌﾟﾛｸﾞﾗﾑｸﾞﾙｰﾌﾟに登録する", L"ﾃﾞｽｸﾄｯﾌﾟに登録する", L"ｽﾀｰﾄｱｯﾌﾟに登録する",
                                 L"「送る」に登録する"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(wizard.Text(boxes[i]), captions[i]);
        EXPECT_TRUE(IsEnabled(wizard.Item(boxes[i])));
        EXPECT_TRUE(wizard.Checked(boxes[i]));
    }
    // Unticked boxes are ticked again when the page is shown again.
    Click(wizard.Item(ids::kDesktopBox));
    Click(wizard.Item(ids::kSendToBox));
    ASSERT_TRUE(WaitUntil([&] { return !wizard.Checked(ids::kSendToBox); }));
    EXPECT_FALSE(wizard.Checked(ids::kDesktopBox));
    Sleep(1000); // a box click must not act as a button of the page
    ASSERT_TRUE(wizard.program().Running());
    ASSERT_EQ(wizard.Page(), 4);
    ASSERT_TRUE(wizard.Press(ids::kShortcutsBack, 3));
    EXPECT_EQ(wizard.Text(ids::kDestination), destination.path()); // InstallFolder took the choice
    ASSERT_TRUE(wizard.Press(ids::kDestinationNext, 4));
    for (int box : boxes) {
        EXPECT_TRUE(wizard.Checked(box));
    }

    ASSERT_TRUE(wizard.Press(ids::kShortcutsNext, 5));
    EXPECT_EQ(wizard.Text(ids::Label(5)), L"ｲﾝｽﾄｰﾙする準備ができました。\r\n\r\n[ｲﾝｽﾄｰﾙ]を押すとｲﾝｽﾄｰﾙを開始します。");
    EXPECT_EQ(wizard.Text(ids::kInstall), L"ｲﾝｽﾄｰﾙ");

    ASSERT_TRUE(wizard.Press(ids::kReadyBack, 4));
    ASSERT_TRUE(wizard.Press(ids::kShortcutsBack, 3));
    ASSERT_TRUE(wizard.Press(ids::kDestinationBack, 2));
    ASSERT_TRUE(wizard.Press(ids::kReadmeBack, 1));
    ASSERT_TRUE(wizard.Press(ids::kAgreementBack, 0));
    Click(wizard.Item(ids::kWelcomeCancel));
    EXPECT_TRUE(wizard.WaitClosed());
}

TEST(SetupWizard, EveryCancelButtonAndDisagreeCloseTheWizard) {
    SetupPackage package;
    const int cancel[] = {ids::kWelcomeCancel,     ids::kDisagree,        ids::kReadmeCancel,
                          ids::kDestinationCancel, ids::kShortcutsCancel, ids::kReadyCancel};
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(page);
        Wizard wizard(package.folder());
        ASSERT_NE(wizard.form(), nullptr);
        ASSERT_TRUE(wizard.GoTo(page));
        Click(wizard.Item(cancel[page]));
        EXPECT_TRUE(wizard.WaitClosed());
    }
    // Enter presses the page's default button, Esc its cancel button ("同意しない" on page 1).
    Wizard wizard(package.folder());
    ASSERT_TRUE(wizard.WaitPage(0));
    PostMessageW(wizard.Item(ids::kWelcomeNext), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(wizard.WaitPage(1));
    PostMessageW(wizard.Item(ids::kAgree), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(wizard.WaitClosed());
}

TEST(SetupWizard, AMissingDestinationIsCreatedOnlyWhenTheUserSaysYes) {
    SetupPackage package;
    Wizard wizard(package.folder());
    ASSERT_TRUE(wizard.GoTo(3));
    TempFolder parent;
    std::wstring missing = parent / L"新しい フォルダ";
    SetText(wizard.Item(ids::kDestination), missing);

    Click(wizard.Item(ids::kDestinationNext));
    std::wstring text;
    HWND box = wizard.WaitBox(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Setup");
    EXPECT_EQ(text, missing + L" は存在しません。\r\n\r\nｲﾝｽﾄｰﾙ時に作成しますがよろしいですか？");
    Answer(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(wizard.Page(), 3);
    // InstallFolder kept the proposed folder: the page shows it again when it is shown again.
    ASSERT_TRUE(wizard.Press(ids::kDestinationBack, 2));
    ASSERT_TRUE(wizard.Press(ids::kReadmeNext, 3));
    EXPECT_EQ(wizard.Text(ids::kDestination), L"C:\\Program Files\\SampleViewer");

    SetText(wizard.Item(ids::kDestination), missing);
    Click(wizard.Item(ids::kDestinationNext));
    box = wizard.WaitBox();
    ASSERT_NE(box, nullptr);
    Answer(box, IDYES);
    ASSERT_TRUE(wizard.WaitPage(4));
    EXPECT_FALSE(Exists(missing)); // created by the installation, not by the question
    ASSERT_TRUE(wizard.Press(ids::kShortcutsBack, 3));
    EXPECT_EQ(wizard.Text(ids::kDestination), missing);
}

TEST(SetupWizard, OnlyASlashRAsFirstArgumentOpensTheUninstallPage) {
    SetupPackage package;
    const std::wstring uninstallText = kName + L" をｱﾝｲﾝｽﾄｰﾙします。\r\n\r\nｱﾝｲﾝｽﾄｰﾙを開始する前に必ず " + kName +
                                       L" を終了してください。\r\n\r\n開始するには[ｱﾝｲﾝｽﾄｰﾙ]を押してください。";
    for (const wchar_t* arguments : {L"/R", L"/r"}) {
        SCOPED_TRACE(arguments);
        Wizard wizard(package.folder(), arguments);
        ASSERT_TRUE(wizard.WaitPage(7));
        EXPECT_EQ(wizard.Text(ids::Label(7)), uninstallText);
        EXPECT_EQ(wizard.Text(ids::kUninstall), L"ｱﾝｲﾝｽﾄｰﾙ");
        Click(wizard.Item(ids::kUninstallCancel));
        EXPECT_TRUE(wizard.WaitClosed());
    }
    for (const wchar_t* arguments : {L"-r", L"r", L"x /r", L"/s /x"}) { // an unknown switch: no silent run
        SCOPED_TRACE(arguments);
        Wizard wizard(package.folder(), arguments);
        ASSERT_TRUE(wizard.WaitPage(0));
        Click(wizard.Item(ids::kWelcomeCancel));
        EXPECT_TRUE(wizard.WaitClosed());
    }
}

TEST(SetupWizard, ADefinitionWithoutAboutSoftwareShowsTheDefaultTexts) {
    SetupPackage package;
    package.SetValue(L"AboutSoftware", nullptr, nullptr);
    package.SetValue(L"SetupFolder", nullptr, nullptr);
    Wizard wizard(package.folder());
    ASSERT_TRUE(wizard.WaitPage(0));
    EXPECT_EQ(wizard.Text(ids::Label(0)), WelcomeText(L"AboutSoftware - Name Error"));
    ASSERT_TRUE(wizard.GoTo(3));
    EXPECT_EQ(wizard.Text(ids::kDestination), L"SetupFolder - Folder Error");
}

TEST(SetupWizard, ShortcutBoxesFollowTheSectionKindsWithTheirExactCase) {
    SetupPackage package;
    const std::vector<std::wstring> texts = {L"[LICENSE]", L"Name=LICENSE.TXT", L"[README]", L"Name=README.TXT"};
    auto with = [&](std::vector<std::wstring> lines) {
        lines.insert(lines.begin(), texts.begin(), texts.end());
        return lines;
    };
    package.WriteInf(
        with({L"[AboutSoftware]", L"Name=Kinds", L"[Startup]", L"Name=a", L"File=b", L"[MyProgramGroup2]", L"Name=a",
              L"File=b", L"[Desktop]", L"Name=a", L"File=b", L"[SendToMenu]", L"Name=a", L"File=b"}));
    {
        Wizard wizard(package.folder());
        ASSERT_TRUE(wizard.GoTo(4));
        EXPECT_TRUE(IsEnabled(wizard.Item(ids::kProgramGroupBox)));
        EXPECT_TRUE(wizard.Checked(ids::kProgramGroupBox));
        EXPECT_TRUE(IsEnabled(wizard.Item(ids::kSendToBox)));
        for (int box : {ids::kStartupBox, ids::kDesktopBox}) {
            EXPECT_FALSE(IsEnabled(wizard.Item(box)));
            EXPECT_FALSE(wizard.Checked(box));
        }
    }
    package.WriteInf(with({L"[AboutSoftware]", L"Name=Kinds", L"[StartUpMenu]", L"Name=a", L"File=b", L"[MyStartUp]",
                           L"Name=c", L"File=d"}));
    Wizard wizard(package.folder());
    ASSERT_TRUE(wizard.GoTo(4));
    EXPECT_TRUE(IsEnabled(wizard.Item(ids::kStartupBox)));
    EXPECT_TRUE(wizard.Checked(ids::kStartupBox));
    EXPECT_FALSE(IsEnabled(wizard.Item(ids::kProgramGroupBox)));
}

TEST(SetupWizard, AnAgreementFileThatCannotBeOpenedIsReportedAndTheWizardGoesOn) {
    SetupPackage package;
    DeleteFileW(package.File(L"LICENSE.TXT").c_str());
    Wizard wizard(package.folder());
    Click(wizard.Item(ids::kWelcomeNext));
    std::wstring text;
    HWND box = wizard.WaitBox(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Setup");
    EXPECT_EQ(text, L"ファイル " + package.File(L"LICENSE.TXT") + L" は開けません");
    Answer(box, IDOK);
    ASSERT_TRUE(wizard.WaitPage(1));
    EXPECT_EQ(wizard.Text(ids::kAgreementText), L"");
    ASSERT_TRUE(wizard.Press(ids::kAgree, 2));
    EXPECT_EQ(wizard.Text(ids::kReadmeText), FileText(package.File(L"README.TXT")));
}
