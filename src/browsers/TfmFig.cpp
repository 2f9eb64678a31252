#include "TfmFig.h"

#include "database/DataModule.h"
#include "widgets/DbLookupList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmFig::TfmFig(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(420, 170);
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblSystem"));
    m_heading->setAlignment(Qt::AlignCenter);
    QFont bold = m_heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);
    m_dblFig = new DbLookupList(this);
    m_dblFig->setObjectName(QStringLiteral("dblFig"));
    m_dblFig->setKeyField(QStringLiteral("ID_FIG"));
    m_dblFig->setListField(QStringLiteral("UKLAD"));
    if (TdmDataModule* dm = TdmDataModule::instance())
        m_dblFig->setListSource(dm->dataSource(QStringLiteral("dsFig")));
    layout->addWidget(m_dblFig);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    m_sbOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    m_sbOK->setObjectName(QStringLiteral("sbOK"));
    m_sbOK->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(m_sbOK);
    layout->addLayout(buttons);
    connect(m_sbOK, &QPushButton::clicked, this, &TfmFig::sbOKClick);
}

void TfmFig::prepare(const QString& systemName)
{
    m_heading->setText(systemName);
    m_chosen.clear();
    m_dblFig->clearChoice();
}

void TfmFig::sbOKClick()
{
    m_chosen = m_dblFig->text();
    accept();
}

} // namespace korvel
