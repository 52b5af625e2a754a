#include "app/DataView.h"

#include "app/FMain.h"
#include "app/ShownRecord.h"
#include "document/LabelDocument.h"
#include "merge/DataImport.h"
#include "platform/Errors.h"
#include "platform/Printer.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <exception>

namespace {
namespace Text {
constexpr const char* Record = "Record %1";
constexpr const char* NoRecords = "No records";
constexpr const char* NoDataFile =
    "Show Data needs a data file: choose one in Print or in Edit Fields.";
} // namespace Text

// Long enough to be read, short enough not to keep the position panels hidden.
constexpr int MessageMilliseconds = 15000;
} // namespace

TDataView::TDataView(TFMain& window) : QObject(&window), m_window(window) {
    m_panel = window.findChild<QLabel*>(QStringLiteral("pRecord"));
    connect(window.Action("acShowData"), &QAction::triggered, this, &TDataView::Toggle);
    connect(window.Action("acNextRecord"), &QAction::triggered, this,
            [this] { Show(m_number + 1); });
    connect(window.Action("acPrevRecord"), &QAction::triggered, this,
            [this] { Show(std::max<int64_t>(1, m_number - 1)); });
    // The print dialog and the field editor choose the data file and its format: when they close
    // (after the window's own handling of the command) the record is read again.
    for (const TActionId id : {TActionId::Print, TActionId::EditFields})
        connect(window.Action(id), &QAction::triggered, this, &TDataView::Refresh);
    // Coming back to the window from a dialog opened elsewhere (a double click that edits the
    // fields) may bring another data file.
    window.installEventFilter(this);
    UpdateActions();
}

bool TDataView::Showing() const {
    return m_window.Action("acShowData")->isChecked();
}

bool TDataView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowActivate && Showing() &&
        m_window.DataImport().ChosenDataFile() != m_file)
        Refresh();
    return QObject::eventFilter(watched, event);
}

void TDataView::Refresh() {
    if (Showing())
        Show(m_number);
}

void TDataView::Toggle(bool on) {
    if (on)
        Show(m_number);
    else
        Stop(QString());
}

void TDataView::Show(int64_t number) {
    if (!Showing())
        return;
    const QString file = m_window.DataImport().ChosenDataFile();
    if (file.isEmpty()) {
        Stop(QString::fromLatin1(Text::NoDataFile));
        return;
    }
    if (file != m_file)
        number = 1; // another file starts at its first record
    TShownRecord shown;
    try {
        shown = ReadShownRecord(file, m_window.DataImport().TextImportSettings(), number);
    } catch (const TUserError& e) {
        Stop(e.Message());
        return;
    } catch (const std::exception& e) {
        Stop(QString::fromLocal8Bit(e.what()));
        return;
    }
    m_file = file;
    m_number = std::max<int64_t>(1, shown.Number);
    // Symbols take the printer's whole pixels per module, as on paper.
    const TPrinterFacts printer = TPrinters::Current().Facts();
    m_window.Document().SetShownData(TShownData{shown.Record, shown.Columns, printer.PixelsPerInchX,
                                                printer.PixelsPerInchY,
                                                QFileInfo(file).absolutePath()});
    if (m_panel) {
        m_panel->setText(shown.Number > 0 ? QString::fromLatin1(Text::Record).arg(shown.Number)
                                          : QString::fromLatin1(Text::NoRecords));
        m_panel->show();
    }
    UpdateActions();
}

void TDataView::Stop(const QString& message) {
    m_window.Action("acShowData")->setChecked(false);
    m_window.Document().SetShownData(std::nullopt);
    if (m_panel)
        m_panel->hide();
    if (!message.isEmpty())
        m_window.statusBar()->showMessage(message, MessageMilliseconds);
    UpdateActions();
}

// Show Data stays enabled: without a data file it says where to choose one, which a greyed
// item could not.
void TDataView::UpdateActions() {
    const bool showing = Showing();
    m_window.Action("acNextRecord")->setEnabled(showing);
    m_window.Action("acPrevRecord")->setEnabled(showing);
}
