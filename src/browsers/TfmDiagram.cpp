#include "TfmDiagram.h"

#include "export/PicturePrint.h"

#include <cmath>

#include "PictureView.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace korvel {

TfmDiagram::TfmDiagram(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    resize(760, 640);
    auto* layout = new QVBoxLayout(this);
    m_Image1 = new ZoomPictureView(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(m_Image1, 1);
    m_ListBox1 = new QListWidget(this);
    m_ListBox1->setObjectName(QStringLiteral("ListBox1"));
    m_ListBox1->setMaximumHeight(110);
    layout->addWidget(m_ListBox1);
    auto* buttons = new QHBoxLayout;
    // Zoom: buttons for the mouse, shortcuts for the keyboard, the scale beside them.
    struct ZoomCommand {
        const char* name;
        const char* text;
        const char* tip;
        QList<QKeySequence> keys;
        void (ZoomPictureView::*slot)();
    };
    const ZoomCommand commands[] = {
        {"sbZoomIn", "Zoom in", "Zoom in (Ctrl++, mouse wheel)",
         {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &ZoomPictureView::zoomIn},
        {"sbZoomOut", "Zoom out", "Zoom out (Ctrl+-, mouse wheel)", {QKeySequence::ZoomOut}, &ZoomPictureView::zoomOut},
        {"sbFit", "Fit", "Fit the diagram to the window (Ctrl+0)", {QKeySequence(Qt::CTRL | Qt::Key_0)},
         &ZoomPictureView::fitToWindow},
        {"sbActualSize", "1:1", "Show the diagram at its own size (Ctrl+1)", {QKeySequence(Qt::CTRL | Qt::Key_1)},
         &ZoomPictureView::actualSize},
    };
    for (const ZoomCommand& c : commands) {
        auto* button = new QPushButton(QString::fromUtf8(c.text), this);
        button->setObjectName(QString::fromLatin1(c.name));
        button->setAutoDefault(false);
        button->setToolTip(QString::fromUtf8(c.tip));
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, m_Image1, c.slot);
        auto* action = new QAction(QString::fromUtf8(c.text), this);
        action->setShortcuts(c.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, m_Image1, c.slot);
        addAction(action);
    }
    m_sbCorner = new QPushButton(QStringLiteral("Solder corner"), this);
    m_sbCorner->setObjectName(QStringLiteral("sbCorner"));
    m_sbCorner->setAutoDefault(false);
    m_sbCorner->setCheckable(true);
    m_sbCorner->setToolTip(QStringLiteral("The corner of the section that matters for solders (the added element up to x = 0.1)"));
    m_sbCorner->hide();
    buttons->addWidget(m_sbCorner);
    connect(m_sbCorner, &QPushButton::clicked, this, &TfmDiagram::sbCornerClick);
    m_lblZoom = new QLabel(this);
    m_lblZoom->setObjectName(QStringLiteral("lblZoom"));
    m_lblZoom->setMinimumWidth(m_lblZoom->fontMetrics().horizontalAdvance(QStringLiteral("800 %")) + 8);
    buttons->addWidget(m_lblZoom);
    connect(m_Image1, &ZoomPictureView::zoomChanged, this, &TfmDiagram::showZoom);
    showZoom(1.0);
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

void TfmDiagram::showZoom(double zoom) { m_lblZoom->setText(QStringLiteral("%1 %").arg(std::lround(zoom * 100))); }

void TfmDiagram::setCornerPicture(const QImage& image)
{
    m_corner = image;
    m_sbCorner->setVisible(!image.isNull());
    if (m_showingCorner)
        sbCornerClick(); // back to the whole diagram
}

void TfmDiagram::sbCornerClick()
{
    m_showingCorner = !m_showingCorner && !m_corner.isNull();
    m_sbCorner->setChecked(m_showingCorner);
    m_Image1->setPicture(m_showingCorner ? m_corner : m_whole);
}

void TfmDiagram::setPicture(const QImage& image)
{
    m_whole = image;
    m_showingCorner = false;
    m_sbCorner->setChecked(false);
    m_Image1->setPicture(image);
    // Room for the picture at 1:1 where the screen has it; the list and the buttons below.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() * 0.9 : QSize(1200, 900);
    resize(windowSizeForPicture(image.size(), QSize(24, 110 + 70), available));
}
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
