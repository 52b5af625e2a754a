#include "files/ArchiveU.h"

#include "files/FileAccess.h"
#include "files/FileReplace.h"
#include "files/FileTexts.h"
#include "platform/Errors.h"
#include "platform/TempFiles.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <vector>

namespace {
constexpr qint64 kChunk = 64 * 1024;

TUserError Error(const char* text, const QString& path, const QString& detail) {
    return TUserError(QString::fromLatin1(text).arg(path, detail));
}

TUserError Damaged(const QString& path, const QString& reason) {
    return Error(FileText::Damaged, path, reason);
}

// The text of a zero-terminated field: up to the first zero byte, at most the field's size.
QByteArray FieldText(const QByteArray& buffer, int offset, int size) {
    const QByteArrayView field = QByteArrayView(buffer).sliced(offset, size);
    const qsizetype zero = field.indexOf('\0');
    return (zero < 0 ? field : field.first(zero)).toByteArray();
}

void PutText(QByteArray& buffer, int offset, const QByteArray& text) {
    std::memcpy(buffer.data() + offset, text.constData(), text.size());
}

int32_t GetInt(const QByteArray& buffer, int offset) {
    return qFromLittleEndian<qint32>(buffer.constData() + offset);
}

void PutInt(QByteArray& buffer, int offset, int32_t v) {
    qToLittleEndian<qint32>(v, buffer.data() + offset);
}

// The writer's directory entry, attached to the path it describes until the archive is written.
struct TFileRecObj {
    QString Path;
    QByteArray Entry;
    qint64 Size = 0;
};

// Copies exactly size bytes from one device to another; false when either side falls short.
bool CopyBytes(QIODevice& from, QIODevice& to, qint64 size) {
    QByteArray buf;
    while (size > 0) {
        buf = from.read(std::min(size, kChunk));
        if (buf.isEmpty() || to.write(buf) != buf.size())
            return false;
        size -= buf.size();
    }
    return true;
}

struct TStoredEntry {
    QString Name;
    qint64 Size = 0;
};

// Every file made while extracting, removed again unless the whole archive came out.
class TExtractedFiles {
public:
    ~TExtractedFiles() {
        for (const QString& p : m_paths)
            QFile::remove(p);
    }
    void Add(const QString& path) { m_paths << path; }
    QStringList Release() { return std::exchange(m_paths, {}); }

private:
    QStringList m_paths;
};
} // namespace

QString PlainEntryName(const QString& stored) {
    QString name = stored;
    if (const qsizetype nul = name.indexOf(QChar(0)); nul >= 0)
        name.truncate(nul);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        name = name.mid(2);
    for (QChar& c : name)
        if (c.unicode() < 0x20)
            c = QLatin1Char('_');
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return name;
}

void WriteLabelArchive(const QString& path, const QStringList& files) {
    QByteArray header(Archive::HeaderSize, '\0');
    PutText(header, 0, Archive::Magic);
    PutText(header, Archive::VersionOffset, Archive::Version);

    std::vector<TFileRecObj> entries;
    for (const QString& file : files) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly) || f.size() <= 0)
            continue; // a missing or empty picture is simply not packed
        if (f.size() > std::numeric_limits<int32_t>::max())
            throw TUserError(QString::fromLatin1(FileText::FileTooLargeToPack).arg(file));
        TFileRecObj rec{file, QByteArray(Archive::EntrySize, '\0'), f.size()};
        QByteArray name;
        EncodeWindows1252(QFileInfo(file).fileName(), name);
        PutText(rec.Entry, 0, name.left(Archive::MaxNameLength));
        PutInt(rec.Entry, Archive::SizeOffset, int32_t(rec.Size));
        entries.push_back(std::move(rec));
    }
    PutInt(header, Archive::CountOffset, int32_t(entries.size()));

    QSaveFile out(path);
    OpenReplacement(out);
    bool ok = out.write(header) == header.size();
    for (const TFileRecObj& rec : entries)
        ok = ok && out.write(rec.Entry) == rec.Entry.size();
    if (!ok)
        throw Error(FileText::CannotWrite, path, out.errorString());
    for (const TFileRecObj& rec : entries) {
        QFile in(rec.Path);
        if (!in.open(QIODevice::ReadOnly))
            throw Error(FileText::CannotOpen, rec.Path, in.errorString());
        if (!CopyBytes(in, out, rec.Size)) {
            if (out.error() != QFileDevice::NoError)
                throw Error(FileText::CannotWrite, path, out.errorString());
            throw Error(FileText::CannotRead, rec.Path, QStringLiteral("it changed while saving"));
        }
    }
    QString reason;
    if (!CommitComplete(out, reason))
        throw Error(FileText::CannotWrite, path, reason);
}

bool ReadLabelArchive(const QString& path, QStringList& extracted, QStringList* storedNames) {
    extracted.clear();
    if (storedNames)
        storedNames->clear();
    if (QFileInfo(path).isDir())
        throw Error(FileText::CannotOpen, path, QString::fromLatin1(FileText::IsFolder));
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(FileText::CannotOpen, path, in.errorString());
    const qint64 fileSize = in.size();

    QByteArray header = in.read(Archive::HeaderSize);
    const bool complete = header.size() == Archive::HeaderSize;
    header.resize(Archive::HeaderSize, '\0');
    if (FieldText(header, 0, Archive::MagicFieldSize) != Archive::Magic ||
        FieldText(header, Archive::VersionOffset, Archive::VersionFieldSize) != Archive::Version)
        return false;
    if (!complete)
        throw Damaged(path, QString::fromLatin1(FileText::HeaderCut));

    // Check the whole directory against the file's length before creating anything.
    const int32_t count = GetInt(header, Archive::CountOffset);
    if (count < 0 || count > (fileSize - Archive::HeaderSize) / Archive::EntrySize)
        throw Damaged(path, QString::fromLatin1(FileText::BadCount).arg(count));
    if (count > Archive::MaxEntries)
        throw Damaged(
            path,
            QString::fromLatin1(FileText::TooManyEntries).arg(count).arg(Archive::MaxEntries));
    const QByteArray directory = in.read(qint64(count) * Archive::EntrySize);
    if (directory.size() != qint64(count) * Archive::EntrySize)
        throw Error(FileText::CannotRead, path, in.errorString());
    std::vector<TStoredEntry> entries;
    qint64 end = Archive::HeaderSize + qint64(count) * Archive::EntrySize;
    for (int32_t i = 0; i < count; ++i) {
        const int offset = i * Archive::EntrySize;
        const QString stored =
            DecodeWindows1252(FieldText(directory, offset, Archive::NameFieldSize));
        const int32_t size = GetInt(directory, offset + Archive::SizeOffset);
        if (size < 0)
            throw Damaged(path, QString::fromLatin1(FileText::BadEntrySize).arg(i + 1).arg(size));
        end += size;
        if (end > fileSize)
            throw Damaged(path, QString::fromLatin1(FileText::EntryPastEnd).arg(i + 1));
        const QString name = PlainEntryName(stored);
        if (name.isEmpty())
            throw Damaged(path, QString::fromLatin1(FileText::BadEntryName).arg(i + 1));
        entries.push_back({name, size});
    }

    TExtractedFiles files;
    for (size_t i = 0; i < entries.size(); ++i) {
        // The description gets a fresh name too: a name taken from the file could otherwise
        // overwrite a picture that belongs to a control of the label being edited.
        const QString target =
            UniqueTempFile(i == 0 ? QStringLiteral("_LB") : entries[i].Name.left(3));
        files.Add(target);
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly))
            throw Error(FileText::CannotWrite, target, out.errorString());
        if (!CopyBytes(in, out, entries[i].Size)) {
            if (out.error() != QFileDevice::NoError)
                throw Error(FileText::CannotWrite, target, out.errorString());
            throw Error(FileText::CannotRead, path, in.errorString());
        }
        if (!out.flush())
            throw Error(FileText::CannotWrite, target, out.errorString());
    }
    extracted = files.Release();
    if (storedNames)
        for (const TStoredEntry& e : entries)
            *storedNames << e.Name;
    return true;
}
