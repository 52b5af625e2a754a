// The two-dimensional types and their options in label files: every option written and read
// back under its own key, none of them in the sections of linear barcodes, defaults for files
// written before the keys existed, and values out of range read as automatic.

#include "LabelTestSupport.h"

namespace {

class MatrixOptionsFile : public TLabelFileTest {
protected:
    TBarcodeLabel& AddBarcode(TControlList& list, TBarcodeType type) {
        auto& c = Add<TBarcodeLabel>(list);
        c.SetBarcodeType(type);
        c.SetText(QStringLiteral("HELLO 2D"));
        return c;
    }
    const TBarcodeLabel& Read(const TLabelContents& doc) {
        return dynamic_cast<const TBarcodeLabel&>(*doc.Controls.front());
    }
    // A plain description (the form older labels have) with one barcode section.
    TLabelContents ReadPlain(const QString& barcodeKeys) {
        const QString path = Scratch.File("plain.lbl");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nCONTROLS=1\r\n[CNT_1]\r\n"
                               "TYPE=BARCODE\r\n%1TOP=0.1\r\nLEFT=0.1\r\nWIDTH=1\r\nHEIGHT=0.5\r\n"
                               "TEXT=ABC\r\n")
                    .arg(barcodeKeys)
                    .toLatin1());
        f.close();
        return ReadLabelDocument(path);
    }
};

TEST_F(MatrixOptionsFile, EveryOptionRoundTrips) {
    for (uint8_t ecc = qrEccL; ecc <= qrEccH; ++ecc)
        for (uint8_t version : {0, 1, 17, 40}) {
            TControlList saved;
            TBarcodeLabel& c = AddBarcode(saved, btQrCode);
            c.SetQrEcc(ecc);
            c.SetQrVersion(version);
            c.SetInterpret(false);
            const TBarcodeLabel& read = Read(RoundTrip(saved));
            EXPECT_EQ(read.BarcodeType(), btQrCode);
            EXPECT_EQ(read.QrEcc(), ecc);
            EXPECT_EQ(read.QrVersion(), version);
            EXPECT_FALSE(read.Interpret());
        }
    for (TBarcodeType type : {btDataMatrix, btGs1DataMatrix})
        for (int side : {0, 10, 24, 52, 144}) {
            TControlList saved;
            AddBarcode(saved, type).SetDataMatrixSize(uint8_t(side));
            const TBarcodeLabel& read = Read(RoundTrip(saved));
            EXPECT_EQ(read.BarcodeType(), type);
            EXPECT_EQ(read.DataMatrixSize(), side);
        }
    for (TBarcodeType type : {btPdf417, btAztec}) {
        TControlList saved;
        AddBarcode(saved, type).SetRotation(3);
        const TBarcodeLabel& read = Read(RoundTrip(saved));
        EXPECT_EQ(read.BarcodeType(), type);
        EXPECT_EQ(read.Rotation(), 3);
    }
}

TEST_F(MatrixOptionsFile, KeysOnlyWhereTheTypeUsesThem) {
    const struct {
        TBarcodeType type;
        QStringList present;
        QStringList absent;
    } rows[] = {
        {btCode128, {}, {"QRECC", "QRVERSION", "DMSIZE"}},
        {btCode39Mod10, {}, {"QRECC", "QRVERSION", "DMSIZE"}},
        {btQrCode, {"QRECC", "QRVERSION"}, {"DMSIZE"}},
        {btDataMatrix, {"DMSIZE"}, {"QRECC", "QRVERSION"}},
        {btGs1DataMatrix, {"DMSIZE"}, {"QRECC", "QRVERSION"}},
        {btPdf417, {}, {"QRECC", "QRVERSION", "DMSIZE"}},
        {btAztec, {}, {"QRECC", "QRVERSION", "DMSIZE"}},
    };
    for (const auto& row : rows) {
        TControlList saved;
        AddBarcode(saved, row.type);
        const TIniFile ini = SavedDescription(saved);
        EXPECT_EQ(ini.ReadInteger("CNT_1", "BCTYPE", -1), row.type);
        for (const QString& key : row.present)
            EXPECT_TRUE(ini.ValueExists("CNT_1", key)) << int(row.type) << key.toStdString();
        for (const QString& key : row.absent)
            EXPECT_FALSE(ini.ValueExists("CNT_1", key)) << int(row.type) << key.toStdString();
    }
}

TEST_F(MatrixOptionsFile, OlderFilesAndBadValues) {
    const TBarcodeLabel& old = Read(ReadPlain(QStringLiteral("BCTYPE=18\r\n")));
    EXPECT_EQ(old.BarcodeType(), btQrCode);
    EXPECT_EQ(old.QrEcc(), qrEccM);
    EXPECT_EQ(old.QrVersion(), 0);
    EXPECT_EQ(old.DataMatrixSize(), 0);
    const TBarcodeLabel& bad =
        Read(ReadPlain(QStringLiteral("BCTYPE=19\r\nQRECC=7\r\nQRVERSION=41\r\nDMSIZE=11\r\n")));
    EXPECT_EQ(bad.QrEcc(), qrEccM);
    EXPECT_EQ(bad.QrVersion(), 0);
    EXPECT_EQ(bad.DataMatrixSize(), 0) << "11 is no Data Matrix size";
    EXPECT_EQ(Read(ReadPlain(QStringLiteral("BCTYPE=20\r\nDMSIZE=26\r\n"))).DataMatrixSize(), 26);
}

} // namespace
