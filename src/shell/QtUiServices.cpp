#include "QtUiServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace korvel {
namespace {
const QString kTitle = QStringLiteral("Korvel 3");

QWidget* activeParent() { return QApplication::activeWindow(); }

UiServices::Answer toAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return UiServices::Answer::Yes;
    case QMessageBox::No: return UiServices::Answer::No;
    case QMessageBox::Ok: return UiServices::Answer::Ok;
    default: return UiServices::Answer::Cancel;
    }
}
} // namespace

void QtUiServices::information(const QString& text) { QMessageBox::information(activeParent(), kTitle, text); }
void QtUiServices::error(const QString& text) { QMessageBox::critical(activeParent(), kTitle, text); }

void QtUiServices::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, activeParent());
    box.exec();
}

UiServices::Answer QtUiServices::questionYesNoCancel(const QString& text)
{
    QMessageBox box(QMessageBox::Information, kTitle, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, activeParent());
    return toAnswer(QMessageBox::StandardButton(box.exec()));
}

UiServices::Answer QtUiServices::questionYesNo(const QString& text)
{
    return toAnswer(QMessageBox::question(activeParent(), kTitle, text, QMessageBox::Yes | QMessageBox::No));
}

std::optional<QString> QtUiServices::inputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(activeParent(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtUiServices::openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtUiServices::saveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void QtUiServices::openDocument(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

void QtUiServices::startProgram(const QString& path) { QProcess::startDetached(path, {}); }

int QtUiServices::showModal(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        return dialog->exec();
    // A plain window: application-modal with its own event loop until it is
    // hidden. A refused close keeps it open, and minimising it (a hide by the
    // window system, a spontaneous event) does not end the modal run.
    QPointer<QWidget> guard(window);
    const Qt::WindowModality previousModality = window->windowModality();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    struct Watcher : QObject {
        QEventLoop* loop;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Hide && !event->spontaneous())
                loop->quit();
            return false;
        }
    } watcher;
    watcher.loop = &loop;
    window->installEventFilter(&watcher);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    if (window->isVisible())
        loop.exec();
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(previousModality);
    }
    return 0;
}

void QtUiServices::quitApplication() { QCoreApplication::quit(); }

} // namespace korvel
