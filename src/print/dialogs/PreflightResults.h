#pragma once

#include "print/Preflight.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// A check run from the print dialog: its summary and the problems it found, as many as the list
// shows (the summary counts them all).
struct TPreflightReport {
    TPreflightResult Result;
    std::vector<TPreflightProblem> Problems;
    bool Truncated = false; // more problems than the list keeps
};
inline constexpr size_t MaxListedProblems = 10000;

// Checks the run with a progress window that can cancel it. Throws TUserError as CheckLabels.
TPreflightReport RunPreflight(const TSheetSettings& sheet, const TControlList& controls,
                              const TPrintSettings& settings, const TPrinter& printer,
                              QWidget* parent);

// "Check Labels": the summary, the problems (record, label, control, problem), and the choice
// to print anyway or go back to the print dialog.
class TFPreflightResults : public QDialog {
    Q_OBJECT
public:
    explicit TFPreflightResults(const TPreflightReport& report, QWidget* parent = nullptr);

private:
    QLabel* m_lSummary = nullptr;
    QTreeWidget* m_lvProblems = nullptr;
    QPushButton* m_printBtn = nullptr;
    QPushButton* m_backBtn = nullptr;
};

// Shows the results modally; true when the user chose to print.
bool ShowPreflightResults(QWidget* parent, const TPreflightReport& report);
