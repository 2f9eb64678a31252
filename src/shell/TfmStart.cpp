#include "TfmStart.h"

#include "Banner.h"
#include "TfmSelect.h"
#include "core/Directories.h"
#include "core/Session.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "widgets/DbLookupList.h"
#include "widgets/Forms.h"
#include "widgets/MainMenu.h"
#include "widgets/SharedCommands.h"
#include "widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace korvel {

TfmStart::TfmStart(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildMainMenu(menuBar(), MainMenuKind::Start);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("StartClient"));
    central->setStyleSheet(QStringLiteral("#StartClient { background: #c0dcc0; }"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(new Banner(central));

    auto* middle = new QHBoxLayout;
    middle->addStretch();
    auto* panel = new QGroupBox(QStringLiteral("SYSTEM SELECTION"), central);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAlignment(Qt::AlignHCenter);
    panel->setMinimumWidth(300);
    auto* panelLayout = new QVBoxLayout(panel);
    m_dblSelectSystem = new DbLookupList(panel);
    m_dblSelectSystem->setObjectName(QStringLiteral("dblSelectSystem"));
    m_dblSelectSystem->setPlaceholderText(QStringLiteral("choose a class of systems"));
    panelLayout->addWidget(m_dblSelectSystem);
    middle->addWidget(panel);
    middle->addStretch();
    layout->addStretch();
    layout->addLayout(middle);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    m_sbExit = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Exit"), central);
    m_sbExit->setObjectName(QStringLiteral("sbExit"));
    m_sbOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), central);
    m_sbOK->setObjectName(QStringLiteral("sbOK"));
    m_sbOK->setDefault(true);
    buttons->addWidget(m_sbExit);
    buttons->addStretch();
    buttons->addWidget(m_sbOK);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(692, 406 + menuBar()->sizeHint().height());
    centreOnScreen(this);

    if (TdmDataModule* dm = TdmDataModule::instance()) {
        m_dblSelectSystem->setKeyField(QStringLiteral("ID_SELECT"));
        m_dblSelectSystem->setListField(QStringLiteral("NAZWA"));
        m_dblSelectSystem->setListSource(dm->dataSource(QStringLiteral("dsSelect")));
    }

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &TfmStart::Timer1Timer);
    m_timer->start();

    connect(m_dblSelectSystem, &DbLookupList::textChanged, this, [](const QString& text) { session().setClassName(text); });
    connect(m_sbOK, &QPushButton::clicked, this, &TfmStart::sbOKClick);
    connect(m_sbExit, &QPushButton::clicked, this, &TfmStart::sbExitClick);
}

// The class and the paths go with the start window, as its fields did.
TfmStart::~TfmStart()
{
    session().setClassName(QString());
    session().setSaveDir(QString());
    session().setChosenPicture(QString());
    session().setFigureDir(QString());
    session().setFigureListDir(QString());
    session().setMeniscusDir(QString());
}

QString TfmStart::className() const { return m_dblSelectSystem->text(); }

QString TfmStart::SaveDir() const { return session().saveDir(); }
void TfmStart::setSaveDir(const QString& v) { session().setSaveDir(v); }
QString TfmStart::ChosenPicture() const { return session().chosenPicture(); }
void TfmStart::setChosenPicture(const QString& v) { session().setChosenPicture(v); }
QString TfmStart::FigureDir() const { return session().figureDir(); }
QString TfmStart::FigureListDir() const { return session().figureListDir(); }
QString TfmStart::MeniscusDir() const { return session().meniscusDir(); }

void TfmStart::colourOk(bool chosen)
{
    m_sbOK->setStyleSheet(chosen ? QStringLiteral("color: green;") : QStringLiteral("color: red;"));
}

void TfmStart::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TfmStart::FormShow()
{
    const bool chosen = !className().trimmed().isEmpty();
    m_sbOK->setEnabled(chosen);
    colourOk(chosen);
    forms::release(QStringLiteral("fmMenisk"));
    if (!m_startupReported) {
        m_startupReported = true;
        if (TdmDataModule* dm = TdmDataModule::instance(); dm && !dm->startupProblem().isEmpty()) {
            const QString problem = dm->startupProblem();
            QTimer::singleShot(0, this, [problem] { ui().error(problem); });
        }
    }
}

void TfmStart::Timer1Timer()
{
    const bool chosen = !className().trimmed().isEmpty();
    m_sbOK->setEnabled(chosen);
    if (chosen) {
        colourOk(true);
        m_timer->stop();
    }
}

void TfmStart::sbOKClick()
{
    if (!forms::window(QStringLiteral("fmSelect")))
        forms::setWindow(QStringLiteral("fmSelect"), new TfmSelect);
    ResetSaveDir();
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenSystems();
    QWidget* select = forms::window(QStringLiteral("fmSelect"));
    select->setObjectName(QStringLiteral("fmSelect"));
    ui().showModal(select);
    forms::release(QStringLiteral("fmSelect"));
}

void TfmStart::sbExitClick() { ui().quitApplication(); }

void TfmStart::closeEvent(QCloseEvent* event)
{
    event->accept();
    ui().quitApplication();
}

// Enter chooses like "OK" (a main window has no default button); on "Exit" it is left to "Exit".
void TfmStart::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && focusWidget() != m_sbExit) {
        if (m_sbOK->isEnabled())
            m_sbOK->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfmStart::OpenHelp() { openHelp(); }

void TfmStart::ResetSaveDir() { session().setSaveDir(dirs::saveDirFor(dirs::applicationDir())); }

void TfmStart::RunOlderProgram() { runOlderProgram(); }

void TfmStart::AccessPathOfDatabase() { askAccessPathOfDatabase(); }

void TfmStart::OpenFirstFigure(const QString& systemName) { openFirstFigure(systemName); }

void TfmStart::OpenFirstMeniscusPicture(const QString& systemName) { openFirstMeniscusPicture(systemName); }

} // namespace korvel
