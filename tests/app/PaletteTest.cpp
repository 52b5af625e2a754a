// The palette following the selection and changing the selected control, driven through its
// widgets.
#include "PaletteTestSupport.h"
#include "app/UpDownButton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {
enum { kCommon, kBarcode, kShape, kImage };

QColor SwatchColour(QFrame* swatch) {
    return swatch->palette().color(QPalette::Window);
}

// Types into a field as the user would and leaves it with Tab... or Enter.
void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}
} // namespace

class PaletteSelection : public PaletteFixture {
protected:
    QTabWidget* Pages() { return Find<QTabWidget>("PageControl"); }
    bool Shown(int page) { return Pages()->isTabVisible(page); }
};

TEST_F(PaletteSelection, OnlyThePagesOfTheSelectedKindShow) {
    TBarcodeLabel* barcode = AddBarcode();
    TShapeLabel* shape = AddShape();
    TGraphicLabel* image = AddImage();
    TTextLabel* text = AddText();
    auto* rotation = Find<QGroupBox>("gbRotation");

    Select(nullptr);
    EXPECT_TRUE(Shown(kCommon));
    EXPECT_FALSE(Shown(kBarcode) || Shown(kShape) || Shown(kImage));
    EXPECT_FALSE(rotation->isEnabled());

    Select(barcode);
    EXPECT_TRUE(Shown(kBarcode));
    EXPECT_FALSE(Shown(kShape) || Shown(kImage));
    EXPECT_TRUE(rotation->isEnabled());
    EXPECT_EQ(Pages()->currentIndex(), kBarcode);

    Select(shape);
    EXPECT_TRUE(Shown(kShape));
    EXPECT_FALSE(Shown(kBarcode) || Shown(kImage));
    EXPECT_FALSE(rotation->isEnabled());
    EXPECT_EQ(Pages()->currentIndex(), kShape);

    Select(image);
    EXPECT_TRUE(Shown(kImage));
    EXPECT_FALSE(Shown(kBarcode) || Shown(kShape));
    EXPECT_EQ(Pages()->currentIndex(), kImage);

    Select(text);
    EXPECT_FALSE(Shown(kBarcode) || Shown(kShape) || Shown(kImage));
    EXPECT_TRUE(rotation->isEnabled());
    EXPECT_EQ(Pages()->currentIndex(), kCommon);
    EXPECT_EQ(Edits, 0) << "following the selection changes nothing";
}

TEST_F(PaletteSelection, AnotherControlComesToTheFrontTheSameOneKeepsTheUsersPage) {
    TBarcodeLabel* first = AddBarcode();
    TBarcodeLabel* second = AddBarcode();
    Select(first);
    ASSERT_EQ(Pages()->currentIndex(), kBarcode);
    Pages()->setCurrentIndex(kCommon); // the user looks at Common
    Select(first);
    EXPECT_EQ(Pages()->currentIndex(), kCommon) << "reselecting the same barcode";
    Select(nullptr);
    Select(first);
    EXPECT_EQ(Pages()->currentIndex(), kCommon) << "a pause with nothing selected changes nothing";
    Select(second);
    EXPECT_EQ(Pages()->currentIndex(), kBarcode);
}

TEST_F(PaletteSelection, ShowingThePaletteBringsCommonToTheFront) {
    Select(AddBarcode());
    ASSERT_EQ(Pages()->currentIndex(), kBarcode);
    Palette().hide();
    Palette().show();
    EXPECT_EQ(Pages()->currentIndex(), kCommon);
}

TEST_F(PaletteSelection, CommonButtonsShowTheControlAndInvokeTheActions) {
    TTextLabel* text = AddText();
    text->SetTransparency(true);
    text->SetAutoSizing(false);
    text->SetRotation(2);
    Select(text);
    auto* transparent = Find<QToolButton>("sbTransparent");
    auto* autoSize = Find<QToolButton>("sbAutoSize");
    EXPECT_TRUE(transparent->isChecked());
    EXPECT_FALSE(autoSize->isChecked());
    EXPECT_TRUE(Find<QToolButton>("sbRotate180")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbNoRotation")->isChecked());

    QTest::mouseClick(Find<QToolButton>("sbBringToFront"), Qt::LeftButton);
    QTest::mouseClick(Find<QToolButton>("sbSendToBack"), Qt::LeftButton);
    QTest::mouseClick(autoSize, Qt::LeftButton);
    EXPECT_EQ(Triggered, (QList<QAction*>{&BringToFront, &SendToBack, &AutoSize}));
    EXPECT_TRUE(autoSize->isChecked()) << "pressed while its action is checked";
    AutoSize.setChecked(false);
    EXPECT_FALSE(autoSize->isChecked());
    Transparent.setEnabled(false);
    EXPECT_FALSE(transparent->isEnabled()) << "enabled with its action";
    EXPECT_EQ(Find<QToolButton>("sbBringToFront")->toolTip(), BringToFront.toolTip());
    EXPECT_EQ(Edits, 0) << "the main window's commands report their own changes";
}

TEST_F(PaletteSelection, RotationButtonsRotateBarcodesAndTexts) {
    TTextLabel* text = AddText();
    Select(text);
    QTest::mouseClick(Find<QToolButton>("sbRotate90"), Qt::LeftButton);
    EXPECT_EQ(text->Rotation(), 1);
    EXPECT_EQ(Edits, 1);
    QTest::mouseClick(Find<QToolButton>("sbRotate90"), Qt::LeftButton);
    EXPECT_EQ(Edits, 1) << "no change, no edit";
    // The main window rotated it: the buttons follow.
    text->SetRotation(3);
    Palette().ReflectRotation();
    EXPECT_TRUE(Find<QToolButton>("sbRotate270")->isChecked());
    EXPECT_EQ(Find<QToolButton>("sbRotate270")->toolTip(), "Rotate Control 270\u00b0");

    Select(AddShape());
    QTest::mouseClick(Find<QToolButton>("sbNoRotation"), Qt::LeftButton);
    EXPECT_EQ(Edits, 1) << "a shape does not rotate";
}

// --- Barcode page ----------------------------------------------------------------------------

class PaletteBarcodePage : public PaletteFixture {
protected:
    void SetUp() override {
        barcode = AddBarcode();
        barcode->SetAutoScale(false);
        barcode->SetNarrowBarWidth(10);
        Select(barcode);
    }
    QLineEdit* Width() { return Find<QLineEdit>("eNBW"); }
    void StepUp() {
        QTest::mouseClick(Find<TUpDownButton>("sbBarWidth")->UpButton(), Qt::LeftButton);
    }
    void StepDown() {
        QTest::mouseClick(Find<TUpDownButton>("sbBarWidth")->DownButton(), Qt::LeftButton);
    }
    TBarcodeLabel* barcode = nullptr;
};

TEST_F(PaletteBarcodePage, FilledFromTheBarcode) {
    EXPECT_EQ(Width()->text(), "10.0");
    EXPECT_EQ(Find<QLabel>("LScale")->text(), "mils");
    EXPECT_TRUE(Find<QRadioButton>("rbCustom")->isChecked());
    EXPECT_TRUE(Width()->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>("cbInterpret")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbBarcodeType")->currentIndex(), 0);

    auto* other = AddBarcode();
    other->SetBarcodeType(btUpcE);
    other->SetInterpret(false);
    Select(other);
    EXPECT_EQ(Find<QComboBox>("cbBarcodeType")->currentText(), "UPC E");
    EXPECT_EQ(Palette().CurrentBarcodeType(), btUpcE) << "what new barcodes get";
    EXPECT_TRUE(Find<QRadioButton>("rbAutoSize")->isChecked());
    EXPECT_FALSE(Width()->isEnabled());
    EXPECT_FALSE(Find<QLabel>("LScale")->isEnabled());
    EXPECT_FALSE(Find<TUpDownButton>("sbBarWidth")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>("cbInterpret")->isChecked());
    EXPECT_EQ(Edits, 0);
}

TEST_F(PaletteBarcodePage, StepsInPrinterDotsAt600DotsPerInch) {
    StepUp();
    EXPECT_EQ(Width()->text(), "11.667");
    EXPECT_NEAR(barcode->NarrowBarWidth(), 11.667, 1e-9);
    EXPECT_EQ(Edits, 1);
    Width()->setText("10");
    StepDown();
    EXPECT_EQ(Width()->text(), "8.333");
    EXPECT_NEAR(barcode->NarrowBarWidth(), 8.333, 1e-9);
    EXPECT_EQ(Edits, 2);
}

TEST_F(PaletteBarcodePage, StepsFollowThePrinterResolution) {
    printer.PixelsPerInchX = 300; // 10 mils = 3 dots
    StepUp();
    EXPECT_EQ(Width()->text(), "13.333");
}

TEST_F(PaletteBarcodePage, MetricShowsMillimetres) {
    view.MetricGrid = true;
    Select(barcode);
    EXPECT_EQ(Width()->text(), "0.254");
    EXPECT_EQ(Find<QLabel>("LScale")->text(), "mm");
    StepUp();
    EXPECT_EQ(Width()->text(), "0.296");
    EXPECT_NEAR(barcode->NarrowBarWidth(), 0.296 / 0.0254, 1e-9) << "stored in mils";
}

TEST_F(PaletteBarcodePage, TypedWidthAppliesOnEnterAndOnLeaving) {
    Type(Width(), "12a.5");
    EXPECT_EQ(Width()->text(), "12.5") << "the letter is not accepted";
    QTest::keyClick(Width(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(barcode->NarrowBarWidth(), 12.5);
    EXPECT_EQ(Edits, 1);

    Type(Width(), "15");
    Find<QComboBox>("cbBarcodeType")->setFocus(); // leaving the field
    EXPECT_DOUBLE_EQ(barcode->NarrowBarWidth(), 15.0);
    EXPECT_EQ(Edits, 2);
}

TEST_F(PaletteBarcodePage, NoNumberFallsBackToTenMilsInWholeDots) {
    Width()->setText(".");
    Palette().ApplyNarrowBarWidth();
    EXPECT_EQ(Width()->text(), "10.0") << "6 dots at 600 dpi are exactly 10 mils";
    EXPECT_DOUBLE_EQ(barcode->NarrowBarWidth(), 10.0);
    EXPECT_EQ(Edits, 0) << "already 10 mils";
}

TEST_F(PaletteBarcodePage, TypeListChangesTheTypeAndAsksForTheTextAgain) {
    QList<TLabelControl*> recheck;
    QObject::connect(&Palette(), &TFControlSettings::BarcodeTypeChanged,
                     [&](TLabelControl* c) { recheck << c; });
    auto* types = Find<QComboBox>("cbBarcodeType");
    types->setCurrentIndex(7);
    EXPECT_EQ(barcode->BarcodeType(), btEan13);
    EXPECT_EQ(recheck, QList<TLabelControl*>{barcode});
    EXPECT_EQ(Edits, 1);
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(barcode->BarcodeType(), btEan8);
    EXPECT_EQ(Edits, 2);
}

TEST_F(PaletteBarcodePage, InterpretationAndWidthMode) {
    Click(Find<QCheckBox>("cbInterpret"));
    EXPECT_FALSE(barcode->Interpret());
    EXPECT_EQ(Edits, 1);
    const QPalette& colours = QApplication::palette();
    ASSERT_NE(colours.color(QPalette::Window), colours.color(QPalette::Base));
    Click(Find<QRadioButton>("rbAutoSize"));
    EXPECT_TRUE(barcode->AutoScale());
    EXPECT_FALSE(Width()->isEnabled());
    EXPECT_EQ(Width()->palette().color(QPalette::Base), colours.color(QPalette::Window))
        << "greyed while the standard width applies";
    EXPECT_EQ(Edits, 2);
    Click(Find<QRadioButton>("rbCustom"));
    EXPECT_FALSE(barcode->AutoScale());
    EXPECT_TRUE(Width()->isEnabled());
    EXPECT_EQ(Width()->palette().color(QPalette::Base), colours.color(QPalette::Base));
    EXPECT_EQ(Edits, 3);
}

TEST_F(PaletteBarcodePage, CommandsForAnotherKindDoNothing) {
    TShapeLabel* shape = AddShape();
    Select(shape);
    Width()->setText("20");
    Palette().ApplyNarrowBarWidth();
    EXPECT_DOUBLE_EQ(barcode->NarrowBarWidth(), 10.0);
    Find<QComboBox>("cbBarcodeType")->setCurrentIndex(3);
    EXPECT_EQ(barcode->BarcodeType(), btCode128);
    EXPECT_EQ(Edits, 0);
}

TEST_F(PaletteBarcodePage, ADeletedSelectionIsLeftAlone) {
    label.DeleteSelected(); // the barcode, without the palette being told
    Width()->setText("20");
    Palette().ApplyNarrowBarWidth();
    EXPECT_EQ(Edits, 0);
}

// --- Shape page ------------------------------------------------------------------------------

class PaletteShapePage : public PaletteFixture {
protected:
    void SetUp() override {
        shape = AddShape();
        Select(shape);
    }
    TShapeLabel* shape = nullptr;
};

TEST_F(PaletteShapePage, FilledFromTheShape) {
    shape->SetShapeFormat(sfTriangle);
    shape->SetPenWidth(4);
    shape->SetBrushStyle(bsCross);
    shape->SetPenColor(0x0000FF); // red, as 0x00BBGGRR
    shape->SetBrushColor(0xFF0000);
    Select(shape);
    EXPECT_TRUE(Find<QToolButton>("sbTriangle")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbPenSize")->currentIndex(), 3);
    EXPECT_EQ(Find<QComboBox>("cbBrushStyle")->currentIndex(), 6);
    EXPECT_EQ(SwatchColour(Find<QFrame>("pLine")), QColor(Qt::red));
    EXPECT_EQ(SwatchColour(Find<QFrame>("pFill")), QColor(Qt::blue));
    EXPECT_EQ(Edits, 0);
}

TEST_F(PaletteShapePage, ButtonsAndListsChangeTheShape) {
    QTest::mouseClick(Find<QToolButton>("sbEllipse"), Qt::LeftButton);
    EXPECT_EQ(shape->ShapeFormat(), sfEllipse);
    QTest::mouseClick(Find<QToolButton>("sbEllipse"), Qt::LeftButton);
    EXPECT_EQ(Edits, 1) << "the same shape again changes nothing";
    QTest::mouseClick(Find<QToolButton>("sbVerticalLine"), Qt::LeftButton);
    EXPECT_EQ(shape->ShapeFormat(), sfVerticalLine);

    Find<QComboBox>("cbPenSize")->setCurrentIndex(8);
    EXPECT_EQ(shape->PenWidth(), 9);
    QTest::keyClick(Find<QComboBox>("cbBrushStyle"), Qt::Key_Down);
    EXPECT_EQ(shape->BrushStyle(), bsClear);
    EXPECT_EQ(Edits, 4);
}

TEST_F(PaletteShapePage, ColoursComeFromTheDialog) {
    Colours.push_back(QColor(0, 128, 255));
    QTest::mouseClick(Find<QPushButton>("sbLineColor"), Qt::LeftButton);
    EXPECT_EQ(DialogStarts, QList<QColor>{QColor(Qt::black)}) << "starts with the swatch";
    EXPECT_EQ(shape->PenColor(), 0xFF8000u);
    EXPECT_EQ(SwatchColour(Find<QFrame>("pLine")), QColor(0, 128, 255));
    EXPECT_EQ(Edits, 1);

    QTest::mouseClick(Find<QPushButton>("sbFillColor"), Qt::LeftButton); // cancelled
    EXPECT_EQ(shape->BrushColor(), clWhite);
    EXPECT_EQ(Edits, 1);
    Colours.push_back(Qt::yellow);
    QTest::mouseClick(Find<QPushButton>("sbFillColor"), Qt::LeftButton);
    EXPECT_EQ(shape->BrushColor(), 0x00FFFFu);
    EXPECT_EQ(SwatchColour(Find<QFrame>("pFill")), QColor(Qt::yellow));
    EXPECT_EQ(Edits, 2);
}

TEST_F(PaletteShapePage, PenWidthOutsideTheListShowsNoEntry) {
    shape->SetPenWidth(12);
    Select(shape);
    EXPECT_EQ(Find<QComboBox>("cbPenSize")->currentIndex(), -1);
    EXPECT_EQ(shape->PenWidth(), 12) << "showing it does not change it";
}

// --- Image page ------------------------------------------------------------------------------

class PaletteImagePage : public PaletteFixture {
protected:
    void SetUp() override {
        image = AddImage();
        image->SetKeepAspect(false);
        Select(image);
    }
    QLineEdit* ScaleH() { return Find<QLineEdit>("eScaleH"); }
    QLineEdit* ScaleW() { return Find<QLineEdit>("eScaleW"); }
    // Types into a scale field and leaves it for the other one.
    void Enter(QLineEdit* field, const char* text) {
        Type(field, QLatin1String(text));
        (field == ScaleH() ? ScaleW() : ScaleH())->setFocus();
    }
    TGraphicLabel* image = nullptr;
};

TEST_F(PaletteImagePage, ShowsSizeAndScale) {
    EXPECT_EQ(ScaleH()->text(), "50.0");
    EXPECT_EQ(ScaleW()->text(), "50.0");
    EXPECT_EQ(Find<QLabel>("LImageHeight")->text(), "0.521 inches");
    EXPECT_EQ(Find<QLabel>("LImageWidth")->text(), "1.042 inches");
    EXPECT_FALSE(Find<QCheckBox>("cbMaintainAspect")->isChecked());
    EXPECT_FALSE(MaintainAspect.isChecked()) << "the action agrees with the image";
    view.MetricGrid = true;
    Palette().ImageSizeDisplay();
    EXPECT_EQ(Find<QLabel>("LImageHeight")->text(), "1.323 cm");
}

TEST_F(PaletteImagePage, LeavingAScaleFieldResizesTheImage) {
    Enter(ScaleW(), "150");
    EXPECT_EQ(image->Width(), 300) << "150 % of 200";
    EXPECT_EQ(image->Height(), 50);
    EXPECT_EQ(image->Left(), 200);
    EXPECT_EQ(image->Top(), 100);
    EXPECT_EQ(Edits, 1);
    Palette().ImageSizeDisplay(); // as the main window does when the image moved
    EXPECT_EQ(ScaleW()->text(), "150.0");
}

TEST_F(PaletteImagePage, RefusedWidthsAndAcceptedZeroHeight) {
    for (const char* refused : {"0", "10000"}) {
        Enter(ScaleW(), refused);
        EXPECT_EQ(ScaleW()->text(), "50.0") << refused;
        EXPECT_EQ(image->Width(), 100) << refused;
    }
    EXPECT_EQ(Edits, 0);
    Enter(ScaleH(), "0");
    EXPECT_EQ(ScaleH()->text(), "0.0");
    EXPECT_EQ(image->Height(), image->MinHeight()) << "0 % passes; the minimum height applies";
    EXPECT_EQ(Edits, 1);
}

TEST_F(PaletteImagePage, MaintainAspectRatioHalvesBoth) {
    image->SetKeepAspect(true);
    image->SetBox(TRect::FromBox(200, 100, 200, 100), true); // 100 %
    Select(image);
    EXPECT_TRUE(Find<QCheckBox>("cbMaintainAspect")->isChecked());
    Enter(ScaleW(), "50");
    EXPECT_EQ(image->Width(), 100);
    EXPECT_EQ(image->Height(), 50);
}

TEST_F(PaletteImagePage, EnterAppliesAndSelectsTheField) {
    Type(ScaleH(), "80");
    QTest::keyClick(ScaleH(), Qt::Key_Return);
    EXPECT_EQ(image->Height(), 80);
    EXPECT_EQ(ScaleH()->selectedText(), "80.0");
    EXPECT_EQ(Edits, 1);
    ScaleW()->setFocus(); // leaving after Enter applies nothing new
    EXPECT_EQ(Edits, 1);
}

TEST_F(PaletteImagePage, ButtonsInvokeTheMainWindowsCommands) {
    QTest::mouseClick(Find<QPushButton>("sbImportImage"), Qt::LeftButton);
    Click(Find<QCheckBox>("cbMaintainAspect"));
    EXPECT_EQ(Triggered, (QList<QAction*>{&ImportImage, &MaintainAspect}));
    EXPECT_TRUE(MaintainAspect.isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbMaintainAspect")->isChecked());
}

TEST(PaletteWithoutActions, ButtonsWithoutActionsAreDisabled) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("prefs.ini"));
    TFControlSettings palette(TPaletteHost{}, store);
    EXPECT_FALSE(palette.findChild<QToolButton*>("sbBringToFront")->isEnabled());
    EXPECT_FALSE(palette.findChild<QPushButton*>("sbImportImage")->isEnabled());
    palette.FollowSelection(nullptr);
    palette.DockPalette(); // no window to dock against
    EXPECT_EQ(palette.CurrentBarcodeType(), btCode128);
}
