#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class TGraphicLabel;

// Where the pictures of image controls come from while a description is read.
class TPictureSource {
public:
    virtual ~TPictureSource() = default;
    // Gives control the picture that its IMG_NAME value names, as a private picture file the
    // control then owns. A control without a name gets none.
    virtual void Attach(TGraphicLabel& control, const QString& imgName) = 0;
};

// The pictures extracted from a label archive. A control takes the picture stored under its
// IMG_NAME; pictures whose stored name no image control names are handed out in turn to controls
// whose own picture is not there (archives whose names do not match). Pictures no control takes
// are deleted with the source.
class TArchivePictures final : public TPictureSource {
public:
    // files and storedNames: the archive's entries after the description; imgNames: the
    // IMG_NAME of every image control in the description.
    TArchivePictures(const QStringList& files, const QStringList& storedNames,
                     const QStringList& imgNames);
    ~TArchivePictures() override;
    TArchivePictures(const TArchivePictures&) = delete;
    TArchivePictures& operator=(const TArchivePictures&) = delete;
    void Attach(TGraphicLabel& control, const QString& imgName) override;

private:
    struct TEntry {
        QString Path;
        QString Name;
        bool Named = false; // some image control names it
        bool Taken = false;
    };
    std::vector<TEntry> m_entries;
};

// The pictures of an older plain description: IMG_NAME is a path, a bare name being taken from
// the label file's folder. The picture is copied to a private file and loaded from there; only
// picture files an image control reads are copied, so a crafted description cannot carry other
// files away into a saved label.
class TFolderPictures final : public TPictureSource {
public:
    explicit TFolderPictures(QString labelFolder) : m_folder(std::move(labelFolder)) {}
    void Attach(TGraphicLabel& control, const QString& imgName) override;

private:
    QString m_folder;
};
