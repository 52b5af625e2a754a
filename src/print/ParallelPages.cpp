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
// About this many labels make a chunk: enough that a part's own copy of the fonts is small
// beside its pages, few enough that every thread has work soon and a chunk stays small in
// memory.
constexpr int32_t LabelsPerChunk = 400;

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
    size_t pagesPerChunk = 1;
    size_t maxInFlight = 1;

    std::vector<TPlannedLabel> page; // the page being planned
    TChunkPtr chunk = std::make_unique<TChunk>();
    // Each on a thread of its own, in page order; at most maxInFlight at once.
    std::deque<TChunkPtr> inFlight;
    std::atomic<bool> stop{false};
    bool cancelled = false;
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

    void Submit() {
        if (chunk->pages.empty())
            return;
        TChunk* c = chunk.get();
        c->thread = std::thread([this, c] {
            try {
                Draw(*c);
            } catch (...) {
                c->error = std::current_exception();
            }
            c->done.store(true, std::memory_order_release);
        });
        inFlight.push_back(std::move(chunk));
        chunk = std::make_unique<TChunk>();
    }

    // Appends the oldest chunk once it is done, waiting for it up to wait; false when it is not
    // done by then.
    bool AppendFront(std::chrono::milliseconds wait) {
        TChunk& front = *inFlight.front();
        const auto until = std::chrono::steady_clock::now() + wait;
        // A short sleep between looks costs a chunk a millisecond at most.
        while (!front.done.load(std::memory_order_acquire)) {
            if (std::chrono::steady_clock::now() >= until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        front.thread.join();
        TChunkPtr c = std::move(inFlight.front());
        inFlight.pop_front();
        if (c->error)
            std::rethrow_exception(c->error);
        job->AppendPart(std::move(c->part));
        return true;
    }

    void ClosePage() {
        chunk->pages.push_back(std::move(page));
        page = {};
        if (chunk->pages.size() < pagesPerChunk)
            return;
        Submit();
        while (!inFlight.empty() && inFlight.front()->done.load(std::memory_order_acquire))
            AppendFront(std::chrono::milliseconds(0));
        // Planning runs ahead of drawing by a few chunks at most; a cancel ends the wait.
        while (!cancelled && inFlight.size() >= maxInFlight)
            if (!AppendFront(std::chrono::milliseconds(50)) && progress && progress->Cancelled())
                cancelled = true;
    }

    void StopWorkers() {
        stop = true;
        for (const TChunkPtr& c : inFlight)
            if (c->thread.joinable())
                c->thread.join();
        inFlight.clear();
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
    d.folder = TempFolder(); // found here: the chunks' threads share it
    d.progress = progress;
    const int32_t perPage = std::max(1, layout.Sheet.Rows) * std::max(1, layout.Sheet.Columns);
    d.pagesPerChunk =
        size_t(std::max(1, (labelsPerChunk > 0 ? labelsPerChunk : LabelsPerChunk) / perPage));
    // Chunks of the same size finish about in the order they started, so the oldest is seldom
    // waited for while a core idles.
    d.maxInFlight = size_t(std::max(1, threads));
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
    d.chunk->pages.push_back(std::move(d.page));
    d.Submit();
    while (!d.inFlight.empty())
        d.AppendFront(std::chrono::milliseconds(1000));
    d.job->Finish();
}

void TParallelPages::End() {
    Finish();
    m_impl->job->End();
}

void TParallelPages::Abort() {
    m_impl->StopWorkers();
    m_impl->job->Abort();
}

const QString& TParallelPages::JobId() const {
    return m_impl->job->JobId();
}
