#pragma once

#include "document/Sheet.h"
#include "document/lblobjs.h"
#include "print/PrintControls.h"
#include "print/SymbolDecode.h"

#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

#include <unordered_map>

struct TPreflightOptions {
    // Read every distinct symbol back with an independent decoder.
    bool ReadBack = true;
    // How symbols are drawn for reading back; empty: the engine's own drawing.
    TBarsDrawer Drawer;
};

// What paper does to one control: the symbol or text it would print, measured at printer
// resolution in the box it would print in, and what would be cut or lost. The one rule for the
// preflight check and for the outline the design surface draws around such controls.
class TControlCheck {
public:
    // scale: the page's; metric: lengths in the problems in centimetres.
    TControlCheck(const TPrintScale& scale, bool metric, const TPreflightOptions& options = {});

    // The problems of c printing text on a label at labelRect (printer pixels), in the words of
    // PreflightTexts.h, in the order found; none for a control that prints as it should. Kinds
    // without a text have none; a text that sizes itself to its content is never cut.
    QStringList Problems(const TLabelControl& c, const QString& text, const QRect& labelRect);

private:
    QRect Room(const TPrintBox& box) const;
    QString Length(int32_t pixels, bool vertical) const;
    void CheckBarcode(const TLabelControl& c, const QString& text, const TPrintBox& box,
                      const QRect& labelRect);
    void CheckMatrix(const TLabelControl& c, const QString& text, const TPrintBox& box);
    void CheckSymbolFits(const TLabelControl& c, const TBarcodePlacement& at, const TPrintBox& box,
                         const QRect& labelRect);
    void CheckReading(TBarcodeType type, const QString& data, int32_t m);
    void CheckText(const TLabelControl& c, const QString& text, const TPrintBox& box);

    TPrintScale m_scale;
    bool m_metric = false;
    TPreflightOptions m_options;
    QStringList m_found;
    QHash<QString, QString> m_readings;
    std::unordered_map<const TLabelControl*, QFont> m_fonts;
};

// The problems of c as the design surface shows it (its display text: the shown record's
// values when the label shows data, otherwise the design text) on one label of sheet printed on
// a page of these facts. Symbols are not read back.
QStringList PaperProblems(const TLabelControl& c, const TSheetSettings& sheet,
                          const TPrinterPage& page);
