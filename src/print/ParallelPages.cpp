#include "print/ParallelPages.h"

#include "platform/PdfPages.h"
#include "platform/PrintJob.h"
#include "platform/TempFiles.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
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
// beside its pages, few enough that every worker has work soon and a chunk stays small in
// memory.
constexpr int32_t LabelsPerChunk = 400;

struct TChunk {
    std::vector<std::vector<TPlannedLabel>> pages;
    // Set by the worker before done.
    std::unique_ptr<TPdfPart> part;
    std::exception_ptr error;
    bool done = false; // guarded by the mutex
};
using TChunkPtr = std::shared_ptr<TChunk>;
} // namespace

struct TParallelPages::TImpl {
    std::unique_ptr<TPrintJob> job;
    // The workers' own copies of what they read besides the controls.
    TPrintLayout layout;
    TPrinterFacts facts;
    QString title;
    QString folder; // where the parts are written
    const TControlList& controls;
    TPrintProgress* progress = nullptr;
    size_t pagesPerChunk = 1;
    size_t maxInFlight = 1;

    std::vector<TPlannedLabel> page; // the page being planned
    TChunkPtr chunk = std::make_shared<TChunk>();
    std::deque<TChunkPtr> inFlight; // handed to the workers, in page order
    bool cancelled = false;
    bool finished = false;

    std::mutex mutex;
    std::condition_variable work;  // a chunk is waiting, or the workers must stop
    std::condition_variable ready; // a chunk is done
    std::deque<TChunkPtr> queue;   // waiting for a worker
    std::atomic<bool> stop{false};
    std::vector<std::thread> workers;

    TImpl(const TPrintLayout& l, const TControlList& c) : layout(l), controls(c) {}

    void Work() {
        for (;;) {
            TChunkPtr c;
            {
                std::unique_lock lock(mutex);
                work.wait(lock, [&] { return stop.load() || !queue.empty(); });
                if (stop)
                    return;
                c = std::move(queue.front());
                queue.pop_front();
            }
            try {
                Draw(*c);
            } catch (...) {
                c->error = std::current_exception();
            }
            {
                std::lock_guard lock(mutex);
                c->done = true;
            }
            ready.notify_all();
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
        }
        part->Finish();
        c.part = std::move(part);
        c.pages = {}; // the texts are on the page now
    }

    void Submit() {
        if (chunk->pages.empty())
            return;
        {
            std::lock_guard lock(mutex);
            queue.push_back(chunk);
        }
        work.notify_one();
        inFlight.push_back(std::move(chunk));
        chunk = std::make_shared<TChunk>();
    }

    bool FrontDone() {
        std::lock_guard lock(mutex);
        return inFlight.front()->done;
    }

    // Appends the oldest chunk once done; waits for it a little at most.
    bool AppendFront(std::chrono::milliseconds wait) {
        {
            std::unique_lock lock(mutex);
            if (!ready.wait_for(lock, wait, [&] { return inFlight.front()->done; }))
                return false;
        }
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
        while (!inFlight.empty() && FrontDone())
            AppendFront(std::chrono::milliseconds(0));
        // Planning runs ahead of drawing by a few chunks at most; a cancel ends the wait.
        while (!cancelled && inFlight.size() >= maxInFlight)
            if (!AppendFront(std::chrono::milliseconds(50)) && progress && progress->Cancelled())
                cancelled = true;
    }

    void StopWorkers() {
        {
            std::lock_guard lock(mutex);
            stop = true;
            queue.clear();
        }
        work.notify_all();
        for (std::thread& t : workers)
            if (t.joinable())
                t.join();
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
    d.folder = TempFolder(); // found here: the workers share it
    d.progress = progress;
    const int32_t perPage = std::max(1, layout.Sheet.Rows) * std::max(1, layout.Sheet.Columns);
    d.pagesPerChunk =
        size_t(std::max(1, (labelsPerChunk > 0 ? labelsPerChunk : LabelsPerChunk) / perPage));
    d.maxInFlight = size_t(2 * threads + 1);
    for (int32_t i = 0; i < threads; ++i)
        d.workers.emplace_back([&d] { d.Work(); });
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
    d.StopWorkers();
    d.job->Finish();
}

void TParallelPages::End() {
    Finish();
    m_impl->job->End();
}

void TParallelPages::Abort() {
    m_impl->StopWorkers();
    m_impl->inFlight.clear();
    m_impl->job->Abort();
}

const QString& TParallelPages::JobId() const {
    return m_impl->job->JobId();
}
