#include "ReferenceChecks.h"

#include "ScopedConnection.h"

#include <QLocale>
#include <QSqlQuery>
#include <QSqlRecord>

namespace korvel::import {
namespace {

struct Reference {
    const char* column;
    const char* table;
    const char* key;
    const char* what;
};

// The identifiers a row may name and the table that defines each.
constexpr Reference kReferences[] = {
    {"ID_SELECT", "SELECT_SYSTEM", "ID_SELECT", "system class"},
    {"ID_TAB_UKL", "TAB_UKL", "ID_TAB_UKL", "system"},
    {"ID_WLASCIWOSCI", "WLASNOSCI", "ID_WLASCIWOSCI", "property"},
    {"ID_PUBLIKACJI", "PUBLIKACJE", "ID_PUBLIKACJI", "publication"},
    {"ID_PUB_MENISK", "AUTHOR_MENISK", "ID_AUTOR_MENISK", "meniscographic publication"},
};

// The tables of the property data whose identifiers are checked.
const char* const kCheckedTables[] = {
    "TAB_UKL", "PIERWIASTKI", "WLA_TAB_PUB", "DANE_WLASNOSCI", "DANE45", "DANE_WLASNOSCI_T", "PUNKTY_D",
    "UKL_2", "UKL_3", "UKL_4", "UKL_5", "EUT", "FIG", "MENISK", "AUTHOR_MENISK_PUB", "MENISK_FIG",
};

bool hasColumn(QSqlDatabase& db, const QString& table, const QString& column)
{
    return db.record(table).indexOf(column) >= 0;
}

QString numberText(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("empty");
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    return v.toString();
}

} // namespace

QHash<qint64, int>& RowOrigins::rowsOf(const QString& table, const QString& file)
{
    m_files.insert(table.toUpper(), file);
    return m_records[table.toUpper()];
}

QString RowOrigins::describe(const QString& table, qint64 rowid) const
{
    const QString key = table.toUpper();
    const auto records = m_records.constFind(key);
    if (records != m_records.cend() && records->contains(rowid))
        return QStringLiteral("%1 record %2").arg(m_files.value(key)).arg(records->value(rowid));
    return QStringLiteral("%1 row %2 of the base").arg(table).arg(rowid);
}

void checkReferences(QSqlDatabase& db, const RowOrigins& origins, const std::function<void(const QString&)>& report)
{
    const QStringList tables = db.tables();
    auto present = [&](const QString& name) { return tables.contains(name, Qt::CaseInsensitive); };

    for (const char* tableName : kCheckedTables) {
        const QString table = QString::fromLatin1(tableName);
        if (!present(table))
            continue;
        for (const Reference& ref : kReferences) {
            const QString column = QString::fromLatin1(ref.column);
            const QString target = QString::fromLatin1(ref.table);
            if (table == target || !hasColumn(db, table, column))
                continue;
            const QString targetSql = present(target) ? quotedIdentifier(target)
                                                      : QStringLiteral("(SELECT NULL AS %1 WHERE 0)").arg(QLatin1String(ref.key));
            QSqlQuery q(db);
            q.setForwardOnly(true); // the rows are read once: the driver keeps none of them
            q.exec(QStringLiteral("SELECT t.rowid, t.%1 FROM %2 t WHERE t.%1 IS NOT NULL "
                                  "AND NOT EXISTS (SELECT 1 FROM %3 r WHERE r.%4 = t.%1) ORDER BY t.rowid")
                       .arg(quotedIdentifier(column), quotedIdentifier(table), targetSql, QLatin1String(ref.key)));
            while (q.next()) {
                report(QStringLiteral("%1: %2 %3 names no %4 of %5")
                           .arg(origins.describe(table, q.value(0).toLongLong()), column, numberText(q.value(1)),
                                QLatin1String(ref.what), target));
            }
        }
    }

    // A temperature line is the rows of one property, system, publication,
    // composition, section and alloy number: its end points are its two rows.
    if (present(QStringLiteral("DANE_WLASNOSCI_T"))) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, Nr, Nr2, COUNT(*), group_concat(rowid) "
                              "FROM DANE_WLASNOSCI_T GROUP BY ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, Nr, Nr2 "
                              "HAVING COUNT(*) <> 2 ORDER BY MIN(rowid)"));
        while (q.next()) {
            QStringList rows;
            for (const QString& rowid : q.value(7).toString().split(QLatin1Char(',')))
                rows << origins.describe(QStringLiteral("DANE_WLASNOSCI_T"), rowid.toLongLong());
            QString line = QStringLiteral("property %1, system %2, publication %3, X %4")
                               .arg(numberText(q.value(0)), numberText(q.value(1)), numberText(q.value(2)), numberText(q.value(3)));
            if (!q.value(4).isNull() || !q.value(5).isNull())
                line += QStringLiteral(", Nr %1, Nr2 %2").arg(numberText(q.value(4)), numberText(q.value(5)));
            report(QStringLiteral("%1: the temperature line of %2 has %3 row(s); a line has exactly two")
                       .arg(rows.join(QStringLiteral(", ")), line)
                       .arg(q.value(6).toInt()));
        }
    }
}

} // namespace korvel::import
