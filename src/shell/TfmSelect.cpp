#include "TfmSelect.h"

#include "Banner.h"
#include "HoldingsText.h"
#include "core/Navigator.h"
#include "core/Session.h"
#include "database/SystemHoldings.h"
#include "models/ButlerCatalogue.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"
#include "widgets/MainMenu.h"
#include "widgets/SharedCommands.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace korvel {
namespace {

const QString kSurfaceTension = QStringLiteral("Surface tension");
const QString kViscosity = QStringLiteral("Viscosity");
const QString kMolarVolume = QStringLiteral("Molar volume");
const QString kPureMetals = QStringLiteral("Pure metals");

// The decorative picture on the left: a crucible with a drop of liquid metal.
class DecorativePicture : public QWidget {
public:
    explicit DecorativePicture(QWidget* parent) : QWidget(parent) { setFixedWidth(120); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient bg(0, 0, 0, height());
        bg.setColorAt(0, QColor(0x9f, 0xc8, 0xa8));
        bg.setColorAt(1, QColor(0x3f, 0x7f, 0x5f));
        p.fillRect(rect(), bg);
        const QRectF crucible(20, height() * 0.55, width() - 40, height() * 0.3);
        p.setPen(QPen(QColor(0x40, 0x30, 0x20), 2));
        p.setBrush(QColor(0xb0, 0x80, 0x50));
        p.drawRoundedRect(crucible, 6, 6);
        QRadialGradient metal(crucible.center() - QPointF(8, 12), crucible.width() / 2);
        metal.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
        metal.setColorAt(1, QColor(0x70, 0x78, 0x80));
        p.setBrush(metal);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(crucible.left() + 6, crucible.top() - 10, crucible.width() - 12, 24));
        QRadialGradient drop(QPointF(width() / 2.0 - 4, height() * 0.3 - 6), 22);
        drop.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
        drop.setColorAt(1, QColor(0x5c, 0x66, 0x70));
        p.setBrush(drop);
        p.drawEllipse(QPointF(width() / 2.0, height() * 0.3), 16, 20);
    }
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QLabel* heading(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

TfmSelect::TfmSelect(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Korvel 3"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setObjectName(QStringLiteral("fmSelect"));
    setStyleSheet(QStringLiteral("TfmSelect { background: #c0dcc0; }"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 8);
    auto* bar = new QMenuBar(this);
    buildMainMenu(bar, MainMenuKind::Select);
    outer->setMenuBar(bar);
    outer->addWidget(new Banner(this));

    auto* body = new QHBoxLayout;
    auto* picture = new DecorativePicture(this);
    picture->setObjectName(QStringLiteral("Image1"));
    body->addWidget(picture);

    auto* centre = new QVBoxLayout;
    auto* lists = new QGridLayout;
    lists->addWidget(heading(this, QStringLiteral("SELECT SYSTEM")), 0, 0, Qt::AlignHCenter);
    lists->addWidget(heading(this, QStringLiteral("SELECT PROPERTIES")), 0, 1, Qt::AlignHCenter);
    m_dblSelect = new DbLookupList(this);
    m_dblSelect->setObjectName(QStringLiteral("dblSelect"));
    m_dblWlasnosci = new DbLookupList(this);
    m_dblWlasnosci->setObjectName(QStringLiteral("dblWlasnosci"));
    lists->addWidget(m_dblSelect, 1, 0);
    lists->addWidget(m_dblWlasnosci, 1, 1);
    centre->addLayout(lists);

    auto* boxes = new QHBoxLayout;
    m_chbTemp = checkBox(this, "chbTemp", QStringLiteral("Temperature dependence"));
    m_chbX = checkBox(this, "chbX", QStringLiteral("Isotherms"));
    m_chbButler = checkBox(this, "chbButler", QStringLiteral("Model"));
    m_chbIsosurface = checkBox(this, "chbIsosurface", QStringLiteral("Isosurface tension"));
    for (QCheckBox* c : {m_chbTemp, m_chbX, m_chbButler, m_chbIsosurface})
        boxes->addWidget(c);
    boxes->addStretch();
    centre->addLayout(boxes);

    auto* row = new QHBoxLayout;
    m_sbPhaseDiagram = button(this, "sbPhaseDiagram", QStringLiteral("Ph Diag"), QStringLiteral("Phase Diagrams"));
    m_sbMenisk = button(this, "sbMenisk", QStringLiteral("Menisc"), QStringLiteral("Meniscographic measurements"));
    m_sbSolid = button(this, "sbSolid", QStringLiteral("Solid sim"), QStringLiteral("Solidification Simulation"));
    m_SpeedButton6 = button(this, "SpeedButton6", QStringLiteral("Fig"), QStringLiteral("Figure"));
    m_SpeedButton5 = button(this, "SpeedButton5", QStringLiteral("Show"), QStringLiteral("Metals Properties"));
    for (QPushButton* b : {m_sbPhaseDiagram, m_sbMenisk, m_sbSolid, m_SpeedButton6, m_SpeedButton5})
        row->addWidget(b);
    row->addStretch();
    centre->addLayout(row);
    m_lblHoldings = new QLabel(this);
    m_lblHoldings->setObjectName(QStringLiteral("lblHoldings"));
    m_lblHoldings->setWordWrap(true);
    m_lblHoldings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    centre->addWidget(m_lblHoldings);

    m_DBGrid1 = new DbGrid(this);
    m_DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    const Qt::Alignment centred = Qt::AlignCenter;
    m_DBGrid1->setColumns({
        {QStringLiteral("OZNACZENIE"), QStringLiteral("METAL"), 40, centred},
        {QStringLiteral("MASA_ATOMOWA"), QStringLiteral("ATOMIC WEIGHT"), 92, centred},
        {QStringLiteral("TEMP_TOPNIENIA"), QStringLiteral("MELTING POINT [K]"), 105, centred},
        {QStringLiteral("TEMP_WRZENIA"), QStringLiteral("BOILING POINT [K]"), 90, centred},
        {QStringLiteral("CRYSTAL_STRUCTURE"), QStringLiteral("CRYSTAL STRUCTURE"), 124, centred},
        {QStringLiteral("COVALENT_RADIUS"), QStringLiteral("COVALENT RADIUS [nm]"), 130, centred},
        {QStringLiteral("ATOMIC_RADIUS"), QStringLiteral("ATOMIC RADIUS [nm]"), 116, centred},
    });
    QFont headerFont = m_DBGrid1->horizontalHeader()->font();
    headerFont.setPointSizeF(headerFont.pointSizeF() * 0.8);
    m_DBGrid1->horizontalHeader()->setFont(headerFont);
    centre->addWidget(m_DBGrid1, 1);
    body->addLayout(centre, 1);
    outer->addLayout(body, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(12, 0, 12, 0);
    m_sbHelp = button(this, "sbHelp", QStringLiteral("Help"));
    m_sbHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    m_SpeedButton3 = button(this, "SpeedButton3", QStringLiteral("Exit"));
    m_SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_SpeedButton2 = button(this, "SpeedButton2", QStringLiteral("Back"));
    m_SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_SpeedButton1 = button(this, "SpeedButton1", QStringLiteral("Next"));
    m_SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    bottom->addWidget(m_sbHelp);
    bottom->addStretch();
    bottom->addWidget(m_SpeedButton3);
    bottom->addWidget(m_SpeedButton2);
    bottom->addWidget(m_SpeedButton1);
    outer->addLayout(bottom);
    resize(700, 500);

    // Initial state of a fresh window.
    m_SpeedButton1->setEnabled(false);
    m_sbPhaseDiagram->setEnabled(false);
    m_sbMenisk->setEnabled(false);
    m_sbSolid->setEnabled(false);
    m_SpeedButton5->setEnabled(false);
    m_chbX->setChecked(true);
    m_chbIsosurface->setVisible(false);

    // Window create: the lists get their sources, key and list fields.
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        m_dblSelect->setKeyField(QStringLiteral("ID_TAB_UKL"));
        m_dblSelect->setListField(QStringLiteral("OZNACZENIE"));
        m_dblSelect->setListSource(dm->dataSource(QStringLiteral("dsTabUkl")));
        m_dblWlasnosci->setKeyField(QStringLiteral("ID_WLASCIWOSCI"));
        m_dblWlasnosci->setListField(QStringLiteral("WLASNOSC"));
        m_dblWlasnosci->setListSource(dm->dataSource(QStringLiteral("dsWlasnosci")));
    }

    // The session follows the lists and the boxes, before any rule runs on a change.
    connect(m_dblSelect, &DbLookupList::textChanged, this, [](const QString& t) { session().setSystemName(t); });
    connect(m_dblWlasnosci, &DbLookupList::textChanged, this, [](const QString& t) { session().setPropertyName(t); });
    connect(m_chbTemp, &QCheckBox::toggled, this, [](bool on) { session().setTemperatureMode(on); });
    connect(m_chbX, &QCheckBox::toggled, this, [](bool on) { session().setIsothermMode(on); });
    connect(m_chbButler, &QCheckBox::toggled, this, [](bool on) { session().setModelChecked(on); });
    connect(m_chbIsosurface, &QCheckBox::toggled, this, [](bool on) { session().setIsosurfaceChecked(on); });

    // The rules run on every change of a box, whether by a click or by another rule.
    connect(m_chbTemp, &QCheckBox::toggled, this, &TfmSelect::chbTempClick);
    connect(m_chbX, &QCheckBox::toggled, this, &TfmSelect::chbXClick);
    connect(m_chbButler, &QCheckBox::toggled, this, &TfmSelect::chbButlerClick);
    connect(m_chbIsosurface, &QCheckBox::toggled, this, &TfmSelect::chbIsosurfaceClick);

    connect(m_dblSelect, &DbLookupList::clicked, this, &TfmSelect::dblSelectClick);
    connect(m_dblWlasnosci, &DbLookupList::clicked, this, &TfmSelect::dblWlasnosciClick);
    connect(m_SpeedButton5, &QPushButton::clicked, this, &TfmSelect::SpeedButton5Click);
    connect(m_sbPhaseDiagram, &QPushButton::clicked, this, &TfmSelect::sbPhaseDiagramClick);
    connect(m_sbMenisk, &QPushButton::clicked, this, &TfmSelect::sbMeniskClick);
    connect(m_SpeedButton6, &QPushButton::clicked, this, &TfmSelect::SpeedButton6Click);
    connect(m_SpeedButton1, &QPushButton::clicked, this, &TfmSelect::SpeedButton1Click);
    connect(m_SpeedButton2, &QPushButton::clicked, this, &TfmSelect::SpeedButton2Click);
    connect(m_SpeedButton3, &QPushButton::clicked, this, &TfmSelect::SpeedButton3Click);
    connect(m_sbHelp, &QPushButton::clicked, this, &TfmSelect::sbHelpClick);

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(10);
    connect(m_Timer1, &QTimer::timeout, this, &TfmSelect::Timer1Timer);
    m_Timer2 = new QTimer(this);
    m_Timer2->setObjectName(QStringLiteral("Timer2"));
    m_Timer2->setInterval(10);
    connect(m_Timer2, &QTimer::timeout, this, &TfmSelect::Timer2Timer);
    m_Timer1->start();
    m_Timer2->start();
}

// The choices go with the window: with no selection window there is no system,
// no property and the default mode.
TfmSelect::~TfmSelect() { session().resetSelection(); }

QString TfmSelect::systemName() const { return m_dblSelect->text(); }
QString TfmSelect::propertyName() const { return m_dblWlasnosci->text(); }
bool TfmSelect::temperatureMode() const { return m_chbTemp->isChecked(); }
bool TfmSelect::isothermMode() const { return m_chbX->isChecked(); }
bool TfmSelect::modelChecked() const { return m_chbButler->isChecked(); }
bool TfmSelect::isosurfaceChecked() const { return m_chbIsosurface->isChecked(); }

bool TfmSelect::systemChosen() const { return !systemName().trimmed().isEmpty(); }
bool TfmSelect::propertyChosen() const { return !propertyName().trimmed().isEmpty(); }

QString TfmSelect::className() const { return session().choices().className; }

void TfmSelect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

// "Next" leads to the chart window, which needs a system and a property; in
// isosurface mode and for molar volume against temperature it stays disabled.
void TfmSelect::setNextEnabled(bool enabled)
{
    m_SpeedButton1->setEnabled(enabled && systemChosen() && propertyChosen() && !m_chbIsosurface->isChecked());
}

void TfmSelect::enableNextUnlessMolarTemperature()
{
    setNextEnabled(!(propertyName() == kMolarVolume && m_chbTemp->isChecked()));
}

void TfmSelect::FormShow()
{
    const int cls = TdmDataModule::instance() ? TdmDataModule::instance()->systemClass() : 0;
    m_chbIsosurface->setVisible(cls >= 3 && propertyName() == kSurfaceTension);
    m_DBGrid1->unbind();
    // The element grid belongs to pure metals; other classes get its room back.
    const bool pure = className() == kPureMetals;
    if (m_DBGrid1->isVisibleTo(this) != pure) {
        m_DBGrid1->setVisible(pure);
        if (!pure)
            adjustSize();
    }
    setNextEnabled(systemChosen() && propertyChosen());
    showHoldings();
}

void TfmSelect::showHoldings()
{
    TdmDataModule* dm = TdmDataModule::instance();
    if (!dm || !systemChosen()) {
        m_lblHoldings->setText(QStringLiteral("Choose a system to see what the database holds for it."));
        return;
    }
    const QString system = systemName();
    const SystemHoldings h = readSystemHoldings(dm->connectionName(), dm->chosenSystem());
    QStringList properties;
    if (Query* q = dm->query(QStringLiteral("qrWlasnosci")); q && q->isOpen())
        for (int r = 0; r < q->rowCount(); ++r)
            properties << q->value(r, QStringLiteral("WLASNOSC")).toString();
    const ButlerCatalogue& butler = ButlerCatalogue::builtIn();
    const bool butlerFit = butler.isothermFit(system) || !butler.temperatureFits(system).empty();
    m_lblHoldings->setText(system + QStringLiteral(" holds \u2014 ") +
                           holdingsLines(h, properties, butlerFit).join(QStringLiteral("; ")));
    const bool pure = className() == kPureMetals;
    const bool meniscus = !h.ok || h.meniscusSources > 0;
    m_sbMenisk->setEnabled(!pure && meniscus);
    m_sbMenisk->setToolTip(meniscus ? QStringLiteral("Meniscographic measurements")
                                    : QStringLiteral("Meniscographic measurements: the database holds none of %1").arg(system));
    enableFigures();
}

// "Fig" leads on once a system and a property are chosen, unless the document
// tree holds no figure of that property for the system: then the hint says so.
void TfmSelect::enableFigures()
{
    const bool both = systemChosen() && propertyChosen();
    const bool held = both && navigator().figuresHeldForChoice();
    m_SpeedButton6->setEnabled(held);
    m_SpeedButton6->setToolTip(both && !held ? QStringLiteral("Figure: the database holds no figure of %1 for %2")
                                                   .arg(propertyName().toLower(), systemName())
                                             : QStringLiteral("Figure"));
}

void TfmSelect::Timer1Timer()
{
    const bool both = systemChosen() && propertyChosen();
    enableFigures();
    if (!both) {
        m_SpeedButton1->setEnabled(false);
        return;
    }
    enableNextUnlessMolarTemperature();
    m_Timer1->stop();
}

void TfmSelect::Timer2Timer()
{
    const bool modelProperty = propertyName() == kSurfaceTension || propertyName() == kViscosity;
    m_chbButler->setEnabled(modelProperty);
    if (modelProperty)
        m_Timer2->stop();
}

void TfmSelect::dblSelectClick()
{
    const bool pure = className() == kPureMetals;
    const bool chosen = systemChosen();
    m_SpeedButton5->setEnabled(pure && chosen);
    m_sbPhaseDiagram->setEnabled(!pure && chosen);
    m_sbMenisk->setEnabled(!pure && chosen);
    enableNextUnlessMolarTemperature();
    showHoldings();
}

void TfmSelect::dblWlasnosciClick()
{
    const int cls = TdmDataModule::instance() ? TdmDataModule::instance()->systemClass() : 0;
    const QString property = propertyName();
    if (property != kSurfaceTension && property != kViscosity) {
        m_chbButler->setEnabled(false);
        m_chbButler->setChecked(false);
    } else {
        m_chbButler->setEnabled(true);
    }
    if (property != kSurfaceTension) {
        m_chbButler->setText(QStringLiteral("Model"));
        m_chbIsosurface->setVisible(false);
    } else {
        m_chbButler->setText(QStringLiteral("Butler model"));
        if (cls >= 3)
            m_chbIsosurface->setVisible(true);
    }
    enableNextUnlessMolarTemperature();
    showHoldings();
}

// T = "Temperature dependence", X = "Isotherms", M = "Model", I = "Isosurface tension".
void TfmSelect::chbTempClick()
{
    if (m_chbTemp->isChecked()) {
        m_chbX->setChecked(false);
        m_chbIsosurface->setChecked(false);
    } else if (m_chbX->isChecked()) {
        m_chbIsosurface->setChecked(false);
    } else if (m_chbIsosurface->isChecked()) {
        m_SpeedButton1->setEnabled(false);
    } else {
        m_chbX->setChecked(true);
    }
    if (m_chbTemp->isChecked() && propertyName() == kMolarVolume)
        m_SpeedButton1->setEnabled(false);
}

void TfmSelect::chbXClick()
{
    if (m_chbX->isChecked()) {
        m_chbTemp->setChecked(false);
        m_chbIsosurface->setChecked(false);
        setNextEnabled(true);
        return;
    }
    if (m_chbTemp->isChecked()) {
        m_chbIsosurface->setChecked(false);
        enableNextUnlessMolarTemperature();
    }
    if (!m_chbTemp->isChecked()) {
        if (m_chbIsosurface->isChecked())
            m_SpeedButton1->setEnabled(false);
        else
            m_chbTemp->setChecked(true);
    }
}

void TfmSelect::chbButlerClick()
{
    if (m_chbButler->isChecked()) {
        m_chbIsosurface->setVisible(true);
    } else {
        m_chbIsosurface->setVisible(false);
        m_chbX->setChecked(true);
    }
}

void TfmSelect::chbIsosurfaceClick()
{
    if (m_chbIsosurface->isChecked()) {
        m_chbTemp->setChecked(false);
        m_chbX->setChecked(false);
        m_chbButler->setChecked(true);
        m_SpeedButton1->setEnabled(false);
    } else {
        m_chbButler->setChecked(false);
        m_chbIsosurface->setVisible(true);
    }
}

void TfmSelect::SpeedButton5Click()
{
    TdmDataModule* dm = TdmDataModule::instance();
    if (!dm)
        return;
    m_DBGrid1->setDataSource(dm->dataSource(QStringLiteral("dsPierwiastki")));
    dm->OpenElements();
}

void TfmSelect::sbPhaseDiagramClick() { navigator().openPhaseDiagram(); }

void TfmSelect::sbMeniskClick() { navigator().openMeniscographicBrowser(); }

void TfmSelect::SpeedButton6Click()
{
    if (TdmDataModule* dm = TdmDataModule::instance())
        dm->OpenPublications();
    navigator().openFigureBrowser();
}

void TfmSelect::SpeedButton1Click()
{
    if (TdmDataModule* dm = TdmDataModule::instance()) {
        dm->OpenPublications();
        dm->OpenPublications2();
        dm->OpenAxisLabel();
    }
    navigator().openChartWindow();
}

void TfmSelect::SpeedButton2Click()
{
    m_DBGrid1->unbind();
    reject();
}

void TfmSelect::SpeedButton3Click() { ui().quitApplication(); }

void TfmSelect::sbHelpClick() { openHelp(); }

} // namespace korvel
