#include "MainWindowSupport.h"

#include "app/CommandStates.h"
#include "app/FMemoDlg.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "document/GraphicLabel.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class EditingCommands : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override { W = ActiveWindow(); }
    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    // Chooses a tool and presses on the label with a button.
    void Place(TActionName tool, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        W->Action(tool)->trigger();
        QTest::mousePress(&L(), button, {}, at);
        QTest::mouseRelease(&L(), button, {}, at);
    }
    template <typename T> T* Add(QPoint at = {10, 10}) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        c->SetLeft(at.x());
        c->SetTop(at.y());
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    QString State() { return W->findChild<QLabel*>("pState")->text(); }
    bool Enabled(TActionName action) { return W->Action(action)->isEnabled(); }

    std::unique_ptr<TFMain> W;
};

TEST_F(EditingCommands, ToolsPlaceOneControlAndReturnToSelect) {
    W->Action("acAddText")->trigger();
    EXPECT_EQ(State(), QStringLiteral("Add Text"));
    EXPECT_FALSE(L().Controller().Ready);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    QTest::mousePress(&L(), Qt::LeftButton, {}, QPoint(30, 20));
    ASSERT_EQ(D().Controls().size(), 1u);
    const TLabelControl& c = *D().Controls()[0];
    EXPECT_EQ(c.Kind(), ckText);
    EXPECT_EQ(c.Text(), QStringLiteral("New Text"));
    EXPECT_EQ(QPoint(c.Left(), c.Top()), QPoint(30, 20));
    EXPECT_EQ(D().Selection(), &c);
    EXPECT_TRUE(W->Action("acSelectTool")->isChecked());
    EXPECT_TRUE(L().Controller().Ready);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    EXPECT_EQ(eText->selectedText(), QStringLiteral("New Text")) << "typing replaces it";
    EXPECT_TRUE(W->Modified());
}

TEST_F(EditingCommands, EachKindNamesItselfInTheStatePanelWhileAddedAndSelected) {
    const struct {
        TActionName tool;
        TControlKind kind;
        const char* adding;
        const char* selected;
        QPoint at;
    } kinds[] = {
        {"acAddBarcode", ckBarcode, "Add Barcode", "Edit Barcode", {5, 5}},
        {"acAddText", ckText, "Add Text", "Edit Text", {100, 5}},
        {"acAddMemo", ckMemo, "Add Formatted Text", "Edit Formatted Text", {100, 30}},
        {"acAddShape", ckShape, "Add Shape", "Edit Shape", {5, 65}},
        {"acAddImage", ckGraphic, "Add Graphic", "Edit Graphic", {150, 65}},
    };
    FileNames = {QString()}; // the image tool asks for a picture at once; cancelled
    for (const auto& k : kinds) {
        W->Action(k.tool)->trigger();
        EXPECT_EQ(State(), QLatin1String(k.adding)) << ActionName(k.tool.Id);
        QTest::mousePress(&L(), Qt::LeftButton, {}, k.at);
        QTest::mouseRelease(&L(), Qt::LeftButton, {}, k.at);
        // Placing ends with the select tool ready; choosing the control names it.
        EXPECT_EQ(State(), QStringLiteral("Ready")) << ActionName(k.tool.Id);
        ASSERT_NE(D().Selection(), nullptr) << ActionName(k.tool.Id);
        const TRect box = D().Selection()->Box();
        D().SelectNone();
        QTest::mouseClick(&L(), Qt::LeftButton, {},
                          QPoint((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2));
        ASSERT_NE(D().Selection(), nullptr) << ActionName(k.tool.Id);
        EXPECT_EQ(D().Selection()->Kind(), k.kind) << ActionName(k.tool.Id);
        EXPECT_EQ(State(), QLatin1String(k.selected)) << ActionName(k.tool.Id);
    }
}

TEST_F(EditingCommands, RightPressWithAToolCreatesNothingButReturnsToSelect) {
    Place("acAddText", QPoint(30, 20), Qt::RightButton);
    EXPECT_TRUE(D().Controls().empty());
    EXPECT_TRUE(W->Action("acSelectTool")->isChecked());
    EXPECT_TRUE(L().Controller().Ready);
    EXPECT_TRUE(W->Modified());
    EXPECT_EQ(State(), QStringLiteral("Ready"));
}

TEST_F(EditingCommands, EachToolMakesItsKindWithItsDefaults) {
    W->NewBarcodeType = [] { return btEan13; };
    Place("acAddBarcode", QPoint(5, 5));
    Place("acAddMemo", QPoint(60, 5));
    Place("acAddShape", QPoint(5, 60));
    FileNames = {QString()}; // the image tool asks for a picture at once; cancelled
    Place("acAddImage", QPoint(100, 60));
    ASSERT_EQ(D().Controls().size(), 4u);
    auto* barcode = dynamic_cast<TBarcodeLabel*>(D().Controls()[0].get());
    ASSERT_NE(barcode, nullptr);
    EXPECT_EQ(barcode->BarcodeType(), btEan13);
    EXPECT_EQ(barcode->Text(), QStringLiteral("123"));
    EXPECT_EQ(D().Controls()[1]->Text(), QStringLiteral("Formatted Text"));
    EXPECT_EQ(D().Controls()[2]->Kind(), ckShape);
    auto* image = dynamic_cast<TGraphicLabel*>(D().Controls()[3].get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Picture().size(), QSize(16, 16));
    EXPECT_TRUE(QFile::exists(image->ImageFile())) << "a private picture file";
    EXPECT_EQ(FileDialogs, QStringList({"Import Image"}));
}

TEST_F(EditingCommands, CommandStatesFollowTheSelection) {
    TTextLabel* text = Add<TTextLabel>();
    EXPECT_TRUE(Enabled("acRotate90"));
    EXPECT_TRUE(Enabled("acTransparent"));
    EXPECT_FALSE(Enabled("acEditText"));
    EXPECT_FALSE(Enabled("acImportImage"));
    EXPECT_TRUE(Enabled("acEditFields"));
    ASSERT_TRUE(text->AutoSize());
    EXPECT_FALSE(Enabled("acAlignHL")) << "auto size on";
    W->Action("acAutoSize")->trigger();
    EXPECT_FALSE(text->AutoSize());
    EXPECT_TRUE(Enabled("acAlignHL"));
    EXPECT_FALSE(W->Action("acAutoSize")->isChecked());
    W->Action("acAutoSize")->trigger();
    EXPECT_FALSE(Enabled("acAlignVB"));

    auto* memo = Add<TMemoLabel>(QPoint(40, 40));
    EXPECT_TRUE(Enabled("acAlignHC")) << "formatted text, auto size on";
    memo->SetAutoSizing(false);
    W->RefreshSelectionUI();
    EXPECT_TRUE(Enabled("acAlignHC"));
    EXPECT_TRUE(Enabled("acEditText"));
    EXPECT_FALSE(Enabled("acRotate90"));

    Add<TShapeLabel>(QPoint(80, 40));
    EXPECT_FALSE(Enabled("acSelectFont"));
    EXPECT_FALSE(Enabled("acEditFields"));
    EXPECT_FALSE(W->findChild<QLineEdit*>("eText")->isEnabled());
    EXPECT_FALSE(Enabled("acTransparent"));
    D().SelectNone();
    EXPECT_TRUE(Enabled("acSelectFont"));
    EXPECT_FALSE(Enabled("acBringToFront"));
    EXPECT_TRUE(Enabled("acRotateFocus"));
    EXPECT_TRUE(Enabled("acCut"));
    EXPECT_TRUE(Enabled("acRotateNone"));
}

TEST_F(EditingCommands, PropertyCommandsChangeTheControlAndItsMarks) {
    TTextLabel* text = Add<TTextLabel>();
    W->SetModified(false);
    W->Action("acRotate90")->trigger();
    EXPECT_EQ(text->Rotation(), 1);
    EXPECT_TRUE(W->Action("acRotate90")->isChecked());
    EXPECT_TRUE(W->Modified());
    const bool transparent = text->Transparent();
    W->Action("acTransparent")->trigger();
    EXPECT_EQ(text->Transparent(), !transparent);
    EXPECT_EQ(W->Action("acTransparent")->isChecked(), !transparent);
    W->Action("acAutoSize")->trigger();
    W->Action("acAlignHR")->trigger();
    EXPECT_EQ(text->HAlign(), haRight);
    W->Action("acAlignVB")->trigger();
    EXPECT_EQ(text->VAlign(), vaBottom);
    // Nothing selected: the commands do nothing.
    D().SelectNone();
    W->Action("acRotateNone")->trigger();
    EXPECT_EQ(text->Rotation(), 1);
}

TEST_F(EditingCommands, TwoPastesAfterOneCopyGiveTwoIndependentCopies) {
    TTextLabel* text = Add<TTextLabel>(QPoint(50, 40));
    text->SetText(QStringLiteral("Copy me"));
    W->Action("acCopy")->trigger();
    ASSERT_NE(W->ClipboardControl(), nullptr);
    W->Action("acPaste")->trigger();
    W->Action("acPaste")->trigger();
    ASSERT_EQ(D().Controls().size(), 3u);
    TLabelControl* first = D().Controls()[1].get();
    TLabelControl* second = D().Controls()[2].get();
    EXPECT_NE(first, second);
    for (TLabelControl* c : {first, second}) {
        EXPECT_EQ(c->Text(), QStringLiteral("Copy me"));
        EXPECT_EQ(QPoint(c->Left(), c->Top()), QPoint(5, 5));
    }
    first->SetText(QStringLiteral("changed"));
    EXPECT_EQ(second->Text(), QStringLiteral("Copy me"));
    W->Action("acCut")->trigger();
    EXPECT_EQ(D().Controls().size(), 2u);
    EXPECT_EQ(W->ClipboardControl()->Text(), QStringLiteral("Copy me"));
}

TEST_F(EditingCommands, CopyingABarcodePutsItsPictureOnTheClipboard) {
    auto* barcode = Add<TBarcodeLabel>();
    barcode->SetText(QStringLiteral("12345"));
    L().RepaintControl(barcode);
    L().grab(); // renders the control
    QApplication::clipboard()->clear();
    W->Action("acCopy")->trigger();
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
    W->Action("acPaste")->trigger();
    ASSERT_EQ(D().Controls().size(), 2u);
    EXPECT_EQ(D().Controls()[1]->Kind(), ckBarcode);
}

TEST_F(EditingCommands, TextBoxClipboard) {
    Add<TTextLabel>();
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    eText->setFocus();
    eText->setText(QStringLiteral("Hello world"));
    eText->setSelection(0, 5);
    W->Action("acCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Hello"));
    eText->setSelection(6, 5);
    W->Action("acPaste")->trigger();
    EXPECT_EQ(D().Selection()->Text(), QStringLiteral("Hello Hello"));
}

TEST_F(EditingCommands, ClipboardKeysInTheTextBoxReachTheWindowsCommands) {
    TTextLabel* text = Add<TTextLabel>();
    text->SetText(QStringLiteral("Keys"));
    W->RefreshSelectionUI();
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    ASSERT_TRUE(eText->hasFocus());
    QTest::keyClick(eText, Qt::Key_C, Qt::ControlModifier);
    ASSERT_NE(W->ClipboardControl(), nullptr) << "Ctrl+C copied the control";
    QApplication::clipboard()->clear();
    QTest::keyClick(eText, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(D().Controls().size(), 2u) << "Ctrl+V pasted a copy";
}

TEST_F(EditingCommands, AfterAClickCtrlArrowsMoveShiftArrowsResizeAndTypingEdits) {
    auto* barcode = Add<TBarcodeLabel>({120, 20});
    auto* text = Add<TTextLabel>({20, 20});
    text->SetText(QStringLiteral("Box"));
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    for (TLabelControl* c :
         {static_cast<TLabelControl*>(text), static_cast<TLabelControl*>(barcode)}) {
        c->SetAutoSizing(false);
        D().SelectNone();
        const QPoint inside(c->Left() + c->Width() / 2, c->Top() + c->Height() / 2);
        QTest::mouseClick(&L(), Qt::LeftButton, {}, inside);
        QApplication::processEvents();
        ASSERT_EQ(D().Selection(), c);
        ASSERT_EQ(QApplication::focusWidget(), eText) << "typing goes into the control's text";
        const TRect box = c->Box();
        // The keys go where the user's keys go: to the focused widget.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(c->Left(), box.Left + 1) << c->Kind();
        EXPECT_EQ(c->Top(), box.Top + 1) << c->Kind();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(c->Width(), box.Width() - 1) << c->Kind();
        EXPECT_EQ(c->Height(), box.Height() + 1) << c->Kind();
        EXPECT_EQ(QApplication::focusWidget(), eText);
        const QString before = c->Text();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        EXPECT_EQ(c->Text(), before + QStringLiteral("7")) << c->Kind();
    }
}

TEST_F(EditingCommands, FontForABarcodeKeepsOnlyTheTypeface) {
    auto* barcode = Add<TBarcodeLabel>();
    QFont big(QStringLiteral("Liberation Serif"), 20);
    big.setBold(true);
    W->UiServices().Font = [big](QWidget*, const QFont&) { return std::optional<QFont>(big); };
    W->Action("acSelectFont")->trigger();
    EXPECT_EQ(barcode->Font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(barcode->Font().pointSize(), 8);
    EXPECT_FALSE(barcode->Font().bold());
    EXPECT_EQ(barcode->FontColor(), clBlack);
    // Without a selection the font is for the next text controls.
    D().SelectNone();
    W->Action("acSelectFont")->trigger();
    EXPECT_EQ(W->DefaultFont().pointSize(), 20);
    EXPECT_EQ(W->findChild<QLabel*>("pFont")->text(), QStringLiteral("Liberation Serif [20pt]"));
    Place("acAddText", QPoint(80, 30));
    EXPECT_EQ(D().Selection()->Font().pointSize(), 20);
}

TEST_F(EditingCommands, EditTextKeepsLineBreaksForFormattedText) {
    auto* memo = Add<TMemoLabel>();
    W->UiServices().Run = [](QDialog& d) {
        d.findChild<QPlainTextEdit*>("Memo1")->setPlainText(QStringLiteral("one\ntwo\nthree"));
        return int(QDialog::Accepted);
    };
    W->Action("acEditText")->trigger();
    EXPECT_EQ(memo->Text(), QStringLiteral("one\ntwo\nthree"));
    // A text control takes the first line only.
    auto* text = Add<TTextLabel>(QPoint(60, 10));
    W->EditText();
    EXPECT_EQ(text->Text(), QStringLiteral("one"));
    EXPECT_EQ(W->findChild<QLineEdit*>("eText")->text(), QStringLiteral("one"));
}

TEST_F(EditingCommands, DoubleClickByKind) {
    auto* shape = Add<TShapeLabel>();
    W->EditSelected();
    EXPECT_TRUE(FileDialogs.isEmpty()) << "a shape does nothing";
    Add<TGraphicLabel>(QPoint(60, 10));
    W->EditSelected();
    EXPECT_EQ(FileDialogs, QStringList({"Import Image"}));
    (void)shape;
    auto* text = Add<TTextLabel>(QPoint(20, 50));
    text->SetText(QStringLiteral("Type over"));
    W->RefreshSelectionUI();
    W->EditSelected();
    EXPECT_EQ(W->findChild<QLineEdit*>("eText")->selectedText(), QStringLiteral("Type over"));
}

TEST_F(EditingCommands, ContextMenuWithAttachHidden) {
    auto* menu = W->findChild<QMenu*>("LabelPopupMenu");
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, QStringList({"Bring to Front", "Send to Back", "-", "Horizontal Alignment",
                                  "Vertical Alignment", "-", "Attach To", "Rotate", "-",
                                  "Auto Resize", "Transparent"}));
    EXPECT_FALSE(menu->actions()[6]->isVisible());
}

TEST(CommandStates, TableBySelection) {
    TLabelDocument label;
    TShapeLabel shape;
    TGraphicLabel image;
    TTextLabel text;
    const TCommandStates none = CommandStatesFor(nullptr, false);
    EXPECT_FALSE(none.Stacking);
    EXPECT_TRUE(none.SelectFont);
    EXPECT_FALSE(none.RotateFocus);
    EXPECT_FALSE(none.TextBox);
    const TCommandStates onShape = CommandStatesFor(&shape, true);
    EXPECT_TRUE(onShape.Stacking);
    EXPECT_FALSE(onShape.AutoSize);
    EXPECT_FALSE(onShape.SelectFont);
    const TCommandStates onImage = CommandStatesFor(&image, true);
    EXPECT_TRUE(onImage.Image);
    EXPECT_TRUE(onImage.Transparent);
    EXPECT_TRUE(onImage.EditFields) << "its fields may name the record's picture";
    text.SetAdvanced(true);
    const TCommandStates advanced = CommandStatesFor(&text, true);
    EXPECT_FALSE(advanced.TextBox) << "an advanced control's text comes from its fields";
    EXPECT_TRUE(advanced.EditFields);
}

TEST(CommandStates, EachKindAllowsItsOwnCommands) {
    TBarcodeLabel barcode;
    TTextLabel text;
    TMemoLabel memo;
    TShapeLabel shape;
    TGraphicLabel image;
    const struct {
        TLabelControl* control;
        bool rotate, autoSize, transparent, editText, image, font, fields;
    } kinds[] = {
        {&barcode, true, true, false, false, false, true, true},
        {&text, true, true, true, false, false, true, true},
        {&memo, false, true, true, true, false, true, true},
        {&shape, false, false, false, false, false, false, false},
        {&image, false, false, true, false, true, false, true},
    };
    for (const auto& k : kinds) {
        const TCommandStates st = CommandStatesFor(k.control, true);
        const int kind = k.control->Kind();
        EXPECT_TRUE(st.Stacking) << kind;
        EXPECT_EQ(st.Rotate, k.rotate) << kind;
        EXPECT_EQ(st.AutoSize, k.autoSize) << kind;
        EXPECT_EQ(st.Transparent, k.transparent) << kind;
        EXPECT_EQ(st.EditText, k.editText) << kind;
        EXPECT_EQ(st.Image, k.image) << kind;
        EXPECT_EQ(st.SelectFont, k.font) << kind;
        EXPECT_EQ(st.EditFields, k.fields) << kind;
        EXPECT_EQ(st.TextBox, k.fields && !k.image) << kind;
    }
    // Alignment needs a box that does not follow its content, except for formatted text.
    barcode.SetAutoSizing(true);
    memo.SetAutoSizing(true);
    EXPECT_FALSE(CommandStatesFor(&barcode, true).Alignment);
    EXPECT_TRUE(CommandStatesFor(&memo, true).Alignment);
    barcode.SetAutoSizing(false);
    EXPECT_TRUE(CommandStatesFor(&barcode, true).Alignment);
    EXPECT_FALSE(CommandStatesFor(&shape, true).Alignment);
}
} // namespace

#include "app/FControlSettings.h"
#include "app/PaletteLists.h"

#include <QComboBox>

namespace {
TEST_F(EditingCommands, PaletteFollowsTheWindowAndItsChangesMarkTheLabel) {
    TFControlSettings& palette = W->Palette();
    EXPECT_TRUE(palette.isVisible()) << "shown with the window";
    EXPECT_TRUE(W->Action("acControlSettings")->isEnabled());
    W->Action("acControlSettings")->trigger();
    EXPECT_FALSE(palette.isVisible());
    W->Action("acControlSettings")->trigger();
    EXPECT_TRUE(palette.isVisible());

    // A new barcode takes the type last shown in the palette's list.
    auto* first = Add<TBarcodeLabel>();
    W->SetModified(false);
    auto* types = palette.findChild<QComboBox*>("cbBarcodeType");
    ASSERT_NE(types, nullptr);
    types->setCurrentIndex(BarcodeTypeToIndex(btEan13));
    EXPECT_EQ(first->BarcodeType(), btEan13);
    EXPECT_TRUE(W->Modified()) << "a palette change is a change to the label";
    D().SelectNone();
    Place("acAddBarcode", QPoint(100, 50));
    auto* added = dynamic_cast<TBarcodeLabel*>(D().Selection());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->BarcodeType(), btEan13);
}
} // namespace

#include "merge/AdvancedField.h"
#include "platform/Printer.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QPushButton>

namespace {
TEST_F(EditingCommands, PrintingFromTheWindowStepsTheCountersAndMarksTheLabel) {
    TPrinters::Select(TPdfPrinter::DefaultName());
    auto* text = Add<TTextLabel>();
    auto sequence = std::make_unique<TSequenceField>();
    sequence->CurrentValue = 7;
    text->Fields.push_back(std::move(sequence));
    text->SetAdvanced(true);
    W->SetModified(false);
    const QString pdf = Scratch.File("run.pdf");
    TPrintDialogServices& services = W->PrintDialog().PrintDialogServices();
    services.PdfFileName = [pdf](QWidget*, const QString&) { return pdf; };
    services.Error = [this](QWidget*, const QString& e) { Errors << e; };
    auto* ok = W->PrintDialog().findChild<QPushButton*>("OkayBtn");
    ASSERT_NE(ok, nullptr);
    QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection);
    W->Action("acPrint")->trigger();
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    const auto& counter = static_cast<const TSequenceField&>(*text->Fields[0]);
    EXPECT_GT(counter.CurrentValue, 7) << "the next run continues after this one";
    EXPECT_TRUE(W->Modified());
}
} // namespace

#include "merge/dialogs/FAdvanced.h"

namespace {
TEST_F(EditingCommands, TheFieldEditorBuildsAnImageControlsFileName) {
    auto* image = Add<TGraphicLabel>();
    ASSERT_EQ(D().Selection(), image);
    EXPECT_TRUE(Enabled("acEditFields"));
    TFAdvanced& editor = W->AdvancedFieldEditor();
    bool shown = false;
    QMetaObject::invokeMethod(
        &editor,
        [&] {
            shown = editor.isVisible();
            editor.findChild<QAction*>("acAddText")->trigger();
            editor.findChild<QAction*>("acAddImport")->trigger();
            editor.accept();
        },
        Qt::QueuedConnection);
    W->Action("acEditFields")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(image->Advanced());
    ASSERT_EQ(image->Fields.size(), 2u);
    EXPECT_EQ(image->Fields[0]->FieldKind(), "TEXT");
    EXPECT_EQ(image->Fields[1]->FieldKind(), "FIELD");
    EXPECT_TRUE(W->Modified());

    W->Action("acUndo")->trigger();
    const TLabelControl& restored = *D().Controls()[0];
    EXPECT_FALSE(restored.Advanced());
    EXPECT_TRUE(restored.Fields.empty());
}
} // namespace
