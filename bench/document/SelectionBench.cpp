// Several selected controls on large labels, without a view: a mouse move of a group drag, a
// Ctrl+arrow nudge of the group, Select All and a rubber band sweep. The argument is the number
// of controls on the label; twenty of them are selected for the moves.
#include "document/CanvasController.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "platform/Screen.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {
constexpr int kSelected = 20;

// A label of count texts and shapes in turn, forty to a row, nothing selected.
std::unique_ptr<TLabelDocument> Label(int count) {
    auto label = std::make_unique<TLabelDocument>();
    label->SetLabelSize(40 * 50 + 100, (count / 40 + 1) * 30 + 100);
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TLabelControl> c;
        if (i % 2)
            c = std::make_unique<TShapeLabel>();
        else
            c = std::make_unique<TTextLabel>();
        c->SetText(QStringLiteral("Item %1").arg(i));
        c->SetBox(TRect::FromBox(10 + (i % 40) * 50, 10 + (i / 40) * 30, 40, 20), true);
        TLabelControl* raw = c.get();
        label->AddControl(std::move(c));
        raw->SetLoading(false);
    }
    label->DrawChanged();
    label->SelectNone();
    return label;
}

// Twenty controls spread over the label, one in every count / 20.
void SelectSpread(TLabelDocument& label) {
    std::vector<TControlId> ids;
    const size_t step = label.Controls().size() / kSelected;
    for (size_t i = 0; i < label.Controls().size() && ids.size() < kSelected; i += step)
        ids.push_back(label.Controls()[i]->Id());
    label.SelectIds(ids);
}

void GroupDragMove(benchmark::State& state) {
    auto label = Label(int(state.range(0)));
    SelectSpread(*label);
    TCanvasController controller(*label);
    TLabelControl& grabbed = *label->Selection();
    const QPoint grab(grabbed.Left() + 5, grabbed.Top() + 5);
    controller.Press(grab, Qt::LeftButton);
    int d = 0;
    for (auto _ : state) {
        d = (d + 1) % 40;
        controller.Move(grab + QPoint(d, d / 2));
    }
    controller.Release(Qt::LeftButton);
    state.SetLabel("one mouse move of 20 selected");
}
BENCHMARK(GroupDragMove)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void GroupNudge(benchmark::State& state) {
    auto label = Label(int(state.range(0)));
    SelectSpread(*label);
    TCanvasController controller(*label);
    bool right = true;
    for (auto _ : state) {
        controller.Key(right ? Qt::Key_Right : Qt::Key_Left, Qt::ControlModifier);
        right = !right;
    }
    state.SetLabel("one Ctrl+arrow of 20 selected");
}
BENCHMARK(GroupNudge)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void SelectAllAndNone(benchmark::State& state) {
    auto label = Label(int(state.range(0)));
    for (auto _ : state) {
        label->SelectAll();
        label->SelectNone();
    }
}
BENCHMARK(SelectAllAndNone)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void RubberBandMove(benchmark::State& state) {
    auto label = Label(int(state.range(0)));
    TCanvasController controller(*label);
    const QPoint from(3, 3);
    controller.Press(from, Qt::LeftButton);
    int d = 0;
    for (auto _ : state) {
        d = (d + 7) % 400;
        controller.Move(from + QPoint(100 + d, 50 + d / 2));
    }
    controller.Release(Qt::LeftButton);
    state.SetLabel("one mouse move of a rubber band");
}
BENCHMARK(RubberBandMove)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SetScreenResolution(96, 96);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
