#pragma once

#include "print/PrintU.h"

#include <cstdint>
#include <memory>

class TPrintJob;

// How many threads a run draws its pages on: requested when above 0, else the environment's
// VELLUMTRACE_THREADS when it is a whole number above 0, else one per core; at most
// MaxPrintThreads either way.
inline constexpr int32_t MaxPrintThreads = 8;
int32_t PrintThreads(int32_t requested);

// A print job whose pages are drawn on other threads. The run hands it its labels in order,
// already planned (texts evaluated, counters stepped). Every few thousand labels make a chunk,
// drawn on a thread of its own into a PDF part; at most threads chunks are drawn at once until
// the run's end, whose pages are split evenly over the threads. Finished chunks are appended to
// the job in page order, so a run of any length holds a bounded number of pages (labelsPerChunk
// sets the chunk's size; 0 for the default). The controls must stay as they are until the job
// ends; the threads only read them.
class TParallelPages : public TPageSink {
public:
    TParallelPages(std::unique_ptr<TPrintJob> job, const TPrintLayout& layout,
                   const TControlList& controls, int32_t threads, int32_t labelsPerChunk,
                   TPrintProgress* progress);
    ~TParallelPages() override;
    TParallelPages(const TParallelPages&) = delete;
    TParallelPages& operator=(const TParallelPages&) = delete;

    // The next label of the current page.
    void Add(TPlannedLabel label);
    // Closes the page. May wait for the oldest chunk while the chunks being drawn are at their
    // limit; a cancel seen meanwhile stops the waiting (the run sees it next).
    void NewPage() override;
    // Starts the pages left, split evenly over the threads, and waits for every chunk, watching
    // progress for a cancel (false then). Throws the first error of any chunk.
    bool Drain(TPrintProgress* progress) override;
    // Drains (without a cancel) and writes the job's document, delivering nothing.
    void Finish();
    void End() override;
    void Abort() override;
    const QString& JobId() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};
