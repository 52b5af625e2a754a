#include "app/ManualPage.h"

#include "app/HelpText.h"
#include "app/Placeholders.h"

#include <QRegularExpression>
#include <QStringList>

QString RoffText(const QString& text) {
    QString out = text;
    out.replace(u'\\', QLatin1String("\\e"));
    out.replace(u'-', QLatin1String("\\-"));
    // A line starting with a dot or a quote would be read as a request.
    if (out.startsWith(u'.') || out.startsWith(u'\''))
        out.prepend(QLatin1String("\\&"));
    return out;
}

namespace {
QString Bold(const QString& text) {
    return QStringLiteral("\\fB%1\\fR").arg(RoffText(text));
}

QString Italic(const QString& text) {
    return QStringLiteral("\\fI%1\\fR").arg(RoffText(text));
}

// "vellumtrace [LABEL.lbl | TEMPLATE.lbf] [switches]": the program in bold, what the user
// fills in in italics, the brackets and bars as they stand.
QString Synopsis(const QString& usage) {
    const int32_t space = usage.indexOf(u' ');
    const QString program = space < 0 ? usage : usage.left(space);
    const QString rest = space < 0 ? QString() : usage.mid(space + 1);
    static const QRegularExpression word(QStringLiteral("[^\\s\\[\\]|]+"));
    QString line;
    qsizetype from = 0;
    for (auto it = word.globalMatch(rest); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        line += RoffText(rest.mid(from, m.capturedStart() - from)) + Italic(m.captured(0));
        from = m.capturedEnd();
    }
    line += RoffText(rest.mid(from));
    return QStringLiteral(".B %1\n%2").arg(RoffText(program), line);
}

QString Options(const THelpText& help) {
    QStringList entries;
    for (const THelpSwitch& sw : help.Switches) {
        QString term = Bold(sw.Name);
        if (!sw.Argument.isEmpty())
            term += u' ' + Italic(sw.Argument);
        entries << QStringLiteral(".TP\n%1\n%2").arg(term, RoffText(sw.Description));
    }
    return entries.join(u'\n');
}

QString Paragraphs(const QStringList& paragraphs) {
    QStringList out;
    for (const QString& p : paragraphs)
        out << RoffText(p);
    return out.join(QLatin1String("\n.PP\n"));
}
} // namespace

QString ManualPage(const QString& roffTemplate, const QString& help, const QString& version,
                   const QString& date) {
    const THelpText text = ParseHelpText(help);
    return FillPlaceholders(roffTemplate,
                            {{QStringLiteral("VERSION"), version},
                             {QStringLiteral("DATE"), date},
                             {QStringLiteral("SYNOPSIS"), Synopsis(text.Usage)},
                             {QStringLiteral("OPTIONS"), Options(text)},
                             {QStringLiteral("OUTPUT"), Paragraphs(text.Closing)},
                             {QStringLiteral("EXIT_STATUS"), Paragraphs(text.ExitStatus)}},
                            QStringLiteral("The manual page template"));
}
