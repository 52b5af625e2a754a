#pragma once

#include "barcode/BarcodeTypes.h"
#include "barcode/Matrix2D.h"
#include "document/lblobjs.h"

#include <QImage>

#include <cstdint>
#include <memory>

// Whole device pixels per module for a module of mils thousandths of an inch at resolution
// (pixels per inch): how paper draws a symbol, rounded halves to even.
int32_t DeviceModuleWidth(double mils, int32_t resolution);

// The barcode control (kind 0): shows its data as a symbol of one of the barcode types. On
// screen a linear symbol is drawn with one pixel per module into ModuleImage and stretched to the
// module width in screen pixels; the print engine draws it again at printer resolution with
// DrawBarcode and ModuleMils. A two-dimensional symbol is drawn at whole screen pixels per module
// (MatrixModule) straight into the image, which ModuleImage then is too; data it cannot carry
// shows a hatched box with the reason (MatrixRefusal).
class TBarcodeLabel : public TLabelControl {
public:
    TBarcodeLabel();
    ~TBarcodeLabel() override;

    void Draw() override;
    // Every module keeps its width times zoom: the screen picture is widened pixel by pixel.
    QImage ZoomedImage(double zoom) const override;
    void SetAttach(uint8_t a) override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
    // Copies type, interpretation line, module width, auto-scale and the 2D options from another
    // barcode control.
    void CopyKindProperties(const TLabelControl& source) override;

    TBarcodeType BarcodeType() const { return m_barcodeType; }
    bool AutoScale() const { return m_autoScale; }
    bool Interpret() const { return m_interpret; }
    double NarrowBarWidth() const { return m_narrowBarWidth; }

    void SetInterpret(bool b);
    void SetBarcodeType(TBarcodeType t);
    void SetAutoScale(bool b);
    void SetNarrowBarWidth(double mils);

    // The two-dimensional types' options.
    const TMatrixOptions& MatrixOptions() const { return m_matrixOptions; }
    uint8_t QrEcc() const { return m_matrixOptions.qrEcc; }
    uint8_t QrVersion() const { return m_matrixOptions.qrVersion; }
    uint8_t DataMatrixSize() const { return m_matrixOptions.dmSize; }
    void SetQrEcc(uint8_t level);
    void SetQrVersion(uint8_t version);
    void SetDataMatrixSize(uint8_t side);

    // Why the last Draw of a two-dimensional type drew no symbol; empty when it drew one.
    const QString& MatrixRefusal() const { return m_matrixRefusal; }
    // Screen pixels per module of the last Draw of a two-dimensional symbol.
    int32_t MatrixModule() const { return m_matrixModule; }

    // The module width in effect, in thousandths of an inch: the type's standard width (10, or 22
    // for POSTNET) under AutoScale, else NarrowBarWidth.
    double ModuleMils() const;
    // Screen pixels per module for the control's rotation: the module width scaled to the
    // screen, or, while its label shows a record (TShownData), the printer's whole pixels per
    // module scaled to the screen, so that the symbol is as long as on paper.
    double Scale() const;

    // The work image of the last Draw, one pixel per module.
    const QImage& ModuleImage() const { return m_moduleImage; }

private:
    void DrawMatrix();

    QImage m_moduleImage;
    TMatrixOptions m_matrixOptions;
    QString m_matrixRefusal;
    int32_t m_matrixModule = 0;
    TBarcodeType m_barcodeType = btCode128;
    bool m_autoScale = true;
    bool m_interpret = true;
    double m_narrowBarWidth = 10.0;
};
