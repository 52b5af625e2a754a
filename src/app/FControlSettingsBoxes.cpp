// The Common page's boxes for the place and size of the selection, in the unit the rulers show.
#include "app/FControlSettings.h"

#include "app/PaletteShared.h"
#include "app/PaletteTexts.h"
#include "document/LabelDocument.h"
#include "document/widgets/CanvasLabel.h"
#include "files/LabelHistory.h"
#include "platform/Lengths.h"
#include "platform/Numbers.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {
using TBox = TFControlSettings::TBox;
constexpr TBox kBoxes[] = {TBox::Left, TBox::Top, TBox::Width, TBox::Height};

bool Horizontal(TBox box) {
    return box == TBox::Left || box == TBox::Width;
}

int32_t PixelsPerInch(TBox box) {
    return Horizontal(box) ? ScreenPixelsPerInchX() : ScreenPixelsPerInchY();
}

// What the box stands for: the selection's place, or a size each control shares.
std::optional<int32_t> BoxValue(TBox box, const std::vector<TLabelControl*>& controls) {
    const TRect bounds = BoxAround(controls);
    if (box == TBox::Left)
        return bounds.Left;
    if (box == TBox::Top)
        return bounds.Top;
    if (box == TBox::Width)
        return SharedValue(controls, [](const TLabelControl& c) { return c.Width(); });
    return SharedValue(controls, [](const TLabelControl& c) { return c.Height(); });
}

struct TBoxText {
    TBox Box;
    const char* Name;
    const char* Caption;
};
constexpr TBoxText kBoxTexts[] = {
    {TBox::Left, "eLeft", PaletteText::Left},
    {TBox::Top, "eTop", PaletteText::Top},
    {TBox::Width, "eWidth", PaletteText::Width},
    {TBox::Height, "eHeight", PaletteText::Height},
};
} // namespace

QLayout* TFControlSettings::BuildBoxes() {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (const TBoxText& t : kBoxTexts) {
        const int i = int(t.Box);
        auto* box = new QLineEdit;
        box->setObjectName(QLatin1String(t.Name));
        box->setMaxLength(12);
        box->setFixedSize(44, 18);
        auto* caption = new QLabel(QString::fromUtf8(t.Caption));
        caption->setObjectName(QLatin1String("l") + QLatin1String(t.Name + 1));
        caption->setBuddy(box);
        grid->addWidget(caption, i / 2, (i % 2) * 2);
        grid->addWidget(box, i / 2, (i % 2) * 2 + 1);
        m_boxes[size_t(i)] = box;
        // Enter applies and keeps the box for more typing; leaving it applies too.
        connect(box, &QLineEdit::returnPressed, this, [this, box, which = t.Box] {
            ApplyBox(which);
            box->selectAll();
        });
        connect(box, &QLineEdit::editingFinished, this, [this, box, which = t.Box] {
            if (!box->hasFocus())
                ApplyBox(which);
        });
    }
    grid->setColumnStretch(4, 1);
    return grid;
}

void TFControlSettings::AsStep(TStepKind kind, const std::function<void()>& change) {
    if (m_host.AsStep)
        m_host.AsStep(kind, change);
    else
        change();
}

void TFControlSettings::ShowBoxes() {
    const std::vector<TLabelControl*> controls = Targets();
    const double perInch = Metric() ? CentimetresPerInch : 1.0;
    const QString unit =
        QString::fromUtf8(Metric() ? PaletteText::BoxCentimetres : PaletteText::BoxInches);
    for (const TBox which : kBoxes) {
        QLineEdit* box = BoxField(which);
        box->setEnabled(!controls.empty());
        box->setToolTip(unit);
        // What the user is typing stays until it is applied.
        if (box->hasFocus() && box->isModified())
            continue;
        const std::optional<int32_t> pixels =
            controls.empty() ? std::nullopt : BoxValue(which, controls);
        const QString text = pixels ? FormatNumber(NumberFormat::TwoDecimals,
                                                   double(*pixels) / PixelsPerInch(which) * perInch)
                                    : QString();
        m_boxShown[size_t(which)] = text;
        box->setText(text);
    }
}

void TFControlSettings::ApplyBox(TBox which) {
    QLineEdit* box = BoxField(which);
    const std::vector<TLabelControl*> controls = Targets();
    // Leaving a box as it was shown changes nothing (a blank one keeps the differing sizes).
    if (controls.empty() || box->text() == m_boxShown[size_t(which)]) {
        box->setModified(false);
        return;
    }
    double inches = 0;
    const bool isSize = which == TBox::Width || which == TBox::Height;
    if (!ParseLength(box->text(), Metric(), inches) || (isSize && inches <= 0)) {
        box->setText(m_boxShown[size_t(which)]);
        box->setModified(false);
        return;
    }
    const int32_t pixels = RoundHalfEven(inches * PixelsPerInch(which));
    box->setModified(false);
    AsStep(isSize ? TStepKind::Resize : TStepKind::Move, [&] {
        if (isSize) {
            for (TLabelControl* c : controls)
                which == TBox::Width ? c->SetBoxWidth(pixels) : c->SetBoxHeight(pixels);
        } else {
            // The selection moves as one, as far as the label lets its outermost control go.
            const TRect bounds = BoxAround(controls);
            const TRect area = controls.front()->BoundsArea();
            const bool x = which == TBox::Left;
            const int64_t from = x ? bounds.Left : bounds.Top;
            const int64_t low = int64_t(x ? area.Left : area.Top) - from;
            const int64_t high =
                int64_t(x ? area.Right - bounds.Right : area.Bottom - bounds.Bottom);
            const int32_t by = int32_t(std::clamp<int64_t>(
                int64_t(pixels) - from, std::min(low, high), std::max(low, high)));
            for (TLabelControl* c : controls)
                x ? c->SetLeft(c->Left() + by) : c->SetTop(c->Top() + by);
        }
        // Controls that size themselves to their content take their size now, in this step.
        if (m_host.Label)
            m_host.Label->Document().DrawChanged();
    });
    ShowBoxes();
}
