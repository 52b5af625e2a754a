#pragma once

#include "platform/Errors.h"

#include <QFile>
#include <QHash>
#include <QString>

#include <memory>

class QIODevice;
class QXmlStreamReader;
class QuaZip;

// A spreadsheet file's zip archive: its parts found by name (ignoring case, as the formats'
// producers do not agree) and opened one at a time for streaming. Every failure is a TUserError
// naming the file.
class TSheetZip {
public:
    // Throws TUserError when the file cannot be opened or is no zip archive.
    explicit TSheetZip(const QString& path);
    ~TSheetZip();
    TSheetZip(const TSheetZip&) = delete;
    TSheetZip& operator=(const TSheetZip&) = delete;

    const QString& Path() const { return m_path; }
    bool Has(const QString& part) const;
    // The part's bytes as a device read straight from the archive; valid until the next Open or
    // the end of this object. Throws TUserError when it is missing or cannot be read.
    std::unique_ptr<QIODevice> Open(const QString& part);

    // Throws TUserError when the reader met damaged XML in the part; does nothing otherwise.
    void Check(const QXmlStreamReader& xml, const QString& part) const;
    // Throws TUserError: the part is damaged at the reader's line for reason.
    [[noreturn]] void Damaged(const QXmlStreamReader& xml, const QString& part,
                              const QString& reason) const;
    // Throws TUserError with one of SheetText's messages: %1 the file, then args.
    template <typename... TArgs>
    [[noreturn]] void Fail(const char* text, const TArgs&... args) const {
        throw TUserError(QString::fromLatin1(text).arg(m_path, args...));
    }

private:
    QString m_path;
    QFile m_file;
    std::unique_ptr<QuaZip> m_zip;
    QHash<QString, QString> m_parts; // lower-case name -> name as stored
};
