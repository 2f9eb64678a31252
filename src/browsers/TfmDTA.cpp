#include "TfmDTA.h"

#include "database/DataModule.h"
#include "widgets/SharedCommands.h"
#include "widgets/DbGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

QString TfmDTA::headingText()
{
    return QStringLiteral("Temperature (Solidus, Liquidus) [K]            Elemental Composition (% by Mass)   ");
}

TfmDTA::TfmDTA(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("DTA"));
    // Can be minimised, not maximised.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("KORVEL 3"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    auto* heading = new QLabel(headingText(), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);

    m_DBGrid1 = new DbGrid(this);
    m_DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    QList<GridColumn> columns = {
        {QStringLiteral("WYTOP"), QStringLiteral("Alloy Number"), 92, Qt::AlignCenter},
        {QStringLiteral("Tsol"), QStringLiteral("Solidus"), 64, Qt::AlignCenter},
        {QStringLiteral("Tliq"), QStringLiteral("Liquidus"), 64, Qt::AlignCenter},
    };
    for (const char* element : {"Ag", "Al", "Au", "Bi", "Cu", "In", "Li", "Sb", "Sn", "Zn"})
        columns.append({QString::fromLatin1(element), QString::fromLatin1(element), 44, Qt::AlignCenter});
    // The lead of the Sn-Pb reference alloys, after the lead-free elements, so
    // every composition adds up to 100 %.
    columns.append({QStringLiteral("Pb"), QStringLiteral("Pb"), 44, Qt::AlignCenter});
    m_DBGrid1->setColumns(columns);
    if (TdmDataModule* dm = TdmDataModule::instance())
        m_DBGrid1->setDataSource(dm->dataSource(QStringLiteral("dsDTA")));
    layout->addWidget(m_DBGrid1, 1);

    auto* buttons = new QHBoxLayout;
    m_sbHelp = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("Help"), this);
    m_sbHelp->setObjectName(QStringLiteral("sbHelp"));
    m_sbHelp->setAutoDefault(false);
    m_sbExit = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Exit"), this);
    m_sbExit->setObjectName(QStringLiteral("sbExit"));
    m_sbExit->setAutoDefault(false);
    buttons->addWidget(m_sbHelp);
    buttons->addStretch();
    buttons->addWidget(m_sbExit);
    layout->addLayout(buttons);
    connect(m_sbExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sbHelp, &QPushButton::clicked, this, &openHelp);
}

} // namespace korvel
