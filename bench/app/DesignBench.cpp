// The design surface zoomed in on a large label: 200 controls of every kind on 8 x 10 inches at
// 400 %, offscreen. A mouse move of a drag of 20 selected controls handled and painted, and one
// zoom step painted.
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TestLabel.h"

#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {
// Counts the paint events the label receives and the area they cover.
struct TPaintCount : QObject {
    int Paints = 0;
    qint64 Pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                Pixels += qint64(r.width()) * r.height();
        }
        return false;
    }
};

struct TDesigner {
    QTemporaryDir folder;
    TPaintCount painted;
    std::unique_ptr<TFMain> window;

    TDesigner() : window(BenchDesigner(folder)) {
        window->ZoomTo(400);
        window->DesignArea().ShowTopLeftCorner();
        window->Label().installEventFilter(&painted);
        Flush();
    }
    TCanvasLabel& Label() { return window->Label(); }
    TLabelDocument& Document() { return window->Document(); }
    // Paints what is waiting to be painted, as the event loop would next.
    void Flush() { QCoreApplication::processEvents(); }
};

TDesigner& Designer() {
    static TDesigner designer;
    return designer;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The 20 controls nearest the label's top left, where the view shows it: all that are seen.
std::vector<TLabelControl*> NearestTwenty(TLabelDocument& document) {
    std::vector<TLabelControl*> all;
    for (const auto& c : document.Controls())
        all.push_back(c.get());
    std::sort(all.begin(), all.end(), [](const TLabelControl* a, const TLabelControl* b) {
        return a->Left() + a->Top() < b->Left() + b->Top();
    });
    all.resize(20);
    return all;
}

void DragTwentyAt400(benchmark::State& state) {
    TDesigner& d = Designer();
    TCanvasLabel& label = d.Label();
    const std::vector<TLabelControl*> twenty = NearestTwenty(d.Document());
    std::vector<TControlId> ids;
    for (const TLabelControl* c : twenty)
        ids.push_back(c->Id());
    TLabelControl& dragged = *twenty.front();
    const QPoint grab = label.ToWidget(dragged.Box()).center();
    // A press on one of the selected controls drags them all.
    d.Document().SelectIds(ids);
    QTest::mousePress(&label, Qt::LeftButton, {}, grab);
    d.Flush();
    std::vector<double> ms;
    d.painted.Paints = 0;
    d.painted.Pixels = 0;
    int step = 0, moved = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step = (step + 1) % 40;
        const QPointF at(grab + QPoint(step * 4, step * 2));
        const int left = dragged.Left(), top = dragged.Top();
        QMouseEvent move(QEvent::MouseMove, at, label.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&label, &move);
        moved += dragged.Left() != left || dragged.Top() != top;
        d.Flush(); // what the user sees of the move
        ms.push_back(Since(start));
    }
    QTest::mouseRelease(&label, Qt::LeftButton, {}, grab);
    d.Flush();
    ReportPercentiles(state, ms);
    state.counters["moves"] = moved;
    state.counters["paints"] = d.painted.Paints;
    state.counters["pixels_per_paint"] = d.painted.Paints ? d.painted.Pixels / d.painted.Paints : 0;
    state.SetLabel("20 selected, 200 controls, 8 x 10 in at 400 %");
}
BENCHMARK(DragTwentyAt400)->Unit(benchmark::kMillisecond)->Iterations(400);

// A rubber band drawn from an empty point over the controls at the view's top left: each mouse
// move selects what the band touches, and the window follows the selection.
void RubberBandAt400(benchmark::State& state) {
    TDesigner& d = Designer();
    TCanvasLabel& label = d.Label();
    d.Document().SelectNone();
    QPoint start(-1, -1);
    for (int y = 8; y < 200 && start.x() < 0; y += 2)
        for (int x = 8; x < 200; x += 2)
            if (!d.Document().ControlAt(x, y, 4)) {
                start = QPoint(x, y);
                break;
            }
    if (start.x() < 0) {
        state.SkipWithError("no empty point near the top left");
        return;
    }
    const QPoint press = label.ToWidget(TRect::FromBox(start.x(), start.y(), 1, 1)).topLeft();
    QTest::mousePress(&label, Qt::LeftButton, {}, press);
    d.Flush();
    std::vector<double> ms;
    int step = 0;
    size_t most = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        step = (step + 1) % 100;
        const QPointF at(press + QPoint(step * 6, step * 5));
        QMouseEvent move(QEvent::MouseMove, at, label.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&label, &move);
        d.Flush();
        ms.push_back(Since(begin));
        most = std::max(most, d.Document().SelectedIds().size());
    }
    QTest::mouseRelease(&label, Qt::LeftButton, {}, press);
    d.Flush();
    ReportPercentiles(state, ms);
    state.counters["most_selected"] = double(most);
    state.SetLabel("a band growing over up to 150 x 125 label pixels at 400 %");
}
BENCHMARK(RubberBandAt400)->Unit(benchmark::kMillisecond)->Iterations(400);

void ZoomStep(benchmark::State& state) {
    TDesigner& d = Designer();
    std::vector<double> ms;
    bool in = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        d.window->ZoomTo(in ? 600 : 400);
        d.Flush();
        ms.push_back(Since(start));
        in = !in;
    }
    d.window->ZoomTo(400);
    d.Flush();
    ReportPercentiles(state, ms);
    state.SetLabel("400 % <-> 600 %, painted");
}
BENCHMARK(ZoomStep)->Unit(benchmark::kMillisecond)->Iterations(40);
} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] { Designer().window.reset(); });
}
