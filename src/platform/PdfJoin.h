#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class QIODevice;

// Joins PDF documents written by Qt's PDF engine (TPdfPart) into one, page by page, as they come:
// each part's objects are copied to the output at once, numbered on from the parts before, with
// their page contents byte for byte as they are; only the page tree, the catalogue, the document
// information (the first part's) and the cross-reference table are written anew. The joiner
// keeps only the objects' offsets and the pages' numbers, so memory stays small however many
// parts a run has, and each part's file may go as soon as it is appended.
class TPdfJoin {
public:
    // Writes into device, open for writing and empty; name is the output's name in messages.
    TPdfJoin(QIODevice& device, const QString& name);

    // Appends the pages of the part at path. Throws TUserError when the part is not a PDF of the
    // engine's kind (one cross-reference table, no object streams) or the output cannot be
    // written.
    void Append(const QString& path);
    // The same for a part in memory; source names it in messages.
    void AppendBytes(const QByteArray& part, const QString& source);
    int PageCount() const { return int(m_pages.size()); }
    // Writes the page tree, catalogue, information and cross-reference table. Throws TUserError.
    void Finish();

private:
    void Write(const QByteArray& bytes);
    // Starts object number (records where it begins).
    void BeginObject(int64_t number);

    QIODevice& m_device;
    QString m_name;
    int64_t m_written = 0;
    std::vector<int64_t> m_offsets; // of objects 1, 2, ... in the output
    std::vector<int64_t> m_pages;   // the page objects' numbers, in order
    QByteArray m_info;              // the first part's document information
    QByteArray m_procSet;           // the first part's page tree's /ProcSet entry
};
