#include "print/ParallelPages.h"

#include "platform/PdfPages.h"
#include "platform/PrintJob.h"
#include "platform/TempFiles.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <exception>
#include <mutex>
#include <semaphore>
#include <thread>

int32_t PrintThreads(int32_t requested) {
    if (requested <= 0) {
        bool ok = false;
        const int32_t fromEnv = qEnvironmentVariableIntValue("VELLUMTRACE_THREADS", &ok);
        requested = ok && fromEnv > 0 ? fromEnv : QThread::idealThreadCount();
    }
    return std::clamp(requested, 1, MaxPrintThreads);
}

namespace {
// About this many labels make a chunk. Every part carries its own copy of the fonts, which costs
// as much as drawing some two hundred labels, so chunks are large; the end of a run is split
// evenly instead (Balance), so that large chunks do not leave one thread drawing alone.
constexpr int32_t LabelsPerChunk = 4000;

struct TChunk {
    std::vector<std::vector<TPlannedLabel>> pages;
    int32_t labels = 0;
    std::atomic<int32_t> drawn{0}; // labels drawn so far, for the split of the run's end
    // Set by the drawing thread before done.
    std::unique_ptr<TPdfPart> part;
    std::exception_ptr error;
    std::atomic<bool> done{false};
};
using TChunkPtr = std::unique_ptr<TChunk>;

// A thread that draws the chunks handed to it, one after the other.
struct TWorker {
    std::thread thread;
    std::counting_semaphore<> handed{0};
    std::deque<TChunk*> chunks; // handed and not yet done, oldest first; guarded by the mutex
};
} // namespace

struct TParallelPages::TImpl {
    std::unique_ptr<TPrintJob> job;
    // The threads' own copies of what they read besides the controls.
    TPrintLayout layout;
    TPrinterFacts facts;
    QString title;
    QString folder; // where the parts are written
    const TControlList& controls;
    TPrintProgress* progress = nullptr;
    int32_t chunkLabels = LabelsPerChunk;
    int32_t lookAhead = LabelsPerChunk; // labels planned before the first chunk is cut

    // Planned pages not yet in a chunk, and their labels.
    std::deque<std::vector<TPlannedLabel>> planned;
    int32_t plannedLabels = 0;
    std::vector<TPlannedLabel> page; // the page being planned
    std::deque<TChunkPtr> chunks;    // cut and not yet appended, in page order
    bool cancelled = false;
    bool finished = false;

    std::mutex mutex;
    std::atomic<bool> stop{false};
    std::vector<std::unique_ptr<TWorker>> workers;

    TImpl(const TPrintLayout& l, const TControlList& c) : layout(l), controls(c) {}

    void Work(TWorker& w) {
        for (;;) {
            w.handed.acquire();
            TChunk* c = nullptr;
            {
                std::lock_guard lock(mutex);
                if (stop)
                    return;
                c = w.chunks.front();
            }
            try {
                Draw(*c);
            } catch (...) {
                c->error = std::current_exception();
            }
            {
                std::lock_guard lock(mutex);
                w.chunks.pop_front();
            }
            c->done.store(true, std::memory_order_release);
        }
    }

    void Draw(TChunk& c) {
        auto part = std::make_unique<TPdfPart>(facts, title, folder);
        for (size_t i = 0; i < c.pages.size(); ++i) {
            if (stop)
                return;
            if (i > 0)
                part->NewPage();
            for (const TPlannedLabel& label : c.pages[i])
                DrawPlannedLabel(part->Painter(), layout, controls, label);
            c.drawn.fetch_add(int32_t(c.pages[i].size()), std::memory_order_relaxed);
        }
        part->Finish();
        c.part = std::move(part);
        c.pages = {}; // the texts are on the page now
    }

    // Labels a worker has yet to draw. Called with the mutex held.
    static int32_t Remaining(const TWorker& w) {
        int32_t left = 0;
        for (const TChunk* c : w.chunks)
            left += c->labels - c->drawn.load(std::memory_order_relaxed);
        return left;
    }

    // A chunk of the oldest planned pages holding at least labels labels (all when fewer).
    TChunk* Cut(int32_t labels) {
        auto c = std::make_unique<TChunk>();
        while (!planned.empty() && (c->labels < labels || c->pages.empty())) {
            c->labels += int32_t(planned.front().size());
            plannedLabels -= int32_t(planned.front().size());
            c->pages.push_back(std::move(planned.front()));
            planned.pop_front();
        }
        chunks.push_back(std::move(c));
        return chunks.back().get();
    }

    void Hand(TChunk* c, TWorker& w) {
        {
            std::lock_guard lock(mutex);
            w.chunks.push_back(c);
        }
        w.handed.release();
    }

    // Appends the chunks at the front that are done; rethrows the first error.
    void AppendDone() {
        while (!chunks.empty() && chunks.front()->done.load(std::memory_order_acquire)) {
            TChunkPtr c = std::move(chunks.front());
            chunks.pop_front();
            if (c->error)
                std::rethrow_exception(c->error);
            job->AppendPart(std::move(c->part));
        }
    }

    // Waits a little for the threads, appending what they finished.
    void Pause() {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        AppendDone();
    }

    // The worker with the least left to draw, once one has at most one chunk in hand (so that
    // the pages in memory stay bounded); nullptr when a cancel came first.
    TWorker* NextFree() {
        for (int polls = 0;; ++polls) {
            TWorker* best = nullptr;
            int32_t least = 0;
            {
                std::lock_guard lock(mutex);
                for (const auto& w : workers) {
                    const int32_t left = Remaining(*w);
                    if (w->chunks.size() < 2 && (!best || left < least)) {
                        best = w.get();
                        least = left;
                    }
                }
            }
            if (best)
                return best;
            Pause();
            if (polls % 50 == 49 && progress && progress->Cancelled()) {
                cancelled = true;
                return nullptr;
            }
        }
    }

    void ClosePage() {
        plannedLabels += int32_t(page.size());
        planned.push_back(std::move(page));
        page = {};
        AppendDone();
        // Planning runs ahead of drawing by the look-ahead, so that the end of a short run is
        // known before it is split.
        while (!cancelled && plannedLabels >= lookAhead + chunkLabels) {
            TWorker* w = NextFree();
            if (w)
                Hand(Cut(chunkLabels), *w);
        }
    }

    // Splits the planned pages left over the workers so that all finish at about the same
    // time: those with less left to draw get more.
    void Balance() {
        std::vector<std::pair<int32_t, TWorker*>> load;
        {
            std::lock_guard lock(mutex);
            for (const auto& w : workers)
                load.emplace_back(Remaining(*w), w.get());
        }
        std::sort(load.begin(), load.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        // The level all reach: the k least loaded share the planned labels and what they have.
        int64_t sum = 0;
        size_t k = 0;
        int64_t level = 0;
        for (size_t i = 0; i < load.size(); ++i) {
            sum += load[i].first;
            const int64_t candidate = (sum + plannedLabels) / int64_t(i + 1);
            if (i + 1 < load.size() && candidate > load[i + 1].first)
                continue;
            k = i + 1;
            level = candidate;
            break;
        }
        for (size_t i = 0; i < k && !planned.empty(); ++i) {
            const int32_t share = int32_t(std::max<int64_t>(1, level - load[i].first));
            // The last share takes the rest, so that rounding to pages leaves nothing behind.
            Hand(Cut(i + 1 == k ? plannedLabels : share), *load[i].second);
        }
        while (!planned.empty())
            Hand(Cut(plannedLabels), *load.front().second);
    }

    void StopWorkers() {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        for (const auto& w : workers)
            w->handed.release();
        for (const auto& w : workers)
            if (w->thread.joinable())
                w->thread.join();
        workers.clear();
    }
};

TParallelPages::TParallelPages(std::unique_ptr<TPrintJob> job, const TPrintLayout& layout,
                               const TControlList& controls, int32_t threads,
                               int32_t labelsPerChunk, TPrintProgress* progress)
    : m_impl(std::make_unique<TImpl>(layout, controls)) {
    TImpl& d = *m_impl;
    d.job = std::move(job);
    d.facts = d.job->Facts();
    d.title = d.job->Title();
    d.folder = TempFolder(); // found here: the threads share it
    d.progress = progress;
    d.chunkLabels = labelsPerChunk > 0 ? labelsPerChunk : LabelsPerChunk;
    // Enough for every thread to have a chunk of a short run to itself.
    d.lookAhead = std::max(1, threads) * d.chunkLabels;
    for (int32_t i = 0; i < std::max(1, threads); ++i) {
        d.workers.push_back(std::make_unique<TWorker>());
        TWorker& w = *d.workers.back();
        w.thread = std::thread([&d, &w] { d.Work(w); });
    }
}

TParallelPages::~TParallelPages() {
    m_impl->StopWorkers();
}

void TParallelPages::Add(TPlannedLabel label) {
    m_impl->page.push_back(std::move(label));
}

void TParallelPages::NewPage() {
    m_impl->ClosePage();
}

void TParallelPages::Finish() {
    TImpl& d = *m_impl;
    if (d.finished)
        return;
    d.finished = true;
    d.plannedLabels += int32_t(d.page.size());
    d.planned.push_back(std::move(d.page));
    d.Balance();
    while (!d.chunks.empty())
        d.Pause();
    d.StopWorkers();
    d.job->Finish();
}

void TParallelPages::End() {
    Finish();
    m_impl->job->End();
}

void TParallelPages::Abort() {
    m_impl->StopWorkers();
    m_impl->chunks.clear();
    m_impl->job->Abort();
}

const QString& TParallelPages::JobId() const {
    return m_impl->job->JobId();
}
