#pragma once

#include "document/SvgPicture.h"
#include "document/lblobjs.h"

#include <memory>

// A picture (BMP, JPEG, PNG, GIF, TIFF, WebP or SVG) stretched onto the box, optionally keeping its
// proportions. The control works on a private copy of the picture file in the temporary folder and
// deletes it when it goes.
class TGraphicLabel : public TLabelControl {
public:
    TGraphicLabel();
    ~TGraphicLabel() override;
    void Draw() override;
    QImage ZoomedImage(double zoom) const override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
    void CopyKindProperties(const TLabelControl& source) override;

    // The picture's pixels; for an SVG a copy at its natural size (smaller for a huge one).
    const QImage& Picture() const { return m_picture; }
    // Sets a raster picture; its alpha channel, if any, lets what is under it show through.
    void SetPicture(const QImage& picture);
    const QString& ImageFile() const { return m_imageFile; }
    void SetImageFile(const QString& path);
    bool KeepAspect() const { return m_keepAspect; }
    void SetKeepAspect(bool v);

    // The size the image takes in a box of width x height for a picture of pictureSize.
    static QSize FittedSize(const QSize& pictureSize, int32_t width, int32_t height,
                            bool keepAspect);

    // Vector pictures: drawn as vectors on screen and paper, at any size.
    const TSvgPicture& Vectors() const { return m_vectors; }
    void SetVectors(const TSvgPicture& svg);
    // The size the picture's proportions come from: an SVG's own size, else the pixels'.
    QSize NaturalSize() const;
    // Whether the picture lets what is under it show through (alpha or SVG).
    bool SeeThrough() const;

private:
    QImage BlankPicture() const;
    // The picture drawn into target of an image of the kind Draw() makes.
    void PaintPicture(QPainter& p, const QRect& target) const;

    QImage m_picture;
    QString m_imageFile;
    bool m_keepAspect = true;
    // The picture as vectors when it is an SVG, else null.
    TSvgPicture m_vectors;

    // The control whose picture is drawn: this one, or with Show Data the picture the shown
    // record names, kept while the name stays the same.
    const TGraphicLabel& Drawn() const;
    mutable QString m_shownName;
    mutable std::shared_ptr<TGraphicLabel> m_shown;
};

// Loads a picture into the control, choosing the decoder by the first three letters of the file
// name ("BMP", "JPG", "JPE", "PNG", "GIF", "TIF", "WEB", "SVG"): the form of the private picture
// files.
bool LoadImageByName(TGraphicLabel& control, const QString& path);
// The same, choosing by the file's extension (".BMP", ".JPG", ".JPEG", ".PNG", ".GIF", ".TIF",
// ".TIFF", ".WEBP", ".SVG"): files the user picks.
bool LoadImageByExtension(TGraphicLabel& control, const QString& path);
// Imports the user's picture file: loads it, then replaces the control's private copy with a new
// one. False (with the control unchanged) when the picture cannot be loaded or copied.
bool ImportPicture(TGraphicLabel& control, const QString& path);

namespace PictureText {
inline constexpr const char* NotFound = "Unable to locate Graphic file";
inline constexpr const char* BadJpeg = "Unable to load jpeg file";
inline constexpr const char* BadBitmap = "Unable to load bitmap file";
// %1: the picture's kind ("png", "svg", ...).
inline constexpr const char* BadPicture = "Unable to load %1 file";
inline constexpr const char* ImportFilter =
    "Image Files (*.bmp *.jpg *.jpeg *.png *.svg *.gif *.tif *.tiff *.webp);;"
    "Bitmap Images (*.bmp);;Jpg Images (*.jpg *.jpeg);;PNG Images (*.png);;"
    "SVG Drawings (*.svg);;GIF Images (*.gif);;TIFF Images (*.tif *.tiff);;WebP Images (*.webp)";
inline constexpr const char* ImportTitle = "Import Image";
} // namespace PictureText
