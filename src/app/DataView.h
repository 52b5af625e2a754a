#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class QLabel;
class TFMain;

// View > Show Data: the label shows a record of the data file chosen in the print dialog or the
// field editor instead of the placeholders of its imported fields, Next Record and Previous
// Record step through the file, and the status bar names the record. The record and the file
// are view state: never saved, never a step of the history, never a change to the label.
class TDataView : public QObject {
public:
    // Works the window's Show Data, Next Record and Previous Record actions and its pRecord
    // panel; a child of the window.
    explicit TDataView(TFMain& window);

    bool Showing() const;
    // The record shown, from 1.
    int64_t RecordNumber() const { return m_number; }
    // Reads the record again: the data file, its settings or its contents may have changed.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Toggle(bool on);
    void Show(int64_t number);
    // Goes back to the placeholders, saying why in the status bar.
    void Stop(const QString& message);
    void UpdateActions();

    TFMain& m_window;
    QLabel* m_panel = nullptr;
    int64_t m_number = 1;
    QString m_file; // the data file the record is from
};
