// The main window's editing commands: tools, property commands, the clipboard, text, font,
// advanced fields and pictures of the selected control.
#include "app/CommandStates.h"
#include "app/Cursors.h"
#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/FMemoDlg.h"
#include "app/KindTools.h"
#include "app/SelectionTargets.h"
#include "app/UiServices.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/LabelDocument.h"
#include "document/widgets/CanvasLabel.h"
#include "merge/dialogs/FAdvanced.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
// Property command tables: the action and the code it sets.
const std::pair<TActionId, uint8_t> kHAlign[] = {
    {TActionId::AlignHL, haLeft}, {TActionId::AlignHC, haCenter}, {TActionId::AlignHR, haRight}};
const std::pair<TActionId, uint8_t> kVAlign[] = {
    {TActionId::AlignVT, vaTop}, {TActionId::AlignVC, vaCenter}, {TActionId::AlignVB, vaBottom}};
const std::pair<TActionId, uint8_t> kAttach[] = {
    {TActionId::AlignNone, atNone},     {TActionId::AlignTop, atTop},
    {TActionId::AlignBottom, atBottom}, {TActionId::AlignLeft, atLeft},
    {TActionId::AlignRight, atRight},   {TActionId::AlignClient, atWholeLabel}};
const std::pair<TActionId, uint8_t> kRotation[] = {{TActionId::RotateNone, 0},
                                                   {TActionId::Rotate90, 1},
                                                   {TActionId::Rotate180, 2},
                                                   {TActionId::Rotate270, 3}};

constexpr int kClipboardTextLimit = 254;

// Checks the action of the code the controls share; with codes that differ, none of the table.
template <class Table, class Get>
void CheckShared(const TMainActions& a, const Table& table, const std::vector<TLabelControl*>& cs,
                 Get get) {
    if (cs.empty())
        return;
    const uint8_t code = get(*cs.front());
    const bool shared =
        std::all_of(cs.begin(), cs.end(), [&](const TLabelControl* c) { return get(*c) == code; });
    for (const auto& [name, value] : table)
        if (!shared)
            a[name]->setChecked(false);
        else if (value == code)
            a[name]->setChecked(true);
}

bool AllOf(const std::vector<TLabelControl*>& cs, bool (TLabelControl::*flag)() const) {
    return std::all_of(cs.begin(), cs.end(),
                       [flag](const TLabelControl* c) { return (c->*flag)(); });
}

} // namespace

void TFMain::ConnectEditing() {
    const TMainActions& a = m_actions;
    connect(a[TActionId::SelectTool], &QAction::triggered, this, [this] { ChooseTool(nullptr); });
    for (const TKindTool& t : KindTools())
        connect(a[t.Action], &QAction::triggered, this, [this, tool = &t] { ChooseTool(tool); });

    // Each property command acts on every selected control it applies to, as one step.
    const auto targets = [this](bool TCommandStates::*applies) {
        return CommandTargets(Document(), applies);
    };
    for (const auto& [name, code] : kHAlign)
        connect(a[name], &QAction::triggered, this, [this, targets, code = code] {
            for (TLabelControl* c : targets(&TCommandStates::Alignment))
                c->SetHAlign(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kVAlign)
        connect(a[name], &QAction::triggered, this, [this, targets, code = code] {
            for (TLabelControl* c : targets(&TCommandStates::Alignment))
                c->SetVAlign(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kAttach)
        connect(a[name], &QAction::triggered, this, [this, targets, code = code] {
            for (TLabelControl* c : targets(&TCommandStates::Stacking))
                c->SetAttach(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kRotation)
        connect(a[name], &QAction::triggered, this, [this, targets, code = code] {
            const std::vector<TLabelControl*> cs = targets(&TCommandStates::Rotate);
            if (!cs.empty())
                AsStep(TStepKind::Rotate, [&cs, code] {
                    for (TLabelControl* c : cs)
                        c->SetRotation(code);
                });
            ReflectProperties();
            emit RotationChanged();
        });
    // Controls that differ all take the setting the command gives the first.
    connect(a[TActionId::AutoSize], &QAction::triggered, this, [this, targets] {
        const std::vector<TLabelControl*> cs = targets(&TCommandStates::AutoSize);
        const bool on = !AllOf(cs, &TLabelControl::AutoSize);
        for (TLabelControl* c : cs)
            c->SetAutoSizing(on);
        ReflectProperties();
        UpdateCommandStates();
    });
    connect(a[TActionId::Transparent], &QAction::triggered, this, [this, targets] {
        const std::vector<TLabelControl*> cs = targets(&TCommandStates::Transparent);
        const bool on = !AllOf(cs, &TLabelControl::Transparent);
        for (TLabelControl* c : cs)
            c->SetTransparency(on);
        ReflectProperties();
    });
    connect(a[TActionId::BringToFront], &QAction::triggered, this, [this] {
        AsStep(TStepKind::BringToFront, [this] { Document().BringToFront(); });
        ReflectProperties();
    });
    connect(a[TActionId::SendToBack], &QAction::triggered, this, [this] {
        AsStep(TStepKind::SendToBack, [this] { Document().SendToBack(); });
        ReflectProperties();
    });
    connect(a[TActionId::RotateFocus], &QAction::triggered, this,
            [this] { AsStep(TStepKind::BringToFront, [this] { Document().SelectNext(); }); });
    connect(a[TActionId::Copy], &QAction::triggered, this, &TFMain::CopySelection);
    connect(a[TActionId::Paste], &QAction::triggered, this,
            [this] { AsStep(TStepKind::Paste, [this] { PasteControl(); }); });
    connect(a[TActionId::Cut], &QAction::triggered, this, [this] {
        CopySelection();
        if (Document().Selection())
            AsStep(TStepKind::Cut, [this] { Document().DeleteSelected(); });
    });
    connect(a[TActionId::EditText], &QAction::triggered, this, &TFMain::EditText);
    connect(a[TActionId::EditFields], &QAction::triggered, this, &TFMain::EditFields);
    connect(a[TActionId::SelectFont], &QAction::triggered, this, &TFMain::SelectFont);
    connect(a[TActionId::ImportImage], &QAction::triggered, this, &TFMain::ImportImage);
    connect(a[TActionId::MaintainAspect], &QAction::triggered, this, [this](bool checked) {
        for (TLabelControl* c : Document().SelectedControls())
            if (auto* image = dynamic_cast<TGraphicLabel*>(c))
                image->SetKeepAspect(checked);
    });

    m_eText->installEventFilter(this);
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("LabelPopupMenu"));
    m_popup->addActions({a[TActionId::BringToFront], a[TActionId::SendToBack]});
    m_popup->addSeparator();
    QMenu* h = m_popup->addMenu(QStringLiteral("Horizontal Alignment"));
    h->addActions({a[TActionId::AlignHL], a[TActionId::AlignHC], a[TActionId::AlignHR]});
    QMenu* v = m_popup->addMenu(QStringLiteral("Vertical Alignment"));
    v->addActions({a[TActionId::AlignVT], a[TActionId::AlignVC], a[TActionId::AlignVB]});
    m_popup->addSeparator();
    QMenu* attach = m_popup->addMenu(QStringLiteral("Attach To"));
    attach->addActions({a[TActionId::AlignNone], a[TActionId::AlignLeft], a[TActionId::AlignRight],
                        a[TActionId::AlignTop], a[TActionId::AlignBottom],
                        a[TActionId::AlignClient]});
    attach->menuAction()->setVisible(false);
    QMenu* rotate = m_popup->addMenu(QStringLiteral("Rotate"));
    rotate->addActions({a[TActionId::RotateNone], a[TActionId::Rotate90], a[TActionId::Rotate180],
                        a[TActionId::Rotate270]});
    m_popup->addSeparator();
    m_popup->addActions({a[TActionId::AutoSize], a[TActionId::Transparent]});
    Label().OnPopupMenu = [this](const QPoint& at) {
        ReflectProperties();
        m_popup->popup(at);
    };
    Label().OnControlDblClick = [this](TLabelControl*) { EditSelected(); };
    ConnectSelection();
}

void TFMain::ChooseTool(const TKindTool* tool) {
    TLabelDocument& label = Document();
    QApplication::restoreOverrideCursor();
    if (!tool) {
        m_actions[TActionId::SelectTool]->setChecked(true);
        Label().Controller().Ready = true;
        m_statusState->setText(QStringLiteral("Ready"));
        return;
    }
    m_actions[tool->Action]->setChecked(true);
    label.SelectNone();
    Label().Controller().Ready = false;
    m_statusState->setText(QLatin1String(tool->AddState));
    QApplication::setOverrideCursor(AddToolCursor(tool->Cursor));
}

std::unique_ptr<TLabelControl> TFMain::NewControl(TControlKind kind) {
    const TKindTool* tool = KindTool(kind);
    if (!tool)
        return nullptr;
    TNewControlDefaults defaults;
    defaults.Font = m_defaultFont;
    if (kind == ckBarcode)
        defaults.Barcode = NewBarcodeType ? NewBarcodeType() : btCode128;
    if (KindTraits(kind).HasPicture) {
        // A small placeholder picture until the user imports one.
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter p(&picture);
            m_actions[tool->Action]->icon().paint(&p, picture.rect());
        }
        defaults.Placeholder = picture;
    }
    defaults.Error = [this](const QString& message) { UiServices().Error(this, message); };
    return tool->Create(defaults);
}

bool TFMain::PlaceNewControl(Qt::MouseButton button, int32_t x, int32_t y) {
    const TKindTool* tool = nullptr;
    for (const TKindTool& t : KindTools())
        if (m_actions[t.Action]->isChecked())
            tool = &t;
    TLabelControl* created = nullptr;
    if (button == Qt::LeftButton && tool) {
        std::unique_ptr<TLabelControl> c = NewControl(tool->Kind);
        if (c) {
            created = c.get();
            c->OnPlaced = [this](TLabelControl*) { ShowPosition(); };
            c->SetTop(y);
            c->SetLeft(x);
            c->SetAdvanced(false);
            AsStep(TStepKind::AddControl, [&] {
                Document().AddControl(std::move(c));
                created->SetLoading(false);
                created->Changed();
            });
            if (m_eText->isEnabled()) {
                m_eText->setFocus();
                m_eText->selectAll();
            }
        }
    }
    const bool wasTool = tool != nullptr;
    ChooseTool(nullptr);
    SetModified(true);
    if (created && KindTraits(created->Kind()).HasPicture)
        ImportImage();
    return wasTool;
}

void TFMain::EditSelected() {
    TLabelControl* s = Document().Selection();
    if (!s)
        return;
    const TKindTraits& kind = KindTraits(s->Kind());
    if (kind.HasPicture)
        ImportImage();
    else if (s->Advanced())
        EditFields();
    else if (kind.MultiLine)
        EditText();
    else if (kind.CarriesText) {
        // Straight into the text box, ready to type over.
        m_eText->setFocus();
        m_eText->selectAll();
    }
}

void TFMain::UpdateCommandStates() {
    const TLabelControl* s = Document().Selection();
    const TCommandStates st = CommandStatesFor(s, !Document().Controls().empty());
    const TMainActions& a = m_actions;
    a[TActionId::BringToFront]->setEnabled(st.Stacking);
    a[TActionId::SendToBack]->setEnabled(st.Stacking);
    for (const TActionId id : {TActionId::Rotate90, TActionId::Rotate180, TActionId::Rotate270})
        a[id]->setEnabled(st.Rotate);
    a[TActionId::AutoSize]->setEnabled(st.AutoSize);
    a[TActionId::Transparent]->setEnabled(st.Transparent);
    a[TActionId::EditText]->setEnabled(st.EditText);
    a[TActionId::ImportImage]->setEnabled(st.Image);
    a[TActionId::MaintainAspect]->setEnabled(st.Image);
    for (const auto& [name, code] : kHAlign)
        a[name]->setEnabled(st.Alignment);
    for (const auto& [name, code] : kVAlign)
        a[name]->setEnabled(st.Alignment);
    a[TActionId::RotateFocus]->setEnabled(st.RotateFocus);
    a[TActionId::SelectAll]->setEnabled(st.SelectAll);
    a[TActionId::Duplicate]->setEnabled(st.Duplicate);
    a[TActionId::SelectFont]->setEnabled(st.SelectFont);
    a[TActionId::EditFields]->setEnabled(st.EditFields);
    m_eText->setEnabled(st.TextBox);

    const QPalette app = QApplication::palette();
    QPalette text = m_eText->palette();
    text.setColor(QPalette::Base, app.color(st.TextBox ? QPalette::Base : QPalette::Button));
    m_eText->setPalette(text);
    // A disabled font box hides its text in the button colour.
    QPalette font = m_pFont->palette();
    font.setColor(QPalette::Window, app.color(st.SelectFont ? QPalette::Base : QPalette::Button));
    font.setColor(QPalette::WindowText,
                  app.color(st.SelectFont ? QPalette::Text : QPalette::Button));
    m_pFont->setPalette(font);
}

void TFMain::ReflectProperties() {
    if (!Document().Selection())
        return;
    // What the selected controls share is checked; a setting they differ in is not.
    const TMainActions& a = m_actions;
    const TLabelDocument& d = Document();
    a[TActionId::AutoSize]->setChecked(
        AllOf(CommandTargets(d, &TCommandStates::AutoSize), &TLabelControl::AutoSize));
    a[TActionId::Transparent]->setChecked(
        AllOf(CommandTargets(d, &TCommandStates::Transparent), &TLabelControl::Transparent));
    const std::vector<TLabelControl*> aligned = CommandTargets(d, &TCommandStates::Alignment);
    CheckShared(a, kHAlign, aligned, [](const TLabelControl& c) { return c.HAlign(); });
    CheckShared(a, kVAlign, aligned, [](const TLabelControl& c) { return c.VAlign(); });
    CheckShared(a, kAttach, CommandTargets(d, &TCommandStates::Stacking),
                [](const TLabelControl& c) { return c.Attach(); });
    CheckShared(a, kRotation, CommandTargets(d, &TCommandStates::Rotate),
                [](const TLabelControl& c) { return c.Rotation(); });
}

void TFMain::CopySelection() {
    if (m_eText->hasFocus() && m_eText->hasSelectedText())
        QApplication::clipboard()->setText(m_eText->selectedText().left(kClipboardTextLimit));
    TLabelControl* s = Document().Selection();
    if (!s)
        return;
    m_clipboard = Document().CloneSelection();
    if (const auto* barcode = dynamic_cast<const TBarcodeLabel*>(s))
        if (!barcode->ModuleImage().isNull())
            QApplication::clipboard()->setImage(barcode->ModuleImage());
}

void TFMain::PasteControl() {
    // The clipboard may hold nothing at all (no owner yet).
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    if (m_eText->hasFocus() && clip && clip->hasText()) {
        m_eText->insert(QApplication::clipboard()->text());
        return;
    }
    if (m_clipboard.empty())
        return;
    TControlCopies copies = std::move(m_clipboard);
    m_clipboard = {};
    for (const auto& c : copies.Controls)
        c->OnPlaced = [this](TLabelControl*) { ShowPosition(); };
    // Five pixels inside the visible corner of the label.
    const QPoint corner = Label().ToLabel(QPointF(-Label().x(), -Label().y()));
    AddCopies(std::move(copies), corner + QPoint(5, 5));
    // The next paste inserts a further copy.
    CopySelection();
}

void TFMain::AddCopies(TControlCopies copies, QPoint at) {
    const std::vector<TLabelControl*> added =
        Document().AddCopies(std::move(copies), at.x(), at.y());
    Document().Batch([&added] {
        for (TLabelControl* c : added) {
            c->SetLoading(false);
            c->Changed();
        }
    });
}

void TFMain::EditText() {
    TLabelControl* s = Document().Selection();
    if (!s)
        return;
    TFMemoDlg dialog(UiServices(), this);
    dialog.SetText(s->GetText());
    CentreDialog(dialog);
    if (UiServices().Run(dialog) == QDialog::Accepted) {
        const QString text = dialog.Text();
        AsStep(TStepKind::ChangeText, [s, &text] {
            if (KindTraits(s->Kind()).MultiLine)
                s->SetText(text);
            else if (KindTraits(s->Kind()).CarriesText)
                s->SetText(text.section(QLatin1Char('\n'), 0, 0));
        });
    }
    m_updating = true;
    m_eText->setText(s->GetText());
    m_updating = false;
}

void TFMain::EditFields() {
    TLabelControl* s = Document().Selection();
    if (!s || !TakesFields(KindTraits(s->Kind())))
        return;
    const QString text = s->GetText();
    AsStep(TStepKind::ChangeFields, [&] {
        const bool advanced = m_advanced->EditAdvancedFields(s->Fields, this);
        s->SetText(text);
        s->SetAdvanced(advanced);
        s->Changed();
    });
    RefreshSelectionUI();
}

void TFMain::SelectFont() {
    TLabelControl* s = Document().Selection();
    const std::optional<QFont> chosen = UiServices().Font(this, s ? s->Font() : m_defaultFont);
    if (!chosen)
        return;
    QFont font = *chosen;
    if (s) {
        // Only the typeface of a barcode's interpretation line can be chosen.
        const QFont barcodeFont(chosen->family(), 8);
        if (s->Kind() == ckBarcode)
            font = barcodeFont;
        const std::vector<TLabelControl*> cs =
            CommandTargets(Document(), &TCommandStates::SelectFont);
        AsStep(TStepKind::ChangeFont, [&cs, &chosen, &barcodeFont] {
            for (TLabelControl* c : cs) {
                const bool barcode = c->Kind() == ckBarcode;
                if (barcode)
                    c->SetFontColor(clBlack);
                c->SetFont(barcode ? barcodeFont : *chosen);
                c->Changed();
            }
        });
    } else {
        m_defaultFont = font;
    }
    m_pFont->setText(font.family() + QStringLiteral(" [") + QString::number(font.pointSize()) +
                     QStringLiteral("pt]"));
}

void TFMain::ImportImage() {
    auto* image = dynamic_cast<TGraphicLabel*>(Document().Selection());
    if (!image)
        return;
    const QString path = UiServices().FileName(this, {QLatin1String(PictureText::ImportTitle),
                                                      QLatin1String(PictureText::ImportFilter),
                                                      QStringLiteral("bmp"), QString()});
    if (path.isEmpty())
        return;
    m_statusState->setText(QStringLiteral("Importing Image"));
    bool imported = false;
    AsStep(TStepKind::ImportImage, [&] { imported = ImportPicture(*image, path); });
    if (imported) {
        SetModified(true);
        RecordStep(TStepKind::ImportImage);
    }
    m_statusState->setText(QStringLiteral("Ready"));
}

bool TFMain::LabelPressed(QMouseEvent* event) {
    SetModified(true);
    if (Label().Controller().Ready)
        return false;
    const QPoint at = Label().ToLabel(event->position());
    return PlaceNewControl(event->button(), at.x(), at.y());
}
