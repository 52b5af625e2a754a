#include "barcode/MatrixText.h"

#include "barcode/Matrix2D.h"

#include <QFontMetrics>

#include <algorithm>

QString TMatrixText::WidestWord() const {
    for (qsizetype i = 0; i < lines.size() && i < widths.size(); ++i)
        if (widths[i] > room)
            return lines[i];
    return {};
}

TMatrixText LayoutMatrixText(TBarcodeType type, const QString& data, const QFont& font,
                             const QPaintDevice* device, int32_t width, bool interpret) {
    TMatrixText out;
    out.room = std::max<int32_t>(0, width);
    if (!interpret)
        return out;
    const QStringList words =
        MatrixInterpretationText(type, data).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return out;
    const QFontMetrics fm = device ? QFontMetrics(font, device) : QFontMetrics(font);
    out.lineHeight = fm.height();
    QString line;
    const auto finish = [&] {
        const int32_t w = fm.horizontalAdvance(line);
        out.width = std::max(out.width, w);
        out.widths << w;
        out.lines << line;
        line.clear();
    };
    for (const QString& word : words) {
        if (line.isEmpty()) {
            line = word;
            continue;
        }
        const QString longer = line + QLatin1Char(' ') + word;
        if (fm.horizontalAdvance(longer) <= out.room) {
            line = longer;
        } else {
            finish();
            line = word;
        }
    }
    finish();
    return out;
}
