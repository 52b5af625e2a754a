#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

// The labels a problem was found on, as runs of consecutive labels: a problem on every label
// of a million-label run is one run.
struct TLabelRun {
    int32_t First = 0;
    int32_t Last = 0;
};

class TLabelSet {
public:
    // Labels are added in the order of the run, each once.
    void Add(int32_t label);
    const std::vector<TLabelRun>& Runs() const { return m_runs; }
    int32_t Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }

private:
    std::vector<TLabelRun> m_runs;
    int32_t m_count = 0;
};

// "3", "3–9, 12", "all 176", "40 of 176: 3–9, 12, 15–20, …" for labels out of checked.
QString LabelSetText(const TLabelSet& labels, int32_t checked);
// The same after "on": "label 3", "labels 3–9, 12", "all 176 labels", "40 of 176 labels (…)".
QString OnLabelsText(const TLabelSet& labels, int32_t checked);

// Problems that do not depend on the label, gathered for reporting once each: the same problem
// text of the same control, with the labels it was found on, in the order first found.
class TProblemGroups {
public:
    struct TGroup {
        const void* Control = nullptr;
        QString Problem;
        TLabelSet Labels;
    };
    // True when the problem is new (not yet found on an earlier label).
    bool Add(const void* control, const QString& problem, int32_t label);
    const std::vector<TGroup>& Groups() const { return m_groups; }

private:
    std::vector<TGroup> m_groups;
    QHash<QString, size_t> m_index;
};
