#include "platform/Messages.h"

#include <cstdio>

namespace {
TMessageHandler& Handler() {
    static TMessageHandler handler;
    return handler;
}
} // namespace

void ShowMessage(const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

TMessageHandler SetMessageHandler(TMessageHandler handler) {
    TMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
