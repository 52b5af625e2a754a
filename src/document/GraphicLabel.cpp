#include "document/GraphicLabel.h"

#include "document/Jpeg.h"
#include "document/LabelDocument.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Rounding.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace {
enum class TPictureType { None, Bitmap, Jpeg };

TPictureType TypeFromName(const QString& path) {
    const QString head = QFileInfo(path).fileName().left(3).toUpper();
    if (head == "BMP")
        return TPictureType::Bitmap;
    if (head == "JPG" || head == "JPE")
        return TPictureType::Jpeg;
    return TPictureType::None;
}

TPictureType TypeFromExtension(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == "BMP")
        return TPictureType::Bitmap;
    if (ext == "JPG" || ext == "JPEG")
        return TPictureType::Jpeg;
    return TPictureType::None;
}

QString Message(const char* text, const QString& path) {
    return QString::fromLatin1(text) + QStringLiteral("\n\r") + path;
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
    QImage picture;
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
    return LoadPicture(control, path, TypeFromName(path));
}

bool LoadImageByExtension(TGraphicLabel& control, const QString& path) {
    if (!path.isEmpty() && QFileInfo::exists(path) && TypeFromExtension(path) == TPictureType::None)
        return false;
    return LoadPicture(control, path, TypeFromExtension(path));
}

bool ImportPicture(TGraphicLabel& control, const QString& path) {
    const QImage previous = control.Picture();
    if (!LoadImageByExtension(control, path))
        return false;
    QString copy;
    try {
        copy = UniqueTempFile(QFileInfo(path).suffix().left(3).toLower());
    } catch (const TUserError& e) {
        ShowMessage(e.Message());
        control.SetPicture(previous);
        return false;
    }
    // QFile::copy does not overwrite, and the new private file exists (it was made empty).
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) {
        ShowMessage(QStringLiteral("Cannot copy %1 to %2.").arg(path, copy));
        control.SetPicture(previous);
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
    Changed(true);
}

void TGraphicLabel::SetImageFile(const QString& path) {
    m_imageFile = path;
    if (path.isEmpty())
        m_picture = BlankPicture();
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

const QImage& TGraphicLabel::ShownPicture() const {
    const TShownData* shown = Owner() ? Owner()->ShownData() : nullptr;
    if (!shown || !Advanced() || Fields.empty())
        return m_picture;
    QString name = GetDisplayText().trimmed();
    if (!name.isEmpty() && QDir::isRelativePath(name) && !shown->DataFolder.isEmpty())
        name = QDir(shown->DataFolder).filePath(name);
    if (name != m_shownName || m_shownPicture.isNull()) {
        m_shownName = name;
        // A picture the record names but that cannot be read leaves the control empty, as on
        // paper.
        TGraphicLabel holder;
        if (QFileInfo(name).isFile() && LoadImageByExtension(holder, name))
            m_shownPicture = holder.Picture();
        else
            m_shownPicture = BlankPicture();
    }
    return m_shownPicture;
}

void TGraphicLabel::Draw() {
    if (Loading())
        return;
    const QImage& picture = ShownPicture();
    const QSize size = FittedSize(picture.size(), Width(), Height(), m_keepAspect);
    QImage& img = MutableImage();
    img = QImage(size, QImage::Format_RGB32);
    if (!img.isNull()) {
        img.fill(Qt::white);
        QPainter p(&img);
        p.drawImage(QRect(QPoint(0, 0), size), picture);
        p.end();
        SetTransparentColor(img.pixel(0, img.height() - 1));
    }
    SetBox(TRect::FromBox(Left(), Top(), size.width(), size.height()), false);
    TLabelControl::Draw();
}

QImage TGraphicLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    // From the picture itself, smoothly, not from the screen-sized copy.
    QImage img(ZoomedImageSize(Image().size(), zoom), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(img.rect(), ShownPicture());
    return img;
}
