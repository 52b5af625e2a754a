#include "barcode/BarcodeLabel.h"

#include "barcode/BarcodePainter.h"
#include "barcode/MatrixPainter.h"
#include "barcode/PrnBarcode.h"
#include "document/Fonts.h"
#include "document/LabelDocument.h"
#include "document/TextRendering.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QPainter>

#include <algorithm>

namespace {

// A POSTNET control is always an eighth of an inch high on screen.
constexpr double PostnetHeightInches = 0.125;

QImage WhiteImage(int32_t width, int32_t height) {
    // QPainter cannot paint on one-bit images; bars and text are black on white all the same
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TBarcodeLabel::TBarcodeLabel() {
    SetKind(ckBarcode);
    m_moduleImage = WhiteImage(1, 1);
    MutableImage() = WhiteImage(1, 1);
    SetFont(QFont(QStringLiteral("Courier New")));
}

TBarcodeLabel::~TBarcodeLabel() = default;

double TBarcodeLabel::ModuleMils() const {
    if (!m_autoScale)
        return m_narrowBarWidth;
    const TBarcodeTypeInfo* info = BarcodeTypeInfo(m_barcodeType);
    return info ? info->standardMils : 10.0;
}

int32_t DeviceModuleWidth(double mils, int32_t resolution) {
    return RoundHalfEven(mils * resolution / MilsPerInch);
}

double TBarcodeLabel::Scale() const {
    const bool vertical = IsVertical(Rotation());
    const int32_t ppi = vertical ? ScreenPixelsPerInchY() : ScreenPixelsPerInchX();
    if (const TShownData* shown = Owner() ? Owner()->ShownData() : nullptr) {
        // Paper rounds the module to whole printer pixels, which may make the symbol longer or
        // shorter than the module width in mils says.
        const int32_t printer = vertical ? shown->PrinterY : shown->PrinterX;
        if (printer > 0)
            return double(DeviceModuleWidth(ModuleMils(), printer)) * ppi / printer;
    }
    return ModuleMils() * ppi / MilsPerInch;
}

void TBarcodeLabel::Draw() {
    if (Loading())
        return;
    if (IsMatrixBarcodeType(m_barcodeType)) {
        DrawMatrix();
        return;
    }
    m_matrixRefusal.clear();
    m_matrixModule = 0;
    const int rotation = Rotation();
    const bool vertical = IsVertical(rotation);
    const int32_t ppi = vertical ? ScreenPixelsPerInchY() : ScreenPixelsPerInchX();
    const double scale = Scale();

    const QString data = NormalizeBarcodeData(m_barcodeType, TextForDrawing(GetDisplayText()));
    // a plain barcode's saved text is always its normalised data; storing it must not set off
    // another repaint from inside this one. A shown record is not the control's text.
    if (!(Advanced() && Owner() && Owner()->ShownData()))
        SetTextField(data);

    // Both images are cut at the longest side an image may have: a symbol longer than that
    // shows its first modules only, as it would on any label.
    const int32_t maxSide = MaxImageSide(ppi);
    int32_t cross = vertical ? Width() : Height();
    if (m_barcodeType == btPostnet)
        cross = RoundHalfEven(ppi * PostnetHeightInches);
    cross =
        std::min(cross, MaxImageSide(vertical ? ScreenPixelsPerInchX() : ScreenPixelsPerInchY()));
    int32_t along = SymbolExtent(m_barcodeType, data, 1);
    if (along > maxSide || RoundHalfEven(along * scale) > maxSide) {
        const double fitting = scale > 0 ? maxSide / scale : maxSide;
        along = std::max(1, int32_t(std::min<double>(maxSide, fitting)));
    }
    m_moduleImage = vertical ? WhiteImage(cross, along) : WhiteImage(along, cross);
    {
        QPainter painter(&m_moduleImage);
        painter.setFont(Font());
        DrawBarcode(painter, m_barcodeType, 0, 0, 1, cross, data, m_interpret, rotation, false);
    }

    const int32_t scaled = std::min(RoundHalfEven(along * scale), maxSide);
    QImage& image = MutableImage();
    image = vertical ? WhiteImage(m_moduleImage.width(), scaled)
                     : WhiteImage(scaled, m_moduleImage.height());
    {
        QPainter painter(&image);
        painter.drawImage(image.rect(), m_moduleImage);
    }

    if (AutoSize() || m_barcodeType == btPostnet)
        SetBox(TRect::FromBox(Left(), Top(), image.width(), image.height()), false);
    TLabelControl::Draw();
}

QImage TBarcodeLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return Image();
    // A linear symbol is widened from its drawing at one pixel per module, not from the
    // screen's picture: at 96 pixels per inch a narrow module is less than a pixel, and the
    // screen's picture has already merged some bars that the zoomed surface must show apart.
    // A two-dimensional symbol's picture has whole pixels per module and is widened as it is.
    const QImage& source =
        IsMatrixBarcodeType(m_barcodeType) || m_moduleImage.isNull() ? Image() : m_moduleImage;
    return source.scaled(ZoomedImageSize(Image().size(), zoom), Qt::IgnoreAspectRatio,
                         Qt::FastTransformation);
}

void TBarcodeLabel::DrawMatrix() {
    const int rotation = Rotation();
    // the data is used as it stands: no normalisation changes it, so the stored text stays too
    const QString data = TextForDrawing(GetDisplayText());
    const TMatrixEncoding encoding = EncodeMatrix(m_barcodeType, data, m_matrixOptions);
    m_matrixRefusal = encoding.reason;
    QImage& image = MutableImage();
    if (!encoding.Valid()) {
        m_matrixModule = 0;
        const int32_t side = MaxImageSide(ScreenPixelsPerInchX());
        image = WhiteImage(std::min(Width(), side), std::min(Height(), side));
        QPainter painter(&image);
        DrawMatrixRefusal(painter, image.rect(), encoding.reason);
        m_moduleImage = image;
        TLabelControl::Draw();
        return;
    }

    const TModuleMatrix& matrix = encoding.matrix;
    const QFont font = FontForResolution(Font(), ScreenPixelsPerInchY());
    // the text wraps into the box's width along the symbol, as on paper
    const TMatrixText lines = LayoutMatrixText(
        m_barcodeType, data, font, nullptr, IsVertical(rotation) ? Height() : Width(), m_interpret);
    const int32_t band = lines.Depth();
    int32_t m =
        m_autoScale
            ? FittingModule(matrix, Width(), Height(), band, rotation)
            : std::max(1, RoundHalfEven(m_narrowBarWidth * ScreenPixelsPerInchX() / MilsPerInch));
    // no larger than an image may be
    const int32_t maxSide = MaxImageSide(ScreenPixelsPerInchX());
    const int32_t modules = std::max(matrix.ModulesAcross(), matrix.ModulesDown());
    m = std::max(1, std::min(m, (maxSide - band) / std::max(1, modules)));
    m_matrixModule = m;
    const TMatrixGeometry g =
        MatrixGeometry(matrix, 0, 0, m, band, rotation, std::min(lines.width, lines.room));
    image = WhiteImage(g.box.width(), g.box.height());
    {
        QPainter painter(&image);
        DrawMatrixBarcode(painter, matrix, g, lines, font, false);
    }
    m_moduleImage = image;
    if (AutoSize())
        SetBox(TRect::FromBox(Left(), Top(), image.width(), image.height()), false);
    TLabelControl::Draw();
}

void TBarcodeLabel::SetAttach(uint8_t a) {
    SetAttachField(atNone);
    SetBox(OldBounds(), true);
    TLabelControl::SetAttach(a);
    if (Owner())
        Owner()->RepaintAll();
}

std::unique_ptr<TLabelControl> TBarcodeLabel::CreateSameKind() const {
    return std::make_unique<TBarcodeLabel>();
}

void TBarcodeLabel::CopyKindProperties(const TLabelControl& source) {
    const auto* barcode = dynamic_cast<const TBarcodeLabel*>(&source);
    if (!barcode)
        return;
    SetBarcodeType(barcode->BarcodeType());
    SetInterpret(barcode->Interpret());
    SetNarrowBarWidth(barcode->NarrowBarWidth());
    SetAutoScale(barcode->AutoScale());
    m_matrixOptions = barcode->MatrixOptions();
    Changed(true);
}

void TBarcodeLabel::SetInterpret(bool b) {
    m_interpret = b;
    Changed(true);
}

void TBarcodeLabel::SetBarcodeType(TBarcodeType t) {
    SaveOldBounds();
    m_barcodeType = t;
    Changed(true);
}

void TBarcodeLabel::SetAutoScale(bool b) {
    SaveOldBounds();
    m_autoScale = b;
    Changed(true);
}

void TBarcodeLabel::SetNarrowBarWidth(double mils) {
    SaveOldBounds();
    m_narrowBarWidth = mils;
    Changed(true);
}

void TBarcodeLabel::SetQrEcc(uint8_t level) {
    SaveOldBounds();
    m_matrixOptions.qrEcc = std::min<uint8_t>(level, QrEccLevelCount - 1);
    Changed(true);
}

void TBarcodeLabel::SetQrVersion(uint8_t version) {
    SaveOldBounds();
    m_matrixOptions.qrVersion = version;
    Changed(true);
}

void TBarcodeLabel::SetDataMatrixSize(uint8_t side) {
    SaveOldBounds();
    m_matrixOptions.dmSize = side;
    Changed(true);
}
