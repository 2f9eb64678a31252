#include "TfmMeniskFig.h"

#include "BrowserWidgets.h"
#include "PictureView.h"
#include "database/DataModule.h"
#include "widgets/DbGrid.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace korvel {
namespace {

DbGrid* sourcesGrid(QWidget* parent, const char* name)
{
    auto* grid = new DbGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setColumns({
        {QStringLiteral("NAZWISKO"), QStringLiteral("REFERENCES"), 160},
        {QStringLiteral("PUBLIKACJA"), QStringLiteral("AUTHORS"), 520},
    });
    if (TdmDataModule* dm = TdmDataModule::instance())
        grid->setDataSource(dm->dataSource(QStringLiteral("dsAutorMenisk")));
    grid->setMaximumHeight(130);
    return grid;
}

} // namespace

TfmMeniskFig::TfmMeniskFig(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    resize(1280, 560);
    auto* layout = new QVBoxLayout(this);
    m_DBGrid1 = new DbGrid(this);
    m_DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_DBGrid1->setColumns({
        {QStringLiteral("NAZWISKO"), QStringLiteral("REFERENCES"), 110},
        {QStringLiteral("UKLAD"), QStringLiteral("SYSTEM"), 110},
        {QStringLiteral("CZAS"), QStringLiteral("WETTING TIME [s]"), 125},
        {QStringLiteral("SILA"), QStringLiteral("WETTING FORCE [mN]"), 145},
        {QStringLiteral("KAT"), QStringLiteral("CONTACT ANGLES [o]"), 145},
        {QStringLiteral("NAP_POW"), QStringLiteral("SURFACE TENSION [mN/m]"), 175},
        {QStringLiteral("NAP_MIE"), QStringLiteral("INTERFACIAL TENSION [mN/m]"), 200},
        {QStringLiteral("TTOP"), QStringLiteral("T m [K]"), 70},
        {QStringLiteral("TEMP"), QStringLiteral("TEMP [K]"), 75},
        {QStringLiteral("SUB"), QStringLiteral("SUBSTRATE"), 95},
        {QStringLiteral("ATM"), QStringLiteral("ATMOSPHERE"), 105},
        {QStringLiteral("FLUX"), QStringLiteral("FLUX"), 80},
    });
    m_DBGrid1->setMultiSelect(true);
    if (TdmDataModule* dm = TdmDataModule::instance())
        m_DBGrid1->setDataSource(dm->dataSource(QStringLiteral("dsMenisk")));
    layout->addWidget(m_DBGrid1, 1);
    m_DBGrid2 = sourcesGrid(this, "DBGrid2");
    layout->addWidget(m_DBGrid2);
    addHelpAndExit(this, layout);
}

TfmMeniskFig1::TfmMeniskFig1(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    resize(800, 720);
    auto* layout = new QVBoxLayout(this);
    m_Image1 = new PictureView(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(m_Image1, 1);
    m_DBGrid1 = sourcesGrid(this, "DBGrid1");
    layout->addWidget(m_DBGrid1);
    addHelpAndExit(this, layout);
}

void TfmMeniskFig1::setPicture(const QImage& image)
{
    m_Image1->setPicture(image);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() * 0.9 : QSize(1200, 900);
    resize(windowSizeForPicture(image.size(), QSize(24, 200), available));
}

QImage TfmMeniskFig1::picture() const { return m_Image1->picture(); }

} // namespace korvel
