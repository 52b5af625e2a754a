#include "PdfProbe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {
QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(300000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

std::vector<TPdfWord> PdfWords(const QString& pdf) {
    // -bbox lists each word with its box in points, page by page, in content order.
    const QString html = Run("pdftotext", {"-bbox", "-raw", pdf, "-"});
    std::vector<TPdfWord> words;
    int page = 0;
    static const QRegularExpression token(
        R"RX(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)RX");
    auto it = token.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(1).toDouble() * 600 / 72,
                         m.captured(2).toDouble() * 600 / 72, m.captured(5),
                         m.captured(3).toDouble() * 600 / 72, m.captured(4).toDouble() * 600 / 72});
    }
    return words;
}

QStringList PageWords(const std::vector<TPdfWord>& words, int page) {
    QStringList out;
    for (const TPdfWord& w : words)
        if (w.Page == page)
            out << w.Text;
    return out;
}

QString PdfInfo(const QString& pdf) {
    return Run("pdfinfo", {pdf});
}

int PdfPageCount(const QString& pdf) {
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(PdfInfo(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage RasterisePage(const QString& pdf, int page, int dpi, const QString& scratchFolder) {
    const QString base = scratchFolder + "/raster";
    Run("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-f", QString::number(page), "-l",
                     QString::number(page), "-singlefile", pdf, base});
    return QImage(base + ".png");
}

QImage RasteriseWithGhostscript(const QString& pdf, int page, int dpi,
                                const QString& scratchFolder) {
    const QString png = scratchFolder + "/raster-gs.png";
    QFile::remove(png);
    Run("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pnggray",
               "-r" + QString::number(dpi), "-dFirstPage=" + QString::number(page),
               "-dLastPage=" + QString::number(page), "-sOutputFile=" + png, pdf});
    return QImage(png);
}

std::vector<TPdfImage> PdfImages(const QString& pdf) {
    std::vector<TPdfImage> images;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    const QStringList lines = Run("pdfimages", {"-list", pdf}).split('\n');
    for (const QString& line : lines) {
        const QStringList f = line.simplified().split(' ');
        bool isRow = false;
        const int page = f.value(0).toInt(&isRow);
        if (!isRow || f.size() < 8)
            continue;
        images.push_back({page, f[2], f[3].toInt(), f[4].toInt(), f[5], f[7].toInt()});
    }
    return images;
}
