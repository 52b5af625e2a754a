#include "app/RunCounters.h"

#include "merge/AdvancedField.h"

#include <QStringList>

namespace {
template <typename Visit> void ForEachCounter(const TControlList& controls, Visit visit) {
    for (const auto& c : controls) {
        if (!c->Advanced())
            continue;
        for (const auto& field : c->Fields)
            if (const auto* counter = dynamic_cast<const TSequenceField*>(field.get()))
                visit(*counter);
    }
}

QString Shown(const TSequenceField& counter, int32_t value) {
    return QString::number(value).rightJustified(counter.MinSize, QLatin1Char('0'));
}
} // namespace

std::vector<int32_t> CounterValues(const TControlList& controls) {
    std::vector<int32_t> values;
    ForEachCounter(controls, [&](const TSequenceField& c) { values.push_back(c.CurrentValue); });
    return values;
}

QString TakenNumbers(const TControlList& controls, const std::vector<int32_t>& before) {
    QStringList taken;
    size_t i = 0;
    ForEachCounter(controls, [&](const TSequenceField& c) {
        if (i >= before.size())
            return;
        const int32_t first = before[i++];
        if (c.CurrentValue == first)
            return;
        // The value before the current one; a counter past its maximum started again.
        const int32_t last = c.CurrentValue == c.MinValue ? c.MaxValue : c.CurrentValue - 1;
        taken << (first == last ? Shown(c, first)
                                : QStringLiteral("%1 to %2").arg(Shown(c, first), Shown(c, last)));
    });
    return taken.join(QStringLiteral(", "));
}
