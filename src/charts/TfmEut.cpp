#include "TfmEut.h"

#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbLookupList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel {

TfmEut::TfmEut(const QString& systemName, StoreSection store, QWidget* parent)
    : QDialog(parent), m_store(std::move(store))
{
    setWindowTitle(QStringLiteral("Eutectic"));
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(systemName, this);
    m_heading->setObjectName(QStringLiteral("lblSystem"));
    m_heading->setAlignment(Qt::AlignCenter);
    QFont font = m_heading->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    m_heading->setFont(font);
    layout->addWidget(m_heading);

    m_dblEut = new DbLookupList(this);
    m_dblEut->setObjectName(QStringLiteral("dblEut"));
    m_dblEut->setMinimumWidth(260);
    m_dblEut->setKeyField(QStringLiteral("ID_EUT"));
    m_dblEut->setListField(QStringLiteral("OZNACZENIE"));
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        m_dblEut->setListSource(dm->dataSource(QStringLiteral("dsEut")));
        // "OK" takes the section the query stands on (the first after opening): show it.
        const int current = dm->query(QStringLiteral("qrEut"))->currentRow();
        if (current >= 0)
            m_dblEut->choose(current);
    }
    layout->addWidget(m_dblEut);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_sbOK = new QPushButton(QStringLiteral("OK"), this);
    m_sbOK->setObjectName(QStringLiteral("sbOK"));
    m_sbOK->setDefault(true);
    buttons->addWidget(m_sbOK);
    layout->addLayout(buttons);
    connect(m_sbOK, &QPushButton::clicked, this, &TfmEut::sbOKClick);
}

void TfmEut::sbOKClick()
{
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        const QVariant section = dm->query(QStringLiteral("qrEut"))->field(QStringLiteral("ID_EUTEKTYKI"));
        if (m_store && !section.isNull())
            m_store(section.toInt());
    }
    accept();
}

} // namespace korvel
