#pragma once

#include "document/lblobjs.h"

// A BMP or JPEG picture stretched onto the box, optionally keeping its proportions. The control
// works on a private copy of the picture file in the temporary folder and deletes it when it
// goes.
class TGraphicLabel : public TLabelControl {
public:
    TGraphicLabel();
    ~TGraphicLabel() override;
    void Draw() override;
    QImage ZoomedImage(double zoom) const override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
    void CopyKindProperties(const TLabelControl& source) override;

    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);
    const QString& ImageFile() const { return m_imageFile; }
    void SetImageFile(const QString& path);
    bool KeepAspect() const { return m_keepAspect; }
    void SetKeepAspect(bool v);

    // The size the image takes in a box of width x height for a picture of pictureSize.
    static QSize FittedSize(const QSize& pictureSize, int32_t width, int32_t height,
                            bool keepAspect);

private:
    QImage BlankPicture() const;

    QImage m_picture;
    QString m_imageFile;
    bool m_keepAspect = true;

    // The picture the shown record names (Show Data), kept while the name stays the same.
    const QImage& ShownPicture() const;
    mutable QString m_shownName;
    mutable QImage m_shownPicture;
};

// Loads a picture into the control, choosing the decoder by the first three letters of the file
// name ("BMP", "JPG", "JPE"): the form of the private picture files.
bool LoadImageByName(TGraphicLabel& control, const QString& path);
// The same, choosing by the file's extension (".BMP", ".JPG", ".JPEG"): files the user picks.
bool LoadImageByExtension(TGraphicLabel& control, const QString& path);
// Imports the user's picture file: loads it, then replaces the control's private copy with a new
// one. False (with the control unchanged) when the picture cannot be loaded or copied.
bool ImportPicture(TGraphicLabel& control, const QString& path);

namespace PictureText {
inline constexpr const char* NotFound = "Unable to locate Graphic file";
inline constexpr const char* BadJpeg = "Unable to load jpeg file";
inline constexpr const char* BadBitmap = "Unable to load bitmap file";
inline constexpr const char* ImportFilter =
    "Image Files (*.bmp *.jpg *.jpeg);;Bitmap Images (*.bmp);;Jpg Images (*.jpg *.jpeg)";
inline constexpr const char* ImportTitle = "Import Image";
} // namespace PictureText
