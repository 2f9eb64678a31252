#include "HoldingsText.h"

namespace korvel {

QStringList holdingsLines(const SystemHoldings& holdings, const QStringList& properties, bool butlerFit)
{
    QStringList lines;
    for (const QString& property : properties) {
        const PropertyHoldings p = holdings.of(property);
        QStringList parts;
        if (p.measured > 0)
            parts << QStringLiteral("measured (%1)").arg(p.measured);
        if (p.calculated > 0)
            parts << QStringLiteral("calculated (%1)").arg(p.calculated);
        if (parts.isEmpty() && property == QLatin1String("Surface tension") && butlerFit)
            parts << QStringLiteral("model only (Butler)");
        if (parts.isEmpty() && p.figures > 0)
            parts << QStringLiteral("figures only (%1)").arg(p.figures);
        else if (p.figures > 0)
            parts << QStringLiteral("figures (%1)").arg(p.figures);
        if (parts.isEmpty())
            parts << (property == QLatin1String("Electrical properties") || property == QLatin1String("Mechanical properties")
                          ? QStringLiteral("no data yet")
                          : QStringLiteral("none"));
        lines << property + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
    }
    return lines;
}

} // namespace korvel
