#pragma once
// UI services for tests: records every message, question and opened document,
// answers questions and dialogs from queues, and runs a scripted handler while a
// window is "shown modally" instead of entering a real modal loop.
#include "core/UiServices.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace korvel::test {

class ScriptedUi : public UiServices {
public:
    struct Message {
        enum Kind { Information, Error, Plain, Question } kind;
        QString text;
    };

    // Installs itself as the program's UI services; restores none on destruction.
    ScriptedUi();
    ~ScriptedUi() override;

    QList<Message> messages;
    QStringList openedDocuments;
    QStringList startedPrograms;
    QList<QWidget*> modalWindows; // every window passed to showModal, in order
    int quitRequests = 0;

    QList<Answer> answers;                      // consumed by the questions; default Cancel
    QList<std::optional<QString>> inputAnswers; // consumed by inputBox; default: Cancel
    QStringList fileAnswers;                    // consumed by the file dialogs; default: ""

    // Runs while a window is shown modally; the default closes the window at once.
    std::function<int(QWidget*)> onModal;

    QStringList texts() const; // the texts of all messages, in order
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }

    void information(const QString& text) override;
    void error(const QString& text) override;
    void message(const QString& text) override;
    Answer questionYesNoCancel(const QString& text) override;
    Answer questionYesNo(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override;
    void openDocument(const QString& path) override;
    void startProgram(const QString& path) override;
    int showModal(QWidget* window) override;
    void quitApplication() override;

    // The last input box's caption, prompt and default text.
    QString lastInputCaption, lastInputPrompt, lastInputDefault;

private:
    Answer nextAnswer();
};

} // namespace korvel::test
