#include "TfmWlasnedane.h"

#include "core/UiServices.h"
#include "models/UserData.h"
#include "widgets/SharedCommands.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace korvel {

namespace {
template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

TfmWlasnedane::TfmWlasnedane(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmWlasnedane"));
    setWindowTitle(QStringLiteral("Korvel 3"));
    auto* root = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    m_memo1 = named(new QPlainTextEdit(this), "Memo1");
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setMinimumSize(260, 320);
    left->addWidget(m_memo1, 1);
    root->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* format = new QGridLayout;
    format->addWidget(named(new QLabel(QStringLiteral("Data format:"), this), "lblFormat"), 0, 0);
    format->addWidget(named(new QLabel(QStringLiteral("X.X; Y.Y;"), this), "lblFormatExample"), 1, 0);
    format->addWidget(named(new QLabel(QStringLiteral("Insert: X;  Value;"), this), "lblInsert"), 2, 0);
    right->addLayout(format);
    auto* temperature = new QHBoxLayout;
    temperature->addWidget(named(new QLabel(QStringLiteral("T ="), this), "lblT"));
    m_edWlasneT = named(new QLineEdit(this), "edWlasneT");
    m_edWlasneT->setMaxLength(4);
    m_edWlasneT->setFixedWidth(m_edWlasneT->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    temperature->addWidget(m_edWlasneT);
    temperature->addWidget(named(new QLabel(QStringLiteral("[K]"), this), "lblK"));
    temperature->addStretch();
    right->addLayout(temperature);
    right->addWidget(named(new QLabel(QStringLiteral("AUTHOR"), this), "lblAuthor"));
    m_edAuthor = named(new QLineEdit(this), "edAuthor");
    right->addWidget(m_edAuthor);
    right->addStretch();
    m_sbLoad = named(new QPushButton(QStringLiteral("Load"), this), "sbLoad");
    m_sbSave = named(new QPushButton(QStringLiteral("Save"), this), "sbSave");
    m_sbOK = named(new QPushButton(QStringLiteral("OK"), this), "sbOK");
    m_sbOK->setEnabled(false);
    m_sbBack = named(new QPushButton(QStringLiteral("Back"), this), "sbBack");
    m_sbExit = named(new QPushButton(QStringLiteral("Exit"), this), "sbExit");
    m_sbHelp = named(new QPushButton(QStringLiteral("Help"), this), "sbHelp");
    for (QPushButton* b : {m_sbLoad, m_sbSave, m_sbOK, m_sbBack, m_sbExit, m_sbHelp})
        right->addWidget(b);
    root->addLayout(right);
    resize(460, 420);

    connect(m_memo1, &QPlainTextEdit::textChanged, this, &TfmWlasnedane::updateOkButton);
    connect(m_edWlasneT, &QLineEdit::textChanged, this, &TfmWlasnedane::updateOkButton);
    connect(m_edAuthor, &QLineEdit::textChanged, this, &TfmWlasnedane::updateOkButton);
    connect(m_sbLoad, &QPushButton::clicked, this, &TfmWlasnedane::sbLoadClick);
    connect(m_sbSave, &QPushButton::clicked, this, &TfmWlasnedane::sbSaveClick);
    connect(m_sbOK, &QPushButton::clicked, this, &TfmWlasnedane::sbOKClick);
    connect(m_sbBack, &QPushButton::clicked, this, &TfmWlasnedane::sbBackClick);
    connect(m_sbExit, &QPushButton::clicked, this, &TfmWlasnedane::sbExitClick);
    connect(m_sbHelp, &QPushButton::clicked, this, &TfmWlasnedane::sbHelpClick);
}

QString TfmWlasnedane::fileFilter() { return QStringLiteral("Text files (*.txt *.TXT)"); }

void TfmWlasnedane::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfmWlasnedane::FormShow()
{
    m_memo1->clear();
    m_edWlasneT->clear();
    updateOkButton();
}

void TfmWlasnedane::updateOkButton()
{
    m_sbOK->setEnabled(!m_memo1->toPlainText().isEmpty() && !m_edWlasneT->text().isEmpty()
                       && !m_edAuthor->text().isEmpty());
}

void TfmWlasnedane::sbLoadClick()
{
    m_memo1->clear();
    const QString name = ui().openFileName(this, QString(), QString(), fileFilter());
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        ui().error(QStringLiteral("Cannot open file \"%1\". %2").arg(name, file.errorString()));
        return;
    }
    m_memo1->setPlainText(splitUserDataLines(decodeUserDataFile(file.readAll())).join(QLatin1Char('\n')));
}

void TfmWlasnedane::sbSaveClick()
{
    const QString name = ui().saveFileName(this, QString(), QString(), fileFilter());
    if (name.isEmpty())
        return;
    QFile file(name);
    const QByteArray bytes = encodeUserDataFile(splitUserDataLines(m_memo1->toPlainText()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        ui().error(QStringLiteral("Cannot create file \"%1\". %2").arg(name, file.errorString()));
        return;
    }
}

void TfmWlasnedane::sbOKClick()
{
    UserDataSubmission submission;
    submission.lines = splitUserDataLines(m_memo1->toPlainText());
    submission.author = m_edAuthor->text();
    submission.temperature = m_edWlasneT->text();
    try {
        const QString refusal = drawUserData(submission);
        if (!refusal.isEmpty()) {
            ui().message(refusal);
            return;
        }
    } catch (const UserDataError& e) {
        // Nothing was drawn; the text stays for a correction.
        ui().error(e.message());
        return;
    }
    close();
}

void TfmWlasnedane::sbBackClick() { close(); }

void TfmWlasnedane::sbExitClick() { exitToWindows(); }

void TfmWlasnedane::sbHelpClick() { openHelp(); }

} // namespace korvel
