#include "LabelTestSupport.h"
#include "document/Jpeg.h"
#include "files/ControlKinds.h"

#include <QFileInfo>

#include <functional>

namespace {
QFont Font(const char* family, int size, bool bold = false, bool italic = false,
           bool underline = false, bool strikeOut = false) {
    QFont f(family);
    f.setPointSize(size);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

void SetCommon(TLabelControl& c, TRect box, uint8_t rotation, uint8_t h, uint8_t v,
               const QFont& font, TColor colour, int32_t charset, bool autoSize, bool transparent) {
    c.SetBox(box, true);
    c.SetRotation(rotation);
    c.SetHAlign(h);
    c.SetVAlign(v);
    c.SetFont(font);
    c.SetFontColor(colour);
    c.SetFontCharset(charset);
    c.SetAutoSizing(autoSize);
    c.SetTransparency(transparent);
}

TFieldList EveryElementKind() {
    TFieldList fields;
    fields.push_back(std::make_unique<TTextField>(QString(" No. \\ ")));
    auto field = std::make_unique<TImportedField>();
    field->FieldNumber = 3;
    field->MinSize = 6;
    field->PadChar = '*';
    field->PadLeft = true;
    fields.push_back(std::move(field));
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 41;
    seq->MinValue = -5;
    seq->MaxValue = 120;
    seq->MinSize = 4;
    seq->ResetOnPrint = true;
    fields.push_back(std::move(seq));
    auto date = std::make_unique<TDateField>();
    date->DateFormat = "'year' yyyy";
    fields.push_back(std::move(date));
    auto noPad = std::make_unique<TImportedField>();
    noPad->PadChar = 0;
    fields.push_back(std::move(noPad));
    return fields;
}

void ExpectSameControl(const TLabelControl& a, const TLabelControl& b) {
    EXPECT_EQ(a.Kind(), b.Kind());
    EXPECT_EQ(a.Box(), b.Box());
    EXPECT_EQ(a.Rotation(), b.Rotation());
    EXPECT_EQ(a.HAlign(), b.HAlign());
    EXPECT_EQ(a.VAlign(), b.VAlign());
    EXPECT_EQ(a.AutoSize(), b.AutoSize());
    EXPECT_EQ(a.Transparent(), b.Transparent());
    EXPECT_EQ(a.Font().family(), b.Font().family());
    EXPECT_EQ(a.Font().pointSize(), b.Font().pointSize());
    EXPECT_EQ(a.Font().bold(), b.Font().bold());
    EXPECT_EQ(a.Font().italic(), b.Font().italic());
    EXPECT_EQ(a.Font().underline(), b.Font().underline());
    EXPECT_EQ(a.Font().strikeOut(), b.Font().strikeOut());
    EXPECT_EQ(a.FontColor(), b.FontColor());
    EXPECT_EQ(a.FontCharset(), b.FontCharset());
    EXPECT_EQ(a.GetText(), b.GetText());
    EXPECT_EQ(a.Advanced(), b.Advanced());
    EXPECT_EQ(FieldSignatures(a.Fields), FieldSignatures(b.Fields));
    EXPECT_EQ(b.Attach(), atNone); // docking is not read back
    EXPECT_TRUE(b.Loading());

    if (const auto* x = dynamic_cast<const TBarcodeLabel*>(&a)) {
        const auto& y = dynamic_cast<const TBarcodeLabel&>(b);
        EXPECT_EQ(x->BarcodeType(), y.BarcodeType());
        EXPECT_EQ(x->NarrowBarWidth(), y.NarrowBarWidth());
        EXPECT_EQ(x->Interpret(), y.Interpret());
        EXPECT_EQ(x->AutoScale(), y.AutoScale());
    }
    if (const auto* x = dynamic_cast<const TShapeLabel*>(&a)) {
        const auto& y = dynamic_cast<const TShapeLabel&>(b);
        EXPECT_EQ(x->ShapeFormat(), y.ShapeFormat());
        EXPECT_EQ(x->PenWidth(), y.PenWidth());
        EXPECT_EQ(x->PenColor(), y.PenColor());
        EXPECT_EQ(x->BrushStyle(), y.BrushStyle());
        EXPECT_EQ(x->BrushColor(), y.BrushColor());
    }
    if (const auto* x = dynamic_cast<const TGraphicLabel*>(&a)) {
        const auto& y = dynamic_cast<const TGraphicLabel&>(b);
        EXPECT_EQ(x->KeepAspect(), y.KeepAspect());
        EXPECT_EQ(x->Picture(), y.Picture());
        EXPECT_EQ(x->ImageFile().isEmpty(), y.ImageFile().isEmpty());
        EXPECT_NE(x->ImageFile(), y.ImageFile()); // each has a private file of its own
    }
}

struct TKindRow {
    const char* Name;
    std::function<void(TControlList&, TScratchFolder&)> Build;
};

// One row per kind, every stored property away from its default; advanced rows for the three
// kinds that can have advanced fields.
const TKindRow kKindRows[] = {
    {"barcode",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TBarcodeLabel>(list);
         c.SetBarcodeType(btEan128);
         c.SetNarrowBarWidth(13.5);
         c.SetInterpret(false);
         c.SetAutoScale(false);
         SetCommon(c, TRect::FromBox(30, 40, 200, 80), 2, haRight, vaBottom,
                   Font("Arial", 11, true, true, true, true), 0x336699, 0, false, true);
         c.SetText("(01)12345");
     }},
    {"text",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TTextLabel>(list);
         SetCommon(c, TRect::FromBox(5, 7, 90, 33), 3, haCenter, vaCenter,
                   Font("Times New Roman", 14, false, true), 0x0000FF, 238, true, false);
         c.SetText(" lead and trail \\ ");
     }},
    {"memo",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TMemoLabel>(list);
         SetCommon(c, TRect::FromBox(11, 13, 150, 90), 0, haCenter, vaCenter,
                   Font("Courier New", 9, false, false, true), 0xFFFFFF, 2, false, false);
         c.SetText("line one\r\n  indented\tline\r\n\r\nlast \\ line ");
     }},
    {"shape",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TShapeLabel>(list);
         c.SetShapeFormat(sfRoundRect);
         c.SetPenWidth(4);
         c.SetPenColor(0x00FF00);
         c.SetBrushStyle(bsCross);
         c.SetBrushColor(0x123456);
         SetCommon(c, TRect::FromBox(17, 19, 61, 43), 1, haRight, vaBottom, Font("Arial", 20),
                   0x010203, 0, true, false);
     }},
    {"graphic",
     [](TControlList& list, TScratchFolder& scratch) {
         auto& c = Add<TGraphicLabel>(list);
         const QString bmp = scratch.File("picture.bmp");
         ASSERT_TRUE(TestPicture().save(bmp, "BMP"));
         ASSERT_TRUE(ImportPicture(c, bmp));
         c.SetKeepAspect(false);
         SetCommon(c, TRect::FromBox(23, 29, 48, 32), 0, haLeft, vaTop, Font("Arial", 10), 0, 1,
                   false, true);
     }},
    {"advanced text",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TTextLabel>(list);
         c.Fields = EveryElementKind();
         c.SetAdvanced(true);
         c.SetText("literal kept aside");
     }},
    {"advanced memo",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TMemoLabel>(list);
         c.Fields = EveryElementKind();
         c.SetAdvanced(true);
     }},
    {"advanced barcode",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TBarcodeLabel>(list);
         c.Fields = EveryElementKind();
         c.SetAdvanced(true);
     }},
    {"elements kept while not advanced",
     [](TControlList& list, TScratchFolder&) {
         auto& c = Add<TTextLabel>(list);
         c.Fields = EveryElementKind();
         c.SetText("plain");
     }},
};
} // namespace

class LabelRoundTrip : public TLabelFileTest {};

TEST_F(LabelRoundTrip, EveryKindWithEveryStoredProperty) {
    for (const TKindRow& row : kKindRows) {
        SCOPED_TRACE(row.Name);
        TControlList saved;
        row.Build(saved, Scratch);
        const TLabelContents read = RoundTrip(saved);
        ASSERT_EQ(read.Controls.size(), 1u);
        ExpectSameControl(*saved.front(), *read.Controls.front());
    }
}

TEST_F(LabelRoundTrip, AllKindsTogetherKeepTheirStackingOrder) {
    TControlList saved;
    for (const TKindRow& row : kKindRows)
        row.Build(saved, Scratch);
    const TLabelContents read = RoundTrip(saved);
    ASSERT_EQ(read.Controls.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        SCOPED_TRACE(kKindRows[i].Name);
        ExpectSameControl(*saved[i], *read.Controls[i]);
    }
}

TEST_F(LabelRoundTrip, SheetAndGridFlag) {
    TSheetSettings sheet;
    sheet.LabelHeight = 3.81;
    sheet.LabelWidth = 6.985;
    sheet.TopMargin = 1.27;
    sheet.LeftMargin = 0.5;
    sheet.RightMargin = 0.125;
    sheet.BottomMargin = 0.0625;
    sheet.GapHeight = 0.2;
    sheet.GapWidth = 1.0 / 3;
    sheet.Metric = true;
    sheet.ForcedCount = true;
    sheet.Rows = 7;
    sheet.Columns = 3;
    sheet.BorderStyle = 1;
    sheet.BorderSize = 4;
    sheet.BorderShape = 1;
    sheet.BorderPct = 12.5;
    for (const bool grid : {false, true}) {
        const TLabelContents read = RoundTrip({}, sheet, grid);
        TSheetSettings expected = sheet;
        expected.GapWidth = 0.333333333333333; // 15 significant digits
        EXPECT_EQ(read.Sheet, expected);
        EXPECT_EQ(read.ShowGrid, grid);
        EXPECT_TRUE(read.Controls.empty());
    }
}

TEST_F(LabelRoundTrip, RotatedBoxesAreStoredAsIfUnrotated) {
    struct TRow {
        uint8_t Rotation;
        const char* Width;
        const char* Height;
    } rows[] = {
        {0, "0.208333333333333", "0.625"},
        {1, "0.625", "0.208333333333333"}, // the box is 20 wide and 60 high once turned
        {2, "0.208333333333333", "0.625"},
        {3, "0.625", "0.208333333333333"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Rotation);
        TControlList saved;
        auto& shape = Add<TShapeLabel>(saved);
        shape.SetRotation(row.Rotation);
        shape.SetBox(TRect::FromBox(10, 12, 20, 60), true);
        const TIniFile ini = SavedDescription(saved);
        EXPECT_EQ(ini.ReadString("CNT_1", "WIDTH", ""), row.Width);
        EXPECT_EQ(ini.ReadString("CNT_1", "HEIGHT", ""), row.Height);
        EXPECT_EQ(ini.ReadString("CNT_1", "TOP", ""), "0.125");
        EXPECT_EQ(ini.ReadString("CNT_1", "LEFT", ""), "0.104166666666667");
        const TLabelContents read = RoundTrip(saved);
        EXPECT_EQ(read.Controls.front()->Box(), TRect::FromBox(10, 12, 20, 60));
        EXPECT_EQ(read.Controls.front()->Rotation(), row.Rotation);
    }
}

TEST_F(LabelRoundTrip, FormattedTextLines) {
    struct TRow {
        const char* Text;
        QStringList Lines;
        const char* ReadBack;
    } rows[] = {
        {"one\r\ntwo", {"one", "two"}, "one\r\ntwo"},
        {"one\r\n", {"one", ""}, "one\r\n"},
        {"", {""}, ""},
        {"single", {"single"}, "single"},
        {"a\n\rb", {"a", "b"}, "a\r\nb"},                // LF CR is one break
        {"a\r\rb\n\nc", {"a", "b", "c"}, "a\r\nb\r\nc"}, // so are CR CR and LF LF
        {"a\r\r\nb", {"a", "", "b"}, "a\r\n\r\nb"},      // CR CR, then LF on its own
        {"a\nb\rc", {"a", "b", "c"}, "a\r\nb\r\nc"},
        {" lead\ttab\\ \r\n trail ",
         {"\\slead\\ttab\\\\\\s", "\\strail\\s"},
         " lead\ttab\\ \r\n trail "},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Text);
        TControlList saved;
        Add<TMemoLabel>(saved).SetText(row.Text);
        const TIniFile ini = SavedDescription(saved);
        EXPECT_EQ(ini.ReadInteger("CNT_1", "MEMO_LINES", -1), row.Lines.size());
        for (qsizetype i = 0; i < row.Lines.size(); ++i)
            EXPECT_EQ(ini.ReadString("CNT_1", QString("MEMO_%1").arg(i + 1), "-"), row.Lines[i]);
        EXPECT_FALSE(ini.ValueExists("CNT_1", "TEXT"));
        EXPECT_EQ(RoundTrip(saved).Controls.front()->Text(), row.ReadBack);
    }
}

TEST_F(LabelRoundTrip, EscapedTexts) {
    struct TRow {
        const char* Text;
        const char* Stored;
    } rows[] = {
        {"a b\\c", "a\\sb\\\\c"},         {"  two leading", "\\s\\stwo\\sleading"},
        {"trailing  ", "trailing\\s\\s"}, {"\\\\server\\share\\", "\\\\\\\\server\\\\share\\\\"},
        {"tab\there", "tab\\there"},      {"", ""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Text);
        TControlList saved;
        Add<TTextLabel>(saved).SetText(row.Text);
        EXPECT_EQ(SavedDescription(saved).ReadString("CNT_1", "TEXT", "-"), row.Stored);
        EXPECT_EQ(RoundTrip(saved).Controls.front()->Text(), row.Text);
    }
}

TEST_F(LabelRoundTrip, AdvancedElementKeysAndTheEmptyTextElement) {
    TControlList saved;
    auto& c = Add<TTextLabel>(saved);
    c.Fields = EveryElementKind();
    c.Fields.insert(c.Fields.begin(), std::make_unique<TTextField>(QString()));
    c.SetAdvanced(true);
    const TIniFile ini = SavedDescription(saved);
    EXPECT_EQ(ini.KeyNames("CNT_1").mid(ini.KeyNames("CNT_1").indexOf("ADVANCED")),
              QStringList({"ADVANCED",  "ADV_COUNT", "ADVTYPE_1", "ADVTXT_1",  "ADVTYPE_2",
                           "ADVTXT_2",  "ADVTYPE_3", "ADVNUM_3",  "ADVSIZE_3", "ADVCHAR_3",
                           "ADVLPAD_3", "ADVTYPE_4", "ADVCUR_4",  "ADVMIN_4",  "ADVMAX_4",
                           "ADVSIZE_4", "ADVRST_4",  "ADVTYPE_5", "ADVFMT_5",  "ADVTYPE_6",
                           "ADVNUM_6",  "ADVSIZE_6", "ADVCHAR_6", "ADVLPAD_6"}));
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVTXT_1", "-"), "");
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVTXT_2", "-"), "\\sNo.\\s\\\\\\s");
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVFMT_5", "-"), "'year'\\syyyy");
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVCHAR_6", "-"), "0");
    EXPECT_EQ(ini.ReadInteger("CNT_1", "ADV_COUNT", 0), 6);

    // The empty text element comes back as one space, and contributes it.
    const TLabelContents read = RoundTrip(saved);
    const TLabelControl& back = *read.Controls.front();
    ASSERT_EQ(back.Fields.size(), 6u);
    EXPECT_EQ(ElementSignature(*back.Fields[0]), "TEXT:[ ]");
    EXPECT_EQ(FieldSignatures(back.Fields).mid(1), FieldSignatures(c.Fields).mid(1));
    EXPECT_EQ(back.GetText(), " " + c.GetText());
}

TEST_F(LabelRoundTrip, AttachIsWrittenButNotRead) {
    TControlList saved;
    auto& c = Add<TShapeLabel>(saved);
    c.SetAttach(atBottom);
    EXPECT_EQ(SavedDescription(saved).ReadInteger("CNT_1", "ALIGN", -1), atBottom);
    EXPECT_EQ(RoundTrip(saved).Controls.front()->Attach(), atNone);
}

TEST_F(LabelRoundTrip, TextOutsideWindows1252Survives) {
    const QString wide =
        QString::fromUtf8("\xCE\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xE2\x82\xAC \xF0\x9F\x93\xA6");
    TControlList saved;
    Add<TTextLabel>(saved).SetText(wide);
    auto& memo = Add<TMemoLabel>(saved);
    memo.SetText(wide + "\r\n" + wide);
    QFont font("\xE6\xA5\xB7\xE4\xBD\x93"); // a face name outside Windows-1252 too
    font.setPointSize(12);
    memo.SetFont(font);
    const QString path = Scratch.File("wide.lbl");
    WriteLabelDocument(path, TSheetSettings{}, true, saved);
    EXPECT_TRUE(DescriptionBytes(path).startsWith(kUtf8Bom));
    const TLabelContents read = ReadLabelDocument(path);
    EXPECT_EQ(read.Controls[0]->Text(), wide);
    EXPECT_EQ(read.Controls[1]->Text(), wide + "\r\n" + wide);
    EXPECT_EQ(read.Controls[1]->Font().family(), font.family());

    // A label whose texts all fit stays in Windows-1252.
    TControlList plain;
    Add<TTextLabel>(plain).SetText(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
    WriteLabelDocument(path, TSheetSettings{}, true, plain);
    const QByteArray bytes = DescriptionBytes(path);
    EXPECT_FALSE(bytes.startsWith(kUtf8Bom));
    EXPECT_TRUE(bytes.contains("TEXT=caf\xE9\\s\x80"));
}

TEST_F(LabelRoundTrip, PicturesTravelInsideTheArchive) {
    const QString bmp = Scratch.File("logo.bmp");
    const QString jpg = Scratch.File("photo.jpg");
    const QString jpeg = Scratch.File("scan.jpeg");
    ASSERT_TRUE(TestPicture(6, 4).save(bmp, "BMP"));
    ASSERT_TRUE(TestPicture(16, 8).save(jpg, "JPG"));
    ASSERT_TRUE(TestPicture(9, 9).save(jpeg, "JPG"));
    const QString path = Scratch.File("pictures.lbl");
    {
        TControlList saved;
        for (const QString& file : {bmp, jpg, jpeg})
            ASSERT_TRUE(ImportPicture(Add<TGraphicLabel>(saved), file));
        WriteLabelDocument(path, TSheetSettings{}, true, saved);
    } // the controls and their private files are gone now

    QStringList extracted, names;
    ASSERT_TRUE(ReadLabelArchive(path, extracted, &names));
    ASSERT_EQ(extracted.size(), 4);
    EXPECT_EQ(names[0], "_LB_FRMT.TMP");
    EXPECT_EQ(ReadBytes(extracted[1]), ReadBytes(bmp));
    EXPECT_EQ(ReadBytes(extracted[2]), ReadBytes(jpg));
    EXPECT_EQ(ReadBytes(extracted[3]), ReadBytes(jpeg));
    for (const QString& p : extracted)
        QFile::remove(p);

    const TLabelContents read = ReadLabelDocument(path);
    ASSERT_EQ(read.Controls.size(), 3u);
    const auto& g1 = As<TGraphicLabel>(read.Controls[0]);
    const auto& g2 = As<TGraphicLabel>(read.Controls[1]);
    const auto& g3 = As<TGraphicLabel>(read.Controls[2]);
    EXPECT_EQ(g1.Picture(), TestPicture(6, 4));
    EXPECT_EQ(g2.Picture(), DecodeJpegFile(jpg));
    EXPECT_EQ(g3.Picture().size(), QSize(9, 9));
    EXPECT_TRUE(QFileInfo(g1.ImageFile()).fileName().startsWith("bmp"));
    EXPECT_TRUE(QFileInfo(g2.ImageFile()).fileName().startsWith("jpg"));
    EXPECT_TRUE(QFileInfo(g3.ImageFile()).fileName().startsWith("jpe"));
    // Only the three private pictures remain: the description was deleted after reading.
    QStringList owned{QFileInfo(g1.ImageFile()).fileName(), QFileInfo(g2.ImageFile()).fileName(),
                      QFileInfo(g3.ImageFile()).fileName()};
    owned.sort();
    EXPECT_EQ(TempFolderEntries(), owned);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
}

TEST_F(LabelRoundTrip, AnImageControlWithoutPictureTakesNoOtherControlsPicture) {
    const QString bmp = Scratch.File("logo.bmp");
    ASSERT_TRUE(TestPicture().save(bmp, "BMP"));
    TControlList saved;
    Add<TGraphicLabel>(saved); // never given a picture
    ASSERT_TRUE(ImportPicture(Add<TGraphicLabel>(saved), bmp));
    const TLabelContents read = RoundTrip(saved);
    ASSERT_EQ(read.Controls.size(), 2u);
    EXPECT_TRUE(As<TGraphicLabel>(read.Controls[0]).ImageFile().isEmpty());
    EXPECT_EQ(As<TGraphicLabel>(read.Controls[1]).Picture(), TestPicture());
}

TEST_F(LabelRoundTrip, NothingIsLeftInTheTemporaryFolder) {
    const QString bmp = Scratch.File("logo.bmp");
    ASSERT_TRUE(TestPicture().save(bmp, "BMP"));
    {
        TControlList saved;
        ASSERT_TRUE(ImportPicture(Add<TGraphicLabel>(saved), bmp));
        Add<TTextLabel>(saved).SetText("x");
        const TLabelContents read = RoundTrip(saved);
        EXPECT_EQ(TempFolderEntries().size(), 2u); // the two controls' private pictures
    }
    EXPECT_EQ(TempFolderEntries(), QStringList());
}

TEST_F(LabelRoundTrip, OpenReplacesSheetGridSizeAndControls) {
    TSheetSettings sheet;
    sheet.LabelWidth = 2.5;
    sheet.LabelHeight = 1.25;
    TControlList saved;
    Add<TTextLabel>(saved).SetText("one");
    Add<TShapeLabel>(saved);
    const QString path = Scratch.File("open.lbl");
    WriteLabelDocument(path, sheet, false, saved);

    TLabelDocument label;
    label.SetLabelSize(50, 50);
    ReadLabelDescription(path, label);
    EXPECT_EQ(label.Sheet().LabelWidth, 2.5);
    EXPECT_FALSE(label.ShowGrid());
    EXPECT_EQ(label.LabelWidth(), 240);
    EXPECT_EQ(label.LabelHeight(), 120);
    ASSERT_EQ(label.Controls().size(), 2u);
    EXPECT_EQ(label.Controls()[0]->Text(), "one");
    for (const auto& c : label.Controls()) {
        EXPECT_FALSE(c->Loading());
        EXPECT_EQ(c->Owner(), &label);
    }

    // And Save writes what the label holds: here the boxes pulled inside the label's border.
    const QString again = Scratch.File("again.lbl");
    WriteLabelDescription(again, label);
    TLabelDocument reopened;
    ReadLabelDescription(again, reopened);
    EXPECT_EQ(reopened.Sheet(), label.Sheet());
    ASSERT_EQ(reopened.Controls().size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(reopened.Controls()[i]->Box(), label.Controls()[i]->Box());
    EXPECT_EQ(label.Controls()[0]->Box().Left, 2);
}

TEST_F(LabelRoundTrip, FailedSaveKeepsThePreviousLabel) {
    TControlList first;
    Add<TTextLabel>(first).SetText("first version");
    const QString path = Scratch.File("keep.lbl");
    WriteLabelDocument(path, TSheetSettings{}, true, first);
    const QByteArray before = ReadBytes(path);

    TControlList second;
    Add<TMemoLabel>(second).SetText(QString(4000, 'x'));
    {
        const TFileSizeLimit diskFull(before.size() + 100);
        EXPECT_THROW(WriteLabelDocument(path, TSheetSettings{}, true, second), TUserError);
    }
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(TempFolderEntries(), QStringList());
}

TEST(ControlTypes, EveryStoredTypeMakesAControlOfItsOwnKind) {
    for (const TKindTraits& k : StorableKinds()) {
        const TControlKindInfo* info = KindByType(QLatin1String(k.Type));
        ASSERT_NE(info, nullptr) << k.Type;
        EXPECT_EQ(info, KindOf(k.Kind)) << k.Type;
        EXPECT_EQ(info->Create()->Kind(), k.Kind) << k.Type;
    }
    EXPECT_EQ(KindByType(QStringLiteral("text")), nullptr) << "TYPE values are upper case";
    EXPECT_EQ(KindByType(QStringLiteral("LINE")), nullptr);
    EXPECT_EQ(KindOf(ckBase), nullptr) << "the base kind is never stored";
}
