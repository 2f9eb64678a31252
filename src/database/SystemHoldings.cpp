#include "SystemHoldings.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace korvel {

SystemHoldings readSystemHoldings(const QString& connectionName, const QVariant& systemId)
{
    SystemHoldings h;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isOpen() || !systemId.isValid())
        return h;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A publication counts once per property, whatever the number of its links.
    q.prepare(QStringLiteral("SELECT W.WLASNOSC, SUM(CASE WHEN P.OZNACZENIE LIKE '[calc%' THEN 0 ELSE 1 END), "
                             "SUM(CASE WHEN P.OZNACZENIE LIKE '[calc%' THEN 1 ELSE 0 END) "
                             "FROM (SELECT DISTINCT ID_WLASCIWOSCI, ID_PUBLIKACJI FROM WLA_TAB_PUB WHERE ID_TAB_UKL = :lIdUkladu) L, "
                             "WLASNOSCI W, PUBLIKACJE P "
                             "WHERE W.ID_WLASCIWOSCI = L.ID_WLASCIWOSCI AND P.ID_PUBLIKACJI = L.ID_PUBLIKACJI "
                             "GROUP BY W.WLASNOSC"));
    q.bindValue(QStringLiteral(":lIdUkladu"), systemId);
    if (!q.exec())
        return h;
    while (q.next()) {
        PropertyHoldings& p = h.byProperty[q.value(0).toString()];
        p.measured = q.value(1).toInt();
        p.calculated = q.value(2).toInt();
    }
    q.prepare(QStringLiteral("SELECT W.WLASNOSC, COUNT(*) FROM FIG F, WLASNOSCI W "
                             "WHERE F.ID_TAB_UKL = :lIdUkladu AND W.ID_WLASCIWOSCI = F.ID_WLASCIWOSCI GROUP BY W.WLASNOSC"));
    q.bindValue(QStringLiteral(":lIdUkladu"), systemId);
    if (!q.exec())
        return h;
    while (q.next())
        h.byProperty[q.value(0).toString()].figures = q.value(1).toInt();
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM AUTHOR_MENISK_PUB WHERE ID_TAB_UKL = :lIdUkladu"));
    q.bindValue(QStringLiteral(":lIdUkladu"), systemId);
    if (!q.exec() || !q.next())
        return h;
    h.meniscusSources = q.value(0).toInt();
    h.ok = true;
    return h;
}

} // namespace korvel
