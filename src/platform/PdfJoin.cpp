#include "platform/PdfJoin.h"

#include "platform/Errors.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <map>
#include <optional>

namespace {
// The joined document's own objects; the parts' objects are numbered after them.
constexpr int64_t CatalogObject = 1;
constexpr int64_t PagesObject = 2;
constexpr int64_t InfoObject = 3;
constexpr int64_t FirstPartObject = 4;

// Why a part cannot be joined.
struct TBadPart {
    const char* why;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
    return IsSpace(c) || c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' ||
           c == '{' || c == '}' || c == '/' || c == '%';
}

// The whole number in text at i (digits only, ending at a delimiter); none otherwise.
std::optional<int64_t> WholeNumberAt(const QByteArray& text, qsizetype i, qsizetype* end) {
    qsizetype j = i;
    int64_t value = 0;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
        value = value * 10 + (text[j] - '0');
        if (value > (int64_t(1) << 40))
            return std::nullopt;
        ++j;
    }
    if (j == i || (j < text.size() && !IsDelimiter(text[j])))
        return std::nullopt;
    *end = j;
    return value;
}

qsizetype SkipSpace(const QByteArray& text, qsizetype i) {
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

// "N G R" at i: the object number and where the reference ends.
std::optional<int64_t> ReferenceAt(const QByteArray& text, qsizetype i, qsizetype* end) {
    qsizetype j = 0;
    const std::optional<int64_t> number = WholeNumberAt(text, i, &j);
    if (!number || j >= text.size() || !IsSpace(text[j]))
        return std::nullopt;
    j = SkipSpace(text, j);
    qsizetype k = 0;
    if (!WholeNumberAt(text, j, &k) || k >= text.size() || !IsSpace(text[k]))
        return std::nullopt;
    k = SkipSpace(text, k);
    if (k >= text.size() || text[k] != 'R' || (k + 1 < text.size() && !IsDelimiter(text[k + 1])))
        return std::nullopt;
    *end = k + 1;
    return number;
}

// An object's text with every reference renumbered by map, up to and including the keyword
// that ends its dictionary part ("stream" or "endobj"); *rest is where the bytes that are
// copied as they are begin. Strings are copied untouched.
template <class TMap>
QByteArray Renumbered(const QByteArray& text, const TMap& map, qsizetype* rest) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '(') { // a literal string, with nested parentheses and escapes
            const qsizetype start = i;
            int depth = 0;
            for (; i < text.size(); ++i) {
                if (text[i] == '\\') {
                    ++i;
                } else if (text[i] == '(') {
                    ++depth;
                } else if (text[i] == ')' && --depth == 0) {
                    ++i;
                    break;
                }
            }
            out += text.mid(start, i - start);
        } else if (c == '<' && i + 1 < text.size() && text[i + 1] == '<') { // a dictionary
            out += "<<";
            i += 2;
        } else if (c == '<') { // a hex string
            const qsizetype close = text.indexOf('>', i);
            const qsizetype end = close < 0 ? text.size() : close + 1;
            out += text.mid(i, end - i);
            i = end;
        } else if (c == '/') { // a name, whatever it spells
            qsizetype end = i + 1;
            while (end < text.size() && !IsDelimiter(text[end]))
                ++end;
            out += text.mid(i, end - i);
            i = end;
        } else if (c >= '0' && c <= '9' && (i == 0 || IsDelimiter(text[i - 1]))) {
            qsizetype end = 0;
            if (const std::optional<int64_t> number = ReferenceAt(text, i, &end)) {
                out += QByteArray::number(map(*number)) + " 0 R";
                i = end;
            } else {
                out += c;
                ++i;
            }
        } else if ((c == 's' || c == 'e') && (i == 0 || IsDelimiter(text[i - 1]))) {
            for (const char* keyword : {"stream", "endobj"}) {
                const qsizetype n = qsizetype(qstrlen(keyword));
                if (text.mid(i, n) == keyword &&
                    (i + n >= text.size() || IsDelimiter(text[i + n]))) {
                    out += keyword;
                    *rest = i + n;
                    return out;
                }
            }
            out += c;
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    throw TBadPart{"an object does not end"};
}

// The whole number after key in text (as in "/Size 29" or "/Root 2 0 R").
int64_t NumberAfter(const QByteArray& text, const char* key) {
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        throw TBadPart{"a key is missing"};
    qsizetype end = 0;
    const std::optional<int64_t> n = WholeNumberAt(text, SkipSpace(text, at + qstrlen(key)), &end);
    if (!n)
        throw TBadPart{"a key has no number"};
    return *n;
}

// What the joiner needs of one part.
struct TPart {
    const QByteArray& data;
    std::map<int64_t, qsizetype> offsets; // object number -> where it starts
    std::map<qsizetype, qsizetype> ends;  // where an object starts -> where the next begins
    qsizetype xref = 0;
    int64_t root = 0, info = 0, pages = 0;

    explicit TPart(const QByteArray& bytes) : data(bytes) {
        const qsizetype startxref = data.lastIndexOf("startxref");
        if (!data.startsWith("%PDF-") || startxref < 0)
            throw TBadPart{"it is not a PDF file"};
        qsizetype end = 0;
        const std::optional<int64_t> at = WholeNumberAt(data, SkipSpace(data, startxref + 9), &end);
        if (!at || *at >= startxref || data.mid(*at, 4) != "xref")
            throw TBadPart{"its cross-reference table is not where it says"};
        xref = qsizetype(*at);
        ReadXref();
        std::vector<qsizetype> starts;
        for (const auto& [n, offset] : offsets)
            starts.push_back(offset);
        std::sort(starts.begin(), starts.end());
        for (size_t k = 0; k < starts.size(); ++k)
            ends[starts[k]] = k + 1 < starts.size() ? starts[k + 1] : xref;
        const qsizetype trailer = data.indexOf("trailer", xref);
        if (trailer < 0)
            throw TBadPart{"it has no trailer"};
        const QByteArray dict = data.mid(trailer, startxref - trailer);
        if (dict.contains("/Encrypt") || dict.contains("/Prev"))
            throw TBadPart{"it is encrypted or updated"};
        root = NumberAfter(dict, "/Root");
        info = dict.contains("/Info") ? NumberAfter(dict, "/Info") : 0;
        pages = NumberAfter(Object(root), "/Pages");
    }

    void ReadXref() {
        qsizetype i = SkipSpace(data, xref + 4);
        while (i < data.size() && data.mid(i, 7) != "trailer") {
            qsizetype end = 0;
            const std::optional<int64_t> first = WholeNumberAt(data, i, &end);
            const std::optional<int64_t> count =
                first ? WholeNumberAt(data, SkipSpace(data, end), &end) : std::nullopt;
            if (!count)
                throw TBadPart{"its cross-reference table cannot be read"};
            i = SkipSpace(data, end);
            for (int64_t k = 0; k < *count; ++k) {
                const std::optional<int64_t> offset = WholeNumberAt(data, i, &end);
                i = SkipSpace(data, end);
                if (!offset || !WholeNumberAt(data, i, &end))
                    throw TBadPart{"its cross-reference table cannot be read"};
                i = SkipSpace(data, end);
                if (i >= data.size())
                    throw TBadPart{"its cross-reference table is cut short"};
                const char kind = data[i];
                i = SkipSpace(data, i + 1);
                if (kind == 'n') {
                    if (*offset >= xref)
                        throw TBadPart{"an object lies outside the file"};
                    offsets[*first + k] = qsizetype(*offset);
                }
            }
        }
    }

    // The bytes of object number, from its "N G obj" header to the next object (or the table).
    QByteArray Whole(int64_t number) const {
        const auto it = offsets.find(number);
        if (it == offsets.end())
            throw TBadPart{"it refers to an object it does not hold"};
        return data.mid(it->second, ends.at(it->second) - it->second);
    }

    // Object number's body: what follows its "N G obj" header.
    QByteArray Object(int64_t number) const {
        const QByteArray whole = Whole(number);
        const qsizetype header = whole.indexOf("obj");
        if (header < 0 || whole.left(header).simplified() != QByteArray::number(number) + " 0")
            throw TBadPart{"an object is not where the table says"};
        return whole.mid(header + 3);
    }
};

// The references in a dictionary's array under key ("/Kids [6 0 R 9 0 R]").
std::vector<int64_t> ReferencesIn(const QByteArray& dict, const char* key) {
    const qsizetype at = dict.indexOf(key);
    const qsizetype open = at < 0 ? -1 : dict.indexOf('[', at);
    const qsizetype close = open < 0 ? -1 : dict.indexOf(']', open);
    if (close < 0)
        throw TBadPart{"its page tree cannot be read"};
    std::vector<int64_t> refs;
    const QByteArray list = dict.mid(open + 1, close - open - 1);
    for (qsizetype i = SkipSpace(list, 0); i < list.size(); i = SkipSpace(list, i)) {
        qsizetype end = 0;
        const std::optional<int64_t> ref = ReferenceAt(list + ' ', i, &end);
        if (!ref)
            throw TBadPart{"its page tree cannot be read"};
        refs.push_back(*ref);
        i = end;
    }
    return refs;
}
} // namespace

TPdfJoin::TPdfJoin(QIODevice& device, const QString& name) : m_device(device), m_name(name) {}

void TPdfJoin::Write(const QByteArray& bytes) {
    if (m_device.write(bytes) != bytes.size())
        throw TUserError(
            QStringLiteral("Cannot write the PDF file %1: %2").arg(m_name, m_device.errorString()));
    m_written += bytes.size();
}

void TPdfJoin::BeginObject(int64_t number) {
    if (m_offsets.size() < size_t(number))
        m_offsets.resize(size_t(number), -1);
    m_offsets[size_t(number - 1)] = m_written;
    Write(QByteArray::number(number) + " 0 obj");
}

void TPdfJoin::Append(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TUserError(QStringLiteral("Cannot read the part %1 of the print job: %2")
                             .arg(path, file.errorString()));
    AppendBytes(file.readAll(), path);
}

void TPdfJoin::AppendBytes(const QByteArray& bytes, const QString& source) {
    try {
        const TPart part(bytes);
        const QByteArray pagesDict = part.Object(part.pages);
        // Attributes a page tree hands down to its pages would be lost with the part's tree.
        for (const char* inherited : {"/MediaBox", "/CropBox", "/Resources", "/Rotate"})
            if (pagesDict.contains(inherited))
                throw TBadPart{"its page tree holds attributes for its pages"};
        const std::vector<int64_t> kids = ReferencesIn(pagesDict, "/Kids");

        // Every object but the part's own catalogue, information and page tree comes along,
        // numbered on from those before it; references to the page tree go to the joined one.
        std::map<int64_t, int64_t> numbers;
        int64_t next = std::max<int64_t>(FirstPartObject, int64_t(m_offsets.size()) + 1);
        for (const auto& [n, offset] : part.offsets)
            if (n != part.root && n != part.info && n != part.pages)
                numbers[n] = next++;
        const auto map = [&](int64_t n) -> int64_t {
            if (n == part.pages)
                return PagesObject;
            const auto it = numbers.find(n);
            if (it == numbers.end())
                throw TBadPart{"it refers to an object it does not hold"};
            return it->second;
        };
        if (m_offsets.empty()) {
            Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
            m_offsets.resize(size_t(FirstPartObject - 1), -1);
            if (part.info)
                m_info = part.Object(part.info);
            const qsizetype procSet = pagesDict.indexOf("/ProcSet");
            const qsizetype end = procSet < 0 ? -1 : pagesDict.indexOf(']', procSet);
            if (end > 0)
                m_procSet = pagesDict.mid(procSet, end + 1 - procSet);
        }
        for (const auto& [n, number] : numbers) {
            const QByteArray body = part.Object(n);
            qsizetype rest = 0;
            const QByteArray text = Renumbered(body, map, &rest);
            BeginObject(number);
            Write(text);
            Write(body.mid(rest));
        }
        for (const int64_t kid : kids)
            m_pages.push_back(map(kid));
    } catch (const TBadPart& bad) {
        throw TUserError(QStringLiteral("Cannot join the part %1 of the print job: %2.")
                             .arg(source, QString::fromLatin1(bad.why)));
    }
}

void TPdfJoin::Finish() {
    if (m_offsets.empty())
        throw TUserError(
            QStringLiteral("Cannot write the PDF file %1: it has no pages.").arg(m_name));
    QByteArray kids;
    for (const int64_t page : m_pages)
        kids += QByteArray::number(page) + " 0 R\n";
    BeginObject(PagesObject);
    Write("\n<<\n/Type /Pages\n/Kids\n[\n" + kids + "]\n/Count " +
          QByteArray::number(qsizetype(m_pages.size())) + "\n" + m_procSet + "\n>>\nendobj\n");
    BeginObject(CatalogObject);
    Write("\n<<\n/Type /Catalog\n/Pages " + QByteArray::number(PagesObject) + " 0 R\n>>\nendobj\n");
    BeginObject(InfoObject);
    Write(m_info.isEmpty() ? QByteArray("\n<<\n>>\nendobj\n") : m_info);

    const int64_t xref = m_written;
    QByteArray table = "xref\n0 " + QByteArray::number(qsizetype(m_offsets.size() + 1)) + "\n";
    table += "0000000000 65535 f \n";
    for (const int64_t offset : m_offsets)
        table += offset < 0 ? QByteArray("0000000000 00000 f \n")
                            : QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    table += "trailer\n<<\n/Size " + QByteArray::number(qsizetype(m_offsets.size() + 1)) +
             "\n/Info " + QByteArray::number(InfoObject) + " 0 R\n/Root " +
             QByteArray::number(CatalogObject) + " 0 R\n>>\nstartxref\n" +
             QByteArray::number(xref) + "\n%%EOF\n";
    Write(table);
}
