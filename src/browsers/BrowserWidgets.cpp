#include "BrowserWidgets.h"

#include "widgets/SharedCommands.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

QPushButton* browserButton(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon)
{
    auto* b = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* browserHeading(QWidget* parent, const char* name, const QString& text, double scale)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * scale);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void addHelpAndExit(QDialog* window, QVBoxLayout* layout)
{
    auto* buttons = new QHBoxLayout;
    QPushButton* help = browserButton(window, "sbHelp", QStringLiteral("Help"), QStyle::SP_DialogHelpButton);
    QPushButton* exit = browserButton(window, "sbExit", QStringLiteral("Exit"), QStyle::SP_DialogCloseButton);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    QObject::connect(exit, &QPushButton::clicked, window, &QDialog::accept);
    QObject::connect(help, &QPushButton::clicked, window, &openHelp);
}

} // namespace korvel
