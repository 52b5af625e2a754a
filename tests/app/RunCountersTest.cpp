#include "app/RunCounters.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"

#include <gtest/gtest.h>

namespace {
// A text control holding one counter.
TSequenceField* AddCounter(TLabelDocument& label, int32_t value, int32_t min, int32_t max,
                           int32_t size) {
    auto text = std::make_unique<TTextLabel>();
    auto counter = std::make_unique<TSequenceField>();
    counter->CurrentValue = value;
    counter->MinValue = min;
    counter->MaxValue = max;
    counter->MinSize = size;
    TSequenceField* raw = counter.get();
    text->Fields.push_back(std::move(counter));
    text->SetAdvanced(true);
    label.AddControl(std::move(text));
    return raw;
}
} // namespace

TEST(RunCountersTest, NumbersTakenByARunAsTheyWouldPrint) {
    TLabelDocument label;
    TSequenceField* plain = AddCounter(label, 7, 1, 999999999, 0);
    TSequenceField* padded = AddCounter(label, 98, 1, 99, 3); // 98, 99, 1, ..., 10
    AddCounter(label, 5, 1, 999999999, 0);                    // not stepped by the run
    const std::vector<int32_t> before = CounterValues(label.Controls());
    EXPECT_EQ(before, (std::vector<int32_t>{7, 98, 5}));
    EXPECT_EQ(TakenNumbers(label.Controls(), before), QString());
    for (int i = 0; i < 12; ++i) {
        plain->Advance();
        padded->Advance();
    }
    EXPECT_EQ(TakenNumbers(label.Controls(), before), QString("7 to 18, 098 to 010"));
    plain->CurrentValue = 8; // one label
    padded->CurrentValue = 98;
    EXPECT_EQ(TakenNumbers(label.Controls(), before), QString("7"));
}
