#include "print/dialogs/PreflightResults.h"

#include "print/dialogs/PrintDialogTexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QString Text(const char* s) {
    return QString::fromLatin1(s);
}

// The check's progress: labels checked, a bar when the run's length is known, Cancel. Window
// events are handled every few hundred labels, which keeps the check fast and Cancel alive.
class TCheckProgress final : public TPrintProgress {
public:
    explicit TCheckProgress(QWidget* parent)
        : m_dialog(Text(PrintDialogText::Checking), Text(PrintDialogText::Cancel), 0, 0, parent) {
        m_dialog.setObjectName(QStringLiteral("CheckProgress"));
        m_dialog.setWindowTitle(Text(PrintDialogText::CheckCaption));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
    }
    void Start(const QString&, const QString&) override { m_dialog.setValue(0); }
    void Page(int32_t) override {}
    bool Cancelled() override { return m_dialog.wasCanceled(); }
    void Close() override { m_dialog.close(); }
    void Total(TPrintRange unit, int32_t count) override {
        if (unit == TPrintRange::Labels)
            m_dialog.setMaximum(count);
    }
    void Labels(int32_t labels) override {
        if (labels % EventInterval != 0)
            return;
        if (m_dialog.maximum() > 0)
            m_dialog.setValue(std::min(labels, m_dialog.maximum()));
        m_dialog.setLabelText(Text(PrintDialogText::CheckedLabels).arg(labels));
        QApplication::processEvents();
    }

private:
    static constexpr int32_t EventInterval = 250;
    QProgressDialog m_dialog;
};
} // namespace

TPreflightReport RunPreflight(const TSheetSettings& sheet, const TControlList& controls,
                              const TPrintSettings& settings, const TPrinter& printer,
                              QWidget* parent) {
    TPreflightReport report;
    TCheckProgress progress(parent);
    report.Result = CheckLabels(
        sheet, controls, settings, printer,
        [&](const TPreflightProblem& p) {
            // problems found once for many labels come last and are few: always listed
            if (p.Grouped() || report.Problems.size() < MaxListedProblems)
                report.Problems.push_back(p);
            else
                report.Truncated = true;
        },
        &progress);
    return report;
}

TFPreflightResults::TFPreflightResults(const TPreflightReport& report, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FPreflightResults"));
    setWindowTitle(Text(PrintDialogText::CheckCaption));
    auto* layout = new QVBoxLayout(this);
    QString summary = PreflightSummary(report.Result);
    summary[0] = summary[0].toUpper();
    if (report.Truncated)
        summary += Text(PrintDialogText::CheckListCut).arg(MaxListedProblems);
    m_lSummary = new QLabel(summary, this);
    m_lSummary->setObjectName(QStringLiteral("lSummary"));
    m_lSummary->setWordWrap(true);
    layout->addWidget(m_lSummary);

    m_lvProblems = new QTreeWidget(this);
    m_lvProblems->setObjectName(QStringLiteral("lvProblems"));
    m_lvProblems->setRootIsDecorated(false);
    m_lvProblems->setUniformRowHeights(true);
    m_lvProblems->setHeaderLabels(
        {Text(PrintDialogText::ColumnRecord), Text(PrintDialogText::ColumnLabel),
         Text(PrintDialogText::ColumnControl), Text(PrintDialogText::ColumnProblem)});
    QList<QTreeWidgetItem*> items;
    for (const TPreflightProblem& p : report.Problems) {
        const QString record = p.Record > 0
                                   ? Text(PrintDialogText::RecordAndLine).arg(p.Record).arg(p.Line)
                                   : QString();
        // a problem found once for many labels names them all in one row
        const QString labels =
            p.Grouped() ? LabelSetText(p.Labels, p.Checked) : QString::number(p.Label);
        auto* item = new QTreeWidgetItem(QStringList{record, labels, p.Control, p.Problem});
        item->setToolTip(3, p.Problem);
        items << item;
    }
    m_lvProblems->addTopLevelItems(items);
    m_lvProblems->setVisible(!report.Problems.empty());
    for (int column = 0; column < 3; ++column)
        m_lvProblems->resizeColumnToContents(column);
    layout->addWidget(m_lvProblems, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const bool clean = report.Result.Problems == 0;
    m_printBtn =
        new QPushButton(Text(clean ? PrintDialogText::Print : PrintDialogText::PrintAnyway), this);
    m_printBtn->setObjectName(QStringLiteral("PrintAnywayBtn"));
    m_backBtn = new QPushButton(Text(PrintDialogText::Back), this);
    m_backBtn->setObjectName(QStringLiteral("BackBtn"));
    // With problems, going back to mend the data is the safe default.
    (clean ? m_printBtn : m_backBtn)->setDefault(true);
    buttons->addWidget(m_printBtn);
    buttons->addWidget(m_backBtn);
    layout->addLayout(buttons);
    connect(m_printBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_backBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(clean ? QSize(420, 120) : QSize(820, 420));
}

bool ShowPreflightResults(QWidget* parent, const TPreflightReport& report) {
    TFPreflightResults dialog(report, parent);
    return dialog.exec() == QDialog::Accepted;
}
