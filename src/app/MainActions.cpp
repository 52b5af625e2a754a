#include "app/MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>

namespace {
// clang-format off
const TActionSpec kActions[] = {
    // name                caption                    hint                                       shortcut  icon             checkable checked group
    {"acNewLabel",        "&New Label",              "New Label",                               "Ctrl+N", "new",           false, false, ""},
    {"acOpenLabel",       "&Open Label",             "Open Label",                              "Ctrl+O", "open",          false, false, ""},
    {"acSaveLabel",       "&Save Label",             "Save Label",                              "Ctrl+S", "save",          false, false, ""},
    {"acSaveLabelAs",     "S&ave Label As",          "Save Label As",                           "",       "",              false, false, ""},
    {"acImportSettings",  "Import Label Settings",   "",                                        "",       "",              false, false, ""},
    {"acExportSettings",  "Export Label Settings",   "",                                        "",       "",              false, false, ""},
    {"acPrint",           "Print",                   "Print Labels",                            "Ctrl+P", "print",         false, false, ""},
    {"acPrintSetup",      "Print Setup",             "",                                        "",       "",              false, false, ""},
    {"acExit",            "&Exit",                   "Exit",                                    "",       "",              false, false, ""},
    {"acUndo",            "&Undo",                   "Undo",                                    "Ctrl+Z", "",              false, false, ""},
    {"acRedo",            "&Redo",                   "Redo",                                    "Ctrl+Shift+Z", "",        false, false, ""},
    {"acCut",             "Cu&t",                    "Cut",                                     "Ctrl+X", "",              false, false, ""},
    {"acCopy",            "&Copy",                   "Copy",                                    "Ctrl+C", "",              false, false, ""},
    {"acPaste",           "&Paste",                  "Paste",                                   "Ctrl+V", "",              false, false, ""},
    {"acEditFields",      "Advanced Field Editor",   "Add/Edit Advanced Fields",                "F12",    "fields",        false, false, ""},
    {"acSetupLabel",      "Setup Label",             "Alter Label Size",                        "F9",     "labelsize",     false, false, ""},
    {"acShowGrids",       "Show Grids",              "",                                        "",       "",              true,  true,  ""},
    {"acShowBorder",      "Show Control Borders",    "Show/Hide control's border",              "",       "",              true,  false, ""},
    {"acAutoZ",           "Automatic Bring To Front","Automatic Bring To Front",                "",       "",              true,  true,  ""},
    {"acUnitInches",      "Imperial (Inches)",       "",                                        "",       "",              true,  true,  "units"},
    {"acUnitMetric",      "Metric",                  "",                                        "",       "",              true,  false, "units"},
    {"acAlignHL",         "Left",                    "Horizontal Align Left",                   "",       "align-left",    true,  false, "halign"},
    {"acAlignHC",         "Center",                  "Horizontal Align Center",                 "",       "align-hcenter", true,  false, "halign"},
    {"acAlignHR",         "Right",                   "Horizontal Align Right",                  "",       "align-right",   true,  false, "halign"},
    {"acAlignVT",         "Top",                     "Vertical Align Top",                      "",       "align-top",     true,  false, "valign"},
    {"acAlignVC",         "Center",                  "Vertical Align Center",                   "",       "align-vcenter", true,  false, "valign"},
    {"acAlignVB",         "Bottom",                  "Vertical Align Bottom",                   "",       "align-bottom",  true,  false, "valign"},
    {"acAlignNone",       "None",                    "Do not align control to the label",       "",       "",              true,  false, "attach"},
    {"acAlignLeft",       "Left",                    "Align control to the left of the label",  "",       "",              true,  false, "attach"},
    {"acAlignRight",      "Right",                   "Align control to the right of the label", "",       "",              true,  false, "attach"},
    {"acAlignTop",        "Top",                     "Align control to the top of the label",   "",       "",              true,  false, "attach"},
    {"acAlignBottom",     "Bottom",                  "Align control to the bottom of the label","",       "",              true,  false, "attach"},
    {"acAlignClient",     "Client",                  "Align control to the label",              "",       "",              true,  false, "attach"},
    {"acRotateNone",      "None",                    "No Rotation",                             "",       "",              true,  false, "rotate"},
    {"acRotate90",        "90\u00b0",                "Rotate 90\u00b0",                         "",       "",              true,  false, "rotate"},
    {"acRotate180",       "180\u00b0",               "Rotate 180\u00b0",                        "",       "",              true,  false, "rotate"},
    {"acRotate270",       "270\u00b0",               "Rotate 270\u00b0",                        "",       "",              true,  false, "rotate"},
    {"acAutoSize",        "Auto Resize",             "Auto Size to Fit",                        "",       "",              true,  false, ""},
    {"acTransparent",     "Transparent",             "Use Transparent Background",              "",       "",              true,  false, ""},
    {"acBringToFront",    "Bring to Front",          "Move Control to top of Z order",          "",       "",              false, false, ""},
    {"acSendToBack",      "Send to Back",            "Move control to bottom of Z order",       "",       "",              false, false, ""},
    {"acControlSettings", "Control Settings",        "",                                        "",       "",              true,  false, ""},
    {"acHelp",            "Help",                    "",                                        "F1",     "",              false, false, ""},
    {"acAbout",           "About",                   "",                                        "",       "",              false, false, ""},
    {"acSelectTool",      "Select Tool",             "",                                        "",       "select",        true,  true,  "tools"},
    {"acAddText",         "Add Text",                "",                                        "",       "text",          true,  false, "tools"},
    {"acAddBarcode",      "Add Barcode",             "",                                        "",       "barcode",       true,  false, "tools"},
    {"acAddMemo",         "Add Formatted Text",      "",                                        "",       "memo",          true,  false, "tools"},
    {"acAddShape",        "Add Shapes",              "",                                        "",       "shape",         true,  false, "tools"},
    {"acAddImage",        "Add Image",               "",                                        "",       "image",         true,  false, "tools"},
    {"acRotateFocus",     "Rotate Focus on Label",   "",                                        "",       "rotatefocus",   false, false, ""},
    {"acEditText",        "Edit Memo Text",          "",                                        "",       "edittext",      false, false, ""},
    {"acSelectFont",      "Select Font",             "",                                        "",       "font",          false, false, ""},
    {"acImportImage",     "Import Image",            "Import Graphic Image",                    "",       "",              false, false, ""},
    {"acMaintainAspect",  "Maintain Aspect Ratio",   "",                                        "",       "",              true,  true,  ""},
};
// clang-format on

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
        action->setObjectName(QLatin1String(spec.Name));
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
        m_actions.insert(action->objectName(), action);
    }
}

QAction* TMainActions::operator[](const char* name) const {
    QAction* action = m_actions.value(QLatin1String(name));
    Q_ASSERT_X(action, "TMainActions", name);
    return action;
}
