#include "print/Preflight.h"

#include "barcode/BarcodeLabel.h"
#include "document/KindRegistry.h"
#include "document/LabelFields.h"
#include "document/TextRendering.h"
#include "merge/AdvancedField.h"
#include "platform/Rounding.h"
#include "platform/Units.h"
#include "print/BarcodeChecks.h"
#include "print/PreflightTexts.h"

#include <QHash>
#include <QLocale>
#include <QStringList>

#include <unordered_map>

namespace {
// Distinct symbols are read back once; past this many the memory of them starts afresh, so a
// run of a million different symbols keeps its memory flat.
constexpr qsizetype ReadingMemory = 50000;
constexpr qsizetype NameLength = 24;

QString Counted(int64_t n) {
    return QLocale(QLocale::English).toString(qlonglong(n));
}

QString Plural(int64_t n, const char* one, const char* many) {
    return Counted(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

const TImportedField* FirstImportedField(const TLabelControl& c) {
    if (!c.Advanced())
        return nullptr;
    for (const auto& field : c.Fields)
        if (const auto* imported = dynamic_cast<const TImportedField*>(field.get()))
            return imported;
    return nullptr;
}

// How a problem names its control: by the data column it shows (the header's name when the
// file has one), or else by its text as the run starts (a counter's first value).
QString ControlName(const TLabelControl& c, const TImportRecord* header,
                    const QString& designText) {
    const TKindPrinter* printer = KindPrinter(c.Kind());
    const QString kind = QString::fromLatin1(printer && printer->ProblemName ? printer->ProblemName
                                                                             : PreflightText::Text);
    QString name;
    if (const TImportedField* f = FirstImportedField(c)) {
        const qsizetype i = f->FieldNumber - 1;
        if (header && i >= 0 && i < header->size() && !header->at(i).trimmed().isEmpty())
            name = header->at(i).trimmed();
        else
            name = QString::fromLatin1(PreflightText::Field).arg(f->FieldNumber);
    } else {
        name = designText.section(QLatin1Char('\n'), 0, 0);
        if (name.size() > NameLength)
            name = name.left(NameLength) + QChar(0x2026);
    }
    QString out = kind + QStringLiteral(" \"") + Quoted(name) + QLatin1Char('"');
    if (c.Kind() == ckBarcode)
        out += QStringLiteral(" (") +
               BarcodeListText(static_cast<const TBarcodeLabel&>(c).BarcodeType()) +
               QLatin1Char(')');
    return out;
}

class TLabelChecker {
public:
    TLabelChecker(const TControlList& controls, const TProblemSink& sink,
                  const TPreflightOptions& options)
        : m_controls(controls), m_sink(sink), m_options(options) {
        for (const auto& c : controls) {
            m_designTexts.emplace(c.get(), c->GetDisplayText());
            m_varies.emplace(c.get(), TextVariesByLabel(*c));
        }
    }

    void Visit(const TLabelPlace& place) {
        if (!m_scaled) {
            m_scale = place.Layout->Scale; // the printer's page is known once the run started
            m_metric = place.Layout->Sheet.Metric;
            m_scaled = true;
        }
        m_place = &place;
        m_labelHasProblem = false;
        m_result.Labels = place.Label;
        if (place.Record) {
            m_result.HasData = true;
            if (place.RecordNumber != m_lastRecord) {
                ++m_result.Records;
                m_lastRecord = place.RecordNumber;
                m_recordCounted = false;
            }
        }
        const QRect labelRect = LabelRect(*place.Layout, place.Column, place.Row);
        for (const auto& control : m_controls) {
            const TLabelControl& c = *control;
            if (!KindTraits(c.Kind()).CarriesText)
                continue;
            // Evaluated for every label, as the run does, so counters step alike.
            const QString text = TextForDrawing(c.GetPrintText(place.Record, place.LastCopy));
            const TPrintBox box = ControlPrintBox(c, labelRect, m_scale);
            if (c.Kind() == ckBarcode)
                CheckBarcode(c, text, box, labelRect);
            else if (!c.AutoSize())
                CheckText(c, text, box);
        }
    }

    const TPreflightResult& Result() const { return m_result; }

    // The problems of controls whose text is the same on every label, once each, with the
    // labels they were found on.
    void ReportGroups(int32_t checked) {
        if (!m_sink)
            return;
        for (const TProblemGroups::TGroup& g : m_groups.Groups()) {
            const auto* c = static_cast<const TLabelControl*>(g.Control);
            TPreflightProblem p;
            p.Label = g.Labels.Runs().front().First;
            p.Control = ControlName(*c, nullptr, m_designTexts[c]);
            p.Problem = g.Problem;
            p.Labels = g.Labels;
            p.Checked = checked;
            m_sink(p);
        }
    }

private:
    void Report(const TLabelControl& c, const QString& problem) {
        if (m_place->Record) {
            if (!m_recordCounted)
                ++m_result.RecordsWithProblems;
            m_recordCounted = true;
        } else if (!m_labelHasProblem) {
            ++m_result.RecordsWithProblems;
        }
        m_labelHasProblem = true;
        // The same text gives the same problem on every label: gathered, reported once.
        if (!m_varies[&c]) {
            if (m_groups.Add(&c, problem, m_place->Label))
                ++m_result.Problems;
            return;
        }
        ++m_result.Problems;
        if (!m_sink)
            return;
        TPreflightProblem p;
        p.Label = m_place->Label;
        p.Record = m_place->RecordNumber;
        p.Line = m_place->RecordLine;
        p.Control = ControlName(c, m_place->Header, m_designTexts[&c]);
        p.Problem = problem;
        m_sink(p);
    }

    // The box on paper: the clip reaches one screen pixel past it, for pens on its edge.
    QRect Room(const TPrintBox& box) const {
        return box.clip.adjusted(0, 0, -RoundHalfEven(m_scale.X), -RoundHalfEven(m_scale.Y));
    }

    QString Length(int32_t pixels, bool vertical) const {
        const double inches = double(pixels) / (vertical ? m_scale.PrinterY : m_scale.PrinterX);
        return m_metric ? QStringLiteral("%1 cm").arg(inches * CentimetresPerInch, 0, 'f', 2)
                        : QStringLiteral("%1 in").arg(inches, 0, 'f', 2);
    }

    void CheckBarcode(const TLabelControl& c, const QString& text, const TPrintBox& box,
                      const QRect& labelRect) {
        const auto& bc = static_cast<const TBarcodeLabel&>(c);
        const TBarcodeType type = bc.BarcodeType();
        if (IsMatrixBarcodeType(type)) {
            CheckMatrix(bc, text, box);
            return;
        }
        for (const QString& problem : BarcodeDataProblems(type, text))
            Report(c, problem);
        const QString data = NormalizeBarcodeData(type, text);
        if (data.isEmpty())
            return;
        const TBarcodePlacement at = PlaceBarcode(c, data, box, m_scale);
        CheckSymbolFits(c, at, box, labelRect);
        if (m_options.ReadBack && CanReadBack(type, data))
            CheckReading(c, type, data, at.m);
    }

    // A two-dimensional symbol: data the symbology cannot carry prints nothing; its text line
    // wraps into the box's width and must fit below the symbol.
    void CheckMatrix(const TBarcodeLabel& bc, const QString& text, const TPrintBox& box) {
        const TMatrixPlacement at = PlaceMatrix(bc, text, box, m_scale, nullptr);
        const TMatrixEncoding& e = at.encoding;
        if (e.refusal == TMatrixRefusal::NoData) {
            Report(bc, QString::fromLatin1(PreflightText::Empty));
            return;
        }
        if (!e.Valid()) {
            Report(bc, QString::fromLatin1(PreflightText::Refused)
                           .arg(Quoted(text), BarcodeListText(bc.BarcodeType()), e.reason));
            return;
        }
        if (at.text.lines.isEmpty())
            return;
        const TMatrixGeometry& g = at.geometry;
        const bool turned = IsVertical(g.rotation);
        const QString line = Quoted(MatrixInterpretationText(bc.BarcodeType(), text));
        if (at.text.Overflows())
            Report(bc, QString::fromLatin1(PreflightText::LineWord)
                           .arg(line, Quoted(at.text.WidestWord()), Length(at.text.width, turned),
                                Length(at.text.room, turned)));
        const QRect band = MapBoxRect(g, 0, g.across - g.band, g.along, g.band);
        const QRect shown = band.intersected(Room(box));
        const int32_t left = turned ? shown.width() : shown.height();
        if (left < g.band) {
            const qsizetype n = at.text.lines.size();
            const QString lines = n == 1 ? QString::fromLatin1(PreflightText::OneLine)
                                         : QString::fromLatin1(PreflightText::Lines).arg(n);
            Report(bc, QString::fromLatin1(PreflightText::LineTall)
                           .arg(line, Length(g.band, !turned), lines,
                                Length(std::max(0, left), !turned)));
        }
    }

    // The whole symbol, quiet zones included, must lie inside the box: a scanner needs the
    // blank on either side as much as the bars. Says which edge cuts it, and by how much.
    void CheckSymbolFits(const TLabelControl& c, const TBarcodePlacement& at, const TPrintBox& box,
                         const QRect& labelRect) {
        const QRect& symbol = at.geometry.box;
        const QRect room = Room(box);
        if (room.contains(symbol))
            return;
        const bool turned = c.Rotation() % 2 == 1;
        // A control without auto size is clipped to its box where its box lies on the label.
        const bool unclipped = c.AutoSize();
        struct TEdge {
            const char* name;
            int32_t cut;
            bool ofLabel;
            bool vertical; // the cut is measured up and down
        };
        const TEdge edges[] = {
            {"left", room.left() - symbol.left(), unclipped || box.x <= labelRect.left(), false},
            {"right", symbol.right() - room.right(),
             unclipped || box.x + box.w > labelRect.right() + 1, false},
            {"top", room.top() - symbol.top(), unclipped || box.y <= labelRect.top(), true},
            {"bottom", symbol.bottom() - room.bottom(),
             unclipped || box.y + box.h > labelRect.bottom() + 1, true},
        };
        QStringList clauses;
        for (const TEdge& e : edges) {
            if (e.cut <= 0)
                continue;
            const QString what =
                clauses.isEmpty()
                    ? QString::fromLatin1(PreflightText::CutBarcode).arg(Quoted(at.data))
                    : QString::fromLatin1(PreflightText::CutAgain);
            QString clause =
                QString::fromLatin1(PreflightText::EdgeCut)
                    .arg(QLatin1String(e.name),
                         QLatin1String(e.ofLabel ? PreflightText::OfLabel : PreflightText::OfBox),
                         what, Length(e.cut, e.vertical));
            // along the symbol the cut takes the quiet zone first
            if (e.vertical == turned)
                clause += QLatin1String(PreflightText::QuietZone);
            clauses << clause;
        }
        if (!clauses.isEmpty())
            Report(c, clauses.join(QStringLiteral("; ")));
    }

    void CheckReading(const TLabelControl& c, TBarcodeType type, const QString& data, int32_t m) {
        const QString key =
            QString::number(type) + QLatin1Char('/') + QString::number(m) + QLatin1Char('/') + data;
        auto known = m_readings.constFind(key);
        if (known == m_readings.cend()) {
            if (m_readings.size() >= ReadingMemory)
                m_readings.clear();
            const QString expected = ExpectedReading(type, data);
            const TReading reading = ReadBackSymbol(type, data, m, m_options.Drawer);
            QString problem;
            if (!reading.Read)
                problem = QString::fromLatin1(PreflightText::Unreadable).arg(Quoted(expected));
            else if (reading.Text != expected)
                problem = QString::fromLatin1(PreflightText::ReadsOther)
                              .arg(Quoted(reading.Text), Quoted(expected));
            known = m_readings.insert(key, problem);
        }
        if (!known->isEmpty())
            Report(c, *known);
    }

    void CheckText(const TLabelControl& c, const QString& text, const TPrintBox& box) {
        auto font = m_fonts.find(&c);
        if (font == m_fonts.end())
            font = m_fonts.emplace(&c, PrinterFont(c.Font(), m_scale)).first;
        const QRect rect = KindTraits(c.Kind()).MultiLine
                               ? MemoTextRect(c, text, box, m_scale)
                               : TextCell(c, font->second, text, box, nullptr).rect;
        const QRect room = Room(box);
        const QString quoted = Quoted(text.section(QLatin1Char('\n'), 0, 0));
        if (rect.left() < room.left() || rect.right() > room.right())
            Report(c, QString::fromLatin1(PreflightText::TextWide)
                          .arg(quoted, Length(rect.width(), false),
                               Length(std::max(0, room.width()), false)));
        if (rect.top() < room.top() || rect.bottom() > room.bottom())
            Report(c, QString::fromLatin1(PreflightText::TextTall)
                          .arg(quoted, Length(rect.height(), true),
                               Length(std::max(0, room.height()), true)));
    }

    const TControlList& m_controls;
    const TProblemSink& m_sink;
    const TPreflightOptions& m_options;
    TPrintScale m_scale;
    bool m_scaled = false;
    bool m_metric = false;
    const TLabelPlace* m_place = nullptr;
    TPreflightResult m_result;
    int64_t m_lastRecord = 0;
    bool m_recordCounted = false;
    bool m_labelHasProblem = false;
    QHash<QString, QString> m_readings;
    std::unordered_map<const TLabelControl*, QFont> m_fonts;
    std::unordered_map<const TLabelControl*, QString> m_designTexts;
    std::unordered_map<const TLabelControl*, bool> m_varies;
    TProblemGroups m_groups;
};
// Puts every control's fields back as they were before the check, however it ends: the check
// steps counters exactly as the run would, and the run that follows must start where this one
// started.
class TFieldsKept {
public:
    explicit TFieldsKept(const TControlList& controls) : m_controls(controls) {
        for (const auto& c : controls)
            m_kept.push_back(CloneFields(c->Fields));
    }
    ~TFieldsKept() {
        for (size_t i = 0; i < m_controls.size() && i < m_kept.size(); ++i)
            m_controls[i]->Fields = std::move(m_kept[i]);
    }
    TFieldsKept(const TFieldsKept&) = delete;
    TFieldsKept& operator=(const TFieldsKept&) = delete;

private:
    const TControlList& m_controls;
    std::vector<TFieldList> m_kept;
};
} // namespace

TPreflightResult CheckLabels(const TSheetSettings& sheet, const TControlList& controls,
                             const TPrintSettings& settings, const TPrinter& printer,
                             const TProblemSink& sink, TPrintProgress* progress,
                             const TPreflightOptions& options) {
    const TFieldsKept kept(controls);
    TLabelChecker checker(controls, sink, options);
    const TPrintResult run = WalkLabels(
        sheet, controls, settings, printer, [&](const TLabelPlace& place) { checker.Visit(place); },
        progress);
    checker.ReportGroups(run.Labels);
    TPreflightResult result = checker.Result();
    result.Labels = run.Labels;
    result.Cancelled = run.Cancelled;
    return result;
}

QString ProblemLine(const TPreflightProblem& p) {
    if (p.Grouped())
        return p.Control + QStringLiteral(": ") + p.Problem + QStringLiteral(" on ") +
               OnLabelsText(p.Labels, p.Checked);
    QString where = QStringLiteral("label %1").arg(p.Label);
    if (p.Record > 0)
        where = QStringLiteral("record %1 (line %2), ").arg(p.Record).arg(p.Line) + where;
    return where + QStringLiteral(": ") + p.Control + QStringLiteral(": ") + p.Problem;
}

QString PreflightSummary(const TPreflightResult& r) {
    QString out = QStringLiteral("checked ") + Plural(r.Labels, "label", "labels");
    if (r.HasData)
        out += QStringLiteral(" from ") + Plural(r.Records, "record", "records");
    out += QStringLiteral(": ");
    if (r.Problems == 0)
        return out + QStringLiteral("no problems");
    out += Plural(r.Problems, "problem", "problems");
    out += r.HasData ? QStringLiteral(" in ") + Plural(r.RecordsWithProblems, "record", "records")
                     : QStringLiteral(" on ") + Plural(r.RecordsWithProblems, "label", "labels");
    if (r.Cancelled)
        out += QStringLiteral(" (stopped before the end)");
    return out;
}
