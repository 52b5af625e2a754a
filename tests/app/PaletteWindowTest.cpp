// The palette as a window: docked against the main window, dragged by its own caption, rolled
// up to that caption, and its two preferences.
#include "PaletteTestSupport.h"
#include "app/PaletteCaption.h"
#include "app/PalettePreferences.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMainWindow>
#include <QTest>

class PaletteWindow : public PaletteFixture {
protected:
    void SetUp() override {
        ownedMainWindow = std::make_unique<QMainWindow>();
        MainWindow = ownedMainWindow.get();
        MainWindow->setGeometry(100, 100, 400, 300);
        MainWindow->show();
        ParkCursor();
    }
    void StorePreferences(bool autoExpand, TAttachPosition position) {
        TPalettePreferences{autoExpand, position}.Write(*store);
    }
    TPaletteCaption& Caption() { return *Palette().Caption(); }
    QWidget* Client() { return Find<QWidget>("pClient"); }
    // The cursor where no window is.
    void ParkCursor() { MoveCursor(QPoint(1500, 1500)); }
    void MoveCursor(QPoint global) {
        QCursor::setPos(global);
        QCoreApplication::processEvents();
    }
    // Drags the palette by its caption so that its top-left would come to the given point.
    void DragPaletteTo(QPoint topLeft) {
        const QPoint grip(30, Caption().height() / 2);
        const QPoint offset = Caption().mapTo(&Palette(), grip);
        QTest::mousePress(&Caption(), Qt::LeftButton, {}, grip);
        QTest::mouseMove(&Caption(), Caption().mapFromGlobal(topLeft + offset));
        QTest::mouseRelease(&Caption(), Qt::LeftButton, {},
                            Caption().mapFromGlobal(topLeft + offset));
    }
    int CaptionOnlyHeight() { return Caption().height() + 2; }
    // The main window's rectangle, its frame included, as docking measures it.
    QRect M() const { return MainWindow->frameGeometry(); }
    QPoint RightOf() const { return QPoint(M().x() + M().width(), M().y()); }
};

TEST_F(PaletteWindow, IsAFramelessToolWindowWithItsOwnCaption) {
    const Qt::WindowFlags flags = Palette().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_EQ(Palette().windowTitle(), "Control Settings");
    EXPECT_EQ(Client()->size(), QSize(161, 200));
    EXPECT_EQ(Palette().height(), Palette().ExpandedHeight());
    EXPECT_TRUE(Caption().rect().contains(Caption().PinButton()));
    EXPECT_LT(Caption().PinButton().right(), Caption().CloseButton().left())
        << "the pin sits left of the close button";
}

TEST_F(PaletteWindow, DocksAtPositionTenAndFollowsTheWindow) {
    // No stored preferences: position 10, against the right edge, tops aligned.
    ASSERT_EQ(Palette().AttachPosition(), 10);
    EXPECT_EQ(Palette().pos(), RightOf());
    const QPoint before = Palette().pos();
    MainWindow->move(MainWindow->pos() + QPoint(-40, 50));
    Palette().DockPalette();
    EXPECT_EQ(Palette().pos(), before + QPoint(-40, 50));
    MainWindow->resize(300, 200);
    Palette().DockPalette();
    EXPECT_EQ(Palette().pos(), before + QPoint(-140, 50));
    EXPECT_EQ(Palette().pos(), RightOf());
}

TEST_F(PaletteWindow, DraggingTheCaptionSnapsToTheWindowsEdges) {
    StorePreferences(false, apFloating);
    Palette().move(800, 600);
    ASSERT_EQ(Palette().AttachPosition(), 0);

    DragPaletteTo(RightOf() + QPoint(15, 12)); // within 20 of the right edge and of the top
    EXPECT_EQ(Palette().pos(), RightOf());
    EXPECT_EQ(Palette().AttachPosition(), 10);
    MainWindow->move(40, 70);
    Palette().DockPalette();
    EXPECT_EQ(Palette().pos(), RightOf()) << "carried along with the window";

    // The palette's right edge near the window's left one, tops and bottoms far apart.
    DragPaletteTo(QPoint(M().x() - Palette().width() - 17, M().y() + 130));
    EXPECT_EQ(Palette().pos(), QPoint(M().x() - Palette().width(), M().y() + 130));
    EXPECT_EQ(Palette().AttachPosition(), 8);
    EXPECT_EQ(Palette().Docking().DockOffsetY, 130);

    DragPaletteTo(QPoint(900, 700));
    EXPECT_EQ(Palette().pos(), QPoint(900, 700));
    EXPECT_EQ(Palette().AttachPosition(), 0);
    MainWindow->move(100, 100);
    Palette().DockPalette();
    EXPECT_EQ(Palette().pos(), QPoint(900, 700)) << "a floating palette stays put";
}

TEST_F(PaletteWindow, NoDockingWhileTheWindowIsNotInItsNormalState) {
    Palette();
    MainWindow->setWindowState(Qt::WindowMaximized);
    Palette().move(10, 10);
    Palette().DockPalette();
    EXPECT_EQ(Palette().pos(), QPoint(10, 10));
    DragPaletteTo(QPoint(30, 40));
    EXPECT_EQ(Palette().pos(), QPoint(30, 40)) << "moved without snapping";
    EXPECT_EQ(Palette().AttachPosition(), 10);
}

TEST_F(PaletteWindow, AutoExpandShowsOnlyTheCaptionUntilTheMouseEnters) {
    StorePreferences(true, apRightTop);
    ASSERT_TRUE(Palette().AutoExpand());
    EXPECT_FALSE(Palette().Expanded());
    EXPECT_TRUE(Client()->isHidden());
    EXPECT_EQ(Palette().height(), CaptionOnlyHeight());
    EXPECT_EQ(Palette().pos(), RightOf());

    MoveCursor(Caption().mapToGlobal(Caption().rect().center()));
    EXPECT_TRUE(Palette().Expanded());
    EXPECT_FALSE(Client()->isHidden());
    EXPECT_EQ(Palette().height(), Palette().ExpandedHeight());

    ParkCursor();
    EXPECT_FALSE(Palette().Expanded());
    EXPECT_EQ(Palette().height(), CaptionOnlyHeight());
}

TEST_F(PaletteWindow, RolledUpAboveTheWindowKeepsRoomForTheWholePalette) {
    StorePreferences(true, apAboveLeft);
    EXPECT_EQ(Palette().pos(), M().topLeft() - QPoint(0, Palette().ExpandedHeight()));
}

TEST_F(PaletteWindow, PinTogglesAutoExpandAndIsKept) {
    ASSERT_FALSE(Palette().AutoExpand());
    const QPoint pin = Caption().PinButton().center();
    MoveCursor(Caption().mapToGlobal(pin));
    QTest::mouseClick(&Caption(), Qt::LeftButton, {}, pin);
    EXPECT_TRUE(Palette().AutoExpand());
    EXPECT_TRUE(Palette().Expanded()) << "the mouse is still on the palette";
    EXPECT_EQ(Palette().pos(), RightOf()) << "pressing the pin does not drag";
    ParkCursor();
    EXPECT_FALSE(Palette().Expanded());

    MoveCursor(Caption().mapToGlobal(pin));
    ASSERT_TRUE(Palette().Expanded());
    QTest::mouseClick(&Caption(), Qt::LeftButton, {}, pin);
    QTest::mouseClick(&Caption(), Qt::LeftButton, {}, pin);
    EXPECT_TRUE(Palette().AutoExpand());
    palette.reset(); // written when the palette goes
    EXPECT_TRUE(TPalettePreferences::Read(*store).AutoExpand);
}

TEST_F(PaletteWindow, TurningAutoExpandOffUnrolls) {
    StorePreferences(true, apRightTop);
    ASSERT_FALSE(Palette().Expanded());
    Palette().SetAutoExpand(false);
    EXPECT_TRUE(Palette().Expanded());
    ParkCursor();
    EXPECT_TRUE(Palette().Expanded());
}

TEST_F(PaletteWindow, CloseButtonHidesThePalette) {
    QList<bool> visibility;
    QObject::connect(&Palette(), &TFControlSettings::VisibilityChanged,
                     [&](bool visible) { visibility << visible; });
    QTest::mouseClick(&Caption(), Qt::LeftButton, {}, Caption().CloseButton().center());
    EXPECT_FALSE(Palette().isVisible());
    EXPECT_EQ(visibility, QList<bool>{false});
    Palette().show();
    EXPECT_EQ(visibility, (QList<bool>{false, true}));
}

TEST_F(PaletteWindow, AttachPositionIsKept) {
    Palette();
    // Near the right edge, bottoms within 20.
    DragPaletteTo(QPoint(M().right() + 6, M().bottom() - Palette().height() + 12));
    const int position = Palette().AttachPosition();
    EXPECT_EQ(position, 12);
    palette.reset();
    EXPECT_EQ(TPalettePreferences::Read(*store).AttachPosition, 12);
    EXPECT_FALSE(TPalettePreferences::Read(*store).AutoExpand);
}
