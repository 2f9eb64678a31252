#include "CsvExport.h"

#include "core/Numbers.h"

namespace korvel::exports {

QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray CsvTable::bytes() const
{
    QByteArray out;
    auto record = [&](const QStringList& fields) {
        QStringList escaped;
        for (const QString& f : fields)
            escaped << csvField(f);
        out += escaped.join(QLatin1Char(',')).toUtf8();
        out += "\r\n";
    };
    record(header);
    for (const QStringList& row : rows)
        record(row);
    return out;
}

QString unitOfAxisTitle(const QString& propertyName, const QString& leftAxisTitle)
{
    QString unit = leftAxisTitle.startsWith(propertyName) ? leftAxisTitle.mid(propertyName.size()) : QString();
    unit = unit.trimmed();
    if (unit.startsWith(QLatin1Char('[')) && unit.endsWith(QLatin1Char(']')))
        unit = unit.mid(1, unit.size() - 2).trimmed();
    return unit;
}

namespace {
QString withUnit(const QString& name, const QString& unit)
{
    return unit.isEmpty() ? name : name + QStringLiteral(" [") + unit + QLatin1Char(']');
}

QString compositionColumn(const ExportHeading& h)
{
    const QString label = h.axisLabel.trimmed().isEmpty() ? QStringLiteral("X") : h.axisLabel.trimmed();
    return withUnit(label, QStringLiteral("mole fraction"));
}

QStringList leadingColumns() { return {QStringLiteral("System"), QStringLiteral("Property")}; }
QStringList trailingColumns() { return {QStringLiteral("Publication"), QStringLiteral("Reference")}; }

QStringList trailingFields(const ExportHeading& h)
{
    return {h.reference.key.value_or(QString()), h.reference.line()};
}
} // namespace

CsvTable equationsCsv(const ExportHeading& h, const QString& leftAxisTitle, const QList<EquationRow>& rows)
{
    const QString unit = unitOfAxisTitle(h.propertyName, leftAxisTitle);
    const bool viscosity = h.propertyName == QLatin1String("Viscosity");
    CsvTable t;
    t.header << leadingColumns() << compositionColumn(h) << withUnit(QStringLiteral("A"), unit);
    if (viscosity)
        t.header << withUnit(QStringLiteral("E"), QStringLiteral("J/mol"));
    else
        t.header << withUnit(QStringLiteral("B"), unit.isEmpty() ? QString() : unit + QStringLiteral("/K"));
    if (h.highClass)
        t.header << QStringLiteral("Section system");
    t.header << trailingColumns();
    for (const EquationRow& r : rows) {
        QStringList f{h.systemName, h.propertyName, exportNumberText(r.x), exportNumberText(r.a),
                      exportNumberText(r.b)};
        if (h.highClass)
            f << r.section;
        f << trailingFields(h);
        t.rows << f;
    }
    return t;
}

CsvTable calculatedValuesCsv(const ExportHeading& h, const QString& leftAxisTitle,
                             const QList<IsothermBlock>& blocks)
{
    CsvTable t;
    t.header << leadingColumns() << QStringLiteral("Temperature [K]") << compositionColumn(h)
             << withUnit(h.propertyName, unitOfAxisTitle(h.propertyName, leftAxisTitle));
    if (h.highClass)
        t.header << QStringLiteral("Section system");
    // The note column comes last, so the columns before it stay where they were.
    t.header << trailingColumns() << QStringLiteral("Note");
    for (const IsothermBlock& block : blocks) {
        for (const ValueRow& r : block.rows) {
            QStringList f{h.systemName, h.propertyName, block.temperatureText.trimmed(), exportNumberText(r.x),
                          exportNumberText(r.value)};
            if (h.highClass)
                f << r.system;
            f << trailingFields(h) << r.mark;
            t.rows << f;
        }
    }
    return t;
}

CsvTable seriesValuesCsv(const ExportHeading& h, const QString& bottomAxisTitle, const QString& leftAxisTitle,
                         const QList<SeriesPointRow>& rows)
{
    CsvTable t;
    const bool temperature = bottomAxisTitle.startsWith(QLatin1String("Temperature"));
    t.header << leadingColumns() << QStringLiteral("Series") << QStringLiteral("Method") << QStringLiteral("Source")
             << (temperature ? QStringLiteral("Temperature [K]") : compositionColumn(h))
             << withUnit(h.propertyName, unitOfAxisTitle(h.propertyName, leftAxisTitle)) << QStringLiteral("Reference");
    const QString shownKey = h.reference.key.value_or(QString());
    for (const SeriesPointRow& r : rows) {
        const QString reference = !r.source.isEmpty() && r.source == shownKey ? h.reference.line() : QString();
        t.rows << QStringList{h.systemName,     h.propertyName, r.title, r.method, r.source, exportNumberText(r.abscissa),
                              exportNumberText(r.value), reference};
    }
    return t;
}

} // namespace korvel::exports
