// The main window's view commands and what it shows of the selection.
#include "app/DesignArea.h"
#include "app/FAbout.h"
#include "app/FControlSettings.h"
#include "app/FMain.h"
#include "app/HelpPage.h"
#include "app/KindTools.h"
#include "app/SelectionTargets.h"
#include "app/UiServices.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUndoStack>
#include <QWindow>

namespace {
// The position and size panels as the window opens, and once a selection has gone: the first
// position text has one blank more, and stays until something is selected.
const QString kFirstPosition = QStringLiteral("X:0    Y:0");
const QString kNoPosition = QStringLiteral("X:0   Y:0");
const QString kNoSize = QStringLiteral("W:0   H:0");

QString FontText(const QFont& font) {
    return font.family() + QStringLiteral(" [") + QString::number(font.pointSize()) +
           QStringLiteral("pt]");
}
} // namespace

void TFMain::ConnectCommands() {
    const TMainActions& a = m_actions;
    connect(a[TActionId::NewLabel], &QAction::triggered, this, [this] {
        // Unsaved changes are never dropped without the question.
        if (QuerySave())
            NewLabel();
    });
    connect(a[TActionId::OpenLabel], &QAction::triggered, this, &TFMain::OpenLabel);
    connect(a[TActionId::SaveLabel], &QAction::triggered, this, [this] {
        if (!m_modified)
            return;
        if (m_documentFileName.isEmpty())
            SaveLabelAs();
        else
            SaveLabel();
    });
    connect(a[TActionId::SaveLabelAs], &QAction::triggered, this, &TFMain::SaveLabelAs);
    connect(a[TActionId::ImportSettings], &QAction::triggered, this, &TFMain::ImportSettings);
    connect(a[TActionId::ExportSettings], &QAction::triggered, this, &TFMain::ExportTemplate);
    connect(a[TActionId::ExportPicture], &QAction::triggered, this, &TFMain::ExportPicture);
    connect(a[TActionId::PrintSetup], &QAction::triggered, this, &TFMain::PrintSetup);
    connect(a[TActionId::Exit], &QAction::triggered, this, &QWidget::close);
    connect(a[TActionId::SetupLabel], &QAction::triggered, this, &TFMain::SetupLabel);
    connect(a[TActionId::Help], &QAction::triggered, this, &TFMain::ShowHelp);
    connect(a[TActionId::About], &QAction::triggered, this, &TFMain::ShowAbout);

    connect(a[TActionId::ShowGrids], &QAction::triggered, this, &TFMain::ToggleGrids);
    connect(a[TActionId::ShowBorder], &QAction::triggered, this, [this](bool checked) {
        Label().ShowBorders = checked;
        Label().update();
    });
    connect(a[TActionId::AutoZ], &QAction::triggered, this,
            [this](bool checked) { Document().AutoBringToFront = checked; });
    connect(a[TActionId::UnitInches], &QAction::triggered, this, [this] { SwitchUnit(false); });
    connect(a[TActionId::UnitMetric], &QAction::triggered, this, [this] { SwitchUnit(true); });

    connect(m_eText, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_updating || !Document().Selection())
            return;
        // What is typed for one selection is one step; it goes to every selected control that
        // takes typed text.
        m_editKind = TStepKind::ChangeText;
        m_editKey = Document().Selection()->Id();
        for (TLabelControl* c : CommandTargets(Document(), &TCommandStates::TextBox))
            c->SetText(text);
        m_editKind = TStepKind::ChangeProperties;
        m_editKey = 0;
    });

    connect(a[TActionId::Print], &QAction::triggered, this, &TFMain::PrintLabels);
}

void TFMain::RefreshSelectionUI() {
    if (m_palette)
        m_palette->FollowSelection(Document().Selection());
    m_updating = true;
    UpdateCommandStates();
    m_pFont->setText(FontText(m_defaultFont));
    TLabelControl* s = Document().Selection();
    if (s) {
        const TKindTool* tool = KindTool(s->Kind());
        m_statusState->setText(tool ? QLatin1String(tool->EditState) : QString());
        ShowPosition();
        m_eText->setText(SharedText(Document()));
        const std::optional<QFont> font = SharedFont(Document());
        m_pFont->setText(font ? FontText(*font) : QString());
        if (KindTraits(s->Kind()).HasPicture)
            m_actions[TActionId::MaintainAspect]->setChecked(
                static_cast<const TGraphicLabel*>(s)->KeepAspect());
    } else {
        m_eText->clear();
        m_statusState->setText(QStringLiteral("Ready"));
        // The panels must not go on showing a control that is no longer selected.
        ShowPosition();
    }
    m_updating = false;
    if (m_eText->isEnabled()) {
        m_eText->setFocus();
        m_eText->end(false);
    }
}

void TFMain::ShowPosition() {
    // While several controls change at once, their place is shown when the change is done.
    if (Document().Batching())
        return;
    const TLabelControl* s = Document().Selection();
    if (!s) {
        const QString shown = m_statusPosition->text();
        m_statusPosition->setText(shown.isEmpty() || shown == kFirstPosition ? kFirstPosition
                                                                             : kNoPosition);
        m_statusSize->setText(kNoSize);
        return;
    }
    double unitX = ScreenPixelsPerInchX(), unitY = ScreenPixelsPerInchY();
    if (Label().MetricGrid) {
        unitX = int(unitX / CentimetresPerInch);
        unitY = int(unitY / CentimetresPerInch);
    }
    const auto n = [](double v) { return QString::number(v, 'f', 2); };
    // Several selected show the box around them all.
    const TRect box = Document().SelectedIds().size() > 1 ? Document().SelectionBounds() : s->Box();
    m_statusPosition->setText(QStringLiteral("X:") + n(box.Left / unitX) + QStringLiteral("  Y:") +
                              n(box.Top / unitY));
    m_statusSize->setText(QStringLiteral("W:") + n(box.Width() / unitX) + QStringLiteral("  H:") +
                          n(box.Height() / unitY));
    if (m_palette && KindTraits(s->Kind()).HasPicture)
        m_palette->ImageSizeDisplay();
}

void TFMain::ApplyLabelSize() {
    m_quiet = true;
    m_design->ApplyLabelSize(Document().Sheet());
    m_quiet = false;
}

void TFMain::ToggleGrids() {
    Document().SetShowGrid(m_actions[TActionId::ShowGrids]->isChecked());
}

void TFMain::SwitchUnit(bool metric) {
    m_actions[metric ? TActionId::UnitMetric : TActionId::UnitInches]->setChecked(true);
    Label().MetricGrid = metric;
    Label().update();
    m_design->RepaintRulers();
    if (Document().Selection())
        ShowPosition();
    RefreshSelectionUI();
    if (metric != Document().Sheet().Metric) {
        Document().ChangeSheet(metric ? ConvertSheetToMetric : ConvertSheetToInches,
                               TLabelDocument::TSheetChange::Fit);
        // The sheet is saved in its unit, so switching it is a change to the label.
        SetModified(true);
        RecordStep(TStepKind::ChangeUnit);
    }
}

void TFMain::ReadPreferences() {
    m_preferences = TMainPreferences::Read(*m_store);
    const TMainPreferences& p = m_preferences;
    m_actions[TActionId::ShowGrids]->setChecked(p.ShowGrids);
    setGeometry(p.Geometry);
    m_actions[p.MetricRuler ? TActionId::UnitMetric : TActionId::UnitInches]->setChecked(true);
    m_actions[TActionId::AutoZ]->setChecked(p.AutoZ);
    m_actions[TActionId::ShowBorder]->setChecked(p.ShowBorders);
    Document().AutoBringToFront = p.AutoZ;
    Document().SetShowGrid(p.ShowGrids);
    Label().ShowBorders = p.ShowBorders;
    Label().MetricGrid = p.MetricRuler;
    ApplySnapPreferences();
    ZoomTo(p.Zoom);
    RefreshRecentMenu();
}

void TFMain::WritePreferences() {
    TMainPreferences& p = m_preferences;
    p.ShowGrids = m_actions[TActionId::ShowGrids]->isChecked();
    p.Geometry =
        (isMinimized() || isMaximized() || isFullScreen()) ? QRect(50, 50, 425, 330) : geometry();
    p.MetricRuler = Label().MetricGrid;
    p.Zoom = ZoomPercent();
    p.AutoZ = m_actions[TActionId::AutoZ]->isChecked();
    p.ShowBorders = m_actions[TActionId::ShowBorder]->isChecked();
    p.Write(*m_store);
}

void TFMain::ShowHelp() {
    const QString page = FindHelpPage(QCoreApplication::applicationFilePath());
    if (!ShowHelpPage(page))
        UiServices().Error(
            this, page.isEmpty() ? QStringLiteral("The user guide (Help.html) is not installed.")
                                 : QStringLiteral("The user guide could not be opened: ") + page);
}

void TFMain::ShowAbout() {
    TFAbout about(this);
    CentreDialog(about);
    about.exec();
}

void TFMain::CentreDialog(QWidget& dialog) const {
    CentreOn(dialog, *this);
}

void TFMain::RefreshCaption() {
    QString title = QString::fromLatin1(Caption) + QStringLiteral("[*]");
    if (!m_documentFileName.isEmpty())
        title = QFileInfo(m_documentFileName).fileName() + QStringLiteral("[*] - ") +
                QString::fromLatin1(Caption);
    setWindowTitle(title);
    setWindowModified(m_modified);
}

void TFMain::SetModified(bool modified) {
    m_modified = modified;
    m_actions[TActionId::SaveLabel]->setEnabled(modified);
    setWindowModified(modified);
}

void TFMain::RefreshRecentMenu() {
    m_recentMenu->clear();
    for (const QString& path : m_preferences.RecentLabels) {
        QAction* item = m_recentMenu->addAction(QFileInfo(path).fileName());
        item->setToolTip(path);
        item->setStatusTip(path);
        connect(item, &QAction::triggered, this, [this, path] {
            if (QuerySave())
                OpenLabelFile(path);
        });
    }
    m_recentMenu->setEnabled(!m_preferences.RecentLabels.isEmpty());
}

void TFMain::RememberRecent(const QString& path) {
    m_preferences.AddRecentLabel(path);
    RefreshRecentMenu();
}

// --- window events ---------------------------------------------------------------------------

void TFMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (m_palette) {
        m_palette->move(x() + width() - m_palette->width() / 2, y() + 80);
        m_palette->show(); // docks itself against the window
    }
    if (!m_options.StartFile.isEmpty())
        OpenByExtension(m_options.StartFile);
    RefreshSelectionUI();
    emit FirstShown();
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (!m_closing && !QuerySave()) {
        event->ignore();
        return;
    }
    m_closing = true;
    WritePreferences();
    if (m_palette)
        m_palette->WritePreferences();
    event->accept();
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_eText && event->type() == QEvent::ShortcutOverride) {
        // The window's clipboard and history commands act on the text box too (its selection
        // and the steps typed), so the box must not take their keys for itself; Select All
        // takes the label's controls.
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const auto standard :
             {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
              QKeySequence::Redo, QKeySequence::SelectAll})
            if (key->matches(standard)) {
                event->ignore();
                return true;
            }
    }
    if (watched == m_eText && event->type() == QEvent::KeyPress && Document().Selection() &&
        (TCanvasController::MovesOrResizes(*static_cast<QKeyEvent*>(event)) ||
         static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)) {
        // Typing goes into the box, but a move or a resize belongs to the selected control, and
        // Escape to the selection: the label takes the key as if it had the focus, and the box
        // keeps the focus.
        QCoreApplication::sendEvent(&Label(), event);
        m_editKind = TStepKind::ChangeProperties;
        m_editKey = 0;
        return true;
    }
    if (watched != &Label())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // Any press on the label counts as a change, whatever the tool. A press that selects
        // a control may bring it to the front.
        m_mouseDown = true;
        m_editKind = TStepKind::BringToFront;
        m_dragKind.reset();
        if (LabelPressed(static_cast<QMouseEvent*>(event))) {
            MouseReleased();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        QTimer::singleShot(0, this, &TFMain::MouseReleased); // after the label's own handling
        break;
    case QEvent::MouseMove:
        if (m_mouseDown) {
            const TDragMode mode = Label().Controller().DragMode();
            if (mode == dmMove)
                m_dragKind = TStepKind::Move;
            else if (mode != dmIdle)
                m_dragKind = TStepKind::Resize;
        }
        break;
    case QEvent::KeyPress: {
        // A run of arrow-key moves or resizes of one control is one step.
        const auto* key = static_cast<QKeyEvent*>(event);
        const TLabelControl* selected = Document().Selection();
        m_editKey = 0;
        m_editKind = TStepKind::ChangeProperties;
        if (TCanvasController::MovesOrResizes(*key) && selected) {
            m_editKind = key->modifiers() & Qt::ShiftModifier ? TStepKind::Resize : TStepKind::Move;
            m_editKey = selected->Id();
        } else if (key->key() == Qt::Key_Delete) {
            m_editKind = TStepKind::DeleteControl;
        } else if (key->key() == Qt::Key_Tab) {
            m_editKind = TStepKind::BringToFront;
        }
        break;
    }
    case QEvent::KeyRelease:
        m_editKind = TStepKind::ChangeProperties;
        m_editKey = 0;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFMain::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (!QFileInfo(path).isFile())
            continue;
        if (OpenByExtension(path))
            break;
    }
    event->acceptProposedAction();
}
