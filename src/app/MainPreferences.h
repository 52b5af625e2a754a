#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class TPreferenceStore;

// The main window's preferences as read from and written to the user's store.
struct TMainPreferences {
    bool ShowGrids = true;
    QRect Geometry{50, 50, 425, 330}; // left, top, width, height
    bool MetricRuler = false;
    bool AutoZ = true;
    bool ShowBorders = false;
    // The design surface's zoom in percent, and the snapping while dragging. Stores written
    // before these existed simply lack them.
    int Zoom = 100;
    bool SnapToGrid = false;
    bool SnapToControls = false;
    QString ProgramFolder; // where the file types were last registered from
    QStringList RecentLabels;

    static constexpr int MaxRecentLabels = 8;

    // Reads the values in their fixed order. At the first value that cannot be read, the
    // window values fall back to their defaults, while the unit keeps what was read so far.
    static TMainPreferences Read(const TPreferenceStore& store);
    // Writes every value; failures are ignored (a read-only store just keeps the old ones).
    void Write(TPreferenceStore& store) const;

    // Puts path first in the recent labels, dropping duplicates and the oldest beyond eight.
    void AddRecentLabel(const QString& path);
};
