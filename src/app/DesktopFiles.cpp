#include "app/DesktopFiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QString kMimeNamespace =
    QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kDesktopGroup = QStringLiteral("[Desktop Entry]");
} // namespace

QList<TMimeType> ReadMimePackage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<TMimeType> types;
    QXmlStreamReader xml(&file);
    // Only the root is read at the top level: reading on past it reports a premature end.
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("mime-info"))
        return {};
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("mime-type")) {
            xml.skipCurrentElement();
            continue;
        }
        TMimeType type;
        type.Type = xml.attributes().value(QLatin1String("type")).toString();
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("glob")) {
                type.Globs << xml.attributes().value(QLatin1String("pattern")).toString();
                xml.skipCurrentElement();
            } else if (xml.name() == QLatin1String("icon")) {
                type.Icon = xml.attributes().value(QLatin1String("name")).toString();
                xml.skipCurrentElement();
            } else if (xml.name() == QLatin1String("comment") &&
                       !xml.attributes().hasAttribute(QLatin1String("xml:lang"))) {
                type.Comment = xml.readElementText();
            } else {
                xml.skipCurrentElement();
            }
        }
        if (!type.Type.isEmpty())
            types << type;
    }
    // A damaged package counts as holding nothing; it is rewritten whole.
    return xml.hasError() ? QList<TMimeType>() : types;
}

QByteArray MimePackageText(const QList<TMimeType>& types) {
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kMimeNamespace);
    xml.writeStartElement(kMimeNamespace, QStringLiteral("mime-info"));
    for (const TMimeType& type : types) {
        xml.writeStartElement(kMimeNamespace, QStringLiteral("mime-type"));
        xml.writeAttribute(QStringLiteral("type"), type.Type);
        xml.writeTextElement(kMimeNamespace, QStringLiteral("comment"), type.Comment);
        if (!type.Icon.isEmpty()) {
            xml.writeEmptyElement(kMimeNamespace, QStringLiteral("icon"));
            xml.writeAttribute(QStringLiteral("name"), type.Icon);
        }
        for (const QString& glob : type.Globs) {
            xml.writeEmptyElement(kMimeNamespace, QStringLiteral("glob"));
            xml.writeAttribute(QStringLiteral("pattern"), glob);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return text;
}

QString EscapeDesktopValue(const QString& value) {
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString UnescapeDesktopValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i].unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += value[i];
        }
    }
    return out;
}

QHash<QString, QString> ReadDesktopEntry(const QString& path) {
    QFile file(path);
    QHash<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == kDesktopGroup;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq).trimmed(), UnescapeDesktopValue(line.mid(eq + 1).trimmed()));
    }
    return keys;
}

QStringList SplitList(const QString& value) {
    return value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QString GlobExtension(const QString& glob) {
    if (!glob.startsWith(QLatin1String("*.")) || glob.size() < 3)
        return {};
    const QString ext = glob.mid(1);
    for (const char special : {'*', '?', '['})
        if (ext.contains(QLatin1Char(special)))
            return {};
    return ext;
}

QString ExecProgram(const QString& exec) {
    QString program;
    if (exec.startsWith(QLatin1Char('"'))) {
        // Inside quotes a backslash keeps the next character as it is.
        qsizetype i = 1;
        for (; i < exec.size() && exec[i] != QLatin1Char('"'); ++i) {
            if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size())
                ++i;
            program += exec[i];
        }
        if (i == exec.size())
            return {}; // an unclosed quote makes the command invalid
    } else {
        for (const QChar c : exec) {
            if (c.isSpace())
                break;
            program += c;
        }
    }
    return program.replace(QLatin1String("%%"), QLatin1String("%"));
}

QList<QHash<QString, QString>> DesktopEntries(const QStringList& dataFolders) {
    QList<QHash<QString, QString>> entries;
    QSet<QString> seen;
    for (const QString& folder : dataFolders) {
        const QDir applications(QDir(folder).filePath(QStringLiteral("applications")));
        for (const QString& name :
             applications.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            if (seen.contains(name))
                continue;
            seen.insert(name);
            entries << ReadDesktopEntry(applications.filePath(name));
        }
    }
    return entries;
}

QStringList TypeExtensions(const QStringList& dataFolders, const QStringList& types) {
    QStringList extensions;
    if (types.isEmpty())
        return extensions; // the system's packages are large: not read for nothing
    for (const QString& folder : dataFolders) {
        const QDir packages(QDir(folder).filePath(QStringLiteral("mime/packages")));
        for (const QString& name :
             packages.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            for (const TMimeType& type : ReadMimePackage(packages.filePath(name))) {
                if (!types.contains(type.Type))
                    continue;
                for (const QString& glob : type.Globs) {
                    const QString ext = GlobExtension(glob);
                    if (!ext.isEmpty() && !extensions.contains(ext))
                        extensions << ext;
                }
            }
        }
    }
    return extensions;
}
