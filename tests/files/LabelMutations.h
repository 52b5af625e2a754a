#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <random>

// Random damage to label files: the kinds of change that corrupt files and crafted files bring,
// from flipped bits to impossible counts, for the mutation test and the fuzz target.
class TLabelMutator {
public:
    explicit TLabelMutator(uint32_t seed) : m_random(seed) {}

    QByteArray Mutate(QByteArray b) {
        const int rounds = 1 + Below(4);
        for (int i = 0; i < rounds; ++i)
            MutateOnce(b);
        return b;
    }

private:
    int Below(int n) { return n <= 0 ? 0 : int(m_random() % uint32_t(n)); }

    void MutateOnce(QByteArray& b) {
        static const int32_t kInts[] = {0,     -1,      1,         2,         255, 256,
                                        65536, 1 << 30, INT32_MAX, INT32_MIN, 274, 265};
        static const char* const kValues[] = {
            "",        "-1",       "2147483647", "-2147483648", "1e308", "1E-6",    "nan",
            "inf",     "0,5",      "\\",         "\\n\\s\\x",   "99999", "GRAPHIC", "MEMO",
            "BARCODE", "SEQUENCE", "FIELD",      "../../x",     "90",    "270"};
        static const char kBytes[] = {'\0', '\xFF', '\\', '=', '[', ']', '\r', '\n', ' ', '\x80'};
        switch (Below(8)) {
        case 0: // flip bits
            if (!b.isEmpty())
                b[Below(b.size())] = char(b[Below(b.size())] ^ (1 << Below(8)));
            break;
        case 1: // a byte that means something to one of the readers
            if (!b.isEmpty())
                b[Below(b.size())] = kBytes[Below(sizeof kBytes)];
            break;
        case 2: // an integer field: counts and sizes of archives, mostly
            if (b.size() >= 4) {
                const bool directory = b.startsWith("Vellumtrace") && Below(2) == 0;
                const int at = directory
                                   ? std::min<int>(270 + 265 * Below(4) + (Below(2) ? 0 : 4 + 261),
                                                   b.size() - 4)
                                   : Below(b.size() - 3);
                qToLittleEndian<qint32>(kInts[Below(std::size(kInts))], b.data() + at);
            }
            break;
        case 3: // cut short
            b.truncate(Below(b.size() + 1));
            break;
        case 4: { // a chunk repeated
            if (b.isEmpty())
                break;
            const int from = Below(b.size());
            const int len = 1 + Below(std::min<int>(b.size() - from, 512));
            b.insert(Below(b.size() + 1), b.mid(from, len));
            break;
        }
        case 5: { // random bytes inserted
            QByteArray junk(1 + Below(16), '\0');
            for (char& c : junk)
                c = char(m_random());
            b.insert(Below(b.size() + 1), junk);
            break;
        }
        case 6: { // a value replaced: after some "=", up to the line's end
            const qsizetype eq = b.indexOf('=', Below(b.size() + 1));
            if (eq < 0)
                break;
            qsizetype end = b.indexOf('\r', eq);
            if (end < 0)
                end = b.size();
            b.replace(eq + 1, end - eq - 1, kValues[Below(std::size(kValues))]);
            break;
        }
        default: { // a line removed
            const qsizetype start = b.indexOf('\n', Below(b.size() + 1));
            if (start < 0)
                break;
            qsizetype end = b.indexOf('\n', start + 1);
            if (end < 0)
                end = b.size();
            b.remove(start, end - start);
            break;
        }
        }
    }

    std::mt19937 m_random;
};
