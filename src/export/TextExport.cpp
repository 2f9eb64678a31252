#include "TextExport.h"
#include "ExportFile.h"

#include "core/Numbers.h"

namespace korvel::exports {

namespace {
const QString kRule = QString(63, QLatin1Char('-'));
}

QString instituteOf() { return QStringLiteral("Halvoren of"); }
QString institute() { return QStringLiteral("Halvoren"); }

QStringList ExportBanner::lines(const QString& instituteLine) const
{
    return {kRule, title, subtitle + QLatin1Char(' '), authors, instituteLine, QStringLiteral("Vestmark"),
            kRule, QString()};
}

PublicationReference PublicationReference::fromColumns(const std::function<QVariant(const QString&)>& column)
{
    auto text = [&](const char* name) -> std::optional<QString> {
        const QVariant v = column(QString::fromLatin1(name));
        if (!v.isValid() || v.isNull())
            return std::nullopt;
        return v.toString();
    };
    PublicationReference r;
    r.key = text("OZNACZENIE");
    r.authors = text("NAZWISKA");
    r.title = text("TYTUL");
    r.journal = text("CZASOPISMO");
    r.volume = text("WOLUMIN");
    const QVariant year = column(QStringLiteral("ROK"));
    if (year.isValid() && !year.isNull())
        r.year = int(qRound64(year.toDouble()));
    r.pages = text("STRONY");
    return r;
}

QString PublicationReference::line() const
{
    QString s;
    if (key)
        s += *key + QStringLiteral("  ");
    if (authors)
        s += *authors + QStringLiteral(", ");
    if (title)
        s += *title + QStringLiteral(", ");
    if (journal)
        s += *journal + QStringLiteral(", ");
    if (volume)
        s += QStringLiteral("Vol") + *volume + QStringLiteral(", ");
    if (year)
        s += QLatin1Char('(') + QString::number(*year) + QLatin1Char(')');
    if (pages)
        s += QStringLiteral(" pp.") + *pages;
    return s;
}

QString titleLine(const QString& propertyName, const QString& systemName)
{
    return propertyName + QStringLiteral(" of ") + systemName + QStringLiteral(" system");
}

namespace {
bool isViscosity(const QString& propertyName) { return propertyName == QLatin1String("Viscosity"); }

QStringList headingLines(const ExportHeading& h, const QString& instituteLine)
{
    QStringList lines = h.banner.lines(instituteLine);
    lines << titleLine(h.propertyName, h.systemName) << QString() << QStringLiteral("References")
          << h.reference.line() << QString();
    return lines;
}
} // namespace

QStringList equationsLines(const ExportHeading& h, const QList<EquationRow>& rows)
{
    QStringList lines = headingLines(h, h.highClass ? institute() : instituteOf());
    const bool viscosity = isViscosity(h.propertyName);
    QString header = h.axisLabel + QStringLiteral(" ") + QStringLiteral("\t\tA     ") + QStringLiteral("\t\t");
    if (!h.highClass)
        header += viscosity ? QStringLiteral("        E     ") : QStringLiteral(" B       ");
    else if (!viscosity)
        header += QStringLiteral("B       ") + QStringLiteral("\tSYSTEM       ");
    else
        header += QStringLiteral(" \tE       ") + QStringLiteral("\t\t SYSTEM       ");
    lines << header << QString();
    for (const EquationRow& row : rows) {
        QString line = exportNumberText(row.x) + QStringLiteral("\t\t") + exportNumberText(row.a)
                       + QStringLiteral("\t\t") + exportNumberText(row.b);
        if (h.highClass)
            line += QStringLiteral("\t\t|") + row.section;
        lines << line;
    }
    return lines;
}

QString equationsFileName(const QString& publicationKey, const QString& propertyName)
{
    return safeFileName(publicationKey + QLatin1Char('_') + propertyName + QStringLiteral(".txt"));
}

QStringList calculatedValueLines(const ExportHeading& h, const QString& leftAxisTitle,
                                 const QList<IsothermBlock>& blocks)
{
    QStringList lines = headingLines(h, institute());
    for (const IsothermBlock& block : blocks) {
        lines << QStringLiteral("T=") + block.temperatureText + QLatin1Char('K') << QString();
        QString header = h.axisLabel + QStringLiteral("\t\t") + leftAxisTitle + QStringLiteral("     ");
        if (h.highClass)
            header += QStringLiteral("\t\tSYSTEM       ");
        lines << header << QString();
        for (const ValueRow& row : block.rows) {
            QString line = exportNumberText(row.x) + QStringLiteral("\t\t") + exportNumberText(row.value)
                           + QStringLiteral("\t\t");
            if (h.highClass)
                line += QStringLiteral("\t|") + row.system + QStringLiteral(" + ") + h.axisLabel;
            if (!row.mark.isEmpty())
                line += (h.highClass ? QStringLiteral(" ") : QString()) + row.mark;
            lines << line;
        }
        lines << QString();
    }
    return lines;
}

QString calculatedValueFileName(const QString& publicationKey, const QString& propertyName)
{
    return safeFileName(publicationKey + QStringLiteral("_Isotherms of ") + propertyName + QStringLiteral(".txt"));
}

QStringList viscosityModelLines(const ExportBanner& banner, const QStringList& buffer)
{
    QStringList lines = banner.lines(institute());
    lines << buffer << QString();
    return lines;
}

QString viscosityModelFileName(const QString& systemName)
{
    return safeFileName(systemName + QLatin1Char('_') + QStringLiteral("Viscosity Model.txt"));
}

QStringList bufferLines(const QString& plainText)
{
    if (plainText.isEmpty())
        return {};
    return plainText.split(QLatin1Char('\n'));
}

QString equationsNotShownMessage()
{
    return QStringLiteral("Click \"Show calculated value\" and \"Show\". Next click in menu \"Save data Equations\"");
}

} // namespace korvel::exports
