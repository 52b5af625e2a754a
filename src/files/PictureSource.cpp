#include "files/PictureSource.h"

#include "document/GraphicLabel.h"
#include "document/PictureFormats.h"
#include "platform/Messages.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TArchivePictures::TArchivePictures(const QStringList& files, const QStringList& storedNames,
                                   const QStringList& imgNames) {
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString name = storedNames.value(i);
        m_entries.push_back({files[i], name, imgNames.contains(name), false});
    }
}

TArchivePictures::~TArchivePictures() {
    for (const TEntry& e : m_entries)
        if (!e.Taken)
            QFile::remove(e.Path);
}

void TArchivePictures::Attach(TGraphicLabel& control, const QString& imgName) {
    if (imgName.isEmpty())
        return; // the control had no picture when it was saved
    auto take = [&](auto matches) -> TEntry* {
        for (TEntry& e : m_entries)
            if (!e.Taken && matches(e))
                return &e;
        return nullptr;
    };
    TEntry* entry = take([&](const TEntry& e) { return e.Name == imgName; });
    if (!entry)
        entry = take([](const TEntry& e) { return !e.Named; });
    if (!entry)
        return;
    entry->Taken = true;
    // A picture that does not decode stays the control's file, so saving again loses nothing.
    LoadImageByName(control, entry->Path);
    control.SetImageFile(entry->Path);
}

namespace {
bool IsPictureExtension(const QString& suffix) {
    const QString s = suffix.toUpper();
    return s == QLatin1String("JPE") ||
           PictureTypeFromExtension(QStringLiteral("x.") + suffix) != TPictureType::None;
}
} // namespace

void TFolderPictures::Attach(TGraphicLabel& control, const QString& imgName) {
    if (imgName.isEmpty())
        return;
    const QDir folder(m_folder);
    QString source = folder.filePath(imgName);
    // A label made on Windows names its pictures with backslashes; look beside the label too.
    if (!QFileInfo::exists(source) && imgName.contains(QLatin1Char('\\'))) {
        const QString beside = folder.filePath(imgName.mid(imgName.lastIndexOf('\\') + 1));
        if (QFileInfo::exists(beside))
            source = beside;
    }
    if (!QFileInfo(source).isFile()) {
        LoadImageByName(control, source); // reports the missing file
        return;
    }
    const QString suffix = QFileInfo(source).suffix();
    if (!IsPictureExtension(suffix))
        return;
    const QString copy = UniqueTempFile(suffix.left(3));
    QFile::remove(copy); // QFile::copy does not overwrite the empty file just made
    if (!QFile::copy(source, copy)) {
        ShowMessage(QStringLiteral("Cannot copy %1 to %2.").arg(source, copy));
        QFile::remove(copy);
        return;
    }
    if (LoadImageByName(control, copy))
        control.SetImageFile(copy);
    else
        QFile::remove(copy);
}
