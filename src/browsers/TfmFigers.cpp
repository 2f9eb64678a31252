#include "TfmFigers.h"

#include "BrowserWidgets.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "BrowserCommands.h"
#include "core/Session.h"
#include "widgets/Forms.h"
#include "widgets/SharedCommands.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmFigers::TfmFigers(Mode mode, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_choices(session().choices()), m_figureFolder(chosenFigureFolder()),
      m_meniscusFolder(chosenMeniscusFolder())
{
    setWindowTitle(QStringLiteral("KORVEL 3"));
    resize(480, 420);
    auto* layout = new QVBoxLayout(this);
    QLabel* heading = browserHeading(this, "lblHeading", QStringLiteral("Figures available in this version KORVEL database"));
    layout->addWidget(heading);
    auto* forRow = new QHBoxLayout;
    auto* forLabel = new QLabel(QStringLiteral("for:"), this);
    forLabel->setObjectName(QStringLiteral("lblFor"));
    m_key = new QLabel(this);
    m_key->setObjectName(QStringLiteral("lblKey"));
    m_key->setFont(heading->font());
    forRow->addStretch();
    forRow->addWidget(forLabel);
    forRow->addWidget(m_key);
    forRow->addStretch();
    layout->addLayout(forRow);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    const auto make = [this](const char* name, const QString& caption, QStyle::StandardPixmap icon) {
        return browserButton(this, name, caption, icon);
    };
    m_sbShow = make("sbShow", QStringLiteral("Show"), QStyle::SP_FileDialogContentsView);
    m_SpeedButton1 = make("SpeedButton1", QStringLiteral("All data"), QStyle::SP_DirOpenIcon);
    m_sbHelp = make("sbHelp", QStringLiteral("Help"), QStyle::SP_DialogHelpButton);
    m_sbClose = make("sbClose", QStringLiteral("Close"), QStyle::SP_DialogCloseButton);
    buttons->addWidget(m_sbShow);
    buttons->addWidget(m_SpeedButton1);
    buttons->addStretch();
    buttons->addWidget(m_sbHelp);
    buttons->addWidget(m_sbClose);
    layout->addLayout(buttons);
    m_sbShow->setEnabled(false);

    connect(m_list, &QListWidget::itemClicked, this, [this] { m_sbShow->setEnabled(m_list->currentRow() >= 0); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_sbShow->setEnabled(row >= 0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TfmFigers::sbShowClick);
    connect(m_sbShow, &QPushButton::clicked, this, &TfmFigers::sbShowClick);
    connect(m_SpeedButton1, &QPushButton::clicked, this, &TfmFigers::SpeedButton1Click);
    connect(m_sbHelp, &QPushButton::clicked, this, &TfmFigers::sbHelpClick);
    connect(m_sbClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmFigers::preparePublicationFigures(const QString& publicationKey)
{
    m_prefix = figures::figureListPrefix(m_figureFolder, publicationKey, m_choices.systemName);
    session().setFigureListDir(m_prefix);
    m_key->setText(publicationKey);
    m_list->clear();
    m_suffixes.clear();
    for (const figures::FigureKind& kind : figures::offeredKinds(m_prefix)) {
        m_list->addItem(kind.text);
        m_suffixes << kind.fileSuffix();
    }
}

void TfmFigers::prepareMeniscusPictures(const QString& source)
{
    const QString folder = m_meniscusFolder;
    session().setMeniscusDir(folder);
    m_source = source;
    m_key->setText(source);
    m_list->clear();
    m_suffixes.clear();
    m_list->addItems(figures::offeredMeniscusKinds(folder, source, m_choices.systemName));
}

QStringList TfmFigers::offeredTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_list->count(); ++i)
        texts << m_list->item(i)->text();
    return texts;
}

QString TfmFigers::chosenFile() const
{
    const int row = m_list->currentRow();
    if (row < 0)
        return {};
    if (m_mode == Mode::PublicationFigures)
        return m_prefix + m_suffixes.value(row);
    // The designation is the label of the source's first picture, or the system name.
    QString designation = m_choices.systemName;
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        dm->OpenMeniscusPictures();
        Query* pictures = dm->query(QStringLiteral("qrMeniskFig"));
        if (pictures->rowCount() > 0)
            designation = pictures->value(0, QStringLiteral("OZNACZENIE")).toString();
    }
    const QString folder = session().meniscusDir();
    return folder + figures::meniscusPictureName(m_source, m_choices.systemName, m_list->item(row)->text(), designation);
}

void TfmFigers::sbShowClick()
{
    const QString file = chosenFile();
    if (!file.isEmpty())
        showInScanWindow(file);
}

void TfmFigers::SpeedButton1Click()
{
    if (m_mode == Mode::MeniscusPictures)
        openFirstMeniscusPicture(m_choices.systemName);
    else
        openFirstFigure(m_choices.systemName);
}

void TfmFigers::sbHelpClick() { openHelp(); }

bool showFigureList(TfmFigers::Mode mode, const std::function<void(TfmFigers*)>& prepare)
{
    const QString name = QStringLiteral("fmFigers");
    forms::release(name); // each use starts from a fresh window
    auto* list = new TfmFigers(mode);
    list->setObjectName(name);
    forms::setWindow(name, list);
    prepare(list);
    const bool offered = !list->offersNothing();
    if (offered)
        ui().showModal(list);
    forms::release(name);
    return offered;
}

} // namespace korvel
