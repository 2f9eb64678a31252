#include "IsothermLogic.h"

#include <QLocale>

namespace korvel {

QString PropertyPresentation::resultTitle(int slot) const
{
    return resultTitlePrefix.isEmpty() ? QString() : QStringLiteral("%1(T%2)").arg(resultTitlePrefix).arg(slot);
}

QString PropertyPresentation::valueField(int slot) const
{
    if (valueFieldPrefix.isEmpty())
        return {};
    if (valueFieldPrefix == QLatin1String("VISCO"))
        return valueFieldPrefix;
    return valueFieldPrefix + QString::number(slot);
}

PropertyPresentation presentationOf(const QString& name)
{
    PropertyPresentation p;
    if (name == QLatin1String("Density")) {
        p = {true, QStringLiteral("[g/cm^3]"), QStringLiteral(" = A+B*T"), QStringLiteral(" = A+B*T"),
             QStringLiteral(" [g/cm^3]"), QStringLiteral("d"), QStringLiteral("DensityT")};
    } else if (name == QLatin1String("Surface tension")) {
        p = {true, QStringLiteral(" [mN/m]"), QStringLiteral(" = A+B*T"), QStringLiteral(" = A+B*T"),
             QStringLiteral(" [mN/m]"), QStringLiteral("ST"), QStringLiteral("DensityT")};
    } else if (name == QLatin1String("Molar volume")) {
        p = {true, QStringLiteral("[cm^3/mole]"), QStringLiteral(" = A+B*T"), QStringLiteral(" = A+B*T"),
             QStringLiteral(" [cm^3/mole]"), QStringLiteral("V"), QStringLiteral("VT")};
    } else if (name == QLatin1String("Viscosity")) {
        p = {true, QStringLiteral(" [mPa*s]"), QStringLiteral(" = A*Exp[E/(R*T)]"), QStringLiteral(" = A*Exp(E/R*T)"),
             QStringLiteral(" [mPa*s]"), QStringLiteral("Vis"), QStringLiteral("VISCO")};
    } else if (name == QLatin1String("Electrical properties")) {
        p.axisUnit = QStringLiteral(" ");
    }
    return p;
}

QString leftAxisTitle(const QString& propertyName) { return propertyName + presentationOf(propertyName).axisUnit; }

QString noPublicationHint(const QString& propertyName, const QString& systemName)
{
    QString text = QStringLiteral("The database holds no publication on the %1 of %2.")
                       .arg(propertyName.toLower(), systemName);
    if (propertyName == QLatin1String("Surface tension"))
        text += QStringLiteral("\n\nThe Butler model still gives it: with \"Model\" checked in the selection window, "
                               "type a temperature into T1 and press \"Model\".");
    else if (propertyName == QLatin1String("Viscosity"))
        text += QStringLiteral("\n\nThe viscosity models under \"Viscosity\" \u2192 \"Models\" describe how the "
                               "program computes viscosity from a publication's coefficients.");
    else
        text += QStringLiteral("\n\n\"Back\" returns to the choice of system and property.");
    return text;
}

QString equationCaption(const QString& propertyName, const QString& systemName, const QString& ending)
{
    return propertyName + QStringLiteral("  ") + systemName + ending;
}

QString panelCaption(const QString& propertyName, const QString& systemName)
{
    return propertyName + QStringLiteral("  ") + systemName + presentationOf(propertyName).panelUnit;
}

std::optional<QString> modelTemperaturePrefill(const SlotFields& f)
{
    std::optional<QString> text;
    if (f[0].filled() && f[1].enabled)
        text = f[0].text;
    if (f[1].filled() && f[2].enabled)
        text = f[1].text;
    if (f[2].filled() && f[3].enabled)
        text = f[2].text;
    if (f[3].filled())
        text = f[3].text;
    return text;
}

bool slotPreparedForTables(const SlotFields& f, int slot)
{
    if (slot == 1)
        return f[0].filled() && (f[0].enabled || !f[1].filled());
    return f[slot - 1].enabled && f[slot - 1].filled();
}

bool slotPrepared(const SlotFields& f, int slot) { return f[slot - 1].enabled && f[slot - 1].filled(); }

bool slotDrawable(const SlotFields& f, int slot)
{
    if (slot == 1)
        return f[0].enabled;
    return f[slot - 1].enabled && f[slot - 1].filled();
}

bool temperaturesInRange(const SlotFields& fields, const QLocale& locale)
{
    for (const SlotField& f : fields) {
        if (f.filled())
            fixedPointFromNormalised(NormaliseNumberText(f.text));
    }
    bool inRange = true;
    for (const SlotField& f : fields) {
        if (!f.filled())
            continue;
        bool ok = false;
        const double value = locale.toDouble(f.text, &ok);
        if (!ok)
            throw NumberFormatError(QStringLiteral("'%1' is not a valid floating point value").arg(f.text));
        if (FixedPoint4::fromDouble(value) > FixedPoint4::fromRaw(2000 * FixedPoint4::Scale))
            inRange = false;
    }
    return inRange;
}

int viscositySlotAtZeroKelvin(const SlotFields& fields)
{
    for (int n = 1; n <= 4; ++n) {
        const SlotField& f = fields[std::size_t(n - 1)];
        if (!slotPreparedForTables(fields, n))
            continue;
        try {
            if (fixedPointFromNormalised(NormaliseNumberText(f.text)).raw() == 0)
                return n;
        } catch (const NumberFormatError&) {
        }
    }
    return 0;
}

QString isothermTitle(const QString& key, const QString& temperatureText)
{
    return key + QLatin1Char(' ') + temperatureText + QStringLiteral("[K]");
}

QString resultTabCaptionAfterShow(int slot, const QString& t)
{
    if (slot == 1)
        return QStringLiteral("T1 = ") + t + QStringLiteral(" [K]");
    return QStringLiteral(" T%1 = ").arg(slot) + t + QStringLiteral(" [K]");
}

std::optional<QString> pairTabCaption(const QString& first, const QString& second)
{
    if (first.isEmpty())
        return std::nullopt;
    if (second.isEmpty())
        return first + QStringLiteral("[K]");
    return first + QStringLiteral("[K]") + QString(7, QLatin1Char(' ')) + second + QStringLiteral("[K]");
}

ClassKind classKindOf(const QString& className)
{
    if (className == QLatin1String("Pure metals"))
        return ClassKind::Pure;
    if (className == QLatin1String("Binary systems"))
        return ClassKind::Binary;
    if (className == QLatin1String("Ternary systems"))
        return ClassKind::Ternary;
    if (className == QLatin1String("Quaternary systems"))
        return ClassKind::Quaternary;
    if (className == QLatin1String("Quinary systems"))
        return ClassKind::Quinary;
    return ClassKind::Other;
}

namespace {
QString suffixed(const char* base, int n)
{
    return n == 1 ? QString::fromLatin1(base) : QString::fromLatin1(base) + QString::number(n);
}

SlotBinding fromQuery(const QString& query, const QString& grid, const QString& valueField)
{
    QString source = query;
    source.replace(0, 2, QStringLiteral("ds"));
    return {query, source, grid, valueField};
}
} // namespace

SlotBinding slotBinding(const QString& className, int classNumber, const QString& propertyName,
                        const QString& systemName, int n)
{
    const bool high = classNumber >= 3;
    const QString lowGrid = QStringLiteral("dbgT%1").arg(n);
    const QString highGrid = QStringLiteral("dbgWynikiT%1").arg(n);
    if (propertyName == QLatin1String("Molar volume")) {
        const QString field = QStringLiteral("VT%1").arg(n);
        switch (classKindOf(className)) {
        case ClassKind::Pure: return fromQuery(QStringLiteral("qrUkl1%1").arg(n), lowGrid, field);
        case ClassKind::Binary: return fromQuery(QStringLiteral("qrUkl2%1").arg(n), lowGrid, field);
        case ClassKind::Ternary: return fromQuery(QStringLiteral("qrUkl3%1").arg(n), highGrid, field);
        case ClassKind::Quaternary:
            // Every quaternary system shows its slots in the grids of its own
            // result pages (those of the two-slot pages are not in view for it).
            if (n == 1 || systemName == QLatin1String("Ag-Bi-Cu-Sn"))
                return fromQuery(QStringLiteral("qrUkl454%1").arg(n), highGrid, field);
            return fromQuery(QStringLiteral("qrUkl4%1").arg(n), highGrid, field);
        case ClassKind::Quinary: return fromQuery(QStringLiteral("qrUkl5%1").arg(n), highGrid, field);
        case ClassKind::Other: return {};
        }
        return {};
    }
    if (propertyName == QLatin1String("Viscosity"))
        return fromQuery(suffixed("qrExp", n), high ? highGrid : lowGrid, QStringLiteral("VISCO"));
    const QString field = QStringLiteral("DensityT%1").arg(n);
    if (high)
        return fromQuery(suffixed("qrWyniki45", n), highGrid, field);
    return fromQuery(QStringLiteral("qrPunkty%1").arg(n), lowGrid, field);
}

SlotBinding seriesBinding(const QString& className, int classNumber, const QString& propertyName,
                          const QString& systemName, int n)
{
    if (propertyName == QLatin1String("Molar volume")) {
        const ClassKind kind = classKindOf(className);
        if (kind == ClassKind::Pure || kind == ClassKind::Other)
            return {};
    }
    return slotBinding(className, classNumber, propertyName, systemName, n);
}

} // namespace korvel
