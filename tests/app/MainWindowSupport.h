#pragma once

#include "TestSupport.h"
#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QStringList>

#include <deque>
#include <memory>

// Main windows on their own preference file and scratch folder, with the question and file
// dialogs answered from queues that the test fills; every question asked is recorded.
class TMainWindowFixture {
public:
    TMainWindowFixture() {
        SetScreenResolution(96, 96);
        Services.Question = [this](QWidget*, const QString& title, const QString& text) {
            Questions << title + QStringLiteral(": ") + text;
            if (Answers.empty())
                return TAnswer::Cancel;
            const TAnswer a = Answers.front();
            Answers.pop_front();
            return a;
        };
        Services.FileName = [this](QWidget*, const TFileDialogRequest& r) {
            FileDialogs << r.Title;
            if (FileNames.empty())
                return QString();
            const QString name = FileNames.front();
            FileNames.pop_front();
            return name;
        };
        Services.Error = [this](QWidget*, const QString& text) { Errors << text; };
    }
    TMainWindowFixture(const TMainWindowFixture&) = delete;
    TMainWindowFixture& operator=(const TMainWindowFixture&) = delete;

    QString PreferenceFile() const { return Scratch.File(QStringLiteral("prefs.ini")); }
    std::unique_ptr<TPreferenceStore> Store() const {
        return std::make_unique<TPreferenceStore>(PreferenceFile());
    }
    // The desktop's file types go into the scratch folder, never the user's own.
    TShellEnvironment Shell() const {
        TShellEnvironment shell =
            TShellEnvironment::ForProgram(QStringLiteral("/opt/vt/bin/vellumtrace"));
        shell.DataFolder = Scratch.File(QStringLiteral("share"));
        shell.RefreshDatabases = [](const QString&) {};
        return shell;
    }
    // A window asking through Services as they are now.
    std::unique_ptr<TFMain> Window(const TCommandLineOptions& options = {}) const {
        const TShellEnvironment shell = Shell();
        auto window = std::make_unique<TFMain>(options, Store(), &shell);
        window->UiServices() = Services;
        return window;
    }
    // A window shown and active: keyboard focus only counts in the active window.
    std::unique_ptr<TFMain> ActiveWindow(const TCommandLineOptions& options = {}) const {
        auto window = Window(options);
        window->show();
        QApplication::setActiveWindow(window.get());
        return window;
    }

    TScratchFolder Scratch;
    std::deque<TAnswer> Answers;
    std::deque<QString> FileNames;
    QStringList Questions, FileDialogs, Errors;
    // The answers of the desktop's dialogs for the windows made from here on; the font dialog
    // and modal runs stay the desktop's unless a test replaces them.
    TUiServices Services = DesktopUiServices();
};
