#include "merge/SheetZip.h"
#include "merge/SheetTexts.h"

#include <QDir>
#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {
// A part as the XML reader reads it. A damaged deflate stream makes the archive's device fail on
// every read without ever reaching its end, which would keep the reader waiting for more data
// for ever: here a failed read is the end, and the failure is remembered for the check.
class TPartDevice final : public QIODevice {
public:
    explicit TPartDevice(std::unique_ptr<QuaZipFile> file) : m_file(std::move(file)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    // The archive's device says it is at its end while it still holds bytes it buffered, so the
    // end is only known once a read gave nothing.
    bool atEnd() const override { return m_failed || m_ended; }
    bool Failed() const { return m_failed; }

protected:
    qint64 readData(char* data, qint64 size) override {
        if (m_failed || m_ended)
            return -1;
        if (size <= 0) // the buffer's own reads may ask for nothing
            return 0;
        // A read may give nothing before the end (a deflate block that yields no bytes yet);
        // only one that keeps giving nothing is taken for damage.
        qint64 got = m_file->read(data, size);
        for (int tries = 1; tries < kEmptyReads && got == 0 && !m_file->atEnd(); ++tries)
            got = m_file->read(data, size);
        m_failed = got < 0 || (got == 0 && !m_file->atEnd());
        m_ended = got == 0;
        return got > 0 ? got : -1;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<QuaZipFile> m_file;
    static constexpr int kEmptyReads = 1000;
    bool m_failed = false;
    bool m_ended = false;
};
} // namespace

TSheetZip::TSheetZip(const QString& path) : m_path(QDir::toNativeSeparators(path)), m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly))
        Fail(SheetText::CannotOpen, m_file.errorString());
    m_zip = std::make_unique<QuaZip>(&m_file);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        QFile head(path);
        if (head.open(QIODevice::ReadOnly) && head.read(8) == "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")
            Fail(SheetText::BinaryOrLocked);
        Fail(SheetText::NotASpreadsheet);
    }
    for (const QString& name : m_zip->getFileNameList())
        m_parts.insert(name.toLower(), name);
}

TSheetZip::~TSheetZip() = default;

bool TSheetZip::Has(const QString& part) const {
    return m_parts.contains(part.toLower());
}

std::unique_ptr<QIODevice> TSheetZip::Open(const QString& part) {
    const auto stored = m_parts.constFind(part.toLower());
    if (stored == m_parts.constEnd() || !m_zip->setCurrentFile(*stored, QuaZip::csSensitive))
        Fail(SheetText::MissingPart, part);
    auto file = std::make_unique<QuaZipFile>(m_zip.get());
    if (!file->open(QIODevice::ReadOnly))
        Fail(SheetText::UnreadablePart, part);
    return std::make_unique<TPartDevice>(std::move(file));
}

void TSheetZip::Check(const QXmlStreamReader& xml, const QString& part) const {
    if (const auto* device = dynamic_cast<const TPartDevice*>(xml.device());
        device && device->Failed())
        Fail(SheetText::UnreadablePart, part);
    if (xml.hasError())
        Damaged(xml, part, xml.errorString());
}

void TSheetZip::Damaged(const QXmlStreamReader& xml, const QString& part,
                        const QString& reason) const {
    throw TUserError(QString::fromLatin1(SheetText::DamagedPart)
                         .arg(m_path, part, QString::number(xml.lineNumber()), reason));
}
