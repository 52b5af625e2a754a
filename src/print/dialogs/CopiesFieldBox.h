#pragma once

#include "merge/ImportRecord.h"

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QSpinBox;

// The print dialog's choice of a data field that gives each record's copies: "Copies from
// field #" with the field's number, and the header's name of that field, which the user may
// choose to find the column by.
class TCopiesFieldBox : public QWidget {
    Q_OBJECT
public:
    explicit TCopiesFieldBox(QWidget* parent = nullptr);

    // The column names of the data now chosen (empty without a header).
    void SetColumnNames(const TImportRecord& names);
    // Shows a label's choice: field number from 1 (0: none) and the name it was chosen by.
    void Load(int32_t field, const QString& name);

    bool Chosen() const;
    // The field from 1, 0 when not chosen.
    int32_t Field() const;
    // The column's name when chosen by name, else empty.
    QString Name() const;

signals:
    void ChosenChanged(bool chosen);

private:
    void Update();

    TImportRecord m_names;
    QCheckBox* m_cbCopiesField = nullptr;
    QSpinBox* m_eCopiesField = nullptr;
    QCheckBox* m_cbCopiesByName = nullptr;
};
