#pragma once

#include "PdfProbe.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"

#include <QStringList>

#include <memory>

// The run tests' counter labels: one text control printing "N" and a counter from 1, so that the
// numbers a run printed can be read back from its PDF in printing order.

// A text control of label that prints "N" followed by a counter starting at 1.
inline std::unique_ptr<TTextLabel> CounterText(TLabelDocument& label) {
    auto text = std::make_unique<TTextLabel>();
    auto prefix = std::make_unique<TTextField>();
    prefix->LiteralText = "N";
    auto counter = std::make_unique<TSequenceField>();
    counter->CurrentValue = counter->MinValue = 1;
    text->Fields.push_back(std::move(prefix));
    text->Fields.push_back(std::move(counter));
    text->SetAdvanced(true);
    return text;
}

// The counter values printed into a PDF, in printing order.
inline QStringList PrintedNumbers(const QString& pdf) {
    QStringList numbers;
    for (const TPdfWord& w : PdfWords(pdf))
        if (w.Text.startsWith('N'))
            numbers << w.Text.mid(1);
    return numbers;
}

// The numbers first to last as a run prints them.
inline QStringList NumberRange(int first, int last) {
    QStringList numbers;
    for (int i = first; i <= last; ++i)
        numbers << QString::number(i);
    return numbers;
}
