#include "ScriptedUi.h"

#include <QWidget>

namespace korvel::test {

ScriptedUi::ScriptedUi() { setUi(this); }
ScriptedUi::~ScriptedUi() { setUi(nullptr); }

QStringList ScriptedUi::texts() const
{
    QStringList result;
    for (const Message& m : messages)
        result << m.text;
    return result;
}

void ScriptedUi::information(const QString& text) { messages.append({Message::Information, text}); }
void ScriptedUi::error(const QString& text) { messages.append({Message::Error, text}); }
void ScriptedUi::message(const QString& text) { messages.append({Message::Plain, text}); }

UiServices::Answer ScriptedUi::nextAnswer() { return answers.isEmpty() ? Answer::Cancel : answers.takeFirst(); }

UiServices::Answer ScriptedUi::questionYesNoCancel(const QString& text)
{
    messages.append({Message::Question, text});
    return nextAnswer();
}

UiServices::Answer ScriptedUi::questionYesNo(const QString& text)
{
    messages.append({Message::Question, text});
    return nextAnswer();
}

std::optional<QString> ScriptedUi::inputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    lastInputCaption = caption;
    lastInputPrompt = prompt;
    lastInputDefault = defaultText;
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

QString ScriptedUi::openFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedUi::saveFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void ScriptedUi::openDocument(const QString& path) { openedDocuments << path; }
void ScriptedUi::startProgram(const QString& path) { startedPrograms << path; }

int ScriptedUi::showModal(QWidget* window)
{
    modalWindows << window;
    if (onModal) {
        // A copy: the handler may replace onModal while it runs.
        const std::function<int(QWidget*)> handler = onModal;
        return handler(window);
    }
    window->close();
    return 0;
}

void ScriptedUi::quitApplication() { ++quitRequests; }

} // namespace korvel::test
