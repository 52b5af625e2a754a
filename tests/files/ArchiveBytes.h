#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

// Builds label archives byte by byte, so tests can state exactly what a file holds, including
// things our writer never produces.
class TArchiveBytes {
public:
    TArchiveBytes(const QByteArray& magic = "Vellumtrace", const QByteArray& version = "1.0") {
        m_header = Field(magic, 261) + Field(version, 9) + Int(0);
    }
    // Adds an entry whose directory says size and whose contents are the given bytes.
    TArchiveBytes& Add(const QByteArray& name, const QByteArray& contents) {
        return AddClaiming(name, int32_t(contents.size()), contents);
    }
    TArchiveBytes& AddClaiming(const QByteArray& name, int32_t size, const QByteArray& contents) {
        m_entries += Field(name, 261) + Int(size);
        m_contents += contents;
        ++m_count;
        return *this;
    }
    TArchiveBytes& SetCount(int32_t count) {
        m_forcedCount = count;
        m_hasForcedCount = true;
        return *this;
    }
    QByteArray Bytes() const {
        QByteArray header = m_header;
        qToLittleEndian<qint32>(m_hasForcedCount ? m_forcedCount : m_count, header.data() + 270);
        return header + m_entries + m_contents;
    }
    bool WriteTo(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(Bytes()) == Bytes().size();
    }

    static QByteArray Field(const QByteArray& text, int size) {
        QByteArray f = text.left(size);
        f.append(QByteArray(size - f.size(), '\0'));
        return f;
    }
    static QByteArray Int(int32_t v) {
        QByteArray b(4, '\0');
        qToLittleEndian<qint32>(v, b.data());
        return b;
    }

private:
    QByteArray m_header;
    QByteArray m_entries;
    QByteArray m_contents;
    int32_t m_count = 0;
    int32_t m_forcedCount = 0;
    bool m_hasForcedCount = false;
};
