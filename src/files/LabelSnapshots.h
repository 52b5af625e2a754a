#pragma once

#include "files/FileOperations.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QTemporaryDir>

// Whole states of a label kept in memory, for stepping back and forth through its changes.
// A state is the label's description; the pictures it names are copied once into a private
// folder that lives as long as this object, so a picture whose control was deleted or
// replaced can still come back.
class TLabelSnapshots {
public:
    TLabelSnapshots();
    TLabelSnapshots(const TLabelSnapshots&) = delete;
    TLabelSnapshots& operator=(const TLabelSnapshots&) = delete;

    QByteArray Take(const TSheetSettings& sheet, bool showGrid, const TControlList& controls);
    // New objects built from a state; the pictures are fresh private copies. Throws TUserError.
    TLabelContents Restore(const QByteArray& state) const;
    // Forgets the pictures no longer needed (when the history is cleared).
    void Clear();

private:
    QTemporaryDir m_pictures;
    QSet<QString> m_kept; // names of the pictures in m_pictures
};
