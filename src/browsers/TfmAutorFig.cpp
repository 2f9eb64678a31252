#include "TfmAutorFig.h"

#include "BrowserCommands.h"
#include "BrowserWidgets.h"
#include "TfmFig.h"
#include "TfmFigers.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "core/Session.h"
#include "widgets/DbLookupList.h"
#include "widgets/Forms.h"
#include "widgets/SharedCommands.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {
namespace {
const QString kNotAvailable = QStringLiteral("This data isn\u2019t available in this version KORVEL database.");
}

TfmAutorFig::TfmAutorFig(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(460, 220);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto* authorLabel = new QLabel(QStringLiteral("Select Author"), this);
    authorLabel->setObjectName(QStringLiteral("lblAuthor"));
    auto* propertyLabel = new QLabel(QStringLiteral("Select Properties"), this);
    propertyLabel->setObjectName(QStringLiteral("lblProperties"));
    m_dblAutor = new DbLookupList(this);
    m_dblAutor->setObjectName(QStringLiteral("dblAuthor"));
    m_dblAutor->setKeyField(QStringLiteral("ID_PUBLIKACJI"));
    m_dblAutor->setListField(QStringLiteral("OZNACZENIE"));
    if (TdmDataModule* dm = TdmDataModule::instance())
        m_dblAutor->setListSource(dm->dataSource(QStringLiteral("dsAutor")));
    m_cbWlasciwosc = new QComboBox(this);
    m_cbWlasciwosc->setObjectName(QStringLiteral("cbWlasciwosc"));
    grid->addWidget(authorLabel, 0, 0);
    grid->addWidget(m_dblAutor, 1, 0);
    grid->addWidget(propertyLabel, 0, 1);
    grid->addWidget(m_cbWlasciwosc, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    m_sbAllData = browserButton(this, "sbAllData", QStringLiteral("All data"), QStyle::SP_DirOpenIcon);
    m_sbOK = browserButton(this, "sbOK", QStringLiteral("OK"), QStyle::SP_DialogOkButton);
    buttons->addWidget(m_sbAllData);
    buttons->addStretch();
    buttons->addWidget(m_sbOK);
    layout->addLayout(buttons);

    connect(m_dblAutor, &DbLookupList::clicked, this, &TfmAutorFig::dblAutorClick);
    connect(m_cbWlasciwosc, &QComboBox::currentIndexChanged, this, &TfmAutorFig::cbWlasciwoscChange);
    connect(m_sbOK, &QPushButton::clicked, this, &TfmAutorFig::sbOKClick);
    connect(m_sbAllData, &QPushButton::clicked, this, &TfmAutorFig::sbAllDataClick);
}

void TfmAutorFig::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

bool TfmAutorFig::needsSubProperty() const { return !figures::subPropertiesOf(m_property).isEmpty(); }

void TfmAutorFig::FormShow()
{
    m_property = session().choices().propertyName;
    const QStringList subProperties = figures::subPropertiesOf(m_property);
    m_cbWlasciwosc->clear();
    m_cbWlasciwosc->addItems(subProperties);
    m_cbWlasciwosc->setCurrentIndex(-1);
    m_cbWlasciwosc->setEnabled(!subProperties.isEmpty());
    evaluateOk();
}

void TfmAutorFig::evaluateOk()
{
    const bool publication = !m_dblAutor->text().trimmed().isEmpty();
    const bool subProperty = !needsSubProperty() || m_cbWlasciwosc->currentIndex() >= 0;
    m_sbOK->setEnabled(publication && subProperty);
}

void TfmAutorFig::dblAutorClick() { evaluateOk(); }
void TfmAutorFig::cbWlasciwoscChange() { evaluateOk(); }

QString TfmAutorFig::publicationKey() const
{
    // The chart window's publication while it is open, otherwise this window's.
    if (const std::optional<QString> publication = session().publication())
        return *publication;
    return m_dblAutor->text();
}

void TfmAutorFig::sbOKClick()
{
    showFigures();
    m_cbWlasciwosc->clear();
    m_sbOK->setEnabled(false);
    if (isVisible())
        accept();
}

void TfmAutorFig::showFigures()
{
    const Choices c = session().choices();
    const figures::DisplayMode mode = displayModeOf(c);
    const QString key = publicationKey();
    const QString tail = figures::tail(c.propertyName, m_cbWlasciwosc->currentText(), mode);
    const figures::ClassKind kind = figures::classKindOf(c.className);
    QString section;
    if (kind == figures::ClassKind::Sections) {
        if (TdmDataModule* dm = TdmDataModule::instance())
            dm->OpenFigures(key);
        auto* chooser = forms::obtain<TfmFig>(QStringLiteral("fmFig"));
        chooser->prepare(c.systemName);
        ui().showModal(chooser);
        section = figures::sectionName(chooser->chosenText());
    }
    const figures::FigureNames names =
        figures::figureNames(kind, c.systemName, key, section, tail, c.propertyName, mode.model);
    const QString folder = chosenFigureFolder();
    const QString primary = folder + names.primary + QStringLiteral(".jpg");
    if (QFileInfo(primary).isFile()) {
        showInScanWindow(primary);
        return;
    }
    if (!names.alternative.isEmpty()) {
        const QString alternative = folder + names.alternative + QStringLiteral(".jpg");
        if (QFileInfo(alternative).isFile()) {
            showInScanWindow(alternative);
            return;
        }
    }
    const bool offered = showFigureList(TfmFigers::Mode::PublicationFigures,
                                        [&key](TfmFigers* list) { list->preparePublicationFigures(key); });
    if (!offered)
        ui().message(kNotAvailable);
}

void TfmAutorFig::sbAllDataClick()
{
    openFirstFigure(session().choices().systemName);
}

} // namespace korvel
