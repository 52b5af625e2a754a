#include "print/RecordPictures.h"

#include "document/GraphicLabel.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Decoded pictures kept at once, whatever their number: a few large photos must not hold
// gigabytes through a long run.
constexpr qsizetype MaxCachedBytes = qsizetype(256) * 1024 * 1024;

TRecordPicture LoadThroughControl(const QString& file, QString& reason) {
    const QFileInfo info(file);
    if (!info.exists()) {
        reason = QStringLiteral("there is no such file");
        return {};
    }
    if (!info.isFile() || !info.isReadable()) {
        reason = QStringLiteral("it is not a file that can be read");
        return {};
    }
    // The image control's own loader decides which pictures it takes and how.
    TGraphicLabel holder;
    if (!LoadImageByExtension(holder, file) || holder.Picture().isNull()) {
        reason = QStringLiteral("it is not a picture an image control can show");
        return {};
    }
    return {holder.Picture(), holder.Vectors()};
}
} // namespace

bool TakesRecordPicture(const TLabelControl& c) {
    return c.Kind() == ckGraphic && c.Advanced() && !c.Fields.empty();
}

QString PictureFolder(const QString& dataFile) {
    return dataFile.isEmpty() ? QString() : QFileInfo(dataFile).absolutePath();
}

TRecordPictures::TRecordPictures(QString dataFolder, size_t capacity)
    : m_folder(std::move(dataFolder)), m_capacity(std::max<size_t>(1, capacity)) {}

QString TRecordPictures::FullPath(const QString& path) const {
    if (QDir::isAbsolutePath(path) || m_folder.isEmpty())
        return QDir::cleanPath(path);
    return QDir::cleanPath(QDir(m_folder).filePath(path));
}

TRecordPicture TRecordPictures::Picture(const QString& path, int64_t recordNumber, int64_t line) {
    const QString name = path.trimmed();
    const auto trouble = m_troubleIndex.find(name);
    if (trouble != m_troubleIndex.end()) {
        TPictureTrouble& t = m_troubles[trouble->second];
        // A record printed several times counts once.
        if (recordNumber == 0 || recordNumber != t.LastRecord)
            ++t.Records;
        t.LastRecord = recordNumber;
        return {};
    }
    if (const auto found = m_byName.find(name); found != m_byName.end()) {
        m_recent.splice(m_recent.begin(), m_recent, found->second);
        return found->second->Picture;
    }
    QString reason;
    TRecordPicture picture;
    if (name.isEmpty()) {
        reason = QStringLiteral("the record gives no file name");
    } else {
        ++m_decodes;
        picture = LoadThroughControl(FullPath(name), reason);
    }
    if (picture.IsNull()) {
        m_troubleIndex.emplace(name, m_troubles.size());
        m_troubles.push_back({name, reason, recordNumber, line, 1, recordNumber});
        return {};
    }
    m_recent.push_front({name, picture});
    m_byName.emplace(name, m_recent.begin());
    qsizetype bytes = 0;
    for (const TEntry& e : m_recent)
        bytes += e.Picture.Pixels.sizeInBytes() + e.Picture.Vectors.Source.size();
    while (m_recent.size() > 1 && (m_recent.size() > m_capacity || bytes > MaxCachedBytes)) {
        bytes -= m_recent.back().Picture.Pixels.sizeInBytes() +
                 m_recent.back().Picture.Vectors.Source.size();
        m_byName.erase(m_recent.back().Key);
        m_recent.pop_back();
    }
    return picture;
}

const TPictureTrouble* TRecordPictures::TroubleOf(const QString& path) const {
    const auto found = m_troubleIndex.find(path.trimmed());
    return found == m_troubleIndex.end() ? nullptr : &m_troubles[found->second];
}

QString PictureTroubleText(const TPictureTrouble& t) {
    QString where;
    if (t.FirstRecord > 0)
        where = QStringLiteral("record %1 (line %2)").arg(t.FirstRecord).arg(t.FirstLine);
    else
        where = QStringLiteral("the label");
    if (t.Records > 1)
        where += QStringLiteral(" and %1 more %2")
                     .arg(t.Records - 1)
                     .arg(t.FirstRecord > 0 ? (t.Records == 2 ? "record" : "records")
                                            : (t.Records == 2 ? "label" : "labels"));
    return QStringLiteral("the picture %1 of %2 could not be read: %3; its image control prints "
                          "empty")
        .arg(t.Path.isEmpty() ? QStringLiteral("\"\"") : t.Path, where, t.Reason);
}
