#include "MainWindowSupport.h"

#include "app/FControlSettings.h"
#include "app/PaletteLists.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "document/GraphicLabel.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

// The palette's place and size boxes, and the palette and the window's commands with several
// controls selected; at 96 pixels per inch, so 96 pixels show as 1.00 in and 2.54 cm.
namespace {
class NumberBoxes : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = ActiveWindow();
        // A label of 6.25 by 4.25 inches, with room to move in.
        D().ChangeSheet([](TSheetSettings& s) {
            s.LabelWidth = 6.25;
            s.LabelHeight = 4.25;
        });
        W->ApplyLabelSize();
        Settle();
    }
    TLabelDocument& D() { return W->Document(); }
    TFControlSettings& P() { return W->Palette(); }
    // Steps are recorded once the event that made the change is done.
    void Settle() { QCoreApplication::processEvents(); }
    template <typename T> T* Add(QRect box) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        c->SetBoxWidth(box.width());
        c->SetBoxHeight(box.height());
        c->SetLeft(box.left());
        c->SetTop(box.top());
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        Settle();
        return raw;
    }
    TShapeLabel* Shape(QRect box) { return Add<TShapeLabel>(box); }
    TTextLabel* Text(const QString& text, QPoint at) {
        auto* c = Add<TTextLabel>(QRect(at, QSize(30, 20)));
        c->SetText(text);
        D().DrawChanged();
        Settle();
        return c;
    }
    void Select(std::vector<TLabelControl*> cs) {
        std::vector<TControlId> ids;
        for (const TLabelControl* c : cs)
            ids.push_back(c->Id());
        D().SelectIds(ids);
        Settle();
    }
    QLineEdit* Box(const char* name) {
        auto* box = P().findChild<QLineEdit*>(QLatin1String(name));
        EXPECT_NE(box, nullptr) << name;
        return box;
    }
    QString Shown(const char* name) { return Box(name)->text(); }
    // Types into the box as the user does and confirms with Enter.
    void Enter(const char* name, const QString& text) {
        QLineEdit* box = Box(name);
        QApplication::setActiveWindow(&P());
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        Settle();
    }
    int Steps() { return W->History().count(); }
    QString UndoText() { return W->Action("acUndo")->text().remove(QLatin1Char('&')); }
    void UndoStep() {
        W->Action("acUndo")->trigger();
        Settle();
    }
    template <typename T> T* Widget(const char* name) {
        auto* w = P().findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    std::unique_ptr<TFMain> W;
};

TEST_F(NumberBoxes, ShowTheSelectionInTheRulersUnitAndFollowEveryChangeOfIt) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* shape = Shape(QRect(96, 48, 144, 24));
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("1.00"));
    EXPECT_EQ(Shown("eTop"), QStringLiteral("0.50"));
    EXPECT_EQ(Shown("eWidth"), QStringLiteral("1.50"));
    EXPECT_EQ(Shown("eHeight"), QStringLiteral("0.25"));
    EXPECT_TRUE(P().findChild<QLabel*>(QStringLiteral("lLeft")) != nullptr);

    // Moved by the keys and by undo, the boxes go along.
    for (int i = 0; i < 48; ++i)
        QTest::keyClick(&W->Label(), Qt::Key_Right, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(shape->Left(), 144);
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("1.50"));
    UndoStep();
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("1.00"));

    W->Action("acUnitMetric")->trigger();
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("2.54"));
    EXPECT_EQ(Shown("eWidth"), QStringLiteral("3.81"));

    D().SelectNone();
    Settle();
    EXPECT_EQ(Shown("eLeft"), QString());
    EXPECT_FALSE(Box("eLeft")->isEnabled());
}

TEST_F(NumberBoxes, TypedLengthsTakeTheirUnitOrTheRulersOne) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* shape = Shape(QRect(10, 10, 50, 50));
    Enter("eLeft", QStringLiteral("2cm")); // 75.6 pixels
    EXPECT_EQ(shape->Left(), 76);
    Enter("eTop", QStringLiteral("10 mm")); // 37.8
    EXPECT_EQ(shape->Top(), 38);
    Enter("eLeft", QStringLiteral("1.5\""));
    EXPECT_EQ(shape->Left(), 144);
    Enter("eWidth", QStringLiteral("0.5in"));
    EXPECT_EQ(shape->Width(), 48);
    Enter("eHeight", QStringLiteral("0.25"));
    EXPECT_EQ(shape->Height(), 24);
    EXPECT_EQ(Shown("eHeight"), QStringLiteral("0.25"));

    W->Action("acUnitMetric")->trigger();
    Enter("eTop", QStringLiteral("1,27"));
    EXPECT_EQ(shape->Top(), 48) << "a bare number is in centimetres under the metric ruler";
    Enter("eHeight", QStringLiteral("1in"));
    EXPECT_EQ(shape->Height(), 96);
    EXPECT_EQ(Shown("eHeight"), QStringLiteral("2.54"));
}

TEST_F(NumberBoxes, TheLabelsEdgeAndAutoSizeDecideWhatTakes) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* shape = Shape(QRect(10, 10, 48, 48));
    Enter("eLeft", QStringLiteral("100"));
    EXPECT_EQ(shape->Left(), D().LabelArea().Right - 48) << "kept inside the label";
    EXPECT_EQ(Shown("eLeft"), QString::number((D().LabelArea().Right - 48) / 96.0, 'f', 2));
    Enter("eWidth", QStringLiteral("100"));
    EXPECT_EQ(shape->Left() + shape->Width(), D().LabelArea().Right);

    TTextLabel* text = Text(QStringLiteral("Hi"), QPoint(10, 100));
    ASSERT_TRUE(text->AutoSize());
    const int32_t fitted = text->Width();
    Enter("eWidth", QStringLiteral("3"));
    EXPECT_EQ(text->Width(), fitted) << "a control that sizes itself keeps its size";
    EXPECT_EQ(Shown("eWidth"), QString::number(fitted / 96.0, 'f', 2));
    W->Action("acAutoSize")->trigger();
    Enter("eWidth", QStringLiteral("3"));
    EXPECT_EQ(text->Width(), 288);
}

TEST_F(NumberBoxes, TextThatIsNoLengthPutsTheBoxBackAndChangesNothing) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* shape = Shape(QRect(96, 96, 48, 48));
    const int before = Steps();
    for (const char* wrong : {"abc", "2 ft", "", "0", "-1"}) {
        Enter("eWidth", QString::fromLatin1(wrong));
        EXPECT_EQ(Shown("eWidth"), QStringLiteral("0.50")) << wrong;
    }
    Enter("eLeft", QStringLiteral("1..2"));
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("1.00"));
    EXPECT_EQ(shape->Box(), TRect::FromBox(96, 96, 48, 48));
    EXPECT_EQ(Steps(), before);
    EXPECT_TRUE(Errors.isEmpty());
    // Leaving a box as it is shown is no step either.
    Enter("eTop", Shown("eTop"));
    EXPECT_EQ(Steps(), before);
}

TEST_F(NumberBoxes, EachBoxIsOneStepOfItsKind) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* shape = Shape(QRect(10, 10, 48, 48));
    const int before = Steps();
    Enter("eLeft", QStringLiteral("1"));
    Enter("eTop", QStringLiteral("1"));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Move"));
    Enter("eWidth", QStringLiteral("1"));
    Enter("eHeight", QStringLiteral("1"));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Resize"));
    EXPECT_EQ(Steps(), before + 4);
    EXPECT_EQ(shape->Box(), TRect::FromBox(96, 96, 96, 96));

    UndoStep();
    const TLabelControl* back = D().Selection();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Box(), TRect::FromBox(96, 96, 96, 48));
    EXPECT_EQ(Shown("eHeight"), QStringLiteral("0.50"));
    UndoStep();
    UndoStep();
    EXPECT_EQ(D().Selection()->Box(), TRect::FromBox(96, 10, 48, 48));
    UndoStep();
    EXPECT_EQ(D().Selection()->Box(), TRect::FromBox(10, 10, 48, 48));
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("0.10"));
}

TEST_F(NumberBoxes, SeveralSelectedMoveAsOneAndTakeTheSizeEach) {
    W->Action("acUnitInches")->trigger();
    TShapeLabel* a = Shape(QRect(10, 20, 48, 30));
    TShapeLabel* b = Shape(QRect(40, 60, 96, 30));
    Select({a, b});
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("0.10")) << "the left of the two together";
    EXPECT_EQ(Shown("eTop"), QStringLiteral("0.21"));
    EXPECT_EQ(Shown("eWidth"), QString()) << "widths differ";
    EXPECT_EQ(Shown("eHeight"), QStringLiteral("0.31")) << "heights are shared";

    const int before = Steps();
    Enter("eLeft", QStringLiteral("1"));
    EXPECT_EQ(a->Left(), 96);
    EXPECT_EQ(b->Left(), 126) << "moved by the same offset";
    // Pushed past the edge, the two stop together where the outer one meets it.
    Enter("eLeft", QStringLiteral("100"));
    EXPECT_EQ(b->Left() + b->Width(), D().LabelArea().Right);
    EXPECT_EQ(b->Left() - a->Left(), 30);
    Enter("eWidth", QStringLiteral("0.5"));
    EXPECT_EQ(a->Width(), 48);
    EXPECT_EQ(b->Width(), 48);
    EXPECT_EQ(Shown("eWidth"), QStringLiteral("0.50"));
    EXPECT_EQ(Steps(), before + 3);

    UndoStep();
    UndoStep();
    UndoStep();
    ASSERT_EQ(D().SelectedIds().size(), 2u);
    EXPECT_EQ(D().SelectedControls()[0]->Box(), TRect::FromBox(10, 20, 48, 30));
    EXPECT_EQ(D().SelectedControls()[1]->Box(), TRect::FromBox(40, 60, 96, 30));
    EXPECT_EQ(Shown("eLeft"), QStringLiteral("0.10"));
}

TEST_F(NumberBoxes, PaletteShowsWhatTheSelectionSharesAndChangesEveryControlOfTheKind) {
    auto* one = Add<TBarcodeLabel>(QRect(10, 10, 100, 50));
    auto* two = Add<TBarcodeLabel>(QRect(10, 100, 100, 50));
    TTextLabel* text = Text(QStringLiteral("t"), QPoint(200, 10));
    one->SetBarcodeType(btCode39);
    two->SetInterpret(false);
    two->SetRotation(1);
    Select({one, two, text});

    auto* types = Widget<QComboBox>("cbBarcodeType");
    auto* interpret = Widget<QCheckBox>("cbInterpret");
    EXPECT_EQ(types->currentIndex(), -1) << "types differ";
    EXPECT_EQ(interpret->checkState(), Qt::PartiallyChecked);
    for (const char* rotation : {"sbNoRotation", "sbRotate90"})
        EXPECT_FALSE(Widget<QToolButton>(rotation)->isChecked()) << rotation;

    const int before = Steps();
    types->setCurrentIndex(BarcodeTypeToIndex(btEan13));
    Settle();
    EXPECT_EQ(one->BarcodeType(), btEan13);
    EXPECT_EQ(two->BarcodeType(), btEan13);
    EXPECT_EQ(Steps(), before + 1);
    interpret->click();
    EXPECT_TRUE(one->Interpret());
    EXPECT_TRUE(two->Interpret());
    EXPECT_EQ(interpret->checkState(), Qt::Checked);
    Widget<QToolButton>("sbRotate180")->click();
    EXPECT_EQ(one->Rotation(), 2);
    EXPECT_EQ(two->Rotation(), 2);
    EXPECT_EQ(text->Rotation(), 2);

    TShapeLabel* s1 = Shape(QRect(300, 10, 40, 40));
    TShapeLabel* s2 = Shape(QRect(300, 100, 40, 40));
    s2->SetPenWidth(3);
    Select({s1, s2, one});
    auto* pen = Widget<QComboBox>("cbPenSize");
    EXPECT_EQ(pen->currentIndex(), -1);
    pen->setCurrentIndex(4);
    EXPECT_EQ(s1->PenWidth(), 5);
    EXPECT_EQ(s2->PenWidth(), 5);
    // With one control the palette shows it whole again.
    Select({two});
    EXPECT_EQ(types->currentIndex(), BarcodeTypeToIndex(btEan13));
    EXPECT_EQ(interpret->checkState(), Qt::Checked);
}

TEST_F(NumberBoxes, WindowCommandsFontAndTextBoxActOnEverySelectedControl) {
    TTextLabel* a = Text(QStringLiteral("one"), QPoint(10, 10));
    TTextLabel* b = Text(QStringLiteral("two"), QPoint(10, 100));
    TShapeLabel* shape = Shape(QRect(200, 10, 40, 40));
    for (TTextLabel* t : {a, b})
        t->SetAutoSizing(false);
    b->SetHAlign(haRight);
    a->SetTransparency(false);
    b->SetTransparency(true);
    b->SetFont(QFont(QStringLiteral("Liberation Serif"), 14));
    Select({a, b, shape});

    // What differs shows blank or unchecked.
    auto* eText = W->findChild<QLineEdit*>(QStringLiteral("eText"));
    EXPECT_EQ(eText->text(), QString());
    EXPECT_EQ(W->findChild<QLabel*>(QStringLiteral("pFont"))->text(), QString());
    W->Action("acAlignHL")->trigger(); // shows the marks again, as the context menu does
    EXPECT_TRUE(W->Action("acAlignHL")->isChecked());
    b->SetHAlign(haRight);
    W->Action("acTransparent")->trigger();
    EXPECT_TRUE(a->Transparent());
    EXPECT_TRUE(b->Transparent()) << "differing controls all take the same setting";
    EXPECT_FALSE(W->Action("acAlignHL")->isChecked());
    EXPECT_FALSE(W->Action("acAlignHR")->isChecked());

    const int before = Steps();
    W->Action("acAlignHC")->trigger();
    Settle();
    EXPECT_EQ(a->HAlign(), haCenter);
    EXPECT_EQ(b->HAlign(), haCenter);
    EXPECT_TRUE(W->Action("acAlignHC")->isChecked());
    EXPECT_EQ(Steps(), before + 1);
    W->Action("acRotate90")->trigger();
    Settle();
    EXPECT_EQ(a->Rotation(), 1);
    EXPECT_EQ(b->Rotation(), 1);
    EXPECT_EQ(shape->Rotation(), 0);

    QFont chosen(QStringLiteral("DejaVu Sans"), 11);
    W->UiServices().Font = [chosen](QWidget*, const QFont&) {
        return std::optional<QFont>(chosen);
    };
    W->Action("acSelectFont")->trigger();
    Settle();
    EXPECT_EQ(a->Font(), chosen);
    EXPECT_EQ(b->Font(), chosen);
    EXPECT_EQ(Steps(), before + 3) << "the font for all is one step";

    // Typing goes to every control that takes text, as one step.
    QApplication::setActiveWindow(W.get());
    eText->setFocus();
    QTest::keyClicks(eText, QStringLiteral("xy"));
    Settle();
    EXPECT_EQ(a->Text(), QStringLiteral("xy"));
    EXPECT_EQ(b->Text(), QStringLiteral("xy"));
    EXPECT_EQ(Steps(), before + 4);
    UndoStep();
    ASSERT_EQ(D().SelectedControls().size(), 3u);
    EXPECT_EQ(D().SelectedControls()[0]->Text(), QStringLiteral("one"));
    EXPECT_EQ(D().SelectedControls()[1]->Text(), QStringLiteral("two"));
    EXPECT_EQ(eText->text(), QString()) << "the texts differ again";
}
} // namespace

namespace {
TEST_F(NumberBoxes, ImagesBarWidthsAndColoursThatDifferShowBlankAndKeepTheirOwn) {
    QImage picture(200, 100, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    auto image = [&](QRect box) {
        auto* c = Add<TGraphicLabel>(box);
        c->SetPicture(picture);
        c->SetBox(TRect::FromBox(box.x(), box.y(), box.width(), box.height()), true);
        c->SetKeepAspect(false);
        return c;
    };
    TGraphicLabel* half = image(QRect(10, 10, 100, 50));
    TGraphicLabel* whole = image(QRect(10, 100, 200, 100));
    Select({half, whole});
    EXPECT_EQ(Widget<QLineEdit>("eScaleW")->text(), QString());
    EXPECT_EQ(Widget<QLabel>("LImageWidth")->text(), QString());
    Enter("eScaleW", QStringLiteral("150"));
    EXPECT_EQ(half->Width(), 300);
    EXPECT_EQ(whole->Width(), 300);
    EXPECT_EQ(half->Height(), 50) << "the empty height field keeps each image's own";
    EXPECT_EQ(whole->Height(), 100);
    EXPECT_EQ(Widget<QLineEdit>("eScaleW")->text(), QStringLiteral("150.0"));

    auto* one = Add<TBarcodeLabel>(QRect(10, 250, 100, 50));
    auto* two = Add<TBarcodeLabel>(QRect(150, 250, 100, 50));
    for (TBarcodeLabel* b : {one, two})
        b->SetAutoScale(false);
    one->SetNarrowBarWidth(10);
    two->SetNarrowBarWidth(20);
    Select({one, two});
    EXPECT_EQ(Widget<QLineEdit>("eNBW")->text(), QString());
    const int before = Steps();
    Enter("eNBW", QString());
    EXPECT_EQ(one->NarrowBarWidth(), 10);
    EXPECT_EQ(two->NarrowBarWidth(), 20);
    EXPECT_EQ(Steps(), before);

    TShapeLabel* red = Shape(QRect(300, 10, 40, 40));
    TShapeLabel* blue = Shape(QRect(300, 100, 40, 40));
    red->SetPenColor(FromQColor(Qt::red));
    blue->SetPenColor(FromQColor(Qt::blue));
    Select({red, blue});
    QColor startedWith;
    P().SetColorDialog([&startedWith](QWidget*, const QColor& initial) {
        startedWith = initial;
        return std::optional<QColor>(Qt::green);
    });
    Widget<QPushButton>("sbLineColor")->click();
    EXPECT_NE(startedWith, QColor(Qt::red)) << "neither colour is offered as the shared one";
    EXPECT_NE(startedWith, QColor(Qt::blue));
    EXPECT_EQ(red->PenColor(), FromQColor(Qt::green));
    EXPECT_EQ(blue->PenColor(), FromQColor(Qt::green));
}
} // namespace
