#include "app/MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>

#include <iterator>

namespace {
// clang-format off
constexpr TActionSpec kActions[] = {
    // id                           caption                    hint                                       shortcut  icon             checkable checked group
    {TActionId::NewLabel,           "&New Label",              "New Label",                               "Ctrl+N", "new",           false, false, ""},
    {TActionId::OpenLabel,          "&Open Label",             "Open Label",                              "Ctrl+O", "open",          false, false, ""},
    {TActionId::SaveLabel,          "&Save Label",             "Save Label",                              "Ctrl+S", "save",          false, false, ""},
    {TActionId::SaveLabelAs,        "S&ave Label As",          "Save Label As",                           "",       "",              false, false, ""},
    {TActionId::ImportSettings,     "Import Label Settings",   "",                                        "",       "",              false, false, ""},
    {TActionId::ExportSettings,     "Export Label Settings",   "",                                        "",       "",              false, false, ""},
    {TActionId::Print,              "Print",                   "Print Labels",                            "Ctrl+P", "print",         false, false, ""},
    {TActionId::PrintSetup,         "Print Setup",             "",                                        "",       "",              false, false, ""},
    {TActionId::Exit,               "&Exit",                   "Exit",                                    "",       "",              false, false, ""},
    {TActionId::Undo,               "&Undo",                   "Undo",                                    "Ctrl+Z", "",              false, false, ""},
    {TActionId::Redo,               "&Redo",                   "Redo",                                    "Ctrl+Shift+Z", "",        false, false, ""},
    {TActionId::Cut,                "Cu&t",                    "Cut",                                     "Ctrl+X", "",              false, false, ""},
    {TActionId::Copy,               "&Copy",                   "Copy",                                    "Ctrl+C", "",              false, false, ""},
    {TActionId::Paste,              "&Paste",                  "Paste",                                   "Ctrl+V", "",              false, false, ""},
    {TActionId::EditFields,         "Advanced Field Editor",   "Add/Edit Advanced Fields",                "F12",    "fields",        false, false, ""},
    {TActionId::SetupLabel,         "Setup Label",             "Alter Label Size",                        "F9",     "labelsize",     false, false, ""},
    {TActionId::ShowGrids,          "Show Grids",              "",                                        "",       "",              true,  true,  ""},
    {TActionId::ShowBorder,         "Show Control Borders",    "Show/Hide control's border",              "",       "",              true,  false, ""},
    {TActionId::AutoZ,              "Automatic Bring To Front","Automatic Bring To Front",                "",       "",              true,  true,  ""},
    {TActionId::UnitInches,         "Imperial (Inches)",       "",                                        "",       "",              true,  true,  "units"},
    {TActionId::UnitMetric,         "Metric",                  "",                                        "",       "",              true,  false, "units"},
    {TActionId::AlignHL,            "Left",                    "Horizontal Align Left",                   "",       "align-left",    true,  false, "halign"},
    {TActionId::AlignHC,            "Center",                  "Horizontal Align Center",                 "",       "align-hcenter", true,  false, "halign"},
    {TActionId::AlignHR,            "Right",                   "Horizontal Align Right",                  "",       "align-right",   true,  false, "halign"},
    {TActionId::AlignVT,            "Top",                     "Vertical Align Top",                      "",       "align-top",     true,  false, "valign"},
    {TActionId::AlignVC,            "Center",                  "Vertical Align Center",                   "",       "align-vcenter", true,  false, "valign"},
    {TActionId::AlignVB,            "Bottom",                  "Vertical Align Bottom",                   "",       "align-bottom",  true,  false, "valign"},
    {TActionId::AlignNone,          "None",                    "Do not align control to the label",       "",       "",              true,  false, "attach"},
    {TActionId::AlignLeft,          "Left",                    "Align control to the left of the label",  "",       "",              true,  false, "attach"},
    {TActionId::AlignRight,         "Right",                   "Align control to the right of the label", "",       "",              true,  false, "attach"},
    {TActionId::AlignTop,           "Top",                     "Align control to the top of the label",   "",       "",              true,  false, "attach"},
    {TActionId::AlignBottom,        "Bottom",                  "Align control to the bottom of the label","",       "",              true,  false, "attach"},
    {TActionId::AlignClient,        "Client",                  "Align control to the label",              "",       "",              true,  false, "attach"},
    {TActionId::RotateNone,         "None",                    "No Rotation",                             "",       "",              true,  false, "rotate"},
    {TActionId::Rotate90,           "90\u00b0",                "Rotate 90\u00b0",                         "",       "",              true,  false, "rotate"},
    {TActionId::Rotate180,          "180\u00b0",               "Rotate 180\u00b0",                        "",       "",              true,  false, "rotate"},
    {TActionId::Rotate270,          "270\u00b0",               "Rotate 270\u00b0",                        "",       "",              true,  false, "rotate"},
    {TActionId::AutoSize,           "Auto Resize",             "Auto Size to Fit",                        "",       "",              true,  false, ""},
    {TActionId::Transparent,        "Transparent",             "Use Transparent Background",              "",       "",              true,  false, ""},
    {TActionId::BringToFront,       "Bring to Front",          "Move Control to top of Z order",          "",       "",              false, false, ""},
    {TActionId::SendToBack,         "Send to Back",            "Move control to bottom of Z order",       "",       "",              false, false, ""},
    {TActionId::ControlSettings,    "Control Settings",        "",                                        "",       "",              true,  false, ""},
    {TActionId::Help,               "Help",                    "",                                        "F1",     "",              false, false, ""},
    {TActionId::About,              "About",                   "",                                        "",       "",              false, false, ""},
    {TActionId::SelectTool,         "Select Tool",             "",                                        "",       "select",        true,  true,  "tools"},
    {TActionId::AddText,            "Add Text",                "",                                        "",       "text",          true,  false, "tools"},
    {TActionId::AddBarcode,         "Add Barcode",             "",                                        "",       "barcode",       true,  false, "tools"},
    {TActionId::AddMemo,            "Add Formatted Text",      "",                                        "",       "memo",          true,  false, "tools"},
    {TActionId::AddShape,           "Add Shapes",              "",                                        "",       "shape",         true,  false, "tools"},
    {TActionId::AddImage,           "Add Image",               "",                                        "",       "image",         true,  false, "tools"},
    {TActionId::RotateFocus,        "Rotate Focus on Label",   "",                                        "",       "rotatefocus",   false, false, ""},
    {TActionId::EditText,           "Edit Memo Text",          "",                                        "",       "edittext",      false, false, ""},
    {TActionId::SelectFont,         "Select Font",             "",                                        "",       "font",          false, false, ""},
    {TActionId::ImportImage,        "Import Image",            "Import Graphic Image",                    "",       "",              false, false, ""},
    {TActionId::MaintainAspect,     "Maintain Aspect Ratio",   "",                                        "",       "",              true,  true,  ""},
    {TActionId::ZoomIn,            "Zoom In",                 "",                                        "Ctrl++", "zoom-in",       false, false, ""},
    {TActionId::ZoomOut,           "Zoom Out",                "",                                        "Ctrl+-", "zoom-out",      false, false, ""},
    {TActionId::ZoomActual,        "Actual Size",             "",                                        "Ctrl+0", "zoom-actual",   false, false, ""},
    {TActionId::ZoomFit,           "Zoom to Fit",             "",                                        "",       "zoom-fit",      false, false, ""},
    {TActionId::ShowData,          "Show Data",               "Show a record of the data file on the label","",       "",              true,  false, ""},
    {TActionId::NextRecord,        "Next Record",             "",                                        "Alt+Right","",              false, false, ""},
    {TActionId::PrevRecord,        "Previous Record",         "",                                        "Alt+Left","",              false, false, ""},
    {TActionId::SelectAll,         "Select All",              "",                                        "Ctrl+A", "",              false, false, ""},
    {TActionId::Duplicate,         "Duplicate",               "",                                        "Ctrl+D", "",              false, false, ""},
    {TActionId::ArrangeLeft,       "Align Left",              "",                                        "",       "arrange-left",  false, false, ""},
    {TActionId::ArrangeCenter,     "Align Center",            "",                                        "",       "arrange-center",false, false, ""},
    {TActionId::ArrangeRight,      "Align Right",             "",                                        "",       "arrange-right", false, false, ""},
    {TActionId::ArrangeTop,        "Align Top",               "",                                        "",       "arrange-top",   false, false, ""},
    {TActionId::ArrangeMiddle,     "Align Middle",            "",                                        "",       "arrange-middle",false, false, ""},
    {TActionId::ArrangeBottom,     "Align Bottom",            "",                                        "",       "arrange-bottom",false, false, ""},
    {TActionId::CenterHorz,        "Center on Label Horizontally","",                                        "",       "center-horz",   false, false, ""},
    {TActionId::CenterVert,        "Center on Label Vertically","",                                        "",       "center-vert",   false, false, ""},
    {TActionId::DistributeHorz,    "Distribute Horizontally", "",                                        "",       "distribute-horz",false, false, ""},
    {TActionId::DistributeVert,    "Distribute Vertically",   "",                                        "",       "distribute-vert",false, false, ""},
    {TActionId::SameWidth,         "Make Same Width",         "",                                        "",       "same-width",    false, false, ""},
    {TActionId::SameHeight,        "Make Same Height",        "",                                        "",       "same-height",   false, false, ""},
    {TActionId::SnapGrid,          "Snap to Grid",            "",                                        "",       "",              true,  false, ""},
    {TActionId::SnapControls,      "Snap to Controls",        "",                                        "",       "",              true,  false, ""},
    {TActionId::ExportPicture,     "Export Label as Picture\u2026", "Export the label as a PNG or SVG picture", "", "",       false, false, ""},
};
// clang-format on
static_assert(std::size(kActions) == ActionCount);
static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kActions); ++i)
            if (std::size_t(kActions[i].Id) != i)
                return false;
        return true;
    }(),
    "one entry per action, in the order of TActionId");

QIcon ActionIcon(const char* name) {
    for (const char* suffix : {".svg", ".png"}) {
        const QString path =
            QStringLiteral(":/icons/") + QLatin1String(name) + QLatin1String(suffix);
        QIcon icon(path);
        if (!icon.availableSizes().isEmpty() || QFile::exists(path))
            return icon;
    }
    return {};
}
} // namespace

TMainActions::TMainActions(QObject* owner) {
    QHash<QString, QActionGroup*> groups;
    for (const TActionSpec& spec : kActions) {
        auto* action = new QAction(QString::fromUtf8(spec.Caption), owner);
        action->setObjectName(QLatin1String(ActionName(spec.Id)));
        const QString hint = *spec.Hint ? QString::fromUtf8(spec.Hint)
                                        : QString(action->text()).remove(QLatin1Char('&'));
        action->setToolTip(hint);
        action->setStatusTip(hint);
        if (*spec.Shortcut)
            action->setShortcut(QKeySequence(QLatin1String(spec.Shortcut)));
        if (*spec.Icon)
            action->setIcon(ActionIcon(spec.Icon));
        action->setCheckable(spec.Checkable);
        action->setChecked(spec.Checked);
        if (*spec.Group) {
            QActionGroup*& group = groups[QLatin1String(spec.Group)];
            if (!group)
                group = new QActionGroup(owner);
            group->addAction(action);
        }
        m_actions[std::size_t(spec.Id)] = action;
    }
}
