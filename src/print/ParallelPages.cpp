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
// evenly over the threads instead, so that large chunks do not leave one thread drawing alone.
constexpr int32_t LabelsPerChunk = 4000;

// Pages drawn on a thread of their own into a part.
struct TChunk {
    std::vector<std::vector<TPlannedLabel>> pages;
    // Set by the chunk's thread before done.
    std::unique_ptr<TPdfPart> part;
    std::exception_ptr error;
    std::atomic<bool> done{false};
    std::thread thread;
};
using TChunkPtr = std::unique_ptr<TChunk>;
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
    int32_t threads = 1;
    int32_t chunkLabels = LabelsPerChunk;
    int32_t lookAhead = LabelsPerChunk; // labels planned beyond the chunks being drawn

    // Planned pages not yet in a chunk, and their labels.
    std::deque<std::vector<TPlannedLabel>> planned;
    int32_t plannedLabels = 0;
    std::vector<TPlannedLabel> page; // the page being planned
    std::deque<TChunkPtr> chunks;    // started and not yet appended, in page order
    std::atomic<bool> stop{false};
    bool cancelled = false;
    bool drained = false; // the last page is in a chunk
    bool finished = false;

    TImpl(const TPrintLayout& l, const TControlList& c) : layout(l), controls(c) {}

    void Draw(TChunk& c) {
        auto part = std::make_unique<TPdfPart>(facts, title, folder);
        for (size_t i = 0; i < c.pages.size(); ++i) {
            if (stop)
                return;
            if (i > 0)
                part->NewPage();
            for (const TPlannedLabel& label : c.pages[i])
                DrawPlannedLabel(part->Painter(), layout, controls, label);
        }
        part->Finish();
        c.part = std::move(part);
        c.pages = {}; // the texts are on the page now
    }

    // Starts a chunk of the oldest planned pages holding at least labels labels (all when
    // fewer) on a thread of its own.
    void Start(int32_t labels) {
        auto c = std::make_unique<TChunk>();
        int32_t taken = 0;
        while (!planned.empty() && (taken < labels || c->pages.empty())) {
            taken += int32_t(planned.front().size());
            c->pages.push_back(std::move(planned.front()));
            planned.pop_front();
        }
        plannedLabels -= taken;
        TChunk* raw = c.get();
        raw->thread = std::thread([this, raw] {
            try {
                Draw(*raw);
            } catch (...) {
                raw->error = std::current_exception();
            }
            raw->done.store(true, std::memory_order_release);
        });
        chunks.push_back(std::move(c));
    }

    int32_t Drawing() const {
        return int32_t(std::count_if(chunks.begin(), chunks.end(), [](const TChunkPtr& c) {
            return !c->done.load(std::memory_order_acquire);
        }));
    }

    // Appends the chunks at the front that are done; rethrows the first error.
    void AppendDone() {
        while (!chunks.empty() && chunks.front()->done.load(std::memory_order_acquire)) {
            TChunkPtr c = std::move(chunks.front());
            chunks.pop_front();
            c->thread.join();
            if (c->error)
                std::rethrow_exception(c->error);
            job->AppendPart(std::move(c->part));
        }
    }

    // Waits a little for the threads, appending what they finished. Chunks take a tenth of a
    // second or more, so looking 200 times a second costs them little and wakes the cores
    // seldom.
    void Pause() {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        AppendDone();
    }

    // Waits until another chunk may start: fewer than threads are drawing, and the finished ones
    // waiting for an older one to be appended are few. False when a cancel came first.
    bool WaitForRoom() {
        for (int polls = 1;; ++polls) {
            if (Drawing() < threads && int32_t(chunks.size()) < 2 * threads)
                return true;
            Pause();
            if (polls % 10 == 0 && progress && progress->Cancelled())
                return false;
        }
    }

    void ClosePage() {
        plannedLabels += int32_t(page.size());
        planned.push_back(std::move(page));
        page = {};
        AppendDone();
        // Planning runs ahead of drawing, so that the end of a short run is known before it is
        // split.
        while (!cancelled && plannedLabels >= lookAhead + chunkLabels) {
            if (WaitForRoom())
                Start(chunkLabels);
            else
                cancelled = true;
        }
    }

    // The planned pages left, in one chunk per thread of about the same size, all started at
    // once: the system shares the cores among them and the chunks still being drawn, so the
    // threads finish together.
    void StartTheRest() {
        const int32_t share = (plannedLabels + threads - 1) / threads;
        while (!planned.empty())
            Start(share);
    }

    void StopThreads() {
        stop = true;
        for (const TChunkPtr& c : chunks)
            if (c->thread.joinable())
                c->thread.join();
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
    d.threads = std::max(1, threads);
    d.chunkLabels = labelsPerChunk > 0 ? labelsPerChunk : LabelsPerChunk;
    // Enough for every thread to have a chunk of a short run to itself.
    d.lookAhead = d.threads * d.chunkLabels;
}

TParallelPages::~TParallelPages() {
    m_impl->StopThreads();
}

void TParallelPages::Add(TPlannedLabel label) {
    m_impl->page.push_back(std::move(label));
}

void TParallelPages::NewPage() {
    m_impl->ClosePage();
}

bool TParallelPages::Drain(TPrintProgress* progress) {
    TImpl& d = *m_impl;
    if (!d.drained) {
        d.drained = true;
        d.plannedLabels += int32_t(d.page.size());
        d.planned.push_back(std::move(d.page));
        d.StartTheRest();
    }
    // The progress window stays alive meanwhile: its Cancel stops the threads.
    for (int polls = 0; !d.chunks.empty(); ++polls) {
        if (polls % 10 == 0 && progress && progress->Cancelled())
            return false;
        d.Pause();
    }
    return true;
}

void TParallelPages::Finish() {
    TImpl& d = *m_impl;
    if (d.finished)
        return;
    d.finished = true;
    Drain(nullptr);
    d.job->Finish();
}

void TParallelPages::End() {
    Finish();
    m_impl->job->End();
}

void TParallelPages::Abort() {
    m_impl->StopThreads();
    m_impl->chunks.clear();
    m_impl->job->Abort();
}

const QString& TParallelPages::JobId() const {
    return m_impl->job->JobId();
}
