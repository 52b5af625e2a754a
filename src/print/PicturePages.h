#pragma once

#include "platform/Printer.h"
#include "print/PictureWriter.h"
#include "print/PrintU.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct TCommandLineOptions;
struct TShownData;

inline constexpr int32_t DefaultPictureDpi = 300;
inline constexpr int32_t MinPictureDpi = 72;
inline constexpr int32_t MaxPictureDpi = 1200;

// What a run of pictures writes: one picture per page, or with OneLabel one per label at the
// label's own size. A run of one picture writes Path itself; a longer one FILE-001.png,
// FILE-002.png, ... beside it.
struct TPictureOptions {
    QString Path;
    TPictureFormat Format = TPictureFormat::Png;
    int32_t Dpi = DefaultPictureDpi;
    bool OneLabel = false;
};

// The "printer" of pictures: the paper (or, unset, the PDF printer's own) at dpi, every pixel
// printable. It has no calibration: a picture shows the label as designed.
class TPicturePrinter : public TPrinter {
public:
    TPicturePrinter(const TPaperChoice& paper, int32_t dpi);
    QString Name() const override { return QStringLiteral("Pictures"); }
    bool IsPdf() const override { return false; }
    TPrinterFacts Facts() const override { return m_paper.FactsAt(m_dpi); }
    TPaperChoice Paper() const override { return m_paper.Paper(); }

private:
    TPdfPrinter m_paper;
    int32_t m_dpi;
};

struct TPictureRun {
    TPrintResult Result;
    QStringList Files; // the pictures put in place, in order; none for a cancelled run
};

// The print run of PrintLabels with pictures for output: labels are planned in order on the
// calling thread and the pictures drawn and encoded on PrintThreads (settings.Threads) workers,
// a few at a time. Everything is written into a hidden folder beside the output first and moved
// into place (replacing files of the same names) only after beforeDelivery, so that a cancelled
// or failed run leaves no picture. The same errors as PrintLabels, and TUserError when a picture
// cannot be written.
TPictureRun PrintPictures(const TSheetSettings& sheet, const TControlList& controls,
                          const TPrintSettings& settings, const TPaperChoice& paper,
                          const TPictureOptions& options, const QString& documentFileName,
                          TPrintProgress* progress, const TBeforeDelivery& beforeDelivery = {});

// The label alone as one picture at path (PNG or SVG by its extension) as the design surface
// shows it: merged with the record shown, or without one with its fields' placeholders;
// counters do not step. Throws TUserError for another extension or a picture that
// cannot be written.
void ExportLabelPicture(const TSheetSettings& sheet, const TControlList& controls,
                        const TShownData* shown, const QString& path,
                        int32_t dpi = DefaultPictureDpi);

// The pictures an unattended run asks for: -o with a .png or .svg name, at --dpi, and
// --one-label; none for any other output. Throws TUserError for a --dpi that is not a whole
// number from MinPictureDpi to MaxPictureDpi, and for --dpi or --one-label without pictures.
std::optional<TPictureOptions> RunPictureOptions(const TCommandLineOptions& options);

// What a run says it wrote: "FILE.png", or "12 pictures FILE-001.png to FILE-012.png".
QString PicturesWritten(const QStringList& files);
