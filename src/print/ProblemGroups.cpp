#include "print/ProblemGroups.h"

#include <QLocale>
#include <QStringList>

namespace {
// Runs named in full before the rest are summed up in an ellipsis.
constexpr size_t NamedRuns = 4;
const QChar RunDash(0x2013);

QString Counted(int64_t n) {
    return QLocale(QLocale::English).toString(qlonglong(n));
}

QString RunText(const TLabelRun& r) {
    return r.First == r.Last ? QString::number(r.First)
                             : QString::number(r.First) + RunDash + QString::number(r.Last);
}

QString NamedRunsText(const TLabelSet& labels) {
    QStringList names;
    for (size_t i = 0; i < labels.Runs().size() && i < NamedRuns; ++i)
        names << RunText(labels.Runs()[i]);
    if (labels.Runs().size() > NamedRuns)
        names << QString(QChar(0x2026));
    return names.join(QStringLiteral(", "));
}

bool All(const TLabelSet& labels, int32_t checked) {
    return checked > 1 && labels.Count() >= checked;
}
} // namespace

void TLabelSet::Add(int32_t label) {
    if (!m_runs.empty() && m_runs.back().Last >= label)
        return; // already counted
    if (!m_runs.empty() && m_runs.back().Last + 1 == label)
        m_runs.back().Last = label;
    else
        m_runs.push_back({label, label});
    ++m_count;
}

QString LabelSetText(const TLabelSet& labels, int32_t checked) {
    if (All(labels, checked))
        return QStringLiteral("all ") + Counted(checked);
    if (labels.Runs().size() <= NamedRuns)
        return NamedRunsText(labels);
    return Counted(labels.Count()) + QStringLiteral(" of ") + Counted(checked) +
           QStringLiteral(": ") + NamedRunsText(labels);
}

QString OnLabelsText(const TLabelSet& labels, int32_t checked) {
    if (All(labels, checked))
        return QStringLiteral("all ") + Counted(checked) + QStringLiteral(" labels");
    if (labels.Count() == 1)
        return QStringLiteral("label ") + NamedRunsText(labels);
    if (labels.Runs().size() <= NamedRuns)
        return QStringLiteral("labels ") + NamedRunsText(labels);
    return Counted(labels.Count()) + QStringLiteral(" of ") + Counted(checked) +
           QStringLiteral(" labels (") + NamedRunsText(labels) + QLatin1Char(')');
}

bool TProblemGroups::Add(const void* control, const QString& problem, int32_t label) {
    const QString key = QString::number(quintptr(control), 16) + QLatin1Char('\x1f') + problem;
    auto found = m_index.constFind(key);
    if (found != m_index.cend()) {
        m_groups[*found].Labels.Add(label);
        return false;
    }
    m_index.insert(key, m_groups.size());
    m_groups.push_back({control, problem, {}});
    m_groups.back().Labels.Add(label);
    return true;
}
