#include "platform/PdfPages.h"

#include "platform/Errors.h"

#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryFile>

TPdfPages::TPdfPages(QIODevice* device, const TPrinterFacts& f, const QString& title)
    : m_writer(device) {
    m_writer.setResolution(f.PixelsPerInchX);
    m_writer.setTitle(title);
    m_writer.setCreator(QStringLiteral("Vellumtrace"));
    const QSizeF inches(double(f.PhysicalWidth) / f.PixelsPerInchX,
                        double(f.PhysicalHeight) / f.PixelsPerInchY);
    m_writer.setPageLayout(
        QPageLayout(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    if (!m_painter.begin(&m_writer))
        throw TUserError(QStringLiteral("Cannot start the print job \"%1\".").arg(title));
    // Device pixels at the printer's own resolution, from the printable area's corner.
    m_painter.scale(1.0, double(f.PixelsPerInchX) / f.PixelsPerInchY);
    m_painter.translate(f.OffsetX, f.OffsetY);
    m_painter.save();
}

TPdfPages::~TPdfPages() {
    if (!m_ended && m_painter.isActive())
        m_painter.end();
}

void TPdfPages::NewPage() {
    m_painter.restore();
    m_writer.newPage();
    m_painter.save();
}

void TPdfPages::End() {
    if (m_ended)
        return;
    m_ended = true;
    m_painter.restore();
    m_painter.end();
}

void CheckWrittenWhole(QFileDevice& file, const QString& name) {
    const qint64 expected = file.pos();
    if (!file.flush() || file.size() != expected)
        throw TUserError(QStringLiteral("Cannot write the PDF file %1: not everything could be "
                                        "written (is the disk full?)")
                             .arg(name));
}

TPdfPart::TPdfPart(const TPrinterFacts& facts, const QString& title, const QString& folder)
    : m_file(std::make_unique<QTemporaryFile>(folder + QStringLiteral("/partXXXXXX.pdf"))) {
    if (!m_file->open())
        throw TUserError(QStringLiteral("Cannot create a temporary file for the print job: %1")
                             .arg(m_file->errorString()));
    m_pages = std::make_unique<TPdfPages>(m_file.get(), facts, title);
}

TPdfPart::~TPdfPart() = default;

void TPdfPart::NewPage() {
    m_pages->NewPage();
    ++m_pageCount;
}

void TPdfPart::Finish() {
    m_pages->End();
    m_pages.reset();
    CheckWrittenWhole(*m_file, m_file->fileName());
}

QString TPdfPart::FileName() const {
    return m_file->fileName();
}
