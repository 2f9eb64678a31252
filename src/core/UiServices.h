#pragma once
// The one door through which the program talks to the user and the desktop:
// message boxes, questions, the input box, file dialogs, opening documents,
// starting programs and showing windows modally. The program installs the Qt
// implementation; tests install a scripted one that answers and records.
#include <QString>
#include <optional>

class QWidget;

namespace korvel {

class UiServices {
public:
    enum class Answer { Yes, No, Cancel, Ok };

    virtual ~UiServices() = default;

    virtual void information(const QString& text) = 0;          // information icon, button OK
    virtual void error(const QString& text) = 0;                // error icon, button OK
    virtual void message(const QString& text) = 0;              // plain box, button OK
    virtual Answer questionYesNoCancel(const QString& text) = 0; // information icon, Yes/No/Cancel
    virtual Answer questionYesNo(const QString& text) = 0;
    // Returns the text on OK, nothing on Cancel.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                            const QString& defaultText) = 0;
    // Returns the chosen file, or an empty text when the dialog was cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // Hands the document to the desktop's default viewer; the result is not examined.
    virtual void openDocument(const QString& path) = 0;
    virtual void startProgram(const QString& path) = 0;
    // Shows the window modally and returns when it is closed.
    virtual int showModal(QWidget* window) = 0;
    // Ends the program (the event loop quits; windows close as it unwinds).
    virtual void quitApplication() = 0;
};

// The services in force; the program and the tests install theirs at start.
UiServices& ui();
void setUi(UiServices* services);

} // namespace korvel
