#include "uninstaller/ui/ToolClips.h"

#include "resources/RuvexTexts.h"
#include "uninstaller/ui/ControlIds.h"

#include <array>

namespace ruvex::ui {

namespace {

struct Tip {
    int id;
    const wchar_t* text;
};

const std::array<Tip, 15> kForm2Tips{{
    {ids::form2::Check9, texts::TipCheck9},
    {ids::form2::Check10, texts::TipCheckRegistry},
    {ids::form2::Command2, texts::TipDefaults},
    {ids::form2::Command3, texts::TipSearch},
    {ids::form2::Check1, texts::TipCheck1},
    {ids::form2::Check2, texts::TipCheck2And5},
    {ids::form2::Check5, texts::TipCheck2And5},
    {ids::form2::Check6, texts::TipCheck6},
    {ids::form2::Check8, texts::TipCheck8},
    {ids::form2::Check3, texts::TipCheck3},
    {ids::form2::Check4, texts::TipCheck4},
    {ids::form2::Label1, texts::TipEditor},
    {ids::form2::Text1, texts::TipEditor},
    {ids::form2::Label2, texts::TipDrive},
    {ids::form2::Drive2, texts::TipDrive},
}};

const std::array<Tip, 15> kForm1Tips{{
    {ids::Command1, texts::TipCommand1},
    {ids::Command2, texts::TipCommand2},
    {ids::Command8, texts::TipCommand8},
    {ids::Command14, texts::TipCommand14},
    {ids::Command5, texts::TipCommand5},
    {ids::Command6, texts::TipCommand6},
    {ids::Command3, texts::TipCommand3},
    {ids::Command9, texts::TipCommand9},
    {ids::Command10, texts::TipCommand10},
    {ids::Command15, texts::TipCommand15},
    {ids::Command7, texts::TipCommand7},
    {ids::Command4, texts::TipCommand4},
    {ids::Command13, texts::TipCommand13},
    {ids::Command12, texts::TipCommand12},
    {ids::Command11, texts::TipCommand11},
}};

template <std::size_t N> void SetAll(HWND window, ToolTips& tips, const std::array<Tip, N>& table, bool off) {
    for (const auto& tip : table) {
        tips.Set(GetDlgItem(window, tip.id), off ? std::wstring() : std::wstring(tip.text));
    }
}

} // namespace

void ToolClips(HWND form1, ToolTips& form1Tips, HWND form2, ToolTips& form2Tips, bool off) {
    if (form2) {
        SetAll(form2, form2Tips, kForm2Tips, off);
    }
    if (form1) {
        SetAll(form1, form1Tips, kForm1Tips, off);
    }
}

} // namespace ruvex::ui
