#include "files/SheetSection.h"

#include "document/SheetLimits.h"
#include "files/EscapeText.h"
#include "files/FileTexts.h"
#include "files/IniFile.h"
#include "platform/Errors.h"

#include <variant>

namespace {
// The label's grid flag is stored among the sheet's keys but is not a sheet field.
struct TShowGrid {};
using TSheetField = std::variant<double TSheetSettings::*, bool TSheetSettings::*,
                                 int32_t TSheetSettings::*, TShowGrid>;

struct TSheetKey {
    const char* Key;
    TSheetField Field;
    double Default;
    bool InTemplate;
};

// In the order the keys are written.
const TSheetKey kSheetKeys[] = {
    {"HEIGHT", &TSheetSettings::LabelHeight, 1.0, true},
    {"WIDTH", &TSheetSettings::LabelWidth, 2.0, true},
    {"TOPMARGIN", &TSheetSettings::TopMargin, 0, true},
    {"LEFTMARGIN", &TSheetSettings::LeftMargin, 0, true},
    {"BOTTOMMARGIN", &TSheetSettings::BottomMargin, 0, true},
    {"RIGHTMARGIN", &TSheetSettings::RightMargin, 0, true},
    {"GAPHEIGHT", &TSheetSettings::GapHeight, 0, true},
    {"GAPWIDTH", &TSheetSettings::GapWidth, 0, true},
    {"METRIC", &TSheetSettings::Metric, 0, true},
    {"SHOWGRID", TShowGrid{}, 1, false},
    {"FORCEDMETRICS", &TSheetSettings::ForcedCount, 0, true},
    {"COLUMNS", &TSheetSettings::Columns, 1, true},
    {"ROWS", &TSheetSettings::Rows, 1, true},
    {"BORDERSTYLE", &TSheetSettings::BorderStyle, 0, false},
    {"BORDERSIZE", &TSheetSettings::BorderSize, 0, false},
    {"BORDERSHAPE", &TSheetSettings::BorderShape, 0, false},
    {"BORDERPCT", &TSheetSettings::BorderPct, 10.0, false},
};

bool Included(const TSheetKey& k, TSheetKeys keys) {
    return keys == TSheetKeys::Description || k.InTemplate;
}

template <class... F> struct TOverload : F... { using F::operator()...; };
template <class... F> TOverload(F...) -> TOverload<F...>;
} // namespace

void WriteSheetSection(TIniFile& ini, const TSheetSettings& sheet, TSheetKeys keys, bool showGrid) {
    const QString section = QString::fromLatin1(FormatSection);
    for (const TSheetKey& k : kSheetKeys) {
        if (!Included(k, keys))
            continue;
        const QString key = QString::fromLatin1(k.Key);
        std::visit(
            TOverload{
                [&](double TSheetSettings::*f) { ini.WriteFloat(section, key, sheet.*f); },
                [&](bool TSheetSettings::*f) { ini.WriteBool(section, key, sheet.*f); },
                [&](int32_t TSheetSettings::*f) { ini.WriteInteger(section, key, sheet.*f); },
                [&](TShowGrid) { ini.WriteBool(section, key, showGrid); },
            },
            k.Field);
    }
}

bool ReadSheetSection(const TIniFile& ini, TSheetSettings& sheet, TSheetKeys keys) {
    const QString section = QString::fromLatin1(FormatSection);
    bool showGrid = true;
    for (const TSheetKey& k : kSheetKeys) {
        if (!Included(k, keys))
            continue;
        const QString key = QString::fromLatin1(k.Key);
        std::visit(TOverload{
                       [&](double TSheetSettings::*f) {
                           sheet.*f = ini.ReadFloat(section, key, k.Default);
                       },
                       [&](bool TSheetSettings::*f) {
                           sheet.*f = ini.ReadBool(section, key, k.Default != 0);
                       },
                       [&](int32_t TSheetSettings::*f) {
                           sheet.*f = ini.ReadInteger(section, key, int32_t(k.Default));
                       },
                       [&](TShowGrid) { showGrid = ini.ReadBool(section, key, k.Default != 0); },
                   },
                   k.Field);
    }
    return showGrid;
}

namespace {
const char* const kPaperKeys[] = {"PAPERNAME", "PAPERWIDTH", "PAPERHEIGHT", "ORIENTATION"};
enum { kPaperName, kPaperWidth, kPaperHeight, kOrientation };

QString PaperKey(int k) {
    return QString::fromLatin1(kPaperKeys[k]);
}
} // namespace

void WritePaperKeys(TIniFile& ini, const TPaperChoice& paper) {
    if (!paper.IsSet())
        return;
    const QString section = QString::fromLatin1(FormatSection);
    ini.WriteString(section, PaperKey(kPaperName), EscapeText(paper.Name));
    ini.WriteFloat(section, PaperKey(kPaperWidth), paper.Width);
    ini.WriteFloat(section, PaperKey(kPaperHeight), paper.Height);
    ini.WriteInteger(section, PaperKey(kOrientation), paper.Landscape ? 1 : 0);
}

void WriteStockKeys(TIniFile& ini, const TSheetSettings& sheet) {
    if (sheet.StockMaker.isEmpty() && sheet.StockPart.isEmpty())
        return;
    const QString section = QString::fromLatin1(FormatSection);
    ini.WriteString(section, QStringLiteral("STOCKMAKER"), EscapeText(sheet.StockMaker));
    ini.WriteString(section, QStringLiteral("STOCKPART"), EscapeText(sheet.StockPart));
}

void ReadStockKeys(const TIniFile& ini, TSheetSettings& sheet) {
    const QString section = QString::fromLatin1(FormatSection);
    sheet.StockMaker = UnescapeText(ini.ReadString(section, QStringLiteral("STOCKMAKER"), {}));
    sheet.StockPart = UnescapeText(ini.ReadString(section, QStringLiteral("STOCKPART"), {}));
}

TPaperChoice ReadPaperKeys(const TIniFile& ini, const QString& path) {
    const QString section = QString::fromLatin1(FormatSection);
    bool any = false;
    for (int k = kPaperName; k <= kOrientation; ++k)
        any = any || ini.ValueExists(section, PaperKey(k));
    if (!any)
        return {};
    const bool landscape = ini.ReadInteger(section, PaperKey(kOrientation), 0) == 1;
    const QString name = UnescapeText(ini.ReadString(section, PaperKey(kPaperName), QString()));
    if (const QPageSize::PageSizeId id = StandardPaperId(name); id != QPageSize::Custom)
        return PaperFromPageSize(QPageSize(id), landscape);
    // A size of its own (or a name this program does not know): the size decides.
    const double w = ini.ReadFloat(section, PaperKey(kPaperWidth), 0);
    const double h = ini.ReadFloat(section, PaperKey(kPaperHeight), 0);
    const auto within = [](double v) { return v >= MinPaperInches && v <= MaxPaperInches; };
    if (!within(w) || !within(h))
        throw TUserError(QString::fromLatin1(FileText::PaperBeyondLimits)
                             .arg(path, QString::number(w), QString::number(h),
                                  QString::number(MinPaperInches),
                                  QString::number(MaxPaperInches)));
    TPaperChoice paper = PaperOfSize(w, h);
    paper.Landscape = landscape;
    return paper;
}

void CheckSheetLimits(const TSheetSettings& sheet, const QString& path) {
    const QString problem = SheetLimitProblem(sheet);
    if (!problem.isEmpty())
        throw TUserError(QString::fromLatin1(FileText::SheetBeyondLimits).arg(path, problem));
}
