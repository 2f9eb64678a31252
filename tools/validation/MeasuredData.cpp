#include "MeasuredData.h"


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

// Publications that are literature, as the calculator tells them apart (DatabaseDatasets): not a
// calculation of ours (a key "[calc…") and not catalogue data.
const QString kMeasured = QStringLiteral("b.OZNACZENIE NOT LIKE '[calc%' AND COALESCE(b.TYTUL, '') NOT LIKE '%(program catalogue data)'");

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

// The alloy of a binary point: XP names the element whose fraction X is ("X Sn"), the other
// one takes the rest.
MeasuredAlloy &alloyAt(MeasuredDataset &d, const std::string &xp, double x)
{
    const std::string element = xp.rfind("X ", 0) == 0 ? xp.substr(2) : xp;
    const std::vector<std::string> elements = split(d.system, '-');
    if (elements.size() != 2 || std::find(elements.begin(), elements.end(), element) == elements.end())
        throw std::runtime_error("the composition variable \"" + xp + "\" of " + d.system + " names none of its elements");
    const std::string label = "x " + element + " " + fixed(x, 4);
    for (MeasuredAlloy &a : d.alloys)
        if (a.label == label)
            return a;
    MeasuredAlloy a;
    a.elements = elements;
    a.moleFractions = elements[0] == element ? std::vector<double>{x, 1 - x} : std::vector<double>{1 - x, x};
    a.label = label;
    d.alloys.push_back(a);
    return d.alloys.back();
}

// The equations of the publications, as the calculator reads them (DatabaseDatasets): each
// composition compared at kLineTemperatures temperatures of the range the database holds it for.
void readEquations(const alloy::DatabaseDatasets &database, std::map<DatasetKey, MeasuredDataset> &sets)
{
    for (const alloy::PropertyDataset &e : database.datasets()) {
        const int propertyId = static_cast<int>(e.property);
        if (e.kind != alloy::PropertyDataset::Kind::Measured || !propertyById(propertyId))
            continue;
        const std::string system = e.section ? e.system + " section " + std::to_string(e.section) : e.system;
        MeasuredDataset &d = datasetFor(sets, propertyId, system, e.publication);
        for (const alloy::DatasetPoint &p : e.points) {
            MeasuredAlloy a;
            a.elements = e.elements;
            a.moleFractions = p.composition;
            a.label = p.label;
            for (int i = 0; i < kLineTemperatures; ++i) {
                const double T = p.range.lo + (p.range.hi - p.range.lo) * i / (kLineTemperatures - 1);
                a.points.push_back({T, e.valueAt(p, T)});
                if (p.range.hi == p.range.lo)
                    break;
            }
            d.alloys.push_back(a);
        }
    }
}

void readBinaryPoints(const Reader &db, std::map<DatasetKey, MeasuredDataset> &sets)
{
    QSqlQuery rows = db.run(QStringLiteral("SELECT t.OZNACZENIE, p.ID_WLASCIWOSCI, b.OZNACZENIE, p.X, p.T, p.Y, COALESCE(t.XP, '') "
                                           "FROM PUNKTY_D p JOIN TAB_UKL t USING (ID_TAB_UKL) JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                           "WHERE t.ID_SELECT = 2 AND ") + kMeasured +
                            QStringLiteral(" ORDER BY t.OZNACZENIE, p.ID_WLASCIWOSCI, b.OZNACZENIE, p.X, p.T"));
    while (rows.next()) {
        const int propertyId = rows.value(1).toInt();
        if (!propertyById(propertyId))
            continue;
        MeasuredDataset &d = datasetFor(sets, propertyId, rows.value(0).toString().toStdString(), rows.value(2).toString().toStdString());
        alloyAt(d, rows.value(6).toString().toStdString(), rows.value(3).toDouble()).points.push_back({rows.value(4).toDouble(), rows.value(5).toDouble()});
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

std::vector<MeasuredDataset> readMeasuredDatasets(const alloy::DatabaseDatasets &equations, const std::string &databaseFile)
{
    std::vector<MeasuredDataset> out;
    {
        const Reader db(databaseFile);
        std::map<DatasetKey, MeasuredDataset> sets;
        readEquations(equations, sets);
        readBinaryPoints(db, sets);
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
