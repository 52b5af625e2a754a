#include "merge/dialogs/FieldPreview.h"

#include "merge/FieldEvaluation.h"
#include "merge/dialogs/MergeDialogTexts.h"

#include <algorithm>

namespace {
// The sample shows this many fields, each cut to this many characters.
constexpr qsizetype kSampleFields = 10;
constexpr qsizetype kSampleWidth = 40;

const QLatin1String kLineEnd("\r\n");

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}
} // namespace

QString ImportedDataSample(const TImportRecord& record) {
    QString sample;
    const qsizetype shown = std::min(record.size(), kSampleFields);
    for (qsizetype i = 0; i < shown; ++i) {
        sample += Latin(MergeDialogText::PreviewField).arg(i + 1) + record[i].left(kSampleWidth);
        if (record[i].size() > kSampleWidth)
            sample += Latin(MergeDialogText::PreviewCut);
        sample += kLineEnd;
    }
    if (record.size() > kSampleFields)
        sample += Latin(MergeDialogText::PreviewContinued) + kLineEnd;
    return sample;
}

QString PreviewMessage(const TFieldList& fields, const TImportRecord* record,
                       const TDateSource& dates) {
    QString message = Latin(MergeDialogText::PreviewTitle) + kLineEnd + kLineEnd;
    if (record)
        message += Latin(MergeDialogText::PreviewSample) + kLineEnd +
                   Latin(MergeDialogText::PreviewRule) + kLineEnd + ImportedDataSample(*record) +
                   kLineEnd;
    return message + Latin(MergeDialogText::PreviewResult) +
           Quoted(EvaluateAdvancedFields(fields, record, false, dates));
}

QString ResultLine(const TFieldList& fields, const TImportRecord* record,
                   const TDateSource& dates) {
    return Latin(MergeDialogText::ResultLine)
        .arg(EvaluateAdvancedFields(fields, record, false, dates));
}

QString HeaderName(const TImportRecord& header, int fieldNumber) {
    return fieldNumber >= 1 && fieldNumber <= header.size() ? header[fieldNumber - 1] : QString();
}
