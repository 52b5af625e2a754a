#include "platform/PaperChoice.h"

#include "platform/Lengths.h"
#include "platform/Units.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSizeF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Territories whose offices use US Letter paper.
constexpr std::array kLetterTerritories = {
    QLocale::UnitedStates, QLocale::Canada,
    QLocale::Mexico,       QLocale::Chile,
    QLocale::Colombia,     QLocale::CostaRica,
    QLocale::Philippines,  QLocale::Venezuela,
    QLocale::Guatemala,    QLocale::DominicanRepublic,
    QLocale::Panama,       QLocale::ElSalvador,
    QLocale::PuertoRico,   QLocale::Nicaragua,
    QLocale::Honduras,
};

// Sizes kept to a millionth of an inch, so that a size survives being written and read back.
double Trimmed(double inches) {
    return std::round(inches * 1e6) / 1e6;
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

// A standard paper's size in inches from its definition (Qt rounds converted sizes to two
// decimals).
QSizeF ExactInches(QPageSize::PageSizeId id) {
    const QSizeF size = QPageSize::definitionSize(id);
    switch (QPageSize::definitionUnits(id)) {
    case QPageSize::Millimeter:
        return size / MillimetresPerInch;
    case QPageSize::Inch:
        return size;
    case QPageSize::Point:
        return size / PointsPerInch;
    default:
        return QPageSize::size(id, QPageSize::Inch);
    }
}

// The first word of a libpaper configuration file that is not in a comment.
QString FirstWord(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromLocal8Bit(file.readLine(4096)).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        return line.split(QRegularExpression(QStringLiteral("\\s+"))).first();
    }
    return {};
}
} // namespace

QPageSize TPaperChoice::PageSize() const {
    const QPageSize::PageSizeId id = StandardPaperId(Name);
    if (id != QPageSize::Custom)
        return QPageSize(id);
    return QPageSize(QSizeF(Width, Height), QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

QString TPaperChoice::Text() const {
    if (!IsSet())
        return {};
    if (!Name.isEmpty())
        return Landscape ? Name + QStringLiteral(" landscape") : Name;
    const double across = Landscape ? Height : Width;
    const double down = Landscape ? Width : Height;
    return QStringLiteral("%1 \u00d7 %2 in").arg(Number(across), Number(down));
}

QPageSize::PageSizeId StandardPaperId(const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return QPageSize::Custom;
    for (int i = 0; i <= int(QPageSize::LastPageSize); ++i) {
        const auto id = QPageSize::PageSizeId(i);
        if (id == QPageSize::Custom)
            continue;
        if (QPageSize::key(id).compare(wanted, Qt::CaseInsensitive) == 0 ||
            QPageSize::name(id).compare(wanted, Qt::CaseInsensitive) == 0)
            return id;
    }
    return QPageSize::Custom;
}

TPaperChoice PaperFromPageSize(const QPageSize& size, bool landscape) {
    TPaperChoice paper;
    const QSizeF inches = size.size(QPageSize::Inch);
    paper.Width = Trimmed(std::min(inches.width(), inches.height()));
    paper.Height = Trimmed(std::max(inches.width(), inches.height()));
    paper.Landscape = landscape;
    if (size.id() != QPageSize::Custom) {
        paper.Name = QPageSize::key(size.id());
        const QSizeF exact = ExactInches(size.id());
        paper.Width = Trimmed(std::min(exact.width(), exact.height()));
        paper.Height = Trimmed(std::max(exact.width(), exact.height()));
    }
    return paper;
}

TPaperChoice PaperOfSize(double width, double height) {
    const QPageSize size(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Inch,
                         QString(), QPageSize::FuzzyMatch);
    TPaperChoice paper = PaperFromPageSize(size, width > height);
    if (paper.Name.isEmpty()) {
        paper.Width = Trimmed(std::min(width, height));
        paper.Height = Trimmed(std::max(width, height));
    }
    return paper;
}

bool ParsePaper(const QString& text, TPaperChoice& paper, QString* reason) {
    const auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (const QPageSize::PageSizeId id = StandardPaperId(text); id != QPageSize::Custom) {
        paper = PaperFromPageSize(QPageSize(id));
        return true;
    }
    static const QRegularExpression size(
        QStringLiteral("^\\s*(\\d+(?:[.,]\\d*)?|[.,]\\d+)\\s*[x\u00d7]\\s*(\\d+(?:[.,]\\d*)?|[.,]"
                       "\\d+)\\s*(in|mm|cm|pt)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = size.match(text);
    if (!m.hasMatch())
        return fail(QStringLiteral("\"%1\" is not a paper: give a name such as Letter, A4, "
                                   "Legal or A5, or a size such as 4x6in or 100x150mm (units "
                                   "in, mm, cm, pt).")
                        .arg(text));
    const double perInch = UnitsPerInch(m.captured(3));
    const auto inches = [&](int n) { return m.captured(n).replace(',', '.').toDouble() / perInch; };
    const double w = inches(1), h = inches(2);
    const auto within = [](double v) { return v >= MinPaperInches && v <= MaxPaperInches; };
    if (!within(w) || !within(h))
        return fail(QStringLiteral("The paper %1 is out of bounds: each side must be from %2 to "
                                   "%3 inches.")
                        .arg(text.trimmed(), Number(MinPaperInches), Number(MaxPaperInches)));
    paper = PaperOfSize(w, h);
    return true;
}

QPageSize::PageSizeId LocalePaperSize() {
    const auto territory = QLocale().territory();
    const bool letter = std::find(kLetterTerritories.begin(), kLetterTerritories.end(),
                                  territory) != kLetterTerritories.end();
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QPageSize::PageSizeId SystemPaperSize() {
    if (const auto id = StandardPaperId(qEnvironmentVariable("PAPERSIZE")); id != QPageSize::Custom)
        return id;
    QString conf = qEnvironmentVariable("PAPERCONF");
    if (conf.isEmpty())
        conf = QStringLiteral("/etc/papersize");
    if (const auto id = StandardPaperId(FirstWord(conf)); id != QPageSize::Custom)
        return id;
    return LocalePaperSize();
}
