// The editor's interactive paths on a label of 200 controls of every kind, offscreen: a mouse
// move of a drag (handled and repainted), a keystroke in the text box, recording one step of
// the history, and undoing and redoing it.
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TestLabel.h"

#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {
struct TEditor {
    QTemporaryDir folder;
    std::unique_ptr<TFMain> window;

    TEditor() : window(BenchDesigner(folder)) {}
    TCanvasLabel& Label() { return window->Label(); }
    TLabelDocument& Document() { return window->Document(); }
};

TEditor& Editor() {
    static TEditor editor;
    return editor;
}

void DragMove(benchmark::State& state) {
    TCanvasLabel& label = Editor().Label();
    TLabelControl& c = *label.Document().Controls()[100];
    const QPoint grab(c.Left() + 3, c.Top() + 3);
    QTest::mousePress(&label, Qt::LeftButton, {}, grab);
    std::vector<double> ms;
    int dx = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        dx = (dx + 1) % 40;
        const QPointF at(grab + QPoint(dx, dx / 2));
        QMouseEvent move(QEvent::MouseMove, at, label.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&label, &move);
        label.repaint(); // what the user sees of the move
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    QTest::mouseRelease(&label, Qt::LeftButton, {}, grab);
    QCoreApplication::processEvents();
    ReportPercentiles(state, ms);
}
BENCHMARK(DragMove)->Unit(benchmark::kMillisecond);

void TextBoxKeystroke(benchmark::State& state) {
    TEditor& e = Editor();
    e.Document().SelectNone();
    e.Document().SelectNext(); // a control with a text box
    while (!e.window->findChild<QLineEdit*>("eText")->isEnabled())
        e.Document().SelectNext();
    QLineEdit* eText = e.window->findChild<QLineEdit*>("eText");
    for (auto _ : state) {
        QTest::keyClick(eText, Qt::Key_A);
        e.Label().repaint();
        state.PauseTiming();
        if (eText->text().size() > 30)
            eText->setText(QStringLiteral("x"));
        state.ResumeTiming();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(TextBoxKeystroke)->Unit(benchmark::kMillisecond);

void RecordStep(benchmark::State& state) {
    TEditor& e = Editor();
    TLabelControl& c = *e.Document().Controls()[50];
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        c.SetLeft(10 + (++n % 50));
        state.ResumeTiming();
        e.window->CommitStep();
    }
}
BENCHMARK(RecordStep)->Unit(benchmark::kMillisecond);

void UndoRedo(benchmark::State& state) {
    TEditor& e = Editor();
    e.Document().Controls()[60]->SetLeft(33);
    e.window->CommitStep();
    QAction* undo = e.window->Action("acUndo");
    QAction* redo = e.window->Action("acRedo");
    for (auto _ : state) {
        undo->trigger();
        redo->trigger();
    }
    state.SetLabel("one undo and one redo");
}
BENCHMARK(UndoRedo)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] { Editor().window.reset(); });
}
