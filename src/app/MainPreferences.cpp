#include "app/MainPreferences.h"

#include "platform/Preferences.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kShowGrids = QStringLiteral("ShowGrids");
const QString kTop = QStringLiteral("Main_Top");
const QString kLeft = QStringLiteral("Main_Left");
const QString kWidth = QStringLiteral("Main_Width");
const QString kHeight = QStringLiteral("Main_Height");
const QString kMetricRuler = QStringLiteral("MetricRuler");
const QString kAutoZ = QStringLiteral("AutoZ");
const QString kShowBorders = QStringLiteral("ShowBorders");
const QString kProgramFolder = QStringLiteral("ProgramFolder");
const QString kRecent = QStringLiteral("Recent_%1");
const QString kZoom = QStringLiteral("Zoom");
const QString kSnapToGrid = QStringLiteral("SnapToGrid");
const QString kSnapToControls = QStringLiteral("SnapToControls");

bool ReadAll(const TPreferenceStore& store, TMainPreferences& p) {
    const auto grids = store.ReadBool(kShowGrids);
    if (!grids)
        return false;
    p.ShowGrids = *grids;
    const auto top = store.ReadInteger(kTop);
    if (!top)
        return false;
    p.Geometry.moveTop(*top);
    const auto left = store.ReadInteger(kLeft);
    if (!left)
        return false;
    p.Geometry.moveLeft(*left);
    const auto width = store.ReadInteger(kWidth);
    if (!width)
        return false;
    p.Geometry.setWidth(*width);
    const auto height = store.ReadInteger(kHeight);
    if (!height)
        return false;
    p.Geometry.setHeight(*height);
    const auto metric = store.ReadBool(kMetricRuler);
    if (!metric)
        return false;
    p.MetricRuler = *metric;
    const auto autoZ = store.ReadBool(kAutoZ);
    if (!autoZ)
        return false;
    p.AutoZ = *autoZ;
    const auto borders = store.ReadBool(kShowBorders);
    if (!borders)
        return false;
    p.ShowBorders = *borders;
    return true;
}
} // namespace

TMainPreferences TMainPreferences::Read(const TPreferenceStore& store) {
    TMainPreferences p;
    if (!ReadAll(store, p)) {
        const TMainPreferences defaults;
        const bool metric = p.MetricRuler;
        p = defaults;
        p.MetricRuler = metric;
    }
    // Each on its own: a store without them keeps the defaults and loses nothing else.
    p.Zoom = store.ReadInteger(kZoom).value_or(p.Zoom);
    p.SnapToGrid = store.ReadBool(kSnapToGrid).value_or(p.SnapToGrid);
    p.SnapToControls = store.ReadBool(kSnapToControls).value_or(p.SnapToControls);
    p.ProgramFolder = store.ReadString(kProgramFolder).value_or(QString());
    for (int i = 1; i <= MaxRecentLabels; ++i) {
        const auto path = store.ReadString(kRecent.arg(i));
        if (!path)
            break;
        // Labels deleted or moved since are no longer offered.
        if (!path->isEmpty() && QFileInfo::exists(*path))
            p.RecentLabels << *path;
    }
    return p;
}

void TMainPreferences::Write(TPreferenceStore& store) const {
    store.WriteBool(kShowGrids, ShowGrids);
    store.WriteInteger(kTop, Geometry.top());
    store.WriteInteger(kLeft, Geometry.left());
    store.WriteInteger(kWidth, Geometry.width());
    store.WriteInteger(kHeight, Geometry.height());
    store.WriteBool(kMetricRuler, MetricRuler);
    store.WriteBool(kAutoZ, AutoZ);
    store.WriteBool(kShowBorders, ShowBorders);
    store.WriteInteger(kZoom, Zoom);
    store.WriteBool(kSnapToGrid, SnapToGrid);
    store.WriteBool(kSnapToControls, SnapToControls);
    store.WriteString(kProgramFolder, ProgramFolder);
    for (int i = 1; i <= MaxRecentLabels; ++i) {
        if (i <= RecentLabels.size())
            store.WriteString(kRecent.arg(i), RecentLabels[i - 1]);
        else
            store.DeleteValue(kRecent.arg(i));
    }
    store.Flush();
}

void TMainPreferences::AddRecentLabel(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RecentLabels.removeAll(absolute);
    RecentLabels.prepend(absolute);
    while (RecentLabels.size() > MaxRecentLabels)
        RecentLabels.removeLast();
}
