#include "merge/SqlSource.h"

#include "merge/SqlRows.h"
#include "merge/SqlTexts.h"
#include "platform/Errors.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

namespace {
struct TScheme {
    const char* prefix;
    const char* driver;
};
// Address schemes, compared without case.
const TScheme kSchemes[] = {{"postgresql://", "QPSQL"},
                            {"postgres://", "QPSQL"},
                            {"mysql://", "QMYSQL"},
                            {"mariadb://", "QMYSQL"}};

// Waiting for a server that does not answer would hang an unattended run for good.
constexpr const char* kDefaultConnectTimeout = "10";

const TScheme* SchemeOf(const QString& source) {
    for (const TScheme& scheme : kSchemes)
        if (source.startsWith(QLatin1String(scheme.prefix), Qt::CaseInsensitive))
            return &scheme;
    return nullptr;
}

QString Decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// An address after its scheme, cut where libpq cuts it, except that the user part runs to the
// last '@' before the settings: a password holding '/' then still counts as one, and is never
// taken for a host or shown in a message.
struct TAddressParts {
    bool hasUser = false;
    QString user; // user[:password], still percent-encoded
    QString hostPort;
    bool hasPath = false;
    QString path; // after the '/'
    bool hasSettings = false;
    QString settings; // after the '?'
};

TAddressParts SplitAddress(const QString& rest) {
    TAddressParts parts;
    qsizetype end = rest.indexOf(u'?');
    if (end >= 0) {
        parts.hasSettings = true;
        parts.settings = rest.mid(end + 1);
    } else {
        end = rest.size();
    }
    qsizetype hostStart = 0;
    if (const qsizetype at = rest.lastIndexOf(u'@', end - 1); at >= 0 && end > 0) {
        parts.hasUser = true;
        parts.user = rest.left(at);
        hostStart = at + 1;
    }
    qsizetype pathStart = rest.indexOf(u'/', hostStart);
    if (pathStart < 0 || pathStart > end)
        pathStart = end;
    parts.hostPort = rest.mid(hostStart, pathStart - hostStart);
    if (pathStart < end) {
        parts.hasPath = true;
        parts.path = rest.mid(pathStart + 1, end - pathStart - 1);
    }
    return parts;
}

// The address without the password of its user part or of a password setting.
QString Shown(const QString& prefix, const TAddressParts& parts) {
    QString shown = prefix;
    if (parts.hasUser)
        shown += parts.user.section(u':', 0, 0) + u'@';
    shown += parts.hostPort;
    if (parts.hasPath)
        shown += u'/' + parts.path;
    if (parts.hasSettings) {
        QStringList kept;
        for (const QString& pair : parts.settings.split(u'&'))
            if (Decoded(pair.section(u'=', 0, 0)) != QLatin1String("password"))
                kept << pair;
        if (!kept.isEmpty())
            shown += u'?' + kept.join(u'&');
    }
    return shown;
}

[[noreturn]] void Refuse(const TSqlSource& parsed, const QString& reason) {
    throw TUserError(QString::fromLatin1(SqlText::BadAddress).arg(parsed.shown, reason));
}

int ParsePort(const TSqlSource& parsed, const QString& text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    if (!ok || port < 1 || port > 65535 || text.startsWith(u'+'))
        Refuse(parsed, QStringLiteral("the port \"%1\" is not a number from 1 to 65535").arg(text));
    return port;
}

// A connect option for libpq's key='value' form; QPSQL turns ';' into spaces between options.
QString PostgresOption(const TSqlSource& parsed, const QString& key, QString value) {
    if (key.isEmpty() || key.contains(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]"))))
        Refuse(parsed, QStringLiteral("\"%1\" is not a setting").arg(key));
    if (value.contains(u';'))
        Refuse(parsed, QStringLiteral("the setting \"%1\" holds a semicolon").arg(key));
    value.replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
    return key + QLatin1String("='") + value + u'\'';
}

void ParseSettings(TSqlSource& parsed, const QString& query) {
    bool timeoutGiven = false;
    QStringList options;
    for (const QString& pair : query.split(u'&', Qt::SkipEmptyParts)) {
        const QString key = Decoded(pair.section(u'=', 0, 0));
        const QString value = Decoded(pair.section(u'=', 1));
        if (key == QLatin1String("password"))
            throw TUserError(QString::fromLatin1(SqlText::PasswordInAddress).arg(parsed.shown));
        if (key == QLatin1String("host"))
            parsed.host = value;
        else if (key == QLatin1String("port"))
            parsed.port = ParsePort(parsed, value);
        else if (key == QLatin1String("dbname"))
            parsed.database = value;
        else if (key == QLatin1String("user"))
            parsed.user = value;
        else if (parsed.driver != QLatin1String("QPSQL"))
            Refuse(parsed, QStringLiteral("the setting \"%1\" is not known").arg(key));
        else {
            timeoutGiven = timeoutGiven || key == QLatin1String("connect_timeout");
            options << PostgresOption(parsed, key, value);
        }
    }
    if (parsed.driver == QLatin1String("QPSQL") && !timeoutGiven)
        options << QStringLiteral("connect_timeout=%1").arg(kDefaultConnectTimeout);
    if (parsed.driver == QLatin1String("QMYSQL") && parsed.host.startsWith(u'/')) {
        options << QStringLiteral("UNIX_SOCKET=") + parsed.host;
        parsed.host.clear();
    }
    parsed.options = options.join(u';');
}

void ParseHostAndPort(TSqlSource& parsed, const QString& hostPort) {
    if (hostPort.contains(u','))
        Refuse(parsed, QStringLiteral("only one host can be given"));
    QString host = hostPort;
    QString port;
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 0)
            Refuse(parsed, QStringLiteral("the host \"%1\" lacks its closing bracket").arg(host));
        const QString rest = host.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            Refuse(parsed, QStringLiteral("the host \"%1\" cannot be read").arg(host));
        port = rest.mid(1);
        host = host.mid(1, close - 1);
    } else if (const qsizetype colon = host.lastIndexOf(u':'); colon >= 0) {
        port = host.mid(colon + 1);
        host.truncate(colon);
    }
    parsed.host = Decoded(host);
    if (!port.isEmpty())
        parsed.port = ParsePort(parsed, port);
}

TSqlSource ParseAddress(const QString& source, const TScheme& scheme) {
    const qsizetype prefixSize = qstrlen(scheme.prefix);
    const TAddressParts parts = SplitAddress(source.mid(prefixSize));
    TSqlSource parsed;
    parsed.driver = QLatin1String(scheme.driver);
    parsed.shown = Shown(source.left(prefixSize), parts);
    if (parts.user.contains(u':'))
        throw TUserError(QString::fromLatin1(SqlText::PasswordInAddress).arg(parsed.shown));
    parsed.user = Decoded(parts.user);
    ParseHostAndPort(parsed, parts.hostPort);
    parsed.database = Decoded(parts.path);
    ParseSettings(parsed, parts.settings);
    return parsed;
}
} // namespace

bool IsSqliteFile(const QString& path) {
    static const QByteArray header("SQLite format 3\0", 16);
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

bool IsDatabaseSource(const QString& source) {
    return SchemeOf(source) != nullptr || IsSqliteFile(source);
}

TSqlSource ParseSqlSource(const QString& source) {
    if (const TScheme* scheme = SchemeOf(source))
        return ParseAddress(source, *scheme);
    TSqlSource parsed;
    parsed.shown = source;
    if (!QFile::exists(source))
        throw TUserError(QString::fromLatin1(SqlText::NotADatabase).arg(source));
    if (!IsSqliteFile(source))
        throw TUserError(QString::fromLatin1(SqlText::NotSqliteFile).arg(source));
    parsed.driver = QStringLiteral("QSQLITE");
    parsed.database = source;
    // A merge only reads: the file is never changed, nor created.
    parsed.options = QStringLiteral("QSQLITE_OPEN_READONLY");
    return parsed;
}
