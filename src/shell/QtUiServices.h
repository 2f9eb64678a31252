#pragma once
// The program's UI services: Qt's message boxes, input dialog, file dialogs and
// the desktop's "open" through QDesktopServices.
#include "core/UiServices.h"

namespace korvel {

class QtUiServices : public UiServices {
public:
    void information(const QString& text) override;
    void error(const QString& text) override;
    void message(const QString& text) override;
    Answer questionYesNoCancel(const QString& text) override;
    Answer questionYesNo(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& defaultText) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    void openDocument(const QString& path) override;
    void startProgram(const QString& path) override;
    int showModal(QWidget* window) override;
    void quitApplication() override;
};

} // namespace korvel
