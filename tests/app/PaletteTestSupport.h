#pragma once

#include "TestSupport.h"
#include "app/FControlSettings.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"
#include "platform/Screen.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

// A palette on its own preference file over a label with controls the test adds, with the
// main window's actions stood in by plain actions whose triggers are counted, and the colour
// dialog answered from a queue (an empty queue cancels).
class PaletteFixture : public ::testing::Test {
protected:
    PaletteFixture() {
        SetScreenResolution(96, 96);
        label.SetLabelSize(600, 400);
        MaintainAspect.setCheckable(true);
        MaintainAspect.setChecked(true);
        AutoSize.setCheckable(true);
        Transparent.setCheckable(true);
        for (QAction* a :
             {&BringToFront, &SendToBack, &AutoSize, &Transparent, &ImportImage, &MaintainAspect})
            QObject::connect(a, &QAction::triggered, [this, a] { Triggered << a; });
    }

    TPaletteHost Host() {
        TPaletteHost host;
        host.MainWindow = MainWindow;
        host.Label = &view;
        host.PrinterResolution = [this] { return printer.PixelsPerInchX; };
        host.BringToFront = &BringToFront;
        host.SendToBack = &SendToBack;
        host.AutoSize = &AutoSize;
        host.Transparent = &Transparent;
        host.ImportImage = &ImportImage;
        host.MaintainAspect = &MaintainAspect;
        return host;
    }

    TFControlSettings& Palette() {
        if (!palette) {
            palette = std::make_unique<TFControlSettings>(Host(), *store);
            palette->SetColorDialog(
                [this](QWidget*, const QColor& initial) -> std::optional<QColor> {
                    DialogStarts.push_back(initial);
                    if (Colours.empty())
                        return std::nullopt;
                    const QColor c = Colours.front();
                    Colours.pop_front();
                    return c;
                });
            QObject::connect(palette.get(), &TFControlSettings::Edited, [this] { ++Edits; });
            // Shown and active, so that fields take the focus and lose it as for the user.
            palette->show();
            QApplication::setActiveWindow(palette.get());
            QCoreApplication::processEvents(); // exposed, as a window the mouse can enter
        }
        return *palette;
    }

    template <typename T> T* Find(const char* name) {
        T* widget = Palette().findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    template <typename T> T* Add(int left, int top, int width, int height) {
        auto control = std::make_unique<T>();
        control->SetBox(TRect::FromBox(left, top, width, height), true);
        T* raw = control.get();
        label.AddControl(std::move(control));
        raw->SetLoading(false);
        return raw;
    }
    TBarcodeLabel* AddBarcode() { return Add<TBarcodeLabel>(10, 10, 120, 50); }
    TShapeLabel* AddShape() { return Add<TShapeLabel>(150, 10, 40, 40); }
    TTextLabel* AddText() { return Add<TTextLabel>(10, 100, 80, 20); }
    // An image control with a 200 x 100 picture shown at 50 %.
    TGraphicLabel* AddImage() {
        auto* image = Add<TGraphicLabel>(200, 100, 100, 50);
        QImage picture(200, 100, QImage::Format_RGB888);
        picture.fill(Qt::darkGreen);
        image->SetPicture(picture);
        image->SetBox(TRect::FromBox(200, 100, 100, 50), true);
        return image;
    }

    void Select(TLabelControl* c) { Palette().FollowSelection(c); }
    // Clicks a check box or radio button on its indicator, which is always part of it.
    static void Click(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    TScratchFolder scratch;
    std::unique_ptr<TPreferenceStore> store =
        std::make_unique<TPreferenceStore>(scratch.File("prefs.ini"));
    TCanvasLabel view;
    TLabelDocument& label = view.Document();
    TPrinterPage printer; // 600 dots per inch
    // A window to dock against, when a test makes one; it outlives the palette it parents.
    std::unique_ptr<QWidget> ownedMainWindow;
    QWidget* MainWindow = nullptr;
    QAction BringToFront, SendToBack, AutoSize, Transparent, ImportImage, MaintainAspect;
    QList<QAction*> Triggered;
    std::deque<QColor> Colours;
    QList<QColor> DialogStarts;
    int Edits = 0;
    std::unique_ptr<TFControlSettings> palette;
};
