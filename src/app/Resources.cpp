#include "app/Resources.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitVellumtraceResources() {
    Q_INIT_RESOURCE(vellumtrace);
}

void InitAppResources() {
    static const bool done = (InitVellumtraceResources(), true);
    (void)done;
}

QIcon ProgramIcon() {
    QIcon icon(QStringLiteral(":/icons/vellumtrace.svg"));
    icon.addFile(QStringLiteral(":/icons/vellumtrace-48.png"), QSize(48, 48));
    return icon;
}
