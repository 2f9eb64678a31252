#include "TfmReferences.h"

#include "database/DataModule.h"
#include "widgets/DbGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmReferences::TfmReferences(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("References"));
    resize(860, 360);
    auto* layout = new QVBoxLayout(this);
    m_DBGrid1 = new DbGrid(this);
    m_DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_DBGrid1->setColumns({
        {QStringLiteral("OZNACZENIE"), QStringLiteral("REFERENCES"), 110},
        {QStringLiteral("NAZWISKA"), QStringLiteral("AUTHORS"), 180},
        {QStringLiteral("TYTUL"), QStringLiteral("TITLE"), 240},
        {QStringLiteral("CZASOPISMO"), QStringLiteral("JOURNAL"), 140},
        {QStringLiteral("WOLUMIN"), QStringLiteral("VOL"), 50},
        {QStringLiteral("ROK"), QStringLiteral("YEAR"), 50},
        {QStringLiteral("STRONY"), QStringLiteral("PAGES"), 70},
    });
    if (TdmDataModule* dm = TdmDataModule::instance())
        m_DBGrid1->setDataSource(dm->dataSource(QStringLiteral("dsAutor")));
    layout->addWidget(m_DBGrid1, 1);
    auto* buttons = new QHBoxLayout;
    m_sbOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    m_sbOK->setObjectName(QStringLiteral("sbOK"));
    buttons->addStretch();
    buttons->addWidget(m_sbOK);
    layout->addLayout(buttons);
    connect(m_sbOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace korvel
