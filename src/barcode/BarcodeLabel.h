#pragma once

#include "barcode/BarcodeTypes.h"
#include "document/lblobjs.h"

#include <QImage>

#include <cstdint>
#include <memory>

// The barcode control (kind 0): shows its data as a symbol of one of the eighteen types. On
// screen the symbol is drawn with one pixel per module into ModuleImage and stretched to the
// module width in screen pixels; the print engine draws it again at printer resolution with
// DrawBarcode and ModuleMils.
class TBarcodeLabel : public TLabelControl {
public:
    explicit TBarcodeLabel(TCanvasLabel* owner);
    ~TBarcodeLabel() override;

    void Draw() override;
    void SetAttach(uint8_t a) override;
    std::unique_ptr<TLabelControl> CreateSameKind(TCanvasLabel* owner) const override;
    // Copies type, interpretation line, module width and auto-scale from another barcode control.
    void CopyKindProperties(const TLabelControl& source) override;

    uint8_t BarcodeType() const { return m_barcodeType; }
    bool AutoScale() const { return m_autoScale; }
    bool Interpret() const { return m_interpret; }
    double NarrowBarWidth() const { return m_narrowBarWidth; }

    void SetInterpret(bool b);
    void SetBarcodeType(uint8_t t);
    void SetAutoScale(bool b);
    void SetNarrowBarWidth(double mils);

    // The module width in effect, in thousandths of an inch: the type's standard width (10, or 22
    // for POSTNET) under AutoScale, else NarrowBarWidth.
    double ModuleMils() const;
    // Screen pixels per module for the control's rotation.
    double Scale() const;

    // The work image of the last Draw, one pixel per module.
    const QImage& ModuleImage() const { return m_moduleImage; }

private:
    QImage m_moduleImage;
    uint8_t m_barcodeType = btCode128;
    bool m_autoScale = true;
    bool m_interpret = true;
    double m_narrowBarWidth = 10.0;
};
