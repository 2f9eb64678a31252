#include "IsothermPage.h"

#include "ChartContext.h"
#include "FigureFallback.h"
#include "ModelPanel.h"
#include "PageControl.h"
#include "PlotWidget.h"
#include "SeriesColours.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "database/ValidRanges.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"
#include "widgets/TemperatureValidator.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace korvel {

namespace {

MarkerStyle slotMarker(int slot)
{
    switch (slot) {
    case 1: return MarkerStyle::Star;
    case 2: return MarkerStyle::Rectangle;
    case 3: return MarkerStyle::Triangle;
    default: return MarkerStyle::Diamond;
    }
}

double numberOf(const QVariant& v)
{
    return v.isNull() || !v.isValid() ? std::numeric_limits<double>::quiet_NaN() : v.toDouble();
}

} // namespace

void fillSeriesFromQuery(PlotSeries* series, Query* q, const QString& valueField)
{
    if (!q || !q->isOpen())
        return;
    const int xc = q->columnIndex(QStringLiteral("X"));
    const int yc = q->columnIndex(valueField);
    if (xc < 0 || yc < 0)
        return;
    for (int row = 0; row < q->rowCount(); ++row)
        series->addPoint(numberOf(q->value(row, xc)), numberOf(q->value(row, yc)));
}

IsothermPage::IsothermPage(ChartContext& context, QWidget* parent) : QWidget(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("tsX"));
    auto* layout = new QVBoxLayout(this);
    m_dblAutor = new DbLookupList(this);
    m_dblAutor->setObjectName(QStringLiteral("dblAutor"));
    layout->addWidget(m_dblAutor);
    auto* fields = new QGridLayout;
    for (int n = 1; n <= 4; ++n) {
        auto* label = new QLabel(QStringLiteral("T%1 =").arg(n), this);
        label->setObjectName(QStringLiteral("lblT%1").arg(n));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edT%1").arg(n));
        edit->setValidator(new TemperatureValidator(edit));
        edit->setMaximumWidth(60);
        edit->setEnabled(n == 1);
        auto* unit = new QLabel(QStringLiteral("[ K ]"), this);
        unit->setObjectName(QStringLiteral("lblK%1").arg(n));
        fields->addWidget(label, n - 1, 0);
        fields->addWidget(edit, n - 1, 1);
        fields->addWidget(unit, n - 1, 2);
        m_edT[n - 1] = edit;
    }
    fields->setColumnStretch(3, 1);
    layout->addLayout(fields);
    m_chbShow = new QCheckBox(QStringLiteral("  Show calculated value"), this);
    m_chbShow->setObjectName(QStringLiteral("chbShow"));
    layout->addWidget(m_chbShow);
    auto* buttons = new QHBoxLayout;
    m_sbShow = new QPushButton(QStringLiteral("Show"), this);
    m_sbShow->setObjectName(QStringLiteral("sbShow"));
    m_sbShow->setEnabled(false);
    m_sbClear = new QPushButton(QStringLiteral("Clear"), this);
    m_sbClear->setObjectName(QStringLiteral("sbClear"));
    buttons->addWidget(m_sbShow);
    buttons->addWidget(m_sbClear);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_edT[0], &QLineEdit::textChanged, this, &IsothermPage::edT1Change);
    connect(m_edT[1], &QLineEdit::textChanged, this, &IsothermPage::edT2Change);
    connect(m_edT[2], &QLineEdit::textChanged, this, &IsothermPage::edT3Change);
    connect(m_dblAutor, &DbLookupList::clicked, this, &IsothermPage::dblAutorClick);
    connect(m_chbShow, &QCheckBox::toggled, this, &IsothermPage::chbShowClick);
    connect(m_sbShow, &QPushButton::clicked, this, &IsothermPage::sbShowClick);
    connect(m_sbClear, &QPushButton::clicked, this, &IsothermPage::sbClearClick);
}

SlotFields IsothermPage::slotFields() const
{
    SlotFields f;
    for (int i = 0; i < 4; ++i)
        f[i] = {m_edT[i]->text(), m_edT[i]->isEnabled()};
    return f;
}

bool IsothermPage::IsothermInputReady()
{
    const bool ready = !m_dblAutor->text().trimmed().isEmpty() && !m_edT[0]->text().trimmed().isEmpty();
    m_ctx.setTimerRunning(!ready);
    return ready;
}

bool IsothermPage::PublicationChosen()
{
    const bool chosen = !m_dblAutor->text().trimmed().isEmpty();
    m_ctx.setTimerRunning(!chosen);
    return chosen;
}

// ---- temperature fields ------------------------------------------------------------------

void IsothermPage::edT1Change()
{
    m_ctx.setTimerRunning(true);
    const bool filled = !m_edT[0]->text().isEmpty();
    if (filled) {
        m_edT[1]->setEnabled(true);
        m_ctx.state.butlerArmed[0] = true;
        if (m_ctx.model)
            m_ctx.model->armButlerSlotOne();
    } else {
        m_edT[1]->setEnabled(false);
    }
    if (m_chbShow->isChecked())
        m_sbShow->setEnabled(IsothermInputReady());
    else
        PublicationChosen();
    const Choices c = session().choices();
    if (c.propertyName == QLatin1String("Surface tension") && c.modelChecked && m_ctx.buttons.sbButler)
        m_ctx.buttons.sbButler->setEnabled(filled);
}

void IsothermPage::edT2Change() { m_edT[2]->setEnabled(!m_edT[1]->text().isEmpty()); }
void IsothermPage::edT3Change() { m_edT[3]->setEnabled(!m_edT[2]->text().isEmpty()); }

void IsothermPage::dblAutorClick()
{
    m_sbShow->setEnabled(m_chbShow->isChecked() ? IsothermInputReady() : PublicationChosen());
}

// ---- "Show" -----------------------------------------------------------------------------

void IsothermPage::sbShowClick()
{
    try {
        showIsotherms();
    } catch (const NumberFormatError& e) {
        ui().error(e.message());
    } catch (const std::exception& e) {
        ui().error(QString::fromUtf8(e.what()));
    }
}

void IsothermPage::FillViscosityTable(int slot)
{
    // The equation grids show the equations the values are computed from.
    m_ctx.bindGrid(QStringLiteral("dbgRownania"), QStringLiteral("dsRownania"));
    m_ctx.bindGrid(QStringLiteral("dbgDane45"), QStringLiteral("dsDane45"));
    m_ctx.dm->FillViscosityTable(slot);
}

void IsothermPage::showIsotherms()
{
    TdmDataModule* dm = m_ctx.dm;
    if (!dm)
        return;
    const Choices c = session().choices();
    const bool viscosity = c.propertyName == QLatin1String("Viscosity");
    SlotFields f = slotFields();
    PageControl* pc2 = m_ctx.pageControl2;

    // The model temperature follows the first chart temperature.
    if (const auto t = modelTemperaturePrefill(f); t && m_ctx.model)
        m_ctx.model->setModelTemperatureText(*t);
    // Multicomponent systems: the user picks the eutectic section first.
    const int classNo = m_ctx.classNumber();
    const bool high = classNo >= 3;
    if (high) {
        dm->OpenEutectics();
        m_ctx.chooseEutectic(c.systemName);
        dm->OpenSectionEquations();
    }
    // The publication joins the list of publications in use.
    m_ctx.dbgPublikacje->setDataSource(dm->dataSource(QStringLiteral("dsPublikacje")));
    const QVariant id = m_ctx.query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI"));
    TListaWybranychPublikacji* publications = selection::ensureSelectedPublications();
    if (!id.isNull())
        publications->Add(QString::number(id.toLongLong()));
    dm->OpenChosenPublications(publications->CommaText());
    // Without "  Show calculated value" only the equations are listed.
    if (!m_chbShow->isChecked()) {
        showEquations();
        return;
    }
    // The range is known before anything is written: an out-of-range slot
    // leaves every viscosity table as it was.
    const bool inRange = temperaturesInRange(f, QLocale());
    if (viscosity && inRange) {
        // Refused before any viscosity table is written; the field stays open for a correction.
        if (const int slot = viscositySlotAtZeroKelvin(f)) {
            ui().error(kZeroKelvinError);
            m_edT[slot - 1]->setEnabled(true);
            m_edT[slot - 1]->setFocus();
            return;
        }
        // Every slot's table is checked before any is refilled, so a missing one
        // stops "Show" with nothing half done.
        for (int n = 1; n <= 4; ++n) {
            if (slotPreparedForTables(f, n))
                dm->checkViscosityTable(n);
        }
        for (int n = 1; n <= 4; ++n) {
            if (slotPreparedForTables(f, n))
                FillViscosityTable(n);
        }
    }
    // Result tabs of multicomponent systems appear as their slots are calculated.
    if (high) {
        for (int n = 1; n <= 4; ++n) {
            if (f[n - 1].filled()) {
                QWidget* w = m_ctx.page(QStringLiteral("tsWynikiT%1").arg(n));
                pc2->setTabVisible(w, true);
                pc2->setCaption(w, resultTabCaptionAfterShow(n, f[n - 1].text));
            }
        }
    }
    if (c.className == QLatin1String("Pure metals"))
        m_ctx.buttons.sbGraph->setEnabled(false);
    else
        m_ctx.buttons.sbGraph->setEnabled(IsothermInputReady());
    if (const auto caption = pairTabCaption(f[0].text, f[1].text))
        pc2->setCaption(m_ctx.page(QStringLiteral("tsWynikiT1T2")), *caption);
    if (const auto caption = pairTabCaption(f[2].text, f[3].text))
        pc2->setCaption(m_ctx.page(QStringLiteral("tsWynikiT3T4")), *caption);
    if (!inRange) {
        ui().error(kTemperatureRangeError);
        updateCalculatedValueItem(c);
        return;
    }
    const ClassKind kind = classKindOf(c.className);
    auto& calculated = m_ctx.state.isothermCalculated;
    if (c.propertyName != QLatin1String("Molar volume")) {
        if (kind == ClassKind::Pure) {
            for (int n = 1; n <= 4; ++n) {
                if (!slotPrepared(f, n))
                    continue;
                const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
                if (viscosity)
                    dm->OpenViscosityResults(n);
                else
                    dm->OpenIsothermValues(n);
                m_edT[n - 1]->setEnabled(false);
                calculated[n - 1] = true;
                m_ctx.bindGrid(b.grid, b.dataSource);
            }
        } else {
            for (int n = 1; n <= 4; ++n) {
                if (!slotPrepared(f, n))
                    continue;
                const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
                if (!high) {
                    calculated[n - 1] = true;
                    Query* q = viscosity ? dm->OpenViscosityResults(n) : dm->OpenIsothermValues(n);
                    m_ctx.bindGrid(b.grid, b.dataSource);
                    if (kind == ClassKind::Binary) {
                        if (!viscosity) {
                            if (q->rowCount() == 0) {
                                showPropertyFigureFallback(m_ctx.window);
                            } else {
                                dm->OpenEndPoints(n);
                                DrawEndPointLine(n);
                            }
                        } else {
                            // The figure fallback once for the first slot without values.
                            const bool none = q->rowCount() == 0;
                            const bool previousHadRows =
                                n > 1
                                && m_ctx.query(n == 2 ? QStringLiteral("qrExp") : QStringLiteral("qrExp%1").arg(n - 1))
                                           ->rowCount()
                                       > 0;
                            if ((n == 1 && none) || (n > 1 && none && previousHadRows))
                                showPropertyFigureFallback(m_ctx.window);
                        }
                    }
                } else {
                    dm->OpenSectionValues(n);
                    calculated[n - 1] = true;
                    if (viscosity) {
                        dm->OpenSectionEquations();
                        dm->OpenViscosityResults(n);
                    }
                    m_ctx.bindGrid(b.grid, b.dataSource);
                }
            }
            bool anyRows = false;
            f = slotFields();
            for (int n = 1; n <= 4 && !anyRows; ++n) {
                if (!f[n - 1].enabled)
                    continue;
                const SlotBinding b = seriesBinding(c.className, classNo, c.propertyName, c.systemName, n);
                Query* q = b.query.isEmpty() ? nullptr : m_ctx.query(b.query);
                anyRows = q && q->rowCount() > 0;
            }
            if (anyRows)
                DrawIsotherms();
        }
    } else {
        // Molar volume: values from the density equations and the molar masses.
        for (int n = 1; n <= 4; ++n) {
            if (!slotPreparedForTables(f, n))
                continue;
            const SlotBinding b = slotBinding(c.className, classNo, c.propertyName, c.systemName, n);
            if (b.query.isEmpty())
                continue;
            dm->OpenMolarVolume(c.className, c.systemName, n);
            m_ctx.bindGrid(b.grid, b.dataSource);
            if (kind == ClassKind::Pure)
                continue;
            if (kind == ClassKind::Binary) {
                dm->OpenMolarEndPoints(n);
                DrawEndPointLine(n);
            }
            calculated[n - 1] = true;
        }
        if (kind != ClassKind::Pure && kind != ClassKind::Other)
            DrawIsotherms();
    }
    updateCalculatedValueItem(c);
}

void IsothermPage::updateCalculatedValueItem(const Choices& c)
{
    const SlotBinding b = slotBinding(c.className, m_ctx.classNumber(), c.propertyName, c.systemName, 1);
    Query* q = b.query.isEmpty() ? nullptr : m_ctx.query(b.query);
    if (m_ctx.menu.calculatedValue)
        m_ctx.menu.calculatedValue->setEnabled(q && q->rowCount() > 0);
}

void IsothermPage::showEquations()
{
    m_ctx.bindGrid(QStringLiteral("dbgRownania"), QStringLiteral("dsRownania"));
    m_ctx.dm->OpenEquations();
    DbGrid* equations = m_ctx.grid(QStringLiteral("dbgRownania"));
    QAction* item = m_ctx.menu.equations;
    if (item)
        item->setEnabled(m_ctx.query(QStringLiteral("qrRownania"))->rowCount() > 0
                         && equations->isVisibleTo(m_ctx.window)
                         && m_ctx.pageControl2->activePage() == m_ctx.page(QStringLiteral("tsRownania")));
    if (m_ctx.classNumber() >= 3) {
        m_ctx.bindGrid(QStringLiteral("dbgDane45"), QStringLiteral("dsDane45"));
        m_ctx.dm->OpenSectionEquations();
        if (item)
            item->setEnabled(m_ctx.query(QStringLiteral("qrDane45"))->rowCount() > 0);
    }
}

void IsothermPage::DrawEndPointLine(int slot)
{
    const Choices c = session().choices();
    const bool molar = c.propertyName == QLatin1String("Molar volume");
    Query* q = m_ctx.query(molar ? QStringLiteral("qrMinMax%1M").arg(slot) : QStringLiteral("qrMinMax%1").arg(slot));
    PlotSeries* line = m_ctx.chart->addLineSeries(QString(), slotColour(slot), 1, Qt::SolidLine);
    line->setInLegend(false);
    line->setOrigin(QStringLiteral("straight line between the end compositions"), m_dblAutor->text());
    fillSeriesFromQuery(line, q, molar ? QStringLiteral("VT%1").arg(slot) : QStringLiteral("DensityT%1").arg(slot));
}

void IsothermPage::DrawIsotherms()
{
    const Choices c = session().choices();
    const SlotFields f = slotFields();
    const int classNo = m_ctx.classNumber();
    for (int n = 1; n <= 4; ++n) {
        if (!slotDrawable(f, n))
            continue;
        const SlotBinding b = seriesBinding(c.className, classNo, c.propertyName, c.systemName, n);
        if (b.query.isEmpty()) {
            ui().message(kDataNotAvailable);
        } else {
            Query* q = m_ctx.query(b.query);
            // Values computed outside the range of their equations say so in the legend too.
            const QString title = isothermTitle(m_dblAutor->text(), f[n - 1].text);
            PlotSeries* s = m_ctx.chart->addPointSeries(q->hasMarks() ? title + QLatin1Char(' ') + kExtrapolatedMark : title,
                                                        slotColour(n), slotMarker(n));
            s->setOrigin(QStringLiteral("isotherm from the stored equations"), m_dblAutor->text());
            fillSeriesFromQuery(s, q, b.valueField);
        }
        m_edT[n - 1]->setEnabled(false);
    }
    m_ctx.refreshChart();
}

// ---- "  Show calculated value" ----------------------------------------------------------

void IsothermPage::bindValueColumns(const QString& propertyName)
{
    const PropertyPresentation p = presentationOf(propertyName);
    if (!p.known)
        return;
    const bool molar = propertyName == QLatin1String("Molar volume");
    for (int n = 1; n <= 4; ++n) {
        for (DbGrid* g : {m_ctx.grid(QStringLiteral("dbgT%1").arg(n)), m_ctx.grid(QStringLiteral("dbgWynikiT%1").arg(n))}) {
            QList<GridColumn> cols = g->columns();
            cols[1].field = p.valueField(n);
            if (cols.size() > 2) {
                cols[2].field = molar ? QStringLiteral("UKLAD") : QStringLiteral("SYSTEM");
                cols[2].title = QStringLiteral("SYSTEM");
            }
            g->setColumns(cols);
        }
    }
}

void IsothermPage::setResultTitlesAndPanels(const Choices& c, bool high)
{
    const PropertyPresentation p = presentationOf(c.propertyName);
    if (!p.known)
        return;
    const QString caption = panelCaption(c.propertyName, c.systemName);
    if (!high) {
        m_ctx.label(QStringLiteral("panT1T2"))->setText(caption);
        m_ctx.label(QStringLiteral("panT3T4"))->setText(caption);
        if (c.propertyName != QLatin1String("Density"))
            m_ctx.label(QStringLiteral("panT1"))->setText(caption);
    } else {
        m_ctx.label(QStringLiteral("panT1"))->setText(caption);
    }
    for (int n = 1; n <= 4; ++n)
        m_ctx.grid(high ? QStringLiteral("dbgWynikiT%1").arg(n) : QStringLiteral("dbgT%1").arg(n))
            ->setColumnTitle(1, p.resultTitle(n));
}

void IsothermPage::chbShowClick()
{
    const Choices c = session().choices();
    m_ctx.unbindGrids({"dbgRownania", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgDane45", "dbgWynikiT1"});
    const bool high = m_ctx.classNumber() >= 3;
    auto pg = [this](const char* name) { return m_ctx.page(QString::fromLatin1(name)); };
    PageControl* pc2 = m_ctx.pageControl2;
    const bool inputs = !m_edT[0]->text().isEmpty() && !m_dblAutor->text().isEmpty();
    if (m_chbShow->isChecked()) {
        if (!high) {
            pc2->setTabVisible(pg("tsWynikiT1T2"), true);
            pc2->setTabVisible(pg("tsWynikiT3T4"), true);
            pc2->setActivePage(pg("tsWynikiT1T2"));
            pc2->setTabVisible(pg("tsRownania"), false);
            pc2->setTabVisible(pg("tsTemp2"), false);
        } else {
            for (int n = 1; n <= 4; ++n) {
                if (!m_edT[n - 1]->text().isEmpty()) {
                    QWidget* w = m_ctx.page(QStringLiteral("tsWynikiT%1").arg(n));
                    pc2->setTabVisible(w, true);
                    pc2->setCaption(w, QStringLiteral(" T%1 ").arg(n));
                }
            }
            pc2->setCaption(pg("tsWynikiT1"), QStringLiteral("T1"));
            pc2->setTabVisible(pg("tsRownania45"), false);
            pc2->setTabVisible(pg("tsWynikiT1T2"), false);
            pc2->setTabVisible(pg("tsWynikiT3T4"), false);
            pc2->setActivePage(pg("tsWynikiT1"));
        }
        m_sbShow->setEnabled(inputs);
        setResultTitlesAndPanels(c, high);
    } else {
        QWidget* equations = high ? pg("tsRownania45") : pg("tsRownania");
        pc2->setActivePage(equations);
        pc2->setTabVisible(pg("tsWynikiT1T2"), false);
        pc2->setTabVisible(pg("tsWynikiT3T4"), false);
        pc2->setTabVisible(equations, true);
        pc2->setActivePage(equations);
        // The equations a viscosity "Show" computed its values from stay readable
        // here while they are still those of the chosen publication.
        Query* q = m_ctx.query(high ? QStringLiteral("qrDane45") : QStringLiteral("qrRownania"));
        const QVariant chosen = high ? m_ctx.query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI"))
                                     : QVariant(m_dblAutor->text());
        if (c.propertyName == QLatin1String("Viscosity") && q && q->isOpen() && q->rowCount() > 0
            && q->boundValue(QStringLiteral("lPublikacja")).toString() == chosen.toString())
            m_ctx.bindGrid(high ? QStringLiteral("dbgDane45") : QStringLiteral("dbgRownania"),
                           high ? QStringLiteral("dsDane45") : QStringLiteral("dsRownania"));
        if (!m_dblAutor->text().isEmpty()) {
            PublicationChosen();
            m_sbShow->setEnabled(true);
        }
    }
}

// ---- "Clear" -----------------------------------------------------------------------------

void IsothermPage::sbClearClick()
{
    if (m_ctx.dm) {
        for (const char* name : {"qrWyniki45", "qrWyniki452", "qrWyniki453", "qrWyniki454", "qrPunkty1", "qrPunkty2",
                                 "qrPunkty3", "qrPunkty4", "qrExp", "qrExp2", "qrExp3", "qrExp4"})
            m_ctx.query(QString::fromLatin1(name))->close();
    }
    m_ctx.state.modelCurveCount = 0;
    if (m_ctx.model)
        m_ctx.model->clearForIsothermClear();
    for (QLineEdit* e : m_edT)
        e->clear();
    m_edT[0]->setEnabled(true);
    m_ctx.dbgPublikacje->unbind();
    m_ctx.removeAllSeries();
    m_ctx.unbindGrids({"dbgRownania", "dbgT1", "dbgT2", "dbgT3", "dbgT4", "dbgDane45", "dbgWynikiT1", "dbgWynikiT2",
                       "dbgWynikiT3", "dbgWynikiT4"});
    PageControl* pc2 = m_ctx.pageControl2;
    pc2->setCaption(m_ctx.page(QStringLiteral("tsWynikiT1T2")), QStringLiteral("T1   T2"));
    pc2->setCaption(m_ctx.page(QStringLiteral("tsWynikiT3T4")), QStringLiteral("T3   T4"));
    for (int n = 1; n <= 4; ++n)
        pc2->setCaption(m_ctx.page(QStringLiteral("tsWynikiT%1").arg(n)), QStringLiteral("T%1").arg(n));
    if (TListaWybranychPublikacji* list = selection::SelectedPublications())
        list->Clear();
    if (m_ctx.menu.equations)
        m_ctx.menu.equations->setEnabled(false);
    if (m_ctx.menu.calculatedValue)
        m_ctx.menu.calculatedValue->setEnabled(false);
    if (m_chbShow->isChecked())
        m_sbShow->setEnabled(IsothermInputReady());
}

} // namespace korvel
