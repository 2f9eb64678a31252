#pragma once
// Helpers of the import tests: reading rows back from a written database.
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QUuid>
#include <QVariant>

namespace korvel::test {

// Rows of a query on a database file, each a list of values.
inline QList<QVariantList> queryRows(const QString& file, const QString& sql)
{
    QList<QVariantList> rows;
    const QString name = QStringLiteral("import-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql)) {
                while (q.next()) {
                    QVariantList row;
                    // NULL is a null QVariant, whatever the column's type.
                    for (int i = 0; i < q.record().count(); ++i)
                        row << (q.isNull(i) ? QVariant() : q.value(i));
                    rows << row;
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

} // namespace korvel::test
