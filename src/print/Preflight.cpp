#include "print/Preflight.h"

#include "barcode/BarcodeLabel.h"
#include "document/KindRegistry.h"
#include "document/LabelFields.h"
#include "document/TextRendering.h"
#include "merge/AdvancedField.h"
#include "print/BarcodeChecks.h"
#include "print/PreflightTexts.h"

#include <QLocale>
#include <QStringList>

#include <optional>
#include <unordered_map>

namespace {
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
        if (!m_check) // the printer's page is known once the run started
            m_check.emplace(place.Layout->Scale, place.Layout->Sheet.Metric, m_options);
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
        if (place.Record && !m_columnsChecked) {
            m_columnsChecked = true;
            ReportMissingColumns(place);
        }
        const QRect labelRect = LabelRect(*place.Layout, place.Column, place.Row);
        for (const auto& control : m_controls) {
            const TLabelControl& c = *control;
            if (TakesRecordPicture(c))
                CheckRecordPicture(c, place);
            if (!KindTraits(c.Kind()).CarriesText)
                continue;
            // Evaluated for every label, as the run does, so counters step alike.
            const QString text =
                TextForDrawing(c.GetPrintText(place.Record, place.LastCopy, place.Header));
            for (const QString& problem : m_check->Problems(c, text, labelRect))
                Report(c, problem);
        }
    }

    const TPreflightResult& Result() const { return m_result; }

    // The picture the record names is read as the run would read it; one that cannot be is a
    // problem of this label.
    void CheckRecordPicture(const TLabelControl& c, const TLabelPlace& place) {
        const QString path = c.GetPrintText(place.Record, place.LastCopy, place.Header);
        if (!place.Pictures->Picture(path, place.RecordNumber, place.RecordLine).IsNull())
            return;
        if (const TPictureTrouble* t = place.Pictures->TroubleOf(path))
            Report(c, QString::fromLatin1(PreflightText::NoPicture)
                          .arg(t->Path.isEmpty() ? QStringLiteral("\"\"") : t->Path, t->Reason));
    }

    // A record whose copies field cannot be read: the run would stop there, the check lists it
    // and goes on without it.
    void ReportCopies(const TCopiesProblem& problem) {
        m_result.HasData = true;
        ++m_result.Problems;
        ++m_result.RecordsWithProblems;
        if (!m_sink)
            return;
        TPreflightProblem p;
        p.Label = problem.Label;
        p.Record = problem.Record;
        p.Line = problem.Line;
        p.Control = QString::fromLatin1(PreflightText::CopiesField).arg(problem.Column);
        p.Problem = CopiesProblemText(problem);
        m_sink(p);
    }

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
    // Fields that go by a column's name the data lacks print their number's column instead:
    // said once, with the run's first record, as the same holds for every record.
    void ReportMissingColumns(const TLabelPlace& place) {
        for (const auto& control : m_controls) {
            if (!control->Advanced())
                continue;
            for (const auto& element : control->Fields) {
                const auto* f = dynamic_cast<const TImportedField*>(element.get());
                if (!f || f->FieldName.isEmpty() ||
                    (place.Header && NamedColumn(*place.Header, f->FieldName) >= 0))
                    continue;
                ++m_result.Problems;
                if (!m_recordCounted)
                    ++m_result.RecordsWithProblems;
                m_recordCounted = true;
                if (!m_sink)
                    continue;
                TPreflightProblem p;
                p.Label = place.Label;
                p.Record = place.RecordNumber;
                p.Line = place.RecordLine;
                p.Control = ControlName(*control, place.Header, m_designTexts[control.get()]);
                p.Problem = QString::fromLatin1(PreflightText::NoColumn)
                                .arg(f->FieldName)
                                .arg(f->FieldNumber);
                m_sink(p);
            }
        }
    }

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

    const TControlList& m_controls;
    const TProblemSink& m_sink;
    const TPreflightOptions& m_options;
    std::optional<TControlCheck> m_check;
    const TLabelPlace* m_place = nullptr;
    TPreflightResult m_result;
    int64_t m_lastRecord = 0;
    bool m_recordCounted = false;
    bool m_labelHasProblem = false;
    bool m_columnsChecked = false;
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
        progress, [&](const TCopiesProblem& problem) { checker.ReportCopies(problem); });
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
