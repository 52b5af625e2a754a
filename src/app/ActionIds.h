#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// Every command of the main window, one action each. The names are the actions' objectNames, by
// which the menus, the tool buttons and tests find them.
enum class TActionId : uint8_t {
    NewLabel,
    OpenLabel,
    SaveLabel,
    SaveLabelAs,
    ImportSettings,
    ExportSettings,
    Print,
    PrintSetup,
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    EditFields,
    SetupLabel,
    ShowGrids,
    ShowBorder,
    AutoZ,
    UnitInches,
    UnitMetric,
    AlignHL,
    AlignHC,
    AlignHR,
    AlignVT,
    AlignVC,
    AlignVB,
    AlignNone,
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    AlignClient,
    RotateNone,
    Rotate90,
    Rotate180,
    Rotate270,
    AutoSize,
    Transparent,
    BringToFront,
    SendToBack,
    ControlSettings,
    Help,
    About,
    SelectTool,
    AddText,
    AddBarcode,
    AddMemo,
    AddShape,
    AddImage,
    RotateFocus,
    EditText,
    SelectFont,
    ImportImage,
    MaintainAspect,
    ZoomIn,
    ZoomOut,
    ZoomActual,
    ZoomFit,
    ShowData,
    NextRecord,
    PrevRecord,
    SelectAll,
    Duplicate,
    ArrangeLeft,
    ArrangeCenter,
    ArrangeRight,
    ArrangeTop,
    ArrangeMiddle,
    ArrangeBottom,
    CenterHorz,
    CenterVert,
    DistributeHorz,
    DistributeVert,
    SameWidth,
    SameHeight,
    SnapGrid,
    SnapControls,
    ExportPicture,
};

struct TActionIdName {
    TActionId Id;
    const char* Name;
};
// clang-format off
inline constexpr TActionIdName kActionIdNames[] = {
    {TActionId::NewLabel, "acNewLabel"},
    {TActionId::OpenLabel, "acOpenLabel"},
    {TActionId::SaveLabel, "acSaveLabel"},
    {TActionId::SaveLabelAs, "acSaveLabelAs"},
    {TActionId::ImportSettings, "acImportSettings"},
    {TActionId::ExportSettings, "acExportSettings"},
    {TActionId::Print, "acPrint"},
    {TActionId::PrintSetup, "acPrintSetup"},
    {TActionId::Exit, "acExit"},
    {TActionId::Undo, "acUndo"},
    {TActionId::Redo, "acRedo"},
    {TActionId::Cut, "acCut"},
    {TActionId::Copy, "acCopy"},
    {TActionId::Paste, "acPaste"},
    {TActionId::EditFields, "acEditFields"},
    {TActionId::SetupLabel, "acSetupLabel"},
    {TActionId::ShowGrids, "acShowGrids"},
    {TActionId::ShowBorder, "acShowBorder"},
    {TActionId::AutoZ, "acAutoZ"},
    {TActionId::UnitInches, "acUnitInches"},
    {TActionId::UnitMetric, "acUnitMetric"},
    {TActionId::AlignHL, "acAlignHL"},
    {TActionId::AlignHC, "acAlignHC"},
    {TActionId::AlignHR, "acAlignHR"},
    {TActionId::AlignVT, "acAlignVT"},
    {TActionId::AlignVC, "acAlignVC"},
    {TActionId::AlignVB, "acAlignVB"},
    {TActionId::AlignNone, "acAlignNone"},
    {TActionId::AlignLeft, "acAlignLeft"},
    {TActionId::AlignRight, "acAlignRight"},
    {TActionId::AlignTop, "acAlignTop"},
    {TActionId::AlignBottom, "acAlignBottom"},
    {TActionId::AlignClient, "acAlignClient"},
    {TActionId::RotateNone, "acRotateNone"},
    {TActionId::Rotate90, "acRotate90"},
    {TActionId::Rotate180, "acRotate180"},
    {TActionId::Rotate270, "acRotate270"},
    {TActionId::AutoSize, "acAutoSize"},
    {TActionId::Transparent, "acTransparent"},
    {TActionId::BringToFront, "acBringToFront"},
    {TActionId::SendToBack, "acSendToBack"},
    {TActionId::ControlSettings, "acControlSettings"},
    {TActionId::Help, "acHelp"},
    {TActionId::About, "acAbout"},
    {TActionId::SelectTool, "acSelectTool"},
    {TActionId::AddText, "acAddText"},
    {TActionId::AddBarcode, "acAddBarcode"},
    {TActionId::AddMemo, "acAddMemo"},
    {TActionId::AddShape, "acAddShape"},
    {TActionId::AddImage, "acAddImage"},
    {TActionId::RotateFocus, "acRotateFocus"},
    {TActionId::EditText, "acEditText"},
    {TActionId::SelectFont, "acSelectFont"},
    {TActionId::ImportImage, "acImportImage"},
    {TActionId::MaintainAspect, "acMaintainAspect"},
    {TActionId::ZoomIn, "acZoomIn"},
    {TActionId::ZoomOut, "acZoomOut"},
    {TActionId::ZoomActual, "acZoomActual"},
    {TActionId::ZoomFit, "acZoomFit"},
    {TActionId::ShowData, "acShowData"},
    {TActionId::NextRecord, "acNextRecord"},
    {TActionId::PrevRecord, "acPrevRecord"},
    {TActionId::SelectAll, "acSelectAll"},
    {TActionId::Duplicate, "acDuplicate"},
    {TActionId::ArrangeLeft, "acArrangeLeft"},
    {TActionId::ArrangeCenter, "acArrangeCenter"},
    {TActionId::ArrangeRight, "acArrangeRight"},
    {TActionId::ArrangeTop, "acArrangeTop"},
    {TActionId::ArrangeMiddle, "acArrangeMiddle"},
    {TActionId::ArrangeBottom, "acArrangeBottom"},
    {TActionId::CenterHorz, "acCenterHorz"},
    {TActionId::CenterVert, "acCenterVert"},
    {TActionId::DistributeHorz, "acDistributeHorz"},
    {TActionId::DistributeVert, "acDistributeVert"},
    {TActionId::SameWidth, "acSameWidth"},
    {TActionId::SameHeight, "acSameHeight"},
    {TActionId::SnapGrid, "acSnapGrid"},
    {TActionId::SnapControls, "acSnapControls"},
    {TActionId::ExportPicture, "acExportPicture"},
};
// clang-format on

inline constexpr std::size_t ActionCount = std::size(kActionIdNames);

namespace ActionIdsCheck {
consteval bool InOrderAndDistinct() {
    for (std::size_t i = 0; i < ActionCount; ++i) {
        if (std::size_t(kActionIdNames[i].Id) != i)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (std::string_view(kActionIdNames[j].Name) == kActionIdNames[i].Name)
                return false;
    }
    return true;
}
} // namespace ActionIdsCheck
static_assert(ActionIdsCheck::InOrderAndDistinct(),
              "one name per action, in the order of TActionId, so that an id indexes the table");

constexpr const char* ActionName(TActionId id) {
    return kActionIdNames[std::size_t(id)].Name;
}

// An action given by its objectName and checked while compiling: a name that no action has does
// not compile (its lookup is not a constant expression).
struct TActionName {
    consteval TActionName(const char* name) : Id(IdOf(name)) {}
    TActionId Id;

private:
    static consteval TActionId IdOf(const char* name) {
        for (const TActionIdName& entry : kActionIdNames)
            if (std::string_view(entry.Name) == name)
                return entry.Id;
        throw "no action has this name";
    }
};
