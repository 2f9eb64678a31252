#include "TfmMenisk.h"

#include "BrowserCommands.h"
#include "BrowserWidgets.h"
#include "JpegDecoder.h"
#include "TfmFigers.h"
#include "TfmMeniskFig.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "core/Session.h"
#include "widgets/DbLookupList.h"
#include "widgets/Forms.h"
#include "widgets/SharedCommands.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {
namespace {

DataSource* source(const char* name)
{
    TdmDataModule* dm = TdmDataModule::instance();
    return dm ? dm->dataSource(QString::fromLatin1(name)) : nullptr;
}

DbLookupList* lookup(QWidget* parent, const char* name, const char* key, const char* field)
{
    auto* list = new DbLookupList(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setKeyField(QString::fromLatin1(key));
    list->setListField(QString::fromLatin1(field));
    return list;
}

} // namespace

TfmMenisk::TfmMenisk(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(560, 330);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browserHeading(this, "lblHeading", QStringLiteral("Meniscographic Studies"), 1.3));
    m_noData = new QLabel(QStringLiteral("No meniscographic data of this system are held in this version KORVEL database."), this);
    m_noData->setObjectName(QStringLiteral("lblNoData"));
    m_noData->setAlignment(Qt::AlignCenter);
    m_noData->setWordWrap(true);
    m_noData->setVisible(false);
    layout->addWidget(m_noData);

    auto* boxes = new QHBoxLayout;
    m_chbTable = new QCheckBox(QStringLiteral("Table"), this);
    m_chbTable->setObjectName(QStringLiteral("chbTable"));
    m_chbFig = new QCheckBox(QStringLiteral("Figer"), this);
    m_chbFig->setObjectName(QStringLiteral("chbFig"));
    boxes->addStretch();
    boxes->addWidget(m_chbTable);
    boxes->addWidget(m_chbFig);
    boxes->addStretch();
    layout->addLayout(boxes);

    auto* grid = new QGridLayout;
    m_dblAutor = lookup(this, "dblAutor", "ID_AUTOR_MENISK", "NAZWISKO");
    m_dblSelectMeniskFig = lookup(this, "dblSelectMeniskFig", "ID_SELECT_MENISK_FIG", "NAZWA");
    m_dblMeniskFig = lookup(this, "dblMeniskFig", "ID_MENISK_FIG", "OZNACZENIE");
    const QList<QPair<QString, DbLookupList*>> rows = {{QStringLiteral("Select Author"), m_dblAutor},
                                                       {QStringLiteral("Select Figure"), m_dblSelectMeniskFig},
                                                       {QStringLiteral("Select system"), m_dblMeniskFig}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(new QLabel(rows[i].first, this), i, 0);
        grid->addWidget(rows[i].second, i, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    const auto make = [this](const char* name, const QString& caption, QStyle::StandardPixmap icon) {
        return browserButton(this, name, caption, icon);
    };
    m_sbHelp = make("sbHelp", QStringLiteral("Help"), QStyle::SP_DialogHelpButton);
    m_SpeedButton2 = make("SpeedButton2", QStringLiteral("All Data"), QStyle::SP_DirOpenIcon);
    m_SpeedButton1 = make("SpeedButton1", QStringLiteral("Exit"), QStyle::SP_DialogCloseButton);
    m_sbFig = make("sbFig", QStringLiteral("Show"), QStyle::SP_FileDialogContentsView);
    buttons->addWidget(m_sbHelp);
    buttons->addWidget(m_SpeedButton2);
    buttons->addStretch();
    buttons->addWidget(m_SpeedButton1);
    buttons->addWidget(m_sbFig);
    layout->addLayout(buttons);

    connect(m_chbTable, &QCheckBox::toggled, this, &TfmMenisk::chbTableClick);
    connect(m_chbFig, &QCheckBox::toggled, this, &TfmMenisk::chbFigClick);
    connect(m_dblAutor, &DbLookupList::clicked, this, &TfmMenisk::dblAutorClick);
    connect(m_dblSelectMeniskFig, &DbLookupList::clicked, this, &TfmMenisk::dblSelectMeniskFigClick);
    connect(m_dblMeniskFig, &DbLookupList::clicked, this, &TfmMenisk::dblMeniskFigClick);
    connect(m_sbFig, &QPushButton::clicked, this, &TfmMenisk::sbFigClick);
    connect(m_SpeedButton2, &QPushButton::clicked, this, &TfmMenisk::SpeedButton2Click);
    connect(m_SpeedButton1, &QPushButton::clicked, this, &TfmMenisk::SpeedButton1Click);
    connect(m_sbHelp, &QPushButton::clicked, this, &TfmMenisk::sbHelpClick);

    enterTableMode();
}

void TfmMenisk::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The sources were opened for this system before the window is shown.
    TdmDataModule* dm = TdmDataModule::instance();
    const Query* sources = dm ? dm->query(QStringLiteral("qrAutorMenisk")) : nullptr;
    m_noData->setVisible(!sources || sources->rowCount() == 0);
}

bool TfmMenisk::pictureMode() const { return m_chbFig->isChecked(); }

void TfmMenisk::enterTableMode()
{
    {
        const QSignalBlocker a(m_chbTable), b(m_chbFig);
        m_chbTable->setChecked(true);
        m_chbFig->setChecked(false);
    }
    // The source choice is kept for a return to picture mode; kind and picture are cleared.
    m_dblSelectMeniskFig->clearChoice();
    m_dblMeniskFig->clearChoice();
    for (DbLookupList* list : {m_dblAutor, m_dblSelectMeniskFig, m_dblMeniskFig}) {
        list->setListSource(nullptr);
        list->setEnabled(false);
    }
    m_sbFig->setEnabled(true);
}

void TfmMenisk::enterPictureMode(bool byCheckingFiger)
{
    {
        const QSignalBlocker a(m_chbTable), b(m_chbFig);
        m_chbTable->setChecked(false);
        m_chbFig->setChecked(true);
    }
    m_dblAutor->setListSource(source("dsAutorMenisk"));
    m_dblAutor->setEnabled(true);
    const bool sourceChosen = !m_dblAutor->text().isEmpty();
    if (sourceChosen) {
        if (TdmDataModule* dm = TdmDataModule::instance())
            dm->OpenMeniscusFigureKinds();
        m_dblSelectMeniskFig->setListSource(source("dsSelecMeniskFig"));
        m_dblSelectMeniskFig->setEnabled(true);
    }
    m_sbFig->setEnabled(byCheckingFiger && sourceChosen);
}

void TfmMenisk::chbTableClick()
{
    if (m_chbTable->isChecked())
        enterTableMode();
    else
        enterPictureMode(false);
}

void TfmMenisk::chbFigClick()
{
    if (m_chbFig->isChecked())
        enterPictureMode(true);
    else
        enterTableMode();
}

void TfmMenisk::dblAutorClick()
{
    if (!pictureMode())
        return;
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenMeniscusFigureKinds();
    m_dblSelectMeniskFig->setListSource(source("dsSelecMeniskFig"));
    m_dblSelectMeniskFig->setEnabled(true);
    // A kind already chosen now lists the pictures of the new source.
    if (!m_dblSelectMeniskFig->text().isEmpty())
        dblSelectMeniskFigClick();
    m_sbFig->setEnabled(true);
}

void TfmMenisk::dblSelectMeniskFigClick()
{
    if (m_dblSelectMeniskFig->text().isEmpty()) {
        m_dblMeniskFig->setEnabled(false);
        return;
    }
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenMeniscusPictures();
    m_dblMeniskFig->setListSource(source("dsMeniskFig"));
    m_dblMeniskFig->setEnabled(true);
}

void TfmMenisk::dblMeniskFigClick()
{
    if (!m_dblMeniskFig->text().isEmpty())
        m_sbFig->setEnabled(true);
}

QString TfmMenisk::pictureFile() const
{
    return chosenMeniscusFolder() + figures::meniscusPictureName(m_dblAutor->text(), session().choices().systemName, m_dblSelectMeniskFig->text(),
                                                              m_dblMeniskFig->text());
}

void TfmMenisk::sbFigClick()
{
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        dm->OpenPublications();
        dm->OpenMeniscusMeasurements();
    }
    const QString path = pictureFile();
    if (!pictureMode()) {
        ui().showModal(forms::obtain<TfmMeniskFig>(QStringLiteral("fmMeniskFig")));
        return;
    }
    if (QFileInfo(path).isFile()) {
        showPicture(path);
        return;
    }
    const QString chosenSource = m_dblAutor->text();
    const bool offered = showFigureList(TfmFigers::Mode::MeniscusPictures,
                                        [&chosenSource](TfmFigers* list) { list->prepareMeniscusPictures(chosenSource); });
    if (!offered)
        ui().message(QStringLiteral("Data in the table only."));
}

void TfmMenisk::showPicture(const QString& path)
{
    const JpegDecoder::Result decoded = JpegDecoder::decodeFile(path);
    if (!decoded.ok()) {
        ui().error(decoded.error);
        return;
    }
    auto* window = forms::obtain<TfmMeniskFig1>(QStringLiteral("fmMeniskFig1"));
    window->setPicture(decoded.image);
    ui().showModal(window);
}

void TfmMenisk::SpeedButton2Click()
{
    openFirstMeniscusPicture(session().choices().systemName);
}

void TfmMenisk::SpeedButton1Click() { reject(); }

void TfmMenisk::sbHelpClick() { openHelp(); }

} // namespace korvel
