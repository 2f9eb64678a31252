#include "TfmDiagram.h"

#include "export/PicturePrint.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmDiagram::TfmDiagram(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(760, 640);
    auto* layout = new QVBoxLayout(this);
    m_Image1 = new PictureView(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(m_Image1, 1);
    m_ListBox1 = new QListWidget(this);
    m_ListBox1->setObjectName(QStringLiteral("ListBox1"));
    m_ListBox1->setMaximumHeight(110);
    layout->addWidget(m_ListBox1);
    auto* buttons = new QHBoxLayout;
    m_sbPrint = new QPushButton(style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Print"), this);
    m_sbPrint->setObjectName(QStringLiteral("sbPrint"));
    m_sbPrint->setAutoDefault(false);
    m_sbExit = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Exit"), this);
    m_sbExit->setObjectName(QStringLiteral("sbExit"));
    m_sbExit->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(m_sbPrint);
    buttons->addWidget(m_sbExit);
    layout->addLayout(buttons);
    connect(m_sbExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sbPrint, &QPushButton::clicked, this, &TfmDiagram::sbPrintClick);
}

void TfmDiagram::sbPrintClick()
{
    exports::printPhaseDiagramOnDefaultPrinter(picture(), logicalDpiX(), logicalDpiY());
}

void TfmDiagram::setPicture(const QImage& image) { m_Image1->setPicture(image); }
QImage TfmDiagram::picture() const { return m_Image1->picture(); }

void TfmDiagram::setReferences(const QStringList& references)
{
    m_ListBox1->clear();
    m_ListBox1->addItems(references);
}

QStringList TfmDiagram::references() const
{
    QStringList result;
    for (int i = 0; i < m_ListBox1->count(); ++i)
        result << m_ListBox1->item(i)->text();
    return result;
}

} // namespace korvel
