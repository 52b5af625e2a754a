#include "merge/SheetZip.h"
#include "merge/SheetTexts.h"

#include <QDir>
#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

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
    return file;
}

void TSheetZip::Check(const QXmlStreamReader& xml, const QString& part) const {
    if (xml.hasError())
        Damaged(xml, part, xml.errorString());
}

void TSheetZip::Damaged(const QXmlStreamReader& xml, const QString& part,
                        const QString& reason) const {
    throw TUserError(QString::fromLatin1(SheetText::DamagedPart)
                         .arg(m_path, part, QString::number(xml.lineNumber()), reason));
}
