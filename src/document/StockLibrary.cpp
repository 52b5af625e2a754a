#include "document/StockLibrary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {
constexpr double kMillimetresPerInch = 25.4;

struct TUnit {
    const char* Suffix;
    double Inches;
};
// The units the library's lengths come in; a bare number is in points.
constexpr TUnit kUnits[] = {
    {"pt", 1.0 / 72},
    {"in", 1.0},
    {"mm", 1.0 / kMillimetresPerInch},
    {"cm", 10.0 / kMillimetresPerInch},
    {"pc", 12.0 / 72},
};

// A length in inches; false when the text is none.
bool Length(QStringView text, double& inches) {
    text = text.trimmed();
    double factor = 1.0 / 72;
    for (const TUnit& unit : kUnits) {
        if (text.endsWith(QLatin1StringView(unit.Suffix), Qt::CaseInsensitive)) {
            factor = unit.Inches;
            text.chop(qsizetype(qstrlen(unit.Suffix)));
            break;
        }
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 10000)
        return false;
    inches = value * factor;
    return true;
}

struct TPaper {
    QString Name;
    double Width = 0, Height = 0;
};

QString Attribute(const QXmlStreamReader& xml, const char* name) {
    return xml.attributes().value(QLatin1StringView(name)).toString();
}

// Reads a length attribute; throws the attribute's name when it is missing or no length.
double Required(const QXmlStreamReader& xml, const char* name) {
    double inches = 0;
    if (!Length(Attribute(xml, name), inches))
        throw QStringLiteral("its %1 is no length").arg(QLatin1StringView(name));
    return inches;
}

double Optional(const QXmlStreamReader& xml, const char* name) {
    double inches = 0;
    return Length(Attribute(xml, name), inches) ? inches : 0;
}

QHash<QString, TPaper> ReadPapers(const QString& path) {
    QHash<QString, TPaper> papers;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return papers;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"Paper-size")
            continue;
        TPaper paper;
        paper.Name = Attribute(xml, "_name");
        if (paper.Name.isEmpty())
            paper.Name = Attribute(xml, "name");
        if (Length(Attribute(xml, "width"), paper.Width) &&
            Length(Attribute(xml, "height"), paper.Height))
            papers.insert(Attribute(xml, "id"), paper);
    }
    return papers;
}

// Reads the label element the reader stands on and its layouts into stock.
void ReadLabel(QXmlStreamReader& xml, TStock& stock) {
    const QStringView kind = xml.name();
    if (kind == u"Label-rectangle") {
        stock.Shape = TStockShape::Rectangle;
        stock.Width = Required(xml, "width");
        stock.Height = Required(xml, "height");
        stock.Radius = Optional(xml, "round");
    } else if (kind == u"Label-round") {
        stock.Shape = TStockShape::Round;
        stock.Radius = Required(xml, "radius");
        stock.Width = stock.Height = 2 * stock.Radius;
    } else if (kind == u"Label-ellipse") {
        stock.Shape = TStockShape::Ellipse;
        stock.Width = Required(xml, "width");
        stock.Height = Required(xml, "height");
    } else if (kind == u"Label-cd") {
        stock.Shape = TStockShape::Cd;
        stock.Radius = Required(xml, "radius");
        stock.Width = Optional(xml, "width");
        stock.Height = Optional(xml, "height");
        if (stock.Width <= 0)
            stock.Width = stock.Height = 2 * stock.Radius;
    } else {
        stock.Shape = TStockShape::Other;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Layout") {
            TStockLayout layout;
            layout.Columns = Attribute(xml, "nx").toInt();
            layout.Rows = Attribute(xml, "ny").toInt();
            if (layout.Columns < 1 || layout.Rows < 1 || layout.Columns > 1000 ||
                layout.Rows > 1000)
                throw QStringLiteral("a layout has no columns or rows");
            layout.X0 = Optional(xml, "x0");
            layout.Y0 = Optional(xml, "y0");
            layout.Dx = Optional(xml, "dx");
            layout.Dy = Optional(xml, "dy");
            stock.Layouts.append(layout);
        }
        xml.skipCurrentElement();
    }
}

// Reads the Template element the reader stands on.
TStock ReadTemplate(QXmlStreamReader& xml, const QHash<QString, TPaper>& papers) {
    TStock stock;
    stock.Maker = Attribute(xml, "brand");
    stock.Part = Attribute(xml, "part");
    stock.Description = Attribute(xml, "_description");
    if (stock.Description.isEmpty())
        stock.Description = Attribute(xml, "description");
    stock.SameAs = Attribute(xml, "equiv");
    if (stock.Maker.isEmpty() || stock.Part.isEmpty())
        throw QStringLiteral("it names no maker or part");
    const QString size = Attribute(xml, "size");
    if (const auto paper = papers.constFind(size); paper != papers.constEnd()) {
        stock.PaperName = paper->Name;
        stock.PaperWidth = paper->Width;
        stock.PaperHeight = paper->Height;
    } else if (stock.SameAs.isEmpty()) {
        // A roll or a sheet of its own size; a paper the size list lacks is known by its name.
        stock.PaperWidth = Optional(xml, "width");
        stock.PaperHeight = Optional(xml, "height");
        if (stock.PaperWidth <= 0 && size.compare(u"Other", Qt::CaseInsensitive) != 0) {
            stock.PaperName = size;
            TPaperChoice paper;
            if (ParsePaper(size, paper)) {
                stock.PaperWidth = paper.Width;
                stock.PaperHeight = paper.Height;
            }
        }
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Meta") {
            const QString category = Attribute(xml, "category");
            if (!category.isEmpty())
                stock.Categories << category;
            xml.skipCurrentElement();
        } else if (xml.name().startsWith(u"Label-")) {
            ReadLabel(xml, stock);
        } else {
            xml.skipCurrentElement();
        }
    }
    return stock;
}

void ReadTemplates(const QString& path, const QHash<QString, TPaper>& papers,
                   std::vector<TStock>& stocks, QStringList& problems) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems << QStringLiteral("%1: %2").arg(path, file.errorString());
        return;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement())
        return;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"Template") {
            xml.skipCurrentElement();
            continue;
        }
        const qint64 line = xml.lineNumber();
        try {
            TStock stock = ReadTemplate(xml, papers);
            if (!stock.SameAs.isEmpty() || stock.Width > 0)
                stocks.push_back(std::move(stock));
            else
                problems
                    << QStringLiteral("%1, line %2: the template has no label").arg(path).arg(line);
        } catch (const QString& why) {
            problems << QStringLiteral("%1, line %2: the template is skipped: %3")
                            .arg(path)
                            .arg(line)
                            .arg(why);
            // On to the end of the template, wherever inside it the fault was.
            while (!xml.atEnd() && !(xml.isEndElement() && xml.name() == u"Template"))
                xml.readNext();
        }
    }
    if (xml.hasError())
        problems << QStringLiteral("%1, line %2: %3")
                        .arg(path)
                        .arg(xml.lineNumber())
                        .arg(xml.errorString());
}

// Products listed as the same as another take that one's sheet.
void ResolveSameAs(std::vector<TStock>& stocks) {
    QHash<QString, size_t> byName;
    for (size_t i = 0; i < stocks.size(); ++i)
        if (stocks[i].SameAs.isEmpty())
            byName.insert((stocks[i].Maker + u' ' + stocks[i].Part).toLower(), i);
    std::vector<TStock> resolved;
    resolved.reserve(stocks.size());
    for (const TStock& s : stocks) {
        if (s.SameAs.isEmpty()) {
            resolved.push_back(s);
            continue;
        }
        const auto original = byName.constFind((s.Maker + u' ' + s.SameAs).toLower());
        // A product named after one the library lacks is the library's own slip, which no
        // user can mend: it is left out without a word.
        if (original == byName.constEnd())
            continue;
        TStock copy = stocks[*original];
        copy.Part = s.Part;
        copy.SameAs = s.SameAs;
        if (!s.Description.isEmpty())
            copy.Description = s.Description;
        resolved.push_back(std::move(copy));
    }
    stocks = std::move(resolved);
}

QString Inches(double v) {
    return QString::number(v, 'g', 4);
}

QString Folded(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (!c.isSpace() && c != u'-')
            out += c.toLower();
    return out;
}
} // namespace

QString TStock::Name() const {
    return Maker + u' ' + Part;
}

QString TStock::NotApplicable() const {
    if (Shape == TStockShape::Cd)
        return QStringLiteral("CD");
    if (Shape == TStockShape::Other)
        return QStringLiteral("a label shape this program cannot draw");
    if (Layouts.size() > 1)
        return QStringLiteral("staggered");
    if (Layouts.isEmpty())
        return QStringLiteral("no layout");
    return {};
}

QString TStock::Summary() const {
    QString text = Name();
    if (!Description.isEmpty())
        text += QStringLiteral(" \u2014 ") + Description;
    text += QStringLiteral(" \u2014 %1 \u00d7 %2 in").arg(Inches(Width), Inches(Height));
    if (!Layouts.isEmpty())
        text +=
            QStringLiteral(", %1 \u00d7 %2").arg(Layouts.first().Columns).arg(Layouts.first().Rows);
    text += QStringLiteral(", ") +
            (PaperName.isEmpty()
                 ? QStringLiteral("%1 \u00d7 %2 in").arg(Inches(PaperWidth), Inches(PaperHeight))
                 : PaperName);
    const QString why = NotApplicable();
    if (!why.isEmpty())
        text += QStringLiteral(" (") + why + u')';
    return text;
}

QStringList TStockLibrary::DefaultFolders() {
    // A list of folders of one's own (colon-separated) instead of the usual ones: for a
    // company's own library, and for tests.
    if (const QString own = qEnvironmentVariable("VELLUMTRACE_STOCK_FOLDERS"); !own.isEmpty())
        return own.split(u':', Qt::SkipEmptyParts);
    QStringList folders;
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + "/.config");
    for (const QString& folder : {QStringLiteral("/usr/share/libglabels-3.0/templates"),
                                  QStringLiteral("/usr/local/share/libglabels-3.0/templates"),
                                  config + QStringLiteral("/libglabels/templates")})
        if (QDir(folder).exists())
            folders << folder;
    return folders;
}

TStockLibrary TStockLibrary::Load(const QStringList& folders, QStringList* problems) {
    TStockLibrary library;
    QHash<QString, TPaper> papers;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QStringLiteral("paper-sizes.xml"));
        if (QFile::exists(path)) {
            papers = ReadPapers(path);
            break;
        }
    }
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name :
             dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name))
            ReadTemplates(dir.filePath(name), papers, library.m_stocks, library.m_problems);
    }
    ResolveSameAs(library.m_stocks);
    // What a search looks through, folded once here rather than at every key the user types.
    library.m_searchTexts.reserve(library.m_stocks.size());
    for (const TStock& s : library.m_stocks)
        library.m_searchTexts.push_back(
            Folded(s.Maker + s.Part + s.Description + s.Categories.join(QString()) +
                   QStringLiteral("%1mm x %2mm")
                       .arg(std::round(s.Width * kMillimetresPerInch))
                       .arg(std::round(s.Height * kMillimetresPerInch))));
    if (problems)
        *problems = library.m_problems;
    return library;
}

const TStockLibrary& TStockLibrary::Installed() {
    static std::once_flag once;
    static TStockLibrary library;
    std::call_once(once, [] { library = Load(DefaultFolders()); });
    return library;
}

std::vector<const TStock*> TStockLibrary::Search(const QString& words) const {
    // A unit typed apart ("62 mm") belongs to the number before it.
    QStringList wanted;
    for (const QString& word : words.split(u' ', Qt::SkipEmptyParts)) {
        const bool unit = word.compare(u"mm", Qt::CaseInsensitive) == 0 ||
                          word.compare(u"in", Qt::CaseInsensitive) == 0;
        if (unit && !wanted.isEmpty())
            wanted.last() += word;
        else
            wanted << word;
    }
    for (QString& word : wanted)
        word = Folded(word);
    std::vector<const TStock*> found;
    for (size_t i = 0; i < m_stocks.size(); ++i) {
        bool all = true;
        for (const QString& word : wanted)
            all = all && m_searchTexts[i].contains(word);
        if (all)
            found.push_back(&m_stocks[i]);
    }
    return found;
}

const TStock* TStockLibrary::Find(const QString& name) const {
    const QString wanted = Folded(name);
    for (const TStock& s : m_stocks)
        if (Folded(s.Name()) == wanted)
            return &s;
    return nullptr;
}

QStringList TStockLibrary::ClosestNames(const QString& name, int count) const {
    // Names sharing the longest run with the wanted one, a cheap likeness that serves "avery
    // 516" and "5160" alike.
    const QString wanted = Folded(name);
    std::vector<std::pair<int, const TStock*>> scored;
    for (const TStock& s : m_stocks) {
        const QString candidate = Folded(s.Name());
        int best = 0;
        for (qsizetype i = 0; i < wanted.size(); ++i)
            for (qsizetype n = best + 1; i + n <= wanted.size(); ++n) {
                if (!candidate.contains(QStringView(wanted).mid(i, n)))
                    break;
                best = int(n);
            }
        scored.emplace_back(best, &s);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList names;
    for (const auto& [score, stock] : scored) {
        if (int(names.size()) >= count || score == 0)
            break;
        names << stock->Name();
    }
    return names;
}

bool ApplyStock(const TStock& stock, TSheetSettings& sheet, QString* why) {
    const QString reason = stock.NotApplicable();
    if (!reason.isEmpty()) {
        if (why)
            *why = QStringLiteral("%1 cannot be a sheet here: %2").arg(stock.Name(), reason);
        return false;
    }
    const TStockLayout& layout = stock.Layouts.first();
    // The sheet keeps its unit: centimetres when metric.
    const double unit = sheet.Metric ? 2.54 : 1.0;
    sheet.LabelWidth = stock.Width * unit;
    sheet.LabelHeight = stock.Height * unit;
    sheet.LeftMargin = layout.X0 * unit;
    sheet.TopMargin = layout.Y0 * unit;
    sheet.GapWidth = layout.Columns > 1 ? std::max(0.0, layout.Dx - stock.Width) * unit : 0;
    sheet.GapHeight = layout.Rows > 1 ? std::max(0.0, layout.Dy - stock.Height) * unit : 0;
    sheet.RightMargin = sheet.BottomMargin = 0;
    sheet.Columns = layout.Columns;
    sheet.Rows = layout.Rows;
    sheet.ForcedCount = true;
    if (stock.PaperWidth > 0 && stock.PaperHeight > 0)
        sheet.Paper = PaperOfSize(std::max(stock.PaperWidth, MinPaperInches),
                                  std::max(stock.PaperHeight, MinPaperInches));
    // The border outline closest to the label's: round and oval labels as the roundest
    // rectangle, corners by their radius.
    const double shorter = std::min(stock.Width, stock.Height);
    if (stock.Shape == TStockShape::Round || stock.Shape == TStockShape::Ellipse) {
        sheet.BorderShape = 1;
        sheet.BorderPct = 50;
    } else if (stock.Radius > 0 && shorter > 0) {
        sheet.BorderShape = 1;
        sheet.BorderPct = std::min(50.0, 100.0 * stock.Radius / shorter);
    } else {
        sheet.BorderShape = 0;
    }
    sheet.StockMaker = stock.Maker;
    sheet.StockPart = stock.Part;
    return true;
}
