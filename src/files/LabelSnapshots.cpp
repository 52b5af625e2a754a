#include "files/LabelSnapshots.h"

#include "document/GraphicLabel.h"
#include "files/IniFile.h"
#include "files/PictureSource.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The kept pictures, under the names of the private files they were copied from (whose
// three-letter prefix tells their type); each control gets a fresh private copy.
class TKeptPictures final : public TPictureSource {
public:
    explicit TKeptPictures(QString folder) : m_folder(std::move(folder)) {}
    void Attach(TGraphicLabel& control, const QString& imgName) override {
        const QString kept = QDir(m_folder).filePath(imgName);
        if (imgName.isEmpty() || !QFileInfo(kept).isFile())
            return;
        const QString copy = UniqueTempFile(imgName.left(3));
        QFile::remove(copy); // QFile::copy does not overwrite the empty file just made
        if (QFile::copy(kept, copy) && LoadImageByName(control, copy))
            control.SetImageFile(copy);
        else
            QFile::remove(copy);
    }

private:
    QString m_folder;
};
} // namespace

TLabelSnapshots::TLabelSnapshots()
    : m_pictures(QDir(TempFolder()).filePath(QStringLiteral("undoXXXXXX"))) {}

QByteArray TLabelSnapshots::Take(const TSheetSettings& sheet, bool showGrid,
                                 const TControlList& controls) {
    QStringList files;
    const TIniFile ini = DescribeLabel(sheet, showGrid, controls, files);
    // A private picture file is never changed once made (a new picture gets a new file), so
    // one copy under its own name serves every state that names it.
    // The names already kept are remembered, so a state costs no look-up on the disk per picture.
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        if (m_kept.contains(name))
            continue;
        const QString kept = QDir(m_pictures.path()).filePath(name);
        if (QFileInfo::exists(kept) || QFile::copy(file, kept))
            m_kept.insert(name);
    }
    return ini.ToBytes();
}

TLabelContents TLabelSnapshots::Restore(const QByteArray& state) const {
    const TIniFile ini = TIniFile::FromBytes(state);
    TKeptPictures pictures(m_pictures.path());
    return BuildLabelDocument(ini, pictures, QStringLiteral("the label's history"));
}

void TLabelSnapshots::Clear() {
    QDir folder(m_pictures.path());
    for (const QString& name : folder.entryList(QDir::Files))
        folder.remove(name);
    m_kept.clear();
}
