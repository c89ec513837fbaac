#pragma once

#include "platform/Platform.h"
#include "platform/WindowActions.h"

#include <QtCore>

#include <deque>
#include <functional>

namespace bv::test {

// Records every platform call; dialogs and questions answer from scripted queues.
class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        bool informationIcon;
    };
    struct Dialog {
        FileDialogKind kind;
        FileDialogSpec request;
    };
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory, outputPath; // the output file of a watched start
    };

    QString programDir;
    QString arguments;
    std::vector<Message> messages;
    std::deque<bool> yesNoAnswers; // empty: answers Yes
    QStringList questions;
    std::vector<Dialog> dialogs;
    std::deque<QString> dialogAnswers; // empty: cancelled
    std::vector<Start> starts;
    StartFailure startResult = StartFailure::None;
    // The end handlers of watched starts, in order: a test ends a program by calling one.
    std::vector<ProcessEndHandler> watches;
    QString outputProblem; // what a watched start reports of its output file
    QStringList consoleReplies;
    std::vector<QString> documents;
    bool documentsOpen = true;
    QMap<QPair<QString, QString>, QString> store;
    std::vector<QPair<QString, QString>> storeWrites; // section/key in order of writing
    int failStoreAfter = -1;                          // writes after this many fail; -1 never
    int quitCount = 0;
    std::function<void(const QString&)> onMessage;

    void messageBox(const QString& text, bool informationIcon) override {
        messages.push_back({text, informationIcon});
        if (onMessage)
            onMessage(text);
    }
    bool askYesNo(const QString& text) override {
        questions << text;
        return next(yesNoAnswers, true);
    }
    QString fileDialog(FileDialogKind kind, const FileDialogSpec& request) override {
        dialogs.push_back({kind, request});
        return next(dialogAnswers, QString());
    }
    QString storeValue(const QString& section, const QString& key,
                       const QString& defaultValue) override {
        return store.value({section, key}, defaultValue);
    }
    bool setStoreValue(const QString& section, const QString& key, const QString& value) override {
        if (failStoreAfter >= 0 && static_cast<int>(storeWrites.size()) >= failStoreAfter)
            return false;
        storeWrites.push_back({section, key});
        store.insert({section, key}, value);
        return true;
    }
    StartFailure startProcess(const QString& program, const QStringList& args,
                              const QString& workingDirectory) override {
        starts.push_back({program, args, workingDirectory, QString()});
        return startResult;
    }
    StartFailure startWatchedProcess(const QString& program, const QStringList& args,
                                     const QString& workingDirectory, const QString& outputPath,
                                     QString& problem, ProcessEndHandler onEnd) override {
        const StartFailure started = startProcess(program, args, workingDirectory);
        starts.back().outputPath = outputPath;
        problem = outputProblem;
        if (started == StartFailure::None)
            watches.push_back(std::move(onEnd));
        return started;
    }
    void consoleReply(const QString& text) override { consoleReplies << text; }
    bool openDocument(const QString& path) override {
        documents.push_back(path);
        return documentsOpen;
    }
    QString programDirectory() const override { return programDir; }
    QString argumentText() const override { return arguments; }
    void quit() override { ++quitCount; }

private:
    template <typename T> static T next(std::deque<T>& answers, T answer) {
        if (!answers.empty())
            answer = answers.front(), answers.pop_front();
        return answer;
    }
};

// Records window actions.
class FakeWindows : public WindowActions {
public:
    QStringList calls;
    WindowPlacement where;
    bool fontOk = true;
    double fontSize = 0;

    void showMainWindow() override { calls << QStringLiteral("showMain"); }
    void hideMainWindow() override { calls << QStringLiteral("hideMain"); }
    void showDebugWindow() override { calls << QStringLiteral("showDebug"); }
    void showAboutWindow() override { calls << QStringLiteral("showAbout"); }
    void showOptionsWindow() override { calls << QStringLiteral("showOptions"); }
    void showEditWindow() override { calls << QStringLiteral("showEdit"); }
    bool setConsoleFontSize(double points) override {
        calls << QStringLiteral("font");
        fontSize = points;
        return fontOk;
    }
    WindowPlacement placement() const override { return where; }
};

} // namespace bv::test
