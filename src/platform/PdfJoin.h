#pragma once

#include <QString>

#include <memory>

class QIODevice;

// Joins PDF documents page by page into one: the pages of each document appended in turn, the
// document information (title, creator) of the first. The documents' files must stay in place
// until the joined document is written, which reads their page contents as they are, without
// decoding or compressing them again.
class TPdfJoin {
public:
    TPdfJoin();
    ~TPdfJoin();
    TPdfJoin(const TPdfJoin&) = delete;
    TPdfJoin& operator=(const TPdfJoin&) = delete;

    // Appends the pages of the PDF file at path. Throws TUserError when it cannot be read.
    void Append(const QString& path);
    int PageCount() const;
    // Writes the joined document to device. Throws TUserError when it cannot be written.
    void Write(QIODevice& device, const QString& deviceName);

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};
