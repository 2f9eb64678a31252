#include "MeasuredData.h"

#include "GasConstant.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace korvel::validation {

const std::vector<PropertyInfo> &reportProperties()
{
    static const std::vector<PropertyInfo> properties{
        {"density", "g/cm3", "density", 1},     {"surface tension", "mN/m", "surface-tension", 2},
        {"viscosity", "mPa s", "viscosity", 4}, {"liquidus", "K", "liquidus", 0},
        {"solidus", "K", "solidus", 0}};
    return properties;
}

namespace {

const PropertyInfo *propertyById(int id)
{
    for (const PropertyInfo &p : reportProperties())
        if (p.databaseId == id && id != 0)
            return &p;
    return nullptr;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> out;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            out.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    out.push_back(part);
    return out;
}

std::string fixed(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

// A query on the report's connection; throws with the statement's error.
class Reader {
public:
    explicit Reader(const std::string &file) : m_name(QStringLiteral("korvel-validation"))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(QString::fromStdString(file));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            throw std::runtime_error("cannot open the database " + file + ": " + db.lastError().text().toStdString());
    }
    ~Reader()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    QSqlQuery run(const QString &statement, const QVariantList &values = {}) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name));
        q.setForwardOnly(true);
        if (!q.prepare(statement))
            throw std::runtime_error("cannot read the database: " + q.lastError().text().toStdString());
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw std::runtime_error("cannot read the database: " + q.lastError().text().toStdString());
        return q;
    }

private:
    QString m_name;
};

// Publications that are literature: neither a calculation of ours nor catalogue data.
const QString kMeasured = QStringLiteral("COALESCE(b.TYTUL, '') NOT LIKE '%(calculated)' AND COALESCE(b.TYTUL, '') NOT LIKE '%(program catalogue data)'");

using DatasetKey = std::tuple<int, std::string, std::string>; // property id, system, publication key

MeasuredDataset &datasetFor(std::map<DatasetKey, MeasuredDataset> &sets, int propertyId, const std::string &system, const std::string &key)
{
    MeasuredDataset &d = sets[{propertyId, system, key}];
    if (d.name.empty()) {
        const PropertyInfo *p = propertyById(propertyId);
        d.property = p->name;
        d.unit = p->unit;
        d.system = system;
        d.source = key;
        d.name = system + " " + key;
    }
    return d;
}

MeasuredAlloy &alloyAt(MeasuredDataset &d, double x)
{
    const std::string label = "x " + split(d.system, '-').back() + " " + fixed(x, 4);
    for (MeasuredAlloy &a : d.alloys)
        if (a.label == label)
            return a;
    MeasuredAlloy a;
    a.elements = split(d.system, '-');
    a.moleFractions = {1 - x, x};
    a.label = label;
    d.alloys.push_back(a);
    return d.alloys.back();
}

void readBinaryRows(const Reader &db, std::map<DatasetKey, MeasuredDataset> &sets)
{
    QSqlQuery rows = db.run(QStringLiteral("SELECT d.ID_TAB_UKL, t.OZNACZENIE, d.ID_WLASCIWOSCI, d.ID_PUBLIKACJI, b.OZNACZENIE, d.X, d.A, d.B "
                                           "FROM DANE_WLASNOSCI d JOIN TAB_UKL t USING (ID_TAB_UKL) JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                           "WHERE t.ID_SELECT = 2 AND ") + kMeasured +
                            QStringLiteral(" ORDER BY t.OZNACZENIE, d.ID_WLASCIWOSCI, b.OZNACZENIE, d.X"));
    while (rows.next()) {
        const int propertyId = rows.value(2).toInt();
        if (!propertyById(propertyId))
            continue;
        MeasuredDataset &d = datasetFor(sets, propertyId, rows.value(1).toString().toStdString(), rows.value(4).toString().toStdString());
        const double x = rows.value(5).toDouble(), A = rows.value(6).toDouble(), B = rows.value(7).toDouble();
        QSqlQuery range = db.run(QStringLiteral("SELECT MIN(T), MAX(T) FROM DANE_WLASNOSCI_T WHERE ID_TAB_UKL = ? AND ID_WLASCIWOSCI = ? "
                                                "AND ID_PUBLIKACJI = ? AND ABS(X - ?) < 1e-9"),
                                 {rows.value(0), propertyId, rows.value(3), x});
        MeasuredAlloy &a = alloyAt(d, x);
        if (!range.next() || range.value(0).isNull()) {
            a.label += " (no temperature range stored)";
            continue;
        }
        const double tMin = range.value(0).toDouble(), tMax = range.value(1).toDouble();
        for (int i = 0; i < kLineTemperatures; ++i) {
            const double T = tMin + (tMax - tMin) * i / (kLineTemperatures - 1);
            const double value = propertyId == 4 ? A * std::exp(B / (thermo::kGasConstant * T)) : A + B * T;
            a.points.push_back({T, value});
            if (tMax == tMin)
                break;
        }
    }
}

void readBinaryPoints(const Reader &db, std::map<DatasetKey, MeasuredDataset> &sets)
{
    QSqlQuery rows = db.run(QStringLiteral("SELECT t.OZNACZENIE, p.ID_WLASCIWOSCI, b.OZNACZENIE, p.X, p.T, p.Y "
                                           "FROM PUNKTY_D p JOIN TAB_UKL t USING (ID_TAB_UKL) JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                           "WHERE t.ID_SELECT = 2 AND ") + kMeasured +
                            QStringLiteral(" ORDER BY t.OZNACZENIE, p.ID_WLASCIWOSCI, b.OZNACZENIE, p.X, p.T"));
    while (rows.next()) {
        const int propertyId = rows.value(1).toInt();
        if (!propertyById(propertyId))
            continue;
        MeasuredDataset &d = datasetFor(sets, propertyId, rows.value(0).toString().toStdString(), rows.value(2).toString().toStdString());
        alloyAt(d, rows.value(3).toDouble()).points.push_back({rows.value(4).toDouble(), rows.value(5).toDouble()});
    }
}

// Rows of the multicomponent sections are listed, not compared: their compositions are the
// section's tables, which the report does not read.
void readSectionRows(const Reader &db, std::map<DatasetKey, MeasuredDataset> &sets)
{
    QSqlQuery rows = db.run(QStringLiteral("SELECT t.OZNACZENIE, d.ID_WLASCIWOSCI, b.OZNACZENIE, COUNT(*) "
                                           "FROM DANE45 d JOIN TAB_UKL t USING (ID_TAB_UKL) JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) WHERE ") +
                            kMeasured + QStringLiteral(" GROUP BY t.OZNACZENIE, d.ID_WLASCIWOSCI, b.OZNACZENIE"));
    while (rows.next()) {
        const int propertyId = rows.value(1).toInt();
        if (!propertyById(propertyId))
            continue;
        MeasuredDataset &d = datasetFor(sets, propertyId, rows.value(0).toString().toStdString(), rows.value(2).toString().toStdString());
        d.unreadable = std::to_string(rows.value(3).toInt()) + " equations of a multicomponent section, whose compositions this report does not read";
    }
}

void readMeltingRows(const Reader &db, std::vector<MeasuredDataset> &out)
{
    static const char *kColumns[] = {"Ag", "Al", "Au", "Bi", "Cu", "In", "Li", "Pb", "Sb", "Sn", "Zn"};
    QString columns;
    for (const char *c : kColumns)
        columns += QStringLiteral(", \"%1\"").arg(QLatin1String(c));
    QSqlQuery rows = db.run(QStringLiteral("SELECT WYTOP, Tsol, Tliq, COALESCE(ALLOY, ''), COALESCE(SOURCE, '')") + columns +
                            QStringLiteral(" FROM DTA ORDER BY WYTOP"));
    while (rows.next()) {
        const std::string label = rows.value(3).toString().toStdString();
        if (label.find("(calculated)") != std::string::npos)
            continue;
        std::vector<std::pair<std::string, double>> parts;
        for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
            if (!rows.value(5 + i).isNull() && rows.value(5 + i).toDouble() > 0)
                parts.push_back({kColumns[i], rows.value(5 + i).toDouble()});
        std::sort(parts.begin(), parts.end(), [](const auto &a, const auto &b) { return a.second != b.second ? a.second > b.second : a.first < b.first; });
        std::vector<std::string> names;
        for (const auto &p : parts)
            names.push_back(p.first);
        std::sort(names.begin(), names.end());
        std::string system;
        for (const std::string &n : names)
            system += (system.empty() ? "" : "-") + n;
        std::string key = rows.value(4).toString().toStdString();
        key = key.substr(0, key.find(" ("));
        MeasuredAlloy a;
        for (const auto &p : parts) {
            a.elements.push_back(p.first);
            a.massPercent.push_back(p.second);
        }
        a.label = label;
        for (const char *property : {"liquidus", "solidus"}) {
            MeasuredDataset d;
            d.property = property;
            d.unit = "K";
            d.system = system;
            d.source = key;
            d.name = label + " (" + key + ", row " + std::to_string(rows.value(0).toInt()) + ")";
            MeasuredAlloy one = a;
            one.points.push_back({0, rows.value(d.property == "liquidus" ? 2 : 1).toDouble()});
            d.alloys.push_back(one);
            out.push_back(d);
        }
    }
}

} // namespace

std::vector<MeasuredDataset> readMeasuredDatasets(const std::string &databaseFile)
{
    std::vector<MeasuredDataset> out;
    {
        const Reader db(databaseFile);
        std::map<DatasetKey, MeasuredDataset> sets;
        readBinaryRows(db, sets);
        readBinaryPoints(db, sets);
        readSectionRows(db, sets);
        for (auto &[key, d] : sets)
            out.push_back(std::move(d));
        readMeltingRows(db, out);
    }
    auto order = [](const std::string &property) {
        const auto &p = reportProperties();
        return std::find_if(p.begin(), p.end(), [&](const PropertyInfo &i) { return property == i.name; }) - p.begin();
    };
    std::stable_sort(out.begin(), out.end(), [&](const MeasuredDataset &a, const MeasuredDataset &b) {
        return std::make_tuple(order(a.property), a.system, a.name) < std::make_tuple(order(b.property), b.system, b.name);
    });
    return out;
}

} // namespace korvel::validation
