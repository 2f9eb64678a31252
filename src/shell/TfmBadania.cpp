#include "TfmBadania.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

// The descriptions are compiled into the GUI library, a static library: its
// resources are registered explicitly.
static void initDescriptionResources() { Q_INIT_RESOURCE(descriptions); }

namespace korvel {

TfmBadania::TfmBadania(QWidget* parent) : QDialog(parent)
{
    static const bool registered = (initDescriptionResources(), true);
    Q_UNUSED(registered);
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(692, 466);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xc0, 0xdc, 0xc0)); // money green
    setPalette(pal);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_content = new QVBoxLayout;
    m_content->setContentsMargins(8, 8, 8, 4);
    outer->addLayout(m_content, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(41);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(8, 4, 8, 4);
    m_SpeedButton1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), panel);
    m_SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    panelLayout->addStretch();
    panelLayout->addWidget(m_SpeedButton1);
    panelLayout->addStretch();
    outer->addWidget(panel);
    connect(m_SpeedButton1, &QPushButton::clicked, this, &QDialog::accept);
}

QTextBrowser* TfmBadania::addDescription(const QString& resource, const char* objectName)
{
    auto* view = new QTextBrowser(this);
    view->setObjectName(QString::fromLatin1(objectName));
    view->setOpenLinks(false);
    view->setFrameShape(QFrame::NoFrame);
    view->setStyleSheet(QStringLiteral("QTextBrowser { background: #c0dcc0; }"));
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly))
        view->setHtml(QString::fromUtf8(file.readAll()));
    m_content->addWidget(view, 1);
    return view;
}

TfmMethodDescription::TfmMethodDescription(const QString& title, const QString& resource, QWidget* parent)
    : TfmBadania(parent)
{
    m_lblTytul = new QLabel(title, this);
    m_lblTytul->setObjectName(QStringLiteral("lblTytul"));
    m_lblTytul->setAlignment(Qt::AlignHCenter);
    QFont f = m_lblTytul->font();
    f.setPointSize(f.pointSize() + 5);
    f.setBold(true);
    m_lblTytul->setFont(f);
    contentLayout()->addWidget(m_lblTytul);
    addDescription(resource, "Memo1");
}

TfmBadania1::TfmBadania1(QWidget* parent)
    : TfmMethodDescription(QStringLiteral("Meniscographic method"), QStringLiteral(":/descriptions/meniscographic.html"), parent)
{
}
TfmBadania2::TfmBadania2(QWidget* parent)
    : TfmMethodDescription(QStringLiteral("Sessile drop method"), QStringLiteral(":/descriptions/sessile_drop.html"), parent)
{
}
TfmBadania3::TfmBadania3(QWidget* parent)
    : TfmMethodDescription(QStringLiteral("Maximum bubble pressure method"),
                           QStringLiteral(":/descriptions/bubble_pressure.html"), parent)
{
}
TfmBadania4::TfmBadania4(QWidget* parent)
    : TfmMethodDescription(QStringLiteral("Dilatometric metod"), QStringLiteral(":/descriptions/dilatometric.html"), parent)
{
}

TfmModelDescription::TfmModelDescription(const QString& resource, QWidget* parent) : TfmBadania(parent)
{
    addDescription(resource, "Image1");
}

#define KORVEL_MODEL_WINDOW_IMPL(Name, file)                                                                           \
    Name::Name(QWidget* parent) : TfmModelDescription(QStringLiteral(":/descriptions/models/" file), parent) {}

KORVEL_MODEL_WINDOW_IMPL(TfmDravik, "dravik.html")
KORVEL_MODEL_WINDOW_IMPL(TfmDravikMarten, "dravik_marten.html")
KORVEL_MODEL_WINDOW_IMPL(TfmIida, "iida.html")
KORVEL_MODEL_WINDOW_IMPL(TfmKaptay, "kaptay.html")
KORVEL_MODEL_WINDOW_IMPL(TfmKozlov, "kozlov.html")
KORVEL_MODEL_WINDOW_IMPL(TfmKucharski, "kucharski.html")
KORVEL_MODEL_WINDOW_IMPL(TfmMoelwyn, "moelwyn.html")
KORVEL_MODEL_WINDOW_IMPL(TfmSato, "sato.html")
KORVEL_MODEL_WINDOW_IMPL(TfmSchick, "schick.html")
KORVEL_MODEL_WINDOW_IMPL(TfmSeetharaman, "seetharaman.html")
KORVEL_MODEL_WINDOW_IMPL(TfmSichen, "sichen.html")

} // namespace korvel
