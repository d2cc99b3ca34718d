// Form1's controls, from one table in twips (converted at the window's DPI).
#include "uninstaller/ui/Form1.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"
#include "uninstaller/ui/ResourceIds.h"

#include <array>

namespace ruvex::ui {

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kList =
    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;

// The lists and the frame come before PicTabs: they lie above the tab strip that frames them.
const std::array<win::ControlSpec, 26> kControls{{
    {WC_STATICW, ids::Label2, texts::InstalledSoftware, kLabel, 120, 120, 1320, 180},
    {WC_STATICW, ids::Label15, texts::Loading, SS_LEFT | SS_NOPREFIX, 1560, 120, 675, 180},
    {WC_STATICW, ids::ProgressPic1, L"", SS_NOTIFY | WS_CLIPCHILDREN, 2280, 143, 2655, 135},
    {WC_STATICW, ids::Label4, texts::SoftwareSize, kLabel, 5040, 120, 690, 180},
    {WC_STATICW, ids::Label1, L"", kLabel | SS_SUNKEN | SS_CENTERIMAGE, 5880, 75, 1335, 255},
    {WC_LISTBOXW, ids::List1, L"", WS_VISIBLE | kList, 120, 360, 7095, 1680},
    {WC_LISTBOXW, ids::List2, L"", WS_VISIBLE | kList | LBS_EXTENDEDSEL, 240, 2520, 6855, 1500},
    {WC_STATICW, ids::frTab2, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 240, 2520, 6855, 1455},
    {WC_LISTBOXW, ids::List3, L"", kList, 240, 2520, 6855, 1500},
    {WC_LISTBOXW, ids::List4, L"", kList, 240, 2520, 6855, 1500},
    {WC_STATICW, ids::PicTabs, L"", WS_VISIBLE | SS_NOTIFY | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 120, 2160, 7095, 1935},
    // Five columns of three buttons.
    {WC_BUTTONW, ids::Command1, texts::InstallPreparation, kButton | BS_DEFPUSHBUTTON, 120, 4200, 1335, 375},
    {WC_BUTTONW, ids::Command2, texts::InstallInspection, kButton | WS_DISABLED, 120, 4680, 1335, 375},
    {WC_BUTTONW, ids::Command3, texts::Uninstall, kButton | WS_DISABLED, 120, 5160, 1335, 375},
    {WC_BUTTONW, ids::Command8, texts::RegisterByHand, kButton, 1560, 4200, 1335, 375},
    {WC_BUTTONW, ids::Command9, texts::AddRelatedFiles, kButton | WS_DISABLED, 1560, 4680, 1335, 375},
    {WC_BUTTONW, ids::Command10, texts::ReleaseRelatedFiles, kButton | WS_DISABLED, 1560, 5160, 1335, 375},
    {WC_BUTTONW, ids::Command13, texts::DeleteFiles, kButton | WS_DISABLED, 3000, 4200, 1335, 375},
    {WC_BUTTONW, ids::Command12, texts::ReleaseSoftware, kButton | WS_DISABLED, 3000, 4680, 1335, 375},
    {WC_BUTTONW, ids::Command11, texts::RenameSoftware, kButton | WS_DISABLED, 3000, 5160, 1335, 375},
    {WC_BUTTONW, ids::Command15, texts::ShowFile, kButton | WS_DISABLED, 4440, 4200, 1335, 375},
    {WC_BUTTONW, ids::Command14, texts::Refresh, kButton, 4440, 4680, 1335, 375},
    {WC_BUTTONW, ids::Command7, texts::Settings, kButton, 4440, 5160, 1335, 375},
    {WC_BUTTONW, ids::Command5, texts::ShowHelp, kButton, 5880, 4200, 1335, 375},
    {WC_BUTTONW, ids::Command6, texts::VersionInfo, kButton, 5880, 4680, 1335, 375},
    {WC_BUTTONW, ids::Command4, texts::Exit, kButton, 5880, 5160, 1335, 375},
}};

// The file-information labels are children of frTab2 (twips from the frame's corner): a caption and its value per row.
const std::array<win::ControlSpec, 8> kFileInfo{{
    {WC_STATICW, ids::FileNameCaption, texts::FileName, kLabel, 120, 180, 1320, 180},
    {WC_STATICW, ids::Label13, L"", kLabel, 1560, 180, 5175, 180},
    {WC_STATICW, ids::FileSizeCaption, texts::FileSize, kLabel, 120, 480, 1320, 180},
    {WC_STATICW, ids::Label11, L"", kLabel, 1560, 480, 5175, 180},
    {WC_STATICW, ids::FileDateCaption, texts::FileDate, kLabel, 120, 780, 1320, 180},
    {WC_STATICW, ids::Label7, L"", kLabel, 1560, 780, 5175, 180},
    {WC_STATICW, ids::FileTimeCaption, texts::FileTime, kLabel, 120, 1080, 1320, 180},
    {WC_STATICW, ids::Label9, L"", kLabel, 1560, 1080, 5175, 180},
}};

constexpr int kButtonNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

} // namespace

void Form1::CreateLayout() {
    AddControls(hwnd(), kControls, font_);
    AddControls(Item(ids::frTab2), kFileInfo, font_);
    // PicTabs lies below the lists, the frame and the buttons.
    SetWindowPos(Item(ids::PicTabs), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    List1.Attach(Item(ids::List1));
    List2.Attach(Item(ids::List2));
    List3.Attach(Item(ids::List3));
    List4.Attach(Item(ids::List4));
    SetButtonPictures();
}

void Form1::SetButtonPictures() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int n : kButtonNumbers) {
        Bitmap picture(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(res::ButtonPicture(n)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!picture) {
            continue;
        }
        BITMAP bm{};
        GetObjectW(picture.get(), sizeof bm, &bm);
        // Magenta is the transparent colour of the pictures.
        ImageList list(ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0));
        if (list) {
            ImageList_AddMasked(list.get(), picture.get(), RGB(255, 0, 255));
            BUTTON_IMAGELIST image{list.get(), {1, 0, 2, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
            SendMessageW(Item(ids::Command(n)), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
            buttonPictures_[n] = std::move(list);
        }
    }
}

} // namespace ruvex::ui
