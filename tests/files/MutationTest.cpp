#include "LabelMutations.h"
#include "LabelTestSupport.h"

#include <iostream>

namespace {
// How many damaged files each seed yields; VT_FUZZ_ITERATIONS runs longer campaigns.
int Iterations() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VT_FUZZ_ITERATIONS", &ok);
    return ok && n > 0 ? n : 1000;
}
} // namespace

class Mutation : public TLabelFileTest {
protected:
    // A label with every kind of control, advanced fields and two pictures, as saved bytes.
    QByteArray FullLabel() {
        TControlList controls;
        auto& barcode = Add<TBarcodeLabel>(controls);
        barcode.SetBarcodeType(btEan13);
        barcode.SetText("590123412345");
        auto& text = Add<TTextLabel>(controls);
        text.SetRotation(1);
        text.SetText(" spaced \\ text ");
        auto& memo = Add<TMemoLabel>(controls);
        memo.SetText("one\r\ntwo\r\n");
        memo.Fields.push_back(std::make_unique<TTextField>(QString("Lot ")));
        memo.Fields.push_back(std::make_unique<TImportedField>());
        memo.Fields.push_back(std::make_unique<TSequenceField>());
        memo.Fields.push_back(std::make_unique<TDateField>());
        memo.SetAdvanced(true);
        Add<TShapeLabel>(controls).SetShapeFormat(sfTriangle);
        const QString bmp = Scratch.File("seed.bmp");
        const QString jpg = Scratch.File("seed.jpg");
        TestPicture().save(bmp, "BMP");
        TestPicture(8, 8).save(jpg, "JPG");
        ImportPicture(Add<TGraphicLabel>(controls), bmp);
        ImportPicture(Add<TGraphicLabel>(controls), jpg);
        const QString path = Scratch.File("seed.lbl");
        WriteLabelDocument(path, TSheetSettings{}, true, controls);
        return ReadBytes(path);
    }

    // Reads damaged bytes; every outcome but a user error or a label is a failure. A label read
    // must also save and read again with the same controls.
    void Exercise(const QByteArray& bytes, int& accepted) {
        const QString path = Scratch.File("mutant.lbl");
        ASSERT_TRUE(WriteBytes(path, bytes));
        try {
            const TLabelContents doc = ReadLabelDocument(path);
            for (const auto& c : doc.Controls) {
                (void)c->GetText();
                (void)c->GetDisplayText();
            }
            const QString again = Scratch.File("mutant-again.lbl");
            WriteLabelDocument(again, doc.Sheet, doc.ShowGrid, doc.Controls);
            EXPECT_EQ(ReadLabelDocument(again).Controls.size(), doc.Controls.size());
            ++accepted;
        } catch (const TUserError& e) {
            EXPECT_FALSE(e.Message().isEmpty());
        }
    }
};

TEST_F(Mutation, DamagedLabelFilesNeverCrashNorLeak) {
    const QByteArray seeds[] = {
        FullLabel(),
        ReadBytes(TestDataPath("files/plain-label/label.lbl")),
        ReadBytes(TestDataPath("files/golden-description.txt")),
    };
    // A starting corpus for the libFuzzer target, on request.
    if (const QString dir = qEnvironmentVariable("VT_FUZZ_SEED_DIR"); !dir.isEmpty())
        for (size_t i = 0; i < std::size(seeds); ++i)
            WriteBytes(QDir(dir).filePath(QString("seed%1.lbl").arg(i)), seeds[i]);
    const QStringList before = TempFolderEntries();
    TLabelMutator mutator(20261207);
    int runs = 0, accepted = 0;
    for (const QByteArray& seed : seeds) {
        ASSERT_FALSE(seed.isEmpty());
        for (int i = 0; i < Iterations(); ++i, ++runs) {
            Exercise(mutator.Mutate(seed), accepted);
            if (HasFatalFailure())
                return;
        }
    }
    EXPECT_EQ(TempFolderEntries(), before);
    RecordProperty("inputs", runs);
    RecordProperty("accepted", accepted);
    std::cout << "[ mutation ] " << runs << " damaged label files read, " << accepted
              << " of them opened\n";
}
