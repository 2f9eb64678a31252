#include "TfmSkany.h"

#include "BrowserWidgets.h"
#include "PictureView.h"
#include "database/DataModule.h"
#include "export/PicturePrint.h"
#include "widgets/Forms.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmSkany::TfmSkany(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    resize(800, 640);
    auto* layout = new QVBoxLayout(this);
    m_Image1 = new PictureView(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(m_Image1, 1);
    auto* buttons = new QHBoxLayout;
    m_sbReferences = browserButton(this, "sbReferences", QStringLiteral("References"), QStyle::SP_FileDialogDetailedView);
    m_sbPrint = browserButton(this, "sbPrint", QStringLiteral("Print"), QStyle::SP_FileIcon);
    m_sbExit = browserButton(this, "sbExit", QStringLiteral("Exit"), QStyle::SP_DialogCloseButton);
    buttons->addWidget(m_sbReferences);
    buttons->addStretch();
    buttons->addWidget(m_sbPrint);
    buttons->addWidget(m_sbExit);
    layout->addLayout(buttons);
    connect(m_sbExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sbReferences, &QPushButton::clicked, this, &TfmSkany::sbReferencesClick);
    connect(m_sbPrint, &QPushButton::clicked, this, &TfmSkany::sbPrintClick);
}

void TfmSkany::setPicture(const QImage& image)
{
    m_Image1->setPicture(image);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() * 0.9 : QSize(1200, 900);
    // The margins and the button row around the picture.
    resize(windowSizeForPicture(image.size(), QSize(24, 64), available));
}

QImage TfmSkany::picture() const { return m_Image1->picture(); }

void TfmSkany::sbReferencesClick()
{
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenPublications();
    forms::showModal(QStringLiteral("fmReferences"));
}

void TfmSkany::sbPrintClick() { exports::printScanOnDefaultPrinter(picture()); }

} // namespace korvel
