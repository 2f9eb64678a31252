#pragma once
// The catalogue of named statements through which the program reads the
// property database. Each entry is one query with the lines of its statement
// exactly as the program holds them; statements that the data module rebuilds
// at run time hold their initial text here and their rebuilt text in
// QueryCatalogue.cpp beside it.
#include <QString>
#include <QStringList>
#include <QList>

namespace korvel {

struct CatalogueEntry {
    QString query;      // "qrAutor"
    QString dataSource; // "dsAutor"
    QStringList lines;  // the statement, one entry per line
};

namespace catalogue {

const QList<CatalogueEntry>& entries();
const CatalogueEntry* find(const QString& query);

// Statements that replace a query's text before it is opened.
QStringList punkty1Statement();                  // qrPunkty1 before each opening
QStringList chosenPublicationsStatement(const QString& commaText); // qrPublikacje
QStringList lineEndsStatement(int page, bool section, bool viscosityLog); // qrPunktyTemp family

// The four computed tables, by slot 1..4.
QString viscosityTable(int slot);

} // namespace catalogue
} // namespace korvel
