#include "ViscosityCatalogue.h"

#include "CatalogueCsv.h"

#include <QDebug>
#include <algorithm>
#include <tuple>
#include <map>
#include <set>

// Resources of a static library must be registered by name.
static void initModelResources() { Q_INIT_RESOURCE(korvel_models); }

namespace korvel {

void ensureModelResources()
{
    static const bool done = [] { initModelResources(); return true; }();
    (void)done;
}

const ViscosityBlock* ViscositySystem::block(const QString& publicationKey) const
{
    if (publicationKey.isEmpty())
        return nullptr;
    for (const ViscosityBlock& b : blocks)
        if (!b.key.isEmpty() && b.key == publicationKey)
            return &b;
    return nullptr;
}

std::optional<TemperatureRange> ViscositySystem::applicableRange(const ViscosityBlock* b) const
{
    if (b && b->ownRange)
        return b->ownRange;
    return range;
}

const ViscositySystem* ViscosityCatalogue::system(const QString& name) const
{
    for (const ViscositySystem& s : m_systems)
        if (s.name == name)
            return &s;
    return nullptr;
}

const ViscosityBlock* ViscosityCatalogue::block(const QString& systemName, const QString& key) const
{
    const ViscositySystem* s = system(systemName);
    return s ? s->block(key) : nullptr;
}

QStringList ViscosityCatalogue::builtInGivenFiles()
{
    return {QStringLiteral(":/korvel/models/viscosity.csv")};
}

QStringList ViscosityCatalogue::builtInGeneratedFiles()
{
    return {QStringLiteral(":/korvel/models/generated/viscosity_rows.csv")};
}

const ViscosityCatalogue& ViscosityCatalogue::builtIn()
{
    static const ViscosityCatalogue catalogue = [] {
        ensureModelResources();
        QStringList warnings;
        ViscosityCatalogue c = load(builtInGivenFiles(), builtInGeneratedFiles(), &warnings);
        for (const QString& w : warnings)
            qWarning().noquote() << "viscosity catalogue:" << w;
        return c;
    }();
    return catalogue;
}

namespace {

using modelcsv::Record;

std::optional<TemperatureRange> rangeFrom(const Record& r, int first, QStringList& warnings, bool* ok)
{
    const QString lo = r.fields.value(first), hi = r.fields.value(first + 1), msg = r.fields.value(first + 2);
    *ok = true;
    if (lo.isEmpty() && hi.isEmpty() && msg.isEmpty())
        return std::nullopt;
    auto l = modelcsv::number(lo), h = modelcsv::number(hi);
    if (!l || !h || msg.isEmpty() || *l > *h) {
        warnings << r.where() + QStringLiteral(": incomplete range");
        *ok = false;
        return std::nullopt;
    }
    return TemperatureRange{*l, *h, msg};
}

bool parseRow(const Record& r, ViscosityRow& row, QStringList& warnings)
{
    // row,<system>,<n>,<model>,<A|E>,p0,q0,...,p5,q5,<source>
    for (int k = 0; k < 6; ++k) {
        auto p = modelcsv::number(r.fields.value(5 + 2 * k));
        auto q = modelcsv::number(r.fields.value(6 + 2 * k));
        if (!p || !q) {
            warnings << r.where() + QStringLiteral(": coefficient %1 is not a number").arg(k);
            return false;
        }
        row.p[k] = *p;
        row.q[k] = *q;
    }
    return true;
}

struct PendingRows {
    std::optional<ViscosityRow> a, e;
    QString source;
};
using RowKey = std::tuple<QString, int, int>; // system, block, model index

void collectRows(const std::vector<Record>& records, std::map<RowKey, PendingRows>& out, QStringList& warnings)
{
    for (const Record& r : records) {
        if (r.type() != QLatin1String("row"))
            continue;
        if (r.fields.size() != 18) {
            warnings << r.where() + QStringLiteral(": a row record has 18 fields");
            continue;
        }
        bool okN = false;
        const int n = r.fields[2].toInt(&okN);
        auto model = ViscosityModel::fromAbbreviation(r.fields[3]);
        const QString which = r.fields[4];
        if (!okN || !model || (which != QLatin1String("A") && which != QLatin1String("E")) || r.source().isEmpty()) {
            warnings << r.where() + QStringLiteral(": bad block, model, row kind or source");
            continue;
        }
        ViscosityRow row;
        if (!parseRow(r, row, warnings))
            continue;
        PendingRows& p = out[{r.fields[1], n, model->index()}];
        auto& slot = which == QLatin1String("A") ? p.a : p.e;
        if (slot) {
            warnings << r.where() + QStringLiteral(": duplicate row");
            continue;
        }
        slot = row;
        p.source = r.source();
    }
}

} // namespace

ViscosityCatalogue ViscosityCatalogue::load(const QStringList& given, const QStringList& generated,
                                            QStringList* warningsOut)
{
    QStringList warnings;
    ViscosityCatalogue cat;
    std::vector<Record> givenRecords;
    for (const QString& path : given) {
        bool exists = false;
        auto recs = modelcsv::readRecords(path, warnings, &exists);
        if (!exists)
            warnings << path + QStringLiteral(": missing");
        givenRecords.insert(givenRecords.end(), recs.begin(), recs.end());
    }

    auto findSystem = [&](const QString& name) -> ViscositySystem* {
        for (ViscositySystem& s : cat.m_systems)
            if (s.name == name)
                return &s;
        return nullptr;
    };
    auto findBlock = [&](const QString& system, int n) -> ViscosityBlock* {
        ViscositySystem* s = findSystem(system);
        if (!s)
            return nullptr;
        for (ViscosityBlock& b : s->blocks)
            if (b.number == n)
                return &b;
        return nullptr;
    };

    // Systems first, then blocks, keys and rows, so the file order of record
    // kinds does not matter.
    for (const Record& r : givenRecords) {
        if (r.type() != QLatin1String("system"))
            continue;
        bool ok = true;
        if (r.fields.size() != 6 || r.source().isEmpty() || findSystem(r.fields[1])) {
            warnings << r.where() + QStringLiteral(": bad or duplicate system record");
            continue;
        }
        ViscositySystem s;
        s.name = r.fields[1];
        s.range = rangeFrom(r, 2, warnings, &ok);
        if (ok)
            cat.m_systems.push_back(std::move(s));
    }
    for (const Record& r : givenRecords) {
        if (r.type() != QLatin1String("block"))
            continue;
        ViscositySystem* s = r.fields.size() == 11 ? findSystem(r.fields[1]) : nullptr;
        bool okN = false;
        const int n = r.fields.value(2).toInt(&okN);
        auto E1 = modelcsv::number(r.fields.value(3)), E2 = modelcsv::number(r.fields.value(4));
        auto A1 = modelcsv::number(r.fields.value(5)), A2 = modelcsv::number(r.fields.value(6));
        if (!s || !okN || n < 1 || !E1 || !E2 || !A1 || !A2 || r.source().isEmpty()
            || findBlock(r.fields[1], n)) {
            warnings << r.where() + QStringLiteral(": bad or duplicate block record");
            continue;
        }
        bool ok = true;
        ViscosityBlock b;
        b.system = s->name;
        b.number = n;
        b.E1 = *E1;
        b.E2 = *E2;
        b.A1 = *A1;
        b.A2 = *A2;
        b.ownRange = rangeFrom(r, 7, warnings, &ok);
        if (ok)
            s->blocks.push_back(std::move(b));
    }
    for (ViscositySystem& s : cat.m_systems) {
        std::sort(s.blocks.begin(), s.blocks.end(),
                  [](const ViscosityBlock& x, const ViscosityBlock& y) { return x.number < y.number; });
        if (s.blocks.empty())
            warnings << s.name + QStringLiteral(": system without blocks");
        if (!s.range)
            for (const ViscosityBlock& b : s.blocks)
                if (!b.ownRange)
                    warnings << s.name + QStringLiteral(": block %1 has no range").arg(b.number);
    }
    for (const Record& r : givenRecords) {
        if (r.type() != QLatin1String("key"))
            continue;
        bool okN = false;
        const int n = r.fields.value(2).toInt(&okN);
        ViscosityBlock* b = r.fields.size() == 5 && okN ? findBlock(r.fields[1], n) : nullptr;
        if (!b || r.fields[3].isEmpty() || r.source().isEmpty()) {
            warnings << r.where() + QStringLiteral(": bad key record");
            continue;
        }
        if (!b->key.isEmpty())
            warnings << r.where() + QStringLiteral(": block already has a key; the later one wins");
        b->key = r.fields[3];
    }
    for (const Record& r : givenRecords) {
        const QString t = r.type();
        if (t != QLatin1String("system") && t != QLatin1String("block") && t != QLatin1String("key")
            && t != QLatin1String("row"))
            warnings << r.where() + QStringLiteral(": unknown record type '%1'").arg(t);
    }

    std::map<RowKey, PendingRows> givenRows, generatedRows;
    collectRows(givenRecords, givenRows, warnings);
    for (const QString& path : generated) {
        auto recs = modelcsv::readRecords(path, warnings);
        std::vector<Record> rowsOnly;
        for (const Record& r : recs) {
            if (r.type() != QLatin1String("row")) {
                warnings << r.where() + QStringLiteral(": generated files hold row records only");
                continue;
            }
            if (!r.source().startsWith(QLatin1String("generated:"))) {
                warnings << r.where() + QStringLiteral(": generated rows need a generated: source");
                continue;
            }
            rowsOnly.push_back(r);
        }
        collectRows(rowsOnly, generatedRows, warnings);
    }

    auto apply = [&](const std::map<RowKey, PendingRows>& rows, bool isGenerated) {
        for (const auto& [key, p] : rows) {
            const auto& [system, n, model] = key;
            ViscosityBlock* b = findBlock(system, n);
            if (!b) {
                warnings << QStringLiteral("rows for unknown block %1 %2").arg(system).arg(n);
                continue;
            }
            if (isGenerated && givenRows.count(key))
                continue; // given rows win, also over a half-given pair
            if (!p.a || !p.e) {
                warnings << QStringLiteral("%1 block %2 %3: A and E rows must both be present")
                                .arg(system).arg(n).arg(ViscosityModel::at(model).abbreviation());
                continue;
            }
            b->models[model] = ViscosityModelRows{*p.a, *p.e, p.source, isGenerated};
        }
    };
    apply(givenRows, false);
    apply(generatedRows, true);

    if (warningsOut)
        *warningsOut += warnings;
    return cat;
}

} // namespace korvel
