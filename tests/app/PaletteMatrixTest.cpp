// The barcode page's options of the two-dimensional types: the five types after the eighteen,
// the options shown for the type that uses them, filled from the control and written back.

#include "PaletteTestSupport.h"

#include "barcode/BarcodeLabel.h"

#include <QComboBox>

class PaletteMatrixOptions : public PaletteFixture {
protected:
    void SetUp() override {
        barcode = AddBarcode();
        Select(barcode);
    }
    QComboBox* Types() { return Find<QComboBox>("cbBarcodeType"); }
    QComboBox* Ecc() { return Find<QComboBox>("cbQrEcc"); }
    QComboBox* Sizes() { return Find<QComboBox>("cbSymbolSize"); }
    TBarcodeLabel* barcode = nullptr;
};

TEST_F(PaletteMatrixOptions, TheFiveTypesFollowTheEighteen) {
    const QStringList expected = {"QR Code", "Data Matrix", "GS1 DataMatrix", "PDF417",
                                  "Aztec Code"};
    ASSERT_EQ(Types()->count(), 23);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Types()->itemText(18 + i), expected[i]);
    Types()->setCurrentIndex(22);
    EXPECT_EQ(barcode->BarcodeType(), btAztec);
    EXPECT_EQ(Edits, 1);
}

TEST_F(PaletteMatrixOptions, OnlyTheOptionsOfTheTypeShow) {
    struct {
        int index;
        bool ecc;
        bool size;
    } rows[] = {{0, false, false}, {18, true, true},   {19, false, true},
                {20, false, true}, {21, false, false}, {22, false, false}};
    for (const auto& row : rows) {
        Types()->setCurrentIndex(row.index);
        EXPECT_EQ(!Ecc()->isHidden(), row.ecc) << row.index;
        EXPECT_EQ(!Sizes()->isHidden(), row.size) << row.index;
    }
}

TEST_F(PaletteMatrixOptions, ChoicesReachTheControl) {
    Types()->setCurrentIndex(18);
    EXPECT_EQ(Ecc()->currentText(), "M") << "the default level";
    EXPECT_EQ(Sizes()->currentText(), "Automatic");
    EXPECT_EQ(Sizes()->count(), 41);
    EXPECT_EQ(Sizes()->itemText(3), "Version 3 (29 x 29)");
    const int before = Edits;
    Ecc()->setCurrentIndex(3);
    EXPECT_EQ(barcode->QrEcc(), qrEccH);
    Sizes()->setCurrentIndex(10);
    EXPECT_EQ(barcode->QrVersion(), 10);
    EXPECT_EQ(Edits, before + 2);

    Types()->setCurrentIndex(19);
    ASSERT_EQ(Sizes()->count(), 25);
    EXPECT_EQ(Sizes()->itemText(1), "10 x 10");
    EXPECT_EQ(Sizes()->currentText(), "Automatic") << "Data Matrix has its own size";
    Sizes()->setCurrentIndex(Sizes()->findText("24 x 24"));
    EXPECT_EQ(barcode->DataMatrixSize(), 24);
    EXPECT_EQ(barcode->QrVersion(), 10) << "the QR choice stays";
}

TEST_F(PaletteMatrixOptions, FilledFromTheSelectionWithoutWritingBack) {
    auto* qr = AddBarcode();
    qr->SetBarcodeType(btQrCode);
    qr->SetQrEcc(qrEccQ);
    qr->SetQrVersion(5);
    auto* dm = AddBarcode();
    dm->SetBarcodeType(btGs1DataMatrix);
    dm->SetDataMatrixSize(32);
    Select(qr);
    EXPECT_EQ(Ecc()->currentText(), "Q");
    EXPECT_EQ(Sizes()->currentText(), "Version 5 (37 x 37)");
    Select(dm);
    EXPECT_TRUE(Ecc()->isHidden());
    EXPECT_EQ(Sizes()->currentText(), "32 x 32");
    Select(qr);
    EXPECT_EQ(Sizes()->currentText(), "Version 5 (37 x 37)");
    EXPECT_EQ(Edits, 0);
    EXPECT_EQ(dm->DataMatrixSize(), 32);
    EXPECT_EQ(qr->QrEcc(), qrEccQ);
}
