#pragma once

#include "merge/dialogs/DialogServices.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Answers the merge dialogs' questions instead of the desktop and remembers what was asked.
class TServicesStandIn {
public:
    struct TInputQuestion {
        QString Caption;
        QString Prompt;
    };

    TServicesStandIn() = default;
    TServicesStandIn(const TServicesStandIn&) = delete;
    TServicesStandIn& operator=(const TServicesStandIn&) = delete;

    // The services a dialog asks through, answered by this stand-in (which must outlive them).
    TMergeDialogServices Services() {
        return {
            [this](QWidget*, const QString& text) { Messages << text; },
            [this](QWidget*, const QString& caption, const QString& prompt) {
                Inputs.push_back({caption, prompt});
                std::optional<QString> answer;
                if (!InputAnswers.empty()) {
                    answer = InputAnswers.front();
                    InputAnswers.pop_front();
                }
                return answer;
            },
            [this](QWidget*, const TOpenFileRequest& request) {
                FileRequests.push_back(request);
                return FileAnswer;
            },
            [this](QWidget*, const QString& text) { Errors << text; },
        };
    }

    QStringList Messages;
    QStringList Errors;
    std::vector<TInputQuestion> Inputs;
    std::deque<std::optional<QString>> InputAnswers; // none left: the user cancels
    std::vector<TOpenFileRequest> FileRequests;
    QString FileAnswer; // empty: the user cancels
};

// Shows window and makes it the active one, so that focus moves send their events.
inline void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

template <class T> T* FindIn(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no child " << name;
    return child;
}

inline QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}
