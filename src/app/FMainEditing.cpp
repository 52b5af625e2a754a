// The main window's editing commands: tools, property commands, the clipboard, text, font,
// advanced fields and pictures of the selected control.
#include "app/CommandStates.h"
#include "app/Cursors.h"
#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/FMemoDlg.h"
#include "app/KindTools.h"
#include "app/UiServices.h"
#include "barcode/BarcodeLabel.h"
#include "document/CanvasLabel.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
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

namespace {
// Property command tables: the action and the code it sets.
const std::pair<const char*, uint8_t> kHAlign[] = {
    {"acAlignHL", haLeft}, {"acAlignHC", haCenter}, {"acAlignHR", haRight}};
const std::pair<const char*, uint8_t> kVAlign[] = {
    {"acAlignVT", vaTop}, {"acAlignVC", vaCenter}, {"acAlignVB", vaBottom}};
const std::pair<const char*, uint8_t> kAttach[] = {
    {"acAlignNone", atNone}, {"acAlignTop", atTop},     {"acAlignBottom", atBottom},
    {"acAlignLeft", atLeft}, {"acAlignRight", atRight}, {"acAlignClient", atWholeLabel}};
const std::pair<const char*, uint8_t> kRotation[] = {
    {"acRotateNone", 0}, {"acRotate90", 1}, {"acRotate180", 2}, {"acRotate270", 3}};

constexpr int kClipboardTextLimit = 254;

const TKindTool* ToolFor(const QString& action) {
    for (const TKindTool& t : KindTools())
        if (action == QLatin1String(t.Action))
            return &t;
    return nullptr;
}
} // namespace

void TFMain::ConnectEditing() {
    const TMainActions& a = m_actions;
    connect(a["acSelectTool"], &QAction::triggered, this, [this] { ChooseTool(nullptr); });
    for (const TKindTool& t : KindTools())
        connect(a[t.Action], &QAction::triggered, this,
                [this, name = t.Action] { ChooseTool(name); });

    for (const auto& [name, code] : kHAlign)
        connect(a[name], &QAction::triggered, this, [this, code = code] {
            if (TLabelControl* s = Label().Selection())
                s->SetHAlign(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kVAlign)
        connect(a[name], &QAction::triggered, this, [this, code = code] {
            if (TLabelControl* s = Label().Selection())
                s->SetVAlign(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kAttach)
        connect(a[name], &QAction::triggered, this, [this, code = code] {
            if (TLabelControl* s = Label().Selection())
                s->SetAttach(code);
            ReflectProperties();
        });
    for (const auto& [name, code] : kRotation)
        connect(a[name], &QAction::triggered, this, [this, code = code] {
            if (TLabelControl* s = Label().Selection())
                s->SetRotation(code);
            ReflectProperties();
            emit RotationChanged();
        });
    connect(a["acAutoSize"], &QAction::triggered, this, [this] {
        if (TLabelControl* s = Label().Selection())
            s->SetAutoSizing(!s->AutoSize());
        ReflectProperties();
        UpdateCommandStates();
    });
    connect(a["acTransparent"], &QAction::triggered, this, [this] {
        if (TLabelControl* s = Label().Selection())
            s->SetTransparency(!s->Transparent());
        ReflectProperties();
    });
    connect(a["acBringToFront"], &QAction::triggered, this, [this] {
        Label().BringToFront();
        ReflectProperties();
    });
    connect(a["acSendToBack"], &QAction::triggered, this, [this] {
        Label().SendToBack();
        ReflectProperties();
    });
    connect(a["acRotateFocus"], &QAction::triggered, this, [this] { Label().SelectNext(); });
    connect(a["acCopy"], &QAction::triggered, this, &TFMain::CopySelection);
    connect(a["acPaste"], &QAction::triggered, this, &TFMain::PasteControl);
    connect(a["acCut"], &QAction::triggered, this, [this] {
        CopySelection();
        if (Label().Selection())
            Label().DeleteSelected();
    });
    connect(a["acEditText"], &QAction::triggered, this, &TFMain::EditText);
    connect(a["acEditFields"], &QAction::triggered, this, &TFMain::EditFields);
    connect(a["acSelectFont"], &QAction::triggered, this, &TFMain::SelectFont);
    connect(a["acImportImage"], &QAction::triggered, this, &TFMain::ImportImage);
    connect(a["acMaintainAspect"], &QAction::triggered, this, [this](bool checked) {
        if (auto* image = dynamic_cast<TGraphicLabel*>(Label().Selection()))
            image->SetKeepAspect(checked);
    });

    m_eText->installEventFilter(this);
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("LabelPopupMenu"));
    m_popup->addActions({a["acBringToFront"], a["acSendToBack"]});
    m_popup->addSeparator();
    QMenu* h = m_popup->addMenu(QStringLiteral("Horizontal Alignment"));
    h->addActions({a["acAlignHL"], a["acAlignHC"], a["acAlignHR"]});
    QMenu* v = m_popup->addMenu(QStringLiteral("Vertical Alignment"));
    v->addActions({a["acAlignVT"], a["acAlignVC"], a["acAlignVB"]});
    m_popup->addSeparator();
    QMenu* attach = m_popup->addMenu(QStringLiteral("Attach To"));
    attach->addActions({a["acAlignNone"], a["acAlignLeft"], a["acAlignRight"], a["acAlignTop"],
                        a["acAlignBottom"], a["acAlignClient"]});
    attach->menuAction()->setVisible(false);
    QMenu* rotate = m_popup->addMenu(QStringLiteral("Rotate"));
    rotate->addActions({a["acRotateNone"], a["acRotate90"], a["acRotate180"], a["acRotate270"]});
    m_popup->addSeparator();
    m_popup->addActions({a["acAutoSize"], a["acTransparent"]});
    Label().OnPopupMenu = [this](const QPoint& at) {
        ReflectProperties();
        m_popup->popup(at);
    };
    Label().OnControlDblClick = [this](TLabelControl*) { EditSelected(); };
}

void TFMain::ChooseTool(const char* action) {
    TCanvasLabel& label = Label();
    QApplication::restoreOverrideCursor();
    const TKindTool* tool = action ? ToolFor(QLatin1String(action)) : nullptr;
    if (!tool) {
        m_actions["acSelectTool"]->setChecked(true);
        label.Ready = true;
        m_statusState->setText(QStringLiteral("Ready"));
        return;
    }
    m_actions[tool->Action]->setChecked(true);
    label.SelectNone();
    label.Ready = false;
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
            Label().AddControl(std::move(c));
            created->SetLoading(false);
            created->Changed();
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
    TLabelControl* s = Label().Selection();
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
    const TLabelControl* s = Label().Selection();
    const TCommandStates st = CommandStatesFor(s, !Label().Controls().empty());
    const TMainActions& a = m_actions;
    a["acBringToFront"]->setEnabled(st.Stacking);
    a["acSendToBack"]->setEnabled(st.Stacking);
    for (const char* name : {"acRotate90", "acRotate180", "acRotate270"})
        a[name]->setEnabled(st.Rotate);
    a["acAutoSize"]->setEnabled(st.AutoSize);
    a["acTransparent"]->setEnabled(st.Transparent);
    a["acEditText"]->setEnabled(st.EditText);
    a["acImportImage"]->setEnabled(st.Image);
    a["acMaintainAspect"]->setEnabled(st.Image);
    for (const auto& [name, code] : kHAlign)
        a[name]->setEnabled(st.Alignment);
    for (const auto& [name, code] : kVAlign)
        a[name]->setEnabled(st.Alignment);
    a["acRotateFocus"]->setEnabled(st.RotateFocus);
    a["acSelectFont"]->setEnabled(st.SelectFont);
    a["acEditFields"]->setEnabled(st.EditFields);
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
    const TLabelControl* s = Label().Selection();
    if (!s)
        return;
    const TMainActions& a = m_actions;
    a["acAutoSize"]->setChecked(s->AutoSize());
    a["acTransparent"]->setChecked(s->Transparent());
    const auto check = [&a](const auto& table, uint8_t code) {
        for (const auto& [name, value] : table)
            if (value == code)
                a[name]->setChecked(true);
    };
    check(kHAlign, s->HAlign());
    check(kVAlign, s->VAlign());
    check(kAttach, s->Attach());
    check(kRotation, s->Rotation());
}

void TFMain::CopySelection() {
    if (m_eText->hasFocus() && m_eText->hasSelectedText())
        QApplication::clipboard()->setText(m_eText->selectedText().left(kClipboardTextLimit));
    TLabelControl* s = Label().Selection();
    if (!s)
        return;
    m_clipboardControl = Label().CloneControl();
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
    if (!m_clipboardControl)
        return;
    std::unique_ptr<TLabelControl> c = std::move(m_clipboardControl);
    TLabelControl* pasted = c.get();
    c->OnPlaced = [this](TLabelControl*) { ShowPosition(); };
    // Five pixels inside the visible corner of the label.
    c->SetTop(-Label().y() + 5);
    c->SetLeft(-Label().x() + 5);
    Label().AddControl(std::move(c));
    pasted->SetLoading(false);
    pasted->Changed();
    // The next paste inserts a further copy.
    CopySelection();
}

void TFMain::EditText() {
    TLabelControl* s = Label().Selection();
    if (!s)
        return;
    TFMemoDlg dialog(this);
    dialog.SetText(s->GetText());
    CentreDialog(dialog);
    if (UiServices().Run(dialog) == QDialog::Accepted) {
        const QString text = dialog.Text();
        if (KindTraits(s->Kind()).MultiLine)
            s->SetText(text);
        else if (KindTraits(s->Kind()).CarriesText)
            s->SetText(text.section(QLatin1Char('\n'), 0, 0));
    }
    m_updating = true;
    m_eText->setText(s->GetText());
    m_updating = false;
}

void TFMain::EditFields() {
    TLabelControl* s = Label().Selection();
    if (!s || !KindTraits(s->Kind()).CarriesText)
        return;
    const QString text = s->GetText();
    const bool advanced = m_advanced->EditAdvancedFields(s->Fields, this);
    s->SetText(text);
    s->SetAdvanced(advanced);
    s->Changed();
    RefreshSelectionUI();
}

void TFMain::SelectFont() {
    TLabelControl* s = Label().Selection();
    const std::optional<QFont> chosen = UiServices().Font(this, s ? s->Font() : m_defaultFont);
    if (!chosen)
        return;
    QFont font = *chosen;
    if (s) {
        if (s->Kind() == ckBarcode) {
            // Only the typeface of a barcode's interpretation line can be chosen.
            font = QFont(chosen->family(), 8);
            s->SetFontColor(clBlack);
        }
        s->SetFont(font);
        s->Changed();
    } else {
        m_defaultFont = font;
    }
    m_pFont->setText(font.family() + QStringLiteral(" [") + QString::number(font.pointSize()) +
                     QStringLiteral("pt]"));
}

void TFMain::ImportImage() {
    auto* image = dynamic_cast<TGraphicLabel*>(Label().Selection());
    if (!image)
        return;
    const QString path = UiServices().FileName(this, {QLatin1String(PictureText::ImportTitle),
                                                      QLatin1String(PictureText::ImportFilter),
                                                      QStringLiteral("bmp"), QString()});
    if (path.isEmpty())
        return;
    m_statusState->setText(QStringLiteral("Importing Image"));
    if (ImportPicture(*image, path)) {
        SetModified(true);
        RecordStep();
    }
    m_statusState->setText(QStringLiteral("Ready"));
}

bool TFMain::LabelPressed(QMouseEvent* event) {
    SetModified(true);
    if (Label().Ready)
        return false;
    const QPoint at = event->position().toPoint();
    return PlaceNewControl(event->button(), at.x(), at.y());
}
