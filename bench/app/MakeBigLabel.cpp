// Writes a label with many controls of every text kind, for timing how fast the designer opens
// a large label. Usage: make_big_label OUT.lbl [COUNT]
#include "barcode/BarcodeLabel.h"
#include "document/CanvasLabel.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "platform/Screen.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_big_label OUT.lbl [COUNT]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 200;
    SetScreenResolution(96, 96);
    TSheetSettings sheet;
    sheet.LabelWidth = 8;
    sheet.LabelHeight = 10;
    TCanvasLabel label;
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TLabelControl> c;
        switch (i % 4) {
        case 0:
            c = std::make_unique<TTextLabel>(&label);
            break;
        case 1:
            c = std::make_unique<TMemoLabel>(&label);
            break;
        case 2:
            c = std::make_unique<TBarcodeLabel>(&label);
            break;
        default:
            c = std::make_unique<TShapeLabel>(&label);
            break;
        }
        c->SetText(QStringLiteral("Item %1").arg(i));
        c->SetLeft((i % 8) * 90);
        c->SetTop((i / 8) * 36);
        TLabelControl* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
    }
    WriteLabelDescription(QString::fromLocal8Bit(argv[1]), label, sheet);
    return 0;
}
