#include "TfmFig.h"

#include "BrowserWidgets.h"
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
    m_heading = browserHeading(this, "lblSystem", QString(), 1.2);
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
    m_sbOK = browserButton(this, "sbOK", QStringLiteral("OK"), QStyle::SP_DialogOkButton);
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
