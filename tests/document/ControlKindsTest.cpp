#include "TestSupport.h"
#include "document/Fonts.h"
#include "document/GraphicLabel.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "document/TextRendering.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
template <class T> T* Add(TLabelDocument& label, std::unique_ptr<T> c) {
    T* raw = c.get();
    label.AddControl(std::move(c));
    raw->SetLoading(false);
    return raw;
}

// Collects the messages shown to the user while alive.
struct TMessageCapture {
    TMessageCapture() {
        previous = SetMessageHandler([this](const QString& m) { messages << m; });
    }
    ~TMessageCapture() { SetMessageHandler(previous); }
    QStringList messages;
    TMessageHandler previous;
};

QFont TestFont() {
    QFont f("Liberation Sans");
    f.setPointSize(12);
    return f;
}
} // namespace

class ControlKindsTest : public ::testing::Test {
protected:
    void SetUp() override { label.SetLabelSize(400, 300); }
    TLabelDocument label;
    TScratchFolder scratch;
};

TEST_F(ControlKindsTest, CreationDefaults) {
    TTextLabel text;
    EXPECT_EQ(text.Kind(), ckText);
    EXPECT_EQ(text.MinWidth(), 25);
    EXPECT_EQ(text.MinHeight(), 14);
    EXPECT_TRUE(text.AutoSize());
    EXPECT_TRUE(text.Transparent());
    TMemoLabel memo;
    EXPECT_EQ(memo.Kind(), ckMemo);
    EXPECT_EQ(memo.Box(), TRect::FromBox(0, 0, 75, 30));
    EXPECT_FALSE(memo.AutoSize());
    TShapeLabel shape;
    EXPECT_EQ(shape.Kind(), ckShape);
    EXPECT_EQ(shape.Box(), TRect::FromBox(0, 0, 25, 25));
    EXPECT_EQ(shape.HAlign(), haCenter);
    EXPECT_EQ(shape.VAlign(), vaCenter);
    EXPECT_EQ(shape.BrushColor(), clWhite);
    EXPECT_EQ(shape.PenWidth(), 1);
    TGraphicLabel graphic;
    EXPECT_EQ(graphic.Kind(), ckGraphic);
    EXPECT_FALSE(graphic.Transparent());
    EXPECT_TRUE(graphic.KeepAspect());
    EXPECT_EQ(graphic.Picture().size(), QSize(10, 10));
}

TEST_F(ControlKindsTest, TextSizeFollowsTheFontAndRotation) {
    auto* t = Add(label, std::make_unique<TTextLabel>());
    t->SetFont(TestFont());
    t->SetText("Hello");
    t->Draw();
    const QFontMetrics fm(FontForResolution(TestFont(), ScreenPixelsPerInchY()));
    EXPECT_EQ(t->Image().width(), fm.horizontalAdvance("Hello"));
    EXPECT_EQ(t->Image().height(), fm.height());
    EXPECT_EQ(t->Width(), t->Image().width()); // auto size
    EXPECT_EQ(t->MinWidth(), fm.horizontalAdvance("00"));
    EXPECT_EQ(t->MinHeight(), fm.height());
    t->SetRotation(1);
    t->Draw();
    EXPECT_EQ(t->Image().width(), fm.height());
    EXPECT_EQ(t->Image().height(), fm.horizontalAdvance("Hello"));
    EXPECT_EQ(t->MinWidth(), fm.height());
    EXPECT_EQ(t->MinHeight(), fm.horizontalAdvance("00"));
}

TEST_F(ControlKindsTest, EmptyTextIsHeldAtTheMinimumWidth) {
    auto* t = Add(label, std::make_unique<TTextLabel>());
    t->SetFont(TestFont());
    t->SetText("");
    t->Draw();
    EXPECT_EQ(t->Image().width(), 0);
    EXPECT_EQ(t->Width(), t->MinWidth());
}

TEST_F(ControlKindsTest, RotatedTextLiesInsideItsImage) {
    for (uint8_t r = 0; r < 4; ++r) {
        auto* t = Add(label, std::make_unique<TTextLabel>());
        t->SetFont(TestFont());
        t->SetText("IIIIIIII");
        t->SetRotation(r);
        t->Draw();
        const QImage& img = t->Image();
        int dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                dark += qGray(img.pixel(x, y)) < 128;
        EXPECT_GT(dark, 30) << "rotation " << int(r);
    }
}

TEST_F(ControlKindsTest, WhiteTextOnATransparentControlStaysVisible) {
    label.SetShowGrid(false);
    auto* t = Add(label, std::make_unique<TTextLabel>());
    t->SetFont(TestFont());
    t->SetText("WWWW");
    t->SetFontColor(clWhite);
    t->SetLeft(50);
    t->SetTop(50);
    t->Draw();
    EXPECT_EQ(t->TransparentColor(), qRgb(0, 0, 0));
    EXPECT_EQ(t->Image().pixel(0, 0), qRgb(0, 0, 0));
    t->SetTransparency(false);
    t->Draw();
    EXPECT_EQ(t->TransparentColor(), qRgb(255, 255, 255));
}

TEST_F(ControlKindsTest, FormattedTextWrapsIntoTheBoxWidth) {
    auto* m = Add(label, std::make_unique<TMemoLabel>());
    m->SetFont(TestFont());
    m->SetBoxWidth(120);
    m->SetText("one two three four five six seven eight");
    m->Draw();
    const QFontMetrics fm(FontForResolution(TestFont(), ScreenPixelsPerInchY()));
    EXPECT_LE(m->Image().width(), 120);
    EXPECT_GE(m->Image().height(), 3 * fm.height());
    m->SetText("line1\r\nline2\r\nline3");
    m->Draw();
    EXPECT_GE(m->Image().height(), 3 * fm.height()); // three lines, however the layout spaces them
    EXPECT_LT(m->Image().height(), 4 * fm.height());
    m->SetText("Averyveryveryverylongwordthatcannotwrap");
    m->Draw();
    EXPECT_GT(m->Image().width(), 120); // a long word widens the image rightwards
    EXPECT_EQ(m->Width(), 120);         // without auto size the box stays
    m->SetAutoSizing(true);
    m->Draw();
    EXPECT_EQ(m->Width(), m->Image().width());
}

// Texts far longer than any label are drawn cut, into images no longer than 100 inches: a
// pasted or merged text of millions of characters must not need an image of millions of pixels.
TEST_F(ControlKindsTest, GiantTextsDrawIntoBoundedImages) {
    const int32_t longest = MaxImageSide(ScreenPixelsPerInchX());
    ASSERT_EQ(longest, 9600);
    auto* t = Add(label, std::make_unique<TTextLabel>());
    t->SetFont(TestFont());
    t->SetText(QString(3 * MaxDrawnTextLength, 'W'));
    t->Draw();
    const QFontMetrics fm(FontForResolution(TestFont(), ScreenPixelsPerInchY()));
    EXPECT_EQ(t->Image().size(), QSize(longest, fm.height()));
    int dark = 0; // the text runs to the image's end
    for (int x = longest - 40; x < longest; ++x)
        for (int y = 0; y < fm.height(); ++y)
            dark += qGray(t->Image().pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(t->Width(), t->BoundsArea().Right - t->Left()); // auto size, held inside the label
    t->SetRotation(3);
    t->Draw();
    EXPECT_EQ(t->Image().size(), QSize(fm.height(), longest));

    auto* m = Add(label, std::make_unique<TMemoLabel>());
    m->SetFont(TestFont());
    m->SetBoxWidth(120);
    m->SetText(QString(3 * MaxDrawnTextLength, 'x')); // one word that cannot wrap
    m->Draw();
    EXPECT_EQ(m->Image().width(), longest);
    QString words;
    for (int i = 0; i < 40000; ++i)
        words += QStringLiteral("word ");
    m->SetText(words); // thousands of lines
    m->Draw();
    EXPECT_LE(m->Image().width(), 120);
    EXPECT_EQ(m->Image().height(), longest);
}

TEST_F(ControlKindsTest, FormattedTextAlignmentMarksItDirty) {
    auto* m = Add(label, std::make_unique<TMemoLabel>());
    m->Draw();
    ASSERT_FALSE(m->Dirty());
    label.SelectAt(390, 290); // painting through the label would clear Dirty again
    m->OnChange = nullptr;
    m->SetHAlign(haRight);
    EXPECT_TRUE(m->Dirty());
    m->Draw();
    m->SetVAlign(vaBottom);
    EXPECT_TRUE(m->Dirty());
}

TEST_F(ControlKindsTest, ShapeInsetsForPenWidths) {
    auto* s = Add(label, std::make_unique<TShapeLabel>());
    s->SetBox(TRect::FromBox(10, 10, 40, 30), false);
    s->SetBrushColor(0x00FF00); // green in 0x00BBGGRR
    s->SetPenWidth(1);
    s->Draw();
    QImage img = s->Image();
    ASSERT_EQ(img.size(), QSize(40, 30));
    EXPECT_EQ(img.pixel(0, 15), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(39, 15), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 29), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(1, 15), qRgb(0, 255, 0));
    s->SetPenWidth(4); // centre line from (2, 2) to (W - 2, H - 2): 4 pixels from each edge
    s->Draw();
    img = s->Image();
    for (int x : {0, 3, 36, 39})
        EXPECT_EQ(img.pixel(x, 15), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(img.pixel(4, 15), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(35, 15), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(20, 3), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 4), qRgb(0, 255, 0));
}

TEST_F(ControlKindsTest, ShapeBackgroundAndTransparency) {
    EXPECT_EQ(ShapeBackground(clWhite), 1u); // inverted white is black, replaced by 1
    EXPECT_EQ(ShapeBackground(clBlack), clWhite);
    EXPECT_EQ(ShapeBackground(0x123456), 0xEDCBA9u);
    EXPECT_TRUE(ShapeIsOpaque(sfRectangle, bsSolid));
    EXPECT_TRUE(ShapeIsOpaque(sfRectangle, bsCross));
    EXPECT_FALSE(ShapeIsOpaque(sfRectangle, bsClear));
    EXPECT_FALSE(ShapeIsOpaque(sfEllipse, bsSolid));

    auto* s = Add(label, std::make_unique<TShapeLabel>());
    s->SetTransparency(false);
    s->SetShapeFormat(sfEllipse);
    s->Draw();
    EXPECT_TRUE(s->Transparent()); // only filled rectangles are opaque
    EXPECT_EQ(s->TransparentColor(), ToQRgb(1));
    EXPECT_EQ(s->Image().pixel(0, 0), ToQRgb(1)); // corner outside the ellipse
}

TEST_F(ControlKindsTest, ShapesAndLinesLandWhereTheAlignmentSays) {
    auto* s = Add(label, std::make_unique<TShapeLabel>());
    s->SetBox(TRect::FromBox(10, 10, 40, 30), false);
    s->SetShapeFormat(sfHorizontalLine);
    s->SetVAlign(vaTop);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(20, 0), qRgb(0, 0, 0));
    s->SetVAlign(vaCenter);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(20, 15), qRgb(0, 0, 0));
    EXPECT_NE(s->Image().pixel(20, 0), qRgb(0, 0, 0));
    s->SetVAlign(vaBottom);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(20, 29), qRgb(0, 0, 0));
    s->SetShapeFormat(sfVerticalLine);
    s->SetHAlign(haLeft);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(0, 15), qRgb(0, 0, 0));
    s->SetHAlign(haRight);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(39, 15), qRgb(0, 0, 0));
    s->SetShapeFormat(sfTriangle);
    s->Draw();
    EXPECT_EQ(s->Image().pixel(20, 0), qRgb(0, 0, 0));  // apex at the top centre
    EXPECT_EQ(s->Image().pixel(20, 29), qRgb(0, 0, 0)); // base on the last row
}

TEST_F(ControlKindsTest, HatchFillsLeaveGaps) {
    auto* s = Add(label, std::make_unique<TShapeLabel>());
    s->SetBox(TRect::FromBox(10, 10, 40, 40), false);
    s->SetBrushColor(0x0000FF); // red
    s->SetBrushStyle(bsHorizontal);
    s->Draw();
    int red = 0, other = 0;
    for (int y = 2; y < 38; ++y)
        (s->Image().pixel(20, y) == qRgb(255, 0, 0) ? red : other)++;
    EXPECT_GT(red, 2);
    EXPECT_GT(other, 2);
    EXPECT_EQ(ToQtBrushStyle(bsDiagCross), Qt::DiagCrossPattern);
    EXPECT_EQ(ToQtBrushStyle(bsClear), Qt::NoBrush);
}

TEST_F(ControlKindsTest, PictureFitsTheBoxWithOrWithoutAspect) {
    EXPECT_EQ(TGraphicLabel::FittedSize({200, 100}, 100, 100, true), QSize(100, 50));
    EXPECT_EQ(TGraphicLabel::FittedSize({200, 100}, 100, 100, false), QSize(100, 100));
    EXPECT_EQ(TGraphicLabel::FittedSize({100, 300}, 90, 90, true), QSize(30, 90));
    QImage pic(200, 100, QImage::Format_RGB888);
    pic.fill(Qt::red);
    const QString bmp = scratch.File("BMPpicture.bmp");
    ASSERT_TRUE(pic.save(bmp, "BMP"));
    auto* g = Add(label, std::make_unique<TGraphicLabel>());
    g->SetBox(TRect::FromBox(10, 10, 100, 100), false);
    ASSERT_TRUE(LoadImageByName(*g, bmp));
    g->Draw();
    EXPECT_EQ(g->Image().size(), QSize(100, 50));
    EXPECT_EQ(g->Box(), TRect::FromBox(10, 10, 100, 50)); // the box follows, size first
    EXPECT_EQ(g->Image().pixel(50, 25), qRgb(255, 0, 0));
    g->SetKeepAspect(false);
    g->SetBoxHeight(100);
    g->Draw();
    EXPECT_EQ(g->Image().size(), QSize(100, 100));
}

TEST_F(ControlKindsTest, PictureTypeByNameOrExtension) {
    TMessageCapture capture;
    QImage pic(20, 10, QImage::Format_RGB888);
    pic.fill(Qt::blue);
    const QString privateJpeg = scratch.File("jpg3A.TMP");
    ASSERT_TRUE(pic.save(privateJpeg, "JPG"));
    const QString userJpeg = scratch.File("abc.jpg");
    ASSERT_TRUE(pic.save(userJpeg, "JPG"));
    TGraphicLabel g;
    EXPECT_TRUE(LoadImageByName(g, privateJpeg));
    EXPECT_EQ(g.Picture().size(), QSize(20, 10));
    EXPECT_FALSE(LoadImageByName(g, userJpeg)); // "ABC": not a picture name, silently
    EXPECT_TRUE(LoadImageByExtension(g, userJpeg));
    EXPECT_FALSE(LoadImageByExtension(g, privateJpeg)); // ".TMP"
    EXPECT_FALSE(LoadImageByName(g, QString()));
    EXPECT_TRUE(capture.messages.isEmpty());
}

TEST_F(ControlKindsTest, PictureErrorsAreReportedAndKeepThePicture) {
    TMessageCapture capture;
    TGraphicLabel g;
    QImage pic(30, 30, QImage::Format_RGB888);
    pic.fill(Qt::green);
    g.SetPicture(pic);
    const QString missing = scratch.File("bmpnothere.TMP");
    EXPECT_FALSE(LoadImageByName(g, missing));
    const QString badJpeg = scratch.File("jpgBAD.TMP");
    QFile f(badJpeg);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xFF\xD8\xFF\xE0 this is not really a jpeg");
    f.close();
    EXPECT_FALSE(LoadImageByName(g, badJpeg));
    const QString badBmp = scratch.File("broken.bmp");
    QFile b(badBmp);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("BM garbage");
    b.close();
    EXPECT_FALSE(LoadImageByExtension(g, badBmp));
    ASSERT_EQ(capture.messages.size(), 3);
    EXPECT_EQ(capture.messages[0], "Unable to locate Graphic file\n\r" + missing);
    EXPECT_EQ(capture.messages[1], "Unable to load jpeg file\n\r" + badJpeg);
    EXPECT_EQ(capture.messages[2], "Unable to load bitmap file\n\r" + badBmp);
    EXPECT_EQ(g.Picture().size(), QSize(30, 30)); // the previous picture stays
}

TEST_F(ControlKindsTest, ImportedPicturesLiveInPrivateFiles) {
    QImage pic(40, 20, QImage::Format_RGB888);
    pic.fill(Qt::red);
    const QString user = scratch.File("photo.jpeg");
    ASSERT_TRUE(pic.save(user, "JPG"));
    QString first, cloneFile;
    {
        auto* g = Add(label, std::make_unique<TGraphicLabel>());
        ASSERT_TRUE(ImportPicture(*g, user));
        first = g->ImageFile();
        EXPECT_TRUE(QFileInfo(first).fileName().startsWith("jpe"));
        EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(TempFolder()).absoluteFilePath());
        EXPECT_EQ(QFileInfo(first).size(), QFileInfo(user).size());
        ASSERT_TRUE(ImportPicture(*g, user)); // a second import replaces the first copy
        EXPECT_FALSE(QFile::exists(first));
        first = g->ImageFile();

        std::unique_ptr<TLabelControl> clone = label.CloneControl();
        auto* gc = dynamic_cast<TGraphicLabel*>(clone.get());
        ASSERT_TRUE(gc);
        cloneFile = gc->ImageFile();
        EXPECT_NE(cloneFile, first);
        EXPECT_TRUE(QFileInfo(cloneFile).fileName().startsWith("jpe"));
        EXPECT_EQ(gc->Picture().size(), QSize(40, 20));
        clone.reset(); // the clone's file goes with it, the source's stays
        EXPECT_FALSE(QFile::exists(cloneFile));
        EXPECT_TRUE(QFile::exists(first));
        label.DeleteSelected();
    }
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(user)); // the user's own file is never touched
}

TEST_F(ControlKindsTest, CloneCopiesShapeProperties) {
    auto* s = Add(label, std::make_unique<TShapeLabel>());
    s->SetShapeFormat(sfRoundRect);
    s->SetPenWidth(3);
    s->SetPenColor(0x0000FF);
    s->SetBrushStyle(bsCross);
    s->SetBrushColor(0x00FFFF);
    std::unique_ptr<TLabelControl> clone = label.CloneControl();
    auto* c = dynamic_cast<TShapeLabel*>(clone.get());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ShapeFormat(), sfRoundRect);
    EXPECT_EQ(c->PenWidth(), 3);
    EXPECT_EQ(c->PenColor(), 0x0000FFu);
    EXPECT_EQ(c->BrushStyle(), bsCross);
    EXPECT_EQ(c->BrushColor(), 0x00FFFFu);
}
