#include "document/GraphicLabel.h"

#include "document/Jpeg.h"
#include "document/LabelDocument.h"
#include "document/PictureFormats.h"
#include "document/PictureLimits.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Rounding.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace {
QString Message(const QString& text, const QString& path) {
    return text + QStringLiteral("\n\r") + path;
}

QString Message(const char* text, const QString& path) {
    return Message(QString::fromLatin1(text), path);
}

bool LoadPicture(TGraphicLabel& control, const QString& path, TPictureType type) {
    if (path.isEmpty())
        return false;
    if (!QFileInfo::exists(path)) {
        ShowMessage(Message(PictureText::NotFound, path));
        return false;
    }
    if (type == TPictureType::None)
        return false;
    if (type == TPictureType::Svg) {
        const TSvgPicture svg = ReadSvgFile(path);
        if (svg.IsNull()) {
            ShowMessage(Message(QString::fromLatin1(PictureText::BadPicture).arg("svg"), path));
            return false;
        }
        control.SetVectors(svg);
        return true;
    }
    QImage picture;
    if (type != TPictureType::Jpeg && type != TPictureType::Bitmap) {
        picture = DecodeRasterFile(path, type);
        if (picture.isNull()) {
            ShowMessage(Message(
                QString::fromLatin1(PictureText::BadPicture).arg(PictureTypeWord(type)), path));
            return false;
        }
        control.SetPicture(picture);
        return true;
    }
    if (type == TPictureType::Jpeg) {
        picture = DecodeJpegFile(path);
        if (picture.isNull()) {
            ShowMessage(Message(PictureText::BadJpeg, path));
            return false;
        }
    } else {
        picture.load(path, "BMP");
        if (picture.isNull()) {
            ShowMessage(Message(PictureText::BadBitmap, path));
            return false;
        }
    }
    control.SetPicture(picture.convertToFormat(QImage::Format_RGB888));
    return true;
}
} // namespace

bool LoadImageByName(TGraphicLabel& control, const QString& path) {
    return LoadPicture(control, path, PictureTypeFromName(path));
}

bool LoadImageByExtension(TGraphicLabel& control, const QString& path) {
    if (!path.isEmpty() && QFileInfo::exists(path) &&
        PictureTypeFromExtension(path) == TPictureType::None)
        return false;
    return LoadPicture(control, path, PictureTypeFromExtension(path));
}

bool ImportPicture(TGraphicLabel& control, const QString& path) {
    const QImage previous = control.Picture();
    const TSvgPicture previousVectors = control.Vectors();
    auto restore = [&] {
        control.SetPicture(previous);
        if (!previousVectors.IsNull())
            control.SetVectors(previousVectors);
    };
    if (!LoadImageByExtension(control, path))
        return false;
    QString copy;
    try {
        copy = UniqueTempFile(QFileInfo(path).suffix().left(3).toLower());
    } catch (const TUserError& e) {
        ShowMessage(e.Message());
        restore();
        return false;
    }
    // QFile::copy does not overwrite, and the new private file exists (it was made empty).
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) {
        ShowMessage(QStringLiteral("Cannot copy %1 to %2.").arg(path, copy));
        restore();
        return false;
    }
    if (!control.ImageFile().isEmpty())
        QFile::remove(control.ImageFile());
    control.SetImageFile(copy);
    return true;
}

TGraphicLabel::TGraphicLabel() {
    SetKind(ckGraphic);
    SetMinSize(10, 10);
    SetBox(TRect::FromBox(0, 0, 25, 25), true);
    SetAutoSizeField(false);
    SetTransparentField(false);
    m_picture = BlankPicture();
}

TGraphicLabel::~TGraphicLabel() {
    if (!m_imageFile.isEmpty())
        QFile::remove(m_imageFile);
}

std::unique_ptr<TLabelControl> TGraphicLabel::CreateSameKind() const {
    return std::make_unique<TGraphicLabel>();
}

void TGraphicLabel::CopyKindProperties(const TLabelControl& source) {
    const auto& s = static_cast<const TGraphicLabel&>(source);
    m_keepAspect = s.m_keepAspect;
    if (s.m_imageFile.isEmpty())
        return;
    // The copy gets a private file of its own, so deleting either control keeps the other's.
    LoadImageByName(*this, s.m_imageFile);
    try {
        const QString copy = UniqueTempFile(QFileInfo(s.m_imageFile).fileName().left(3));
        QFile::remove(copy);
        if (QFile::copy(s.m_imageFile, copy))
            m_imageFile = copy;
        else
            ShowMessage(QStringLiteral("Cannot copy %1 to %2.").arg(s.m_imageFile, copy));
    } catch (const TUserError& e) {
        ShowMessage(e.Message());
    }
    Changed(true);
}

QImage TGraphicLabel::BlankPicture() const {
    QImage blank(MinWidth(), MinHeight(), QImage::Format_RGB888);
    blank.fill(Qt::white);
    return blank;
}

void TGraphicLabel::SetPicture(const QImage& picture) {
    m_picture = picture;
    m_vectors = {};
    Changed(true);
}

void TGraphicLabel::SetVectors(const TSvgPicture& svg) {
    m_vectors = svg;
    // The pixel copy at the natural size, scaled down to a bounded size for a huge drawing.
    QSize size = svg.NaturalSize;
    const int side = PictureLimits::MaxSvgPreviewSide;
    if (size.width() > side || size.height() > side)
        size = size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    m_picture = RenderSvg(svg, size);
    Changed(true);
}

QSize TGraphicLabel::NaturalSize() const {
    return m_vectors.IsNull() ? m_picture.size() : m_vectors.NaturalSize;
}

bool TGraphicLabel::SeeThrough() const {
    return !m_vectors.IsNull() || m_picture.hasAlphaChannel();
}

void TGraphicLabel::PaintPicture(QPainter& p, const QRect& target) const {
    if (!m_vectors.IsNull()) {
        p.setRenderHint(QPainter::Antialiasing);
        DrawSvg(p, m_vectors, QRectF(target));
    } else {
        p.drawImage(target, m_picture);
    }
}

void TGraphicLabel::SetImageFile(const QString& path) {
    m_imageFile = path;
    if (path.isEmpty()) {
        m_picture = BlankPicture();
        m_vectors = {};
    }
    Changed(true);
}

void TGraphicLabel::SetKeepAspect(bool v) {
    m_keepAspect = v;
    Changed(true);
}

QSize TGraphicLabel::FittedSize(const QSize& picture, int32_t width, int32_t height,
                                bool keepAspect) {
    const int pw = picture.width(), ph = picture.height();
    if (!keepAspect || pw <= 0 || ph <= 0)
        return QSize(width, height);
    if (double(height) / ph >= double(width) / pw)
        return QSize(width, RoundHalfEven(double(ph) * width / pw));
    return QSize(RoundHalfEven(double(pw) * height / ph), height);
}

const TGraphicLabel& TGraphicLabel::Drawn() const {
    const TShownData* shown = Owner() ? Owner()->ShownData() : nullptr;
    if (!shown || !Advanced() || Fields.empty())
        return *this;
    QString name = GetDisplayText().trimmed();
    if (!name.isEmpty() && QDir::isRelativePath(name) && !shown->DataFolder.isEmpty())
        name = QDir(shown->DataFolder).filePath(name);
    if (!m_shown || name != m_shownName) {
        m_shownName = name;
        // A picture the record names but that cannot be read leaves the control empty, as on
        // paper.
        m_shown = std::make_shared<TGraphicLabel>();
        if (QFileInfo(name).isFile())
            LoadImageByExtension(*m_shown, name);
    }
    return *m_shown;
}

void TGraphicLabel::Draw() {
    if (Loading())
        return;
    const TGraphicLabel& drawn = Drawn();
    const QSize size = FittedSize(drawn.NaturalSize(), Width(), Height(), m_keepAspect);
    QImage& img = MutableImage();
    const bool seeThrough = drawn.SeeThrough();
    img = QImage(size, seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (!img.isNull()) {
        img.fill(seeThrough ? Qt::transparent : Qt::white);
        QPainter p(&img);
        drawn.PaintPicture(p, QRect(QPoint(0, 0), size));
        p.end();
        SetTransparentColor(img.pixel(0, img.height() - 1));
    }
    SetBox(TRect::FromBox(Left(), Top(), size.width(), size.height()), false);
    TLabelControl::Draw();
}

QImage TGraphicLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    // From the picture itself (an SVG drawn at the zoomed size), not from the screen-sized copy.
    const TGraphicLabel& drawn = Drawn();
    const bool seeThrough = drawn.SeeThrough();
    QImage img(ZoomedImageSize(Image().size(), zoom),
               seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    img.fill(seeThrough ? Qt::transparent : Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawn.PaintPicture(p, img.rect());
    return img;
}
