// Writes a label with many controls of every text kind, for timing how fast the designer opens
// a large label. Usage: make_big_label OUT.lbl [COUNT]
#include "TestLabel.h"

#include "document/LabelDocument.h"
#include "document/Sheet.h"
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
    TLabelDocument label;
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    AddBenchControls(label, count);
    label.SetSheet(sheet);
    WriteLabelDescription(QString::fromLocal8Bit(argv[1]), label);
    return 0;
}
