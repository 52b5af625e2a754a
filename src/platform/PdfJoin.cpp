#include "platform/PdfJoin.h"

#include "platform/Errors.h"

#include <QFile>
#include <QIODevice>

#define POINTERHOLDER_TRANSITION 4 // std::shared_ptr throughout, no legacy holder
#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <stdexcept>
#include <vector>

namespace {
// qpdf's output into a Qt device.
class TDevicePipeline : public Pipeline {
public:
    explicit TDevicePipeline(QIODevice& device) : Pipeline("device", nullptr), m_device(device) {}
    void write(unsigned char const* data, size_t len) override {
        if (m_device.write(reinterpret_cast<const char*>(data), qint64(len)) != qint64(len))
            throw std::runtime_error(m_device.errorString().toStdString());
    }
    void finish() override {}

private:
    QIODevice& m_device;
};
} // namespace

struct TPdfJoin::TImpl {
    QPDF out;
    // The appended documents, read again for their page contents when the result is written.
    std::vector<std::unique_ptr<QPDF>> parts;
    int pages = 0;
};

TPdfJoin::TPdfJoin() : m_impl(std::make_unique<TImpl>()) {
    m_impl->out.emptyPDF();
}

TPdfJoin::~TPdfJoin() = default;

void TPdfJoin::Append(const QString& path) {
    TImpl& d = *m_impl;
    try {
        auto part = std::make_unique<QPDF>();
        part->setSuppressWarnings(true);
        part->setAttemptRecovery(false);
        // Opened only while read, so that a run of many parts never runs out of file handles.
        auto source = std::make_shared<ClosedFileInputSource>(QFile::encodeName(path).constData());
        source->stayOpen(true);
        part->processInputSource(source);
        part->pushInheritedAttributesToPage();
        if (d.parts.empty()) {
            QPDFObjectHandle info = part->getTrailer().getKey("/Info");
            if (info.isDictionary())
                d.out.getTrailer().replaceKey(
                    "/Info",
                    d.out.makeIndirectObject(QPDFObjectHandle::parse(info.unparseResolved())));
        }
        for (QPDFObjectHandle page : part->getAllPages()) {
            d.out.addPage(page, false);
            ++d.pages;
        }
        source->stayOpen(false);
        d.parts.push_back(std::move(part));
    } catch (const std::exception& e) {
        throw TUserError(QStringLiteral("Cannot read the part %1 of the print job: %2")
                             .arg(path, QString::fromLocal8Bit(e.what())));
    }
}

int TPdfJoin::PageCount() const {
    return m_impl->pages;
}

void TPdfJoin::Write(QIODevice& device, const QString& deviceName) {
    TImpl& d = *m_impl;
    try {
        TDevicePipeline pipe(device);
        QPDFWriter writer(d.out);
        writer.setOutputPipeline(&pipe);
        // The parts' streams are compressed already: copied as they are.
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.setMinimumPDFVersion("1.4");
        writer.write();
    } catch (const std::exception& e) {
        throw TUserError(QStringLiteral("Cannot write the PDF file %1: %2")
                             .arg(deviceName, QString::fromLocal8Bit(e.what())));
    }
}
