#pragma once

#include "document/SvgPicture.h"
#include "document/lblobjs.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

// Pictures that image controls take from each label's record: the control's advanced field
// elements build the picture's file name, and a relative name is taken from the data file's
// folder.

// Whether the control's picture comes from the record (an image control with elements) rather
// than from its own picture.
bool TakesRecordPicture(const TLabelControl& c);

// A decoded picture: its pixels, and for an SVG its vectors, which paper draws instead.
struct TRecordPicture {
    QImage Pixels;
    TSvgPicture Vectors;
    bool IsNull() const { return Pixels.isNull() && Vectors.IsNull(); }
};

// A picture of the run that could not be read: its name as the elements built it, why, and the
// records that asked for it.
struct TPictureTrouble {
    QString Path;
    QString Reason;
    int64_t FirstRecord = 0; // from 1; 0 without data
    int64_t FirstLine = 0;   // the first record's line of the data file
    int64_t Records = 0;     // the records (or labels without data) that asked for it
    int64_t LastRecord = 0;
};

// The pictures of one run, decoded once per file name while they stay among the most recently
// used (a run of many records sharing a few pictures decodes each once). Used on the run's own
// thread: planned labels carry the decoded pictures (QImage shares its data), so the threads
// that draw never come here.
class TRecordPictures {
public:
    // dataFolder: where relative names start; empty for the working folder.
    explicit TRecordPictures(QString dataFolder, size_t capacity = 32);

    // The picture named path for the record at recordNumber (line); a null picture, and the
    // trouble noted once per file name, when it cannot be read.
    TRecordPicture Picture(const QString& path, int64_t recordNumber, int64_t line);

    // The pictures that could not be read, in the order they were first asked for.
    const std::vector<TPictureTrouble>& Troubles() const { return m_troubles; }
    // The trouble of the picture named path; nullptr when it was read (or never asked for).
    const TPictureTrouble* TroubleOf(const QString& path) const;
    // How often a file was decoded: once per name, unless the cache had let it go.
    int32_t Decodes() const { return m_decodes; }

private:
    QString FullPath(const QString& path) const;

    struct TEntry {
        QString Key;
        TRecordPicture Picture;
    };
    QString m_folder;
    size_t m_capacity;
    std::list<TEntry> m_recent; // most recently used first
    std::unordered_map<QString, std::list<TEntry>::iterator> m_byName;
    std::unordered_map<QString, size_t> m_troubleIndex;
    std::vector<TPictureTrouble> m_troubles;
    int32_t m_decodes = 0;
};

// The folder a run takes relative picture names from: the data file's, or empty without one.
QString PictureFolder(const QString& dataFile);

// "the picture photos/x.png of record 6 (line 7) and 2 more records could not be read: no
// such file"
QString PictureTroubleText(const TPictureTrouble& trouble);
