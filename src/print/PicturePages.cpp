#include "print/PicturePages.h"

#include "document/KindRegistry.h"
#include "document/ShownData.h"
#include "document/TextRendering.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"
#include "print/ParallelPages.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

TPicturePrinter::TPicturePrinter(const TPaperChoice& paper, int32_t dpi) : m_dpi(dpi) {
    m_paper.SetPaperSize(TPrinters::Pdf().PaperSize());
    m_paper.SetPaper(paper);
}

namespace {
// The name of picture number (from 1) of count pictures of a run asked to write path.
QString PictureName(const QString& path, int32_t number, int32_t count) {
    if (count == 1)
        return path;
    // The name as given, folder and all, with the number before its extension.
    const QString suffix = QFileInfo(path).suffix();
    const int width = std::max(3, int(QString::number(count).size()));
    return path.left(path.size() - suffix.size() - 1) + QLatin1Char('-') +
           QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0')) + QLatin1Char('.') +
           suffix;
}

// Where a run's pictures go: planned labels in, picture files in a hidden folder beside the
// output, drawn on worker threads, and moved into place at the end.
class TPictureSink : public TPageSink {
public:
    TPictureSink(const TPrintLayout& layout, const TControlList& controls,
                 const TPictureOptions& options, int32_t threads)
        : m_layout(layout), m_controls(controls), m_options(options),
          m_folder(QFileInfo(options.Path)
                       .absoluteDir()
                       .filePath(QStringLiteral(".vellumtrace-pictures-XXXXXX"))) {
        if (!m_folder.isValid())
            throw TUserError(
                QStringLiteral("The pictures cannot be written into the folder %1: %2.")
                    .arg(QFileInfo(options.Path).absolutePath(), m_folder.errorString()));
        // One thread draws in turn on the run's own; more draw beside it.
        if (threads > 1) {
            m_limit = 2 * threads;
            for (int32_t i = 0; i < threads; ++i)
                m_workers.emplace_back([this] { Work(); });
        }
    }
    ~TPictureSink() override { Stop(); }
    TPictureSink(const TPictureSink&) = delete;
    TPictureSink& operator=(const TPictureSink&) = delete;

    void Add(TPlannedLabel label) {
        if (m_options.OneLabel) {
            std::vector<TPlannedLabel> one;
            one.push_back(std::move(label));
            Submit(std::move(one));
        } else {
            m_page.push_back(std::move(label));
        }
    }
    void NewPage() override {
        if (!m_options.OneLabel)
            Submit(std::exchange(m_page, {}));
    }
    bool Drain(TPrintProgress* progress) override {
        if (!m_drained) {
            m_drained = true;
            NewPage(); // the last page
        }
        std::unique_lock lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
        while (m_busy > 0 || !m_queue.empty()) {
            if (m_error)
                break;
            m_changed.wait_for(lock, std::chrono::milliseconds(50));
            if (progress && progress->Cancelled())
                return false;
        }
        if (m_error)
            std::rethrow_exception(m_error);
        return true;
    }
    void End() override {
        Drain(nullptr);
        Stop();
        // rename replaces a file of the same name in one step, so a reader never sees half.
        for (int32_t n = 1; n <= m_count; ++n) {
            const QString target = PictureName(m_options.Path, n, m_count);
            std::error_code error;
            std::filesystem::rename(TempName(n).toStdString(), target.toStdString(), error);
            if (error) {
                for (const QString& moved : m_delivered)
                    QFile::remove(moved);
                m_delivered.clear();
                throw TUserError(QStringLiteral("The picture %1 could not be put in place: %2.")
                                     .arg(target, QString::fromStdString(error.message())));
            }
            m_delivered << target;
        }
    }
    void Abort() override { Stop(); }
    const QStringList& Delivered() const { return m_delivered; }

private:
    struct TJob {
        int32_t Number = 0;
        std::vector<TPlannedLabel> Labels;
    };

    QString TempName(int32_t number) const {
        const QString suffix = m_options.Format == TPictureFormat::Png ? "png" : "svg";
        return m_folder.filePath(
            QStringLiteral("%1.%2").arg(number, 8, 10, QLatin1Char('0')).arg(suffix));
    }

    void Render(const TJob& job) const {
        const QRect area =
            m_options.OneLabel
                ? LabelRect(m_layout, job.Labels.front().Column, job.Labels.front().Row)
                : QRect(0, 0, m_layout.Page.PhysicalWidth, m_layout.Page.PhysicalHeight);
        WritePicture(TempName(job.Number), m_options.Format, area, m_options.Dpi,
                     QFileInfo(m_options.Path).completeBaseName(), [&](QPainter& painter) {
                         for (const TPlannedLabel& label : job.Labels)
                             DrawPlannedLabel(painter, m_layout, m_controls, label);
                     });
    }

    void Submit(std::vector<TPlannedLabel> labels) {
        TJob job{++m_count, std::move(labels)};
        if (m_workers.empty()) {
            Render(job);
            return;
        }
        std::unique_lock lock(m_mutex);
        // Planning waits for the drawing, so that only a few pictures are held at once.
        m_changed.wait(lock, [&] { return m_error || int32_t(m_queue.size()) < m_limit; });
        if (m_error)
            std::rethrow_exception(m_error);
        m_queue.push_back(std::move(job));
        m_changed.notify_all();
    }

    void Work() {
        for (;;) {
            TJob job;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || m_closed || !m_queue.empty(); });
                if (m_stop || m_error || m_queue.empty())
                    return;
                job = std::move(m_queue.front());
                m_queue.pop_front();
                ++m_busy;
                m_changed.notify_all();
            }
            std::exception_ptr error;
            try {
                Render(job);
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(m_mutex);
            --m_busy;
            if (error && !m_error)
                m_error = error;
            m_changed.notify_all();
        }
    }

    void Stop() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
            m_changed.notify_all();
        }
        for (std::thread& worker : m_workers)
            worker.join();
        m_workers.clear();
    }

    const TPrintLayout m_layout; // the run's own lives only as long as the run
    const TControlList& m_controls;
    const TPictureOptions m_options;
    QTemporaryDir m_folder;
    std::vector<TPlannedLabel> m_page;
    int32_t m_count = 0; // pictures submitted
    bool m_drained = false;
    QStringList m_delivered;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<TJob> m_queue;
    int32_t m_limit = 0;
    int32_t m_busy = 0;
    bool m_closed = false;
    bool m_stop = false;
    std::exception_ptr m_error;
    std::vector<std::thread> m_workers;
};

// Each thread drawing a PNG holds its whole picture: large pages at a high resolution (an A4
// page at 1200 dpi takes 0.55 GB) are drawn on fewer threads.
int32_t PictureThreads(const TPrintLayout& layout, int32_t requested) {
    constexpr int64_t PictureMemory = int64_t(1) << 30;
    const int64_t page = int64_t(layout.Page.PhysicalWidth) * layout.Page.PhysicalHeight * 4;
    const int64_t fit = std::max<int64_t>(1, PictureMemory / std::max<int64_t>(1, page));
    return int32_t(std::min<int64_t>(PrintThreads(requested), fit));
}

TPictureFormat FormatOrRefuse(const QString& path) {
    if (const auto format = PictureFormatOf(path))
        return *format;
    throw TUserError(QStringLiteral("A picture is written as PNG or SVG: %1 ends in neither "
                                    ".png nor .svg.")
                         .arg(path));
}
} // namespace

TPictureRun PrintPictures(const TSheetSettings& sheet, const TControlList& controls,
                          const TPrintSettings& settings, const TPaperChoice& paper,
                          const TPictureOptions& options, const QString& documentFileName,
                          TPrintProgress* progress, const TBeforeDelivery& beforeDelivery) {
    const TPicturePrinter printer(paper, options.Dpi);
    std::unique_ptr<TPictureSink> sink;
    const TOpenPlannedSink open = [&](const TPrintLayout& layout) -> TPageSink* {
        sink = std::make_unique<TPictureSink>(layout, controls, options,
                                              PictureThreads(layout, settings.Threads));
        return sink.get();
    };
    const TAddPlannedLabel add = [](TPageSink* s, TPlannedLabel label) {
        static_cast<TPictureSink*>(s)->Add(std::move(label));
    };
    // A picture shows the label as designed: no printer's calibration moves or stretches it.
    TPrintSettings uncalibrated = settings;
    uncalibrated.Calibration = {};
    TPictureRun run;
    run.Result = RunPlannedLabels(sheet, controls, uncalibrated, printer, documentFileName, open,
                                  add, progress, beforeDelivery);
    if (sink && !run.Result.Cancelled)
        run.Files = sink->Delivered();
    return run;
}

void ExportLabelPicture(const TSheetSettings& sheet, const TControlList& controls,
                        const TShownData* shown, const QString& path, int32_t dpi) {
    const TPictureOptions options{path, FormatOrRefuse(path), dpi, true};
    const TPrintLayout layout = FitPrintLayout(sheet, TPicturePrinter(sheet.Paper, dpi).Facts());
    // The label as the design surface shows it: the record shown, counters as they stand.
    TLabelPlace place;
    place.Layout = &layout;
    if (shown) {
        place.Record = &shown->Record;
        place.Header = &shown->Columns;
    }
    TPlannedLabel label = PlanLabel(controls, place);
    if (!shown)
        // Without a record the surface shows the fields' placeholders, and so does the picture.
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i]->Advanced() && KindTraits(controls[i]->Kind()).CarriesText)
                label.Texts[i] = TextForDrawing(controls[i]->GetDisplayText());
    TPictureSink sink(layout, controls, options, 1);
    sink.Add(std::move(label));
    sink.End();
}

std::optional<TPictureOptions> RunPictureOptions(const TCommandLineOptions& o) {
    const std::optional<TPictureFormat> format = PictureFormatOf(o.OutputPdf);
    if (!format) {
        if (o.Dpi || o.OneLabel)
            throw TUserError(QStringLiteral("--dpi and --one-label go with pictures: give -o "
                                            "with a .png or .svg file, as in -o labels.png."));
        return std::nullopt;
    }
    TPictureOptions options{o.OutputPdf, *format, DefaultPictureDpi, o.OneLabel};
    if (o.Dpi) {
        bool ok = false;
        options.Dpi = o.Dpi->toInt(&ok);
        if (!ok || options.Dpi < MinPictureDpi || options.Dpi > MaxPictureDpi)
            throw TUserError(QStringLiteral("--dpi needs a whole number from %1 to %2, as in "
                                            "--dpi 300; \"%3\" is not one.")
                                 .arg(MinPictureDpi)
                                 .arg(MaxPictureDpi)
                                 .arg(*o.Dpi));
    }
    return options;
}

QString PicturesWritten(const QStringList& files) {
    if (files.size() == 1)
        return files.first();
    if (files.isEmpty())
        return QStringLiteral("no pictures");
    return QStringLiteral("%1 pictures %2 to %3")
        .arg(files.size())
        .arg(files.first(), files.last());
}
