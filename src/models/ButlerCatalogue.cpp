#include "ButlerCatalogue.h"

#include "CatalogueCsv.h"

#include <QDebug>
#include <map>
#include <set>

namespace korvel {

QStringList ButlerCatalogue::builtInGivenFiles() { return {QStringLiteral(":/korvel/models/butler.csv")}; }

QStringList ButlerCatalogue::builtInGeneratedFiles()
{
    return {QStringLiteral(":/korvel/models/generated/butler_fits.csv")};
}

const ButlerCatalogue& ButlerCatalogue::builtIn()
{
    static const ButlerCatalogue catalogue = [] {
        ensureModelResources();
        QStringList warnings;
        ButlerCatalogue c = load(builtInGivenFiles(), builtInGeneratedFiles(), &warnings);
        for (const QString& w : warnings)
            qWarning().noquote() << "Butler catalogue:" << w;
        return c;
    }();
    return catalogue;
}

const ButlerFit* ButlerCatalogue::fit(const QString& system, ButlerFit::Use use, int variant) const
{
    for (const ButlerFit& f : m_fits)
        if (f.system == system && f.use == use && f.variant == variant)
            return &f;
    return nullptr;
}

const ButlerFit* ButlerCatalogue::isothermFit(const QString& system) const
{
    return fit(system, ButlerFit::Use::Isotherm, 1);
}

std::vector<const ButlerFit*> ButlerCatalogue::temperatureFits(const QString& system) const
{
    std::map<int, const ButlerFit*> byVariant;
    for (const ButlerFit& f : m_fits)
        if (f.system == system && f.use == ButlerFit::Use::Temperature)
            byVariant[f.variant] = &f;
    std::vector<const ButlerFit*> list;
    for (const auto& [v, f] : byVariant)
        list.push_back(f);
    return list;
}

namespace {

using modelcsv::Record;
using modelcsv::number;

std::optional<ButlerFit::Use> parseUse(const QString& s)
{
    if (s == QLatin1String("iso"))
        return ButlerFit::Use::Isotherm;
    if (s == QLatin1String("temp"))
        return ButlerFit::Use::Temperature;
    return std::nullopt;
}

std::optional<ButlerFit::Form> parseForm(const QString& s)
{
    if (s == QLatin1String("direct")) return ButlerFit::Form::Direct;
    if (s == QLatin1String("surface")) return ButlerFit::Form::SurfaceFraction;
    if (s == QLatin1String("line")) return ButlerFit::Form::Line;
    if (s == QLatin1String("section")) return ButlerFit::Form::TernarySection;
    if (s == QLatin1String("iso")) return ButlerFit::Form::IsothermFit;
    return std::nullopt;
}

struct FitId {
    QString system;
    ButlerFit::Use use;
    int variant;
    bool operator<(const FitId& o) const
    {
        return std::tie(system, use, variant) < std::tie(o.system, o.use, o.variant);
    }
};

std::optional<FitId> idOf(const Record& r)
{
    auto use = parseUse(r.fields.value(2));
    bool ok = false;
    const int variant = r.fields.value(3).toInt(&ok);
    if (!use || !ok || r.fields.value(1).isEmpty())
        return std::nullopt;
    return FitId{r.fields[1], *use, variant};
}

bool parseHeader(const Record& r, ButlerFit& f, QStringList& warnings)
{
    // fit,system,use,variant,form,ref,order,tlnt,variable,rounding,tlow,thigh,tstep,xlast,key,source
    auto bad = [&](const QString& what) {
        warnings << r.where() + QStringLiteral(": ") + what;
        return false;
    };
    if (r.fields.size() != 16 || r.source().isEmpty())
        return bad(QStringLiteral("a fit record has 16 fields and a source"));
    auto id = idOf(r);
    auto form = parseForm(r.fields[4]);
    if (!id || !form)
        return bad(QStringLiteral("bad system, use, variant or form"));
    f.system = id->system;
    f.use = id->use;
    f.variant = id->variant;
    f.form = *form;
    f.source = r.source();
    f.key = r.fields[14];
    bool ok = true;
    if (f.form == ButlerFit::Form::SurfaceFraction) {
        f.reference = r.fields[5].toInt(&ok);
        if (!ok || (f.reference != 1 && f.reference != 2))
            return bad(QStringLiteral("surface fit needs ref 1 or 2"));
    }
    if (f.form == ButlerFit::Form::Direct || f.form == ButlerFit::Form::TernarySection) {
        f.order = r.fields[6].toInt(&ok);
        if (!ok || f.order < 0 || f.order > 30)
            return bad(QStringLiteral("bad order"));
    }
    const QString tlnt = r.fields[7];
    if (tlnt == QLatin1String("yes"))
        f.tlnt = true;
    else if (tlnt == QLatin1String("no") || (tlnt.isEmpty() && f.form == ButlerFit::Form::IsothermFit))
        f.tlnt = false;
    else
        return bad(QStringLiteral("tlnt is yes or no"));
    const QString var = r.fields[8];
    if (var == QLatin1String("1-2x"))
        f.variable = ButlerFit::Variable::OneMinusTwoX;
    else if (var == QLatin1String("2x-1"))
        f.variable = ButlerFit::Variable::TwoXMinusOne;
    else if (!var.isEmpty())
        return bad(QStringLiteral("variable is 1-2x or 2x-1"));
    if (f.form == ButlerFit::Form::Direct && !f.variable)
        return bad(QStringLiteral("a direct fit names its variable"));
    const QString rounding = r.fields[9];
    if (rounding == QLatin1String("k-only"))
        f.rounding = ButlerFit::Rounding::KOnly;
    else if (rounding == QLatin1String("full") || rounding.isEmpty())
        f.rounding = ButlerFit::Rounding::Full;
    else
        return bad(QStringLiteral("rounding is full or k-only"));
    if (f.use == ButlerFit::Use::Temperature) {
        auto lo = number(r.fields[10]), hi = number(r.fields[11]), st = number(r.fields[12]);
        if (!lo || !hi || !st || *st <= 0 || *lo > *hi)
            return bad(QStringLiteral("a temperature fit needs tlow, thigh, tstep"));
        f.range = ButlerTemperatureRange{*lo, *hi, *st};
    } else {
        f.xLast = r.fields[13].toInt(&ok);
        if (!ok || f.xLast < 0 || f.xLast > 100)
            return bad(QStringLiteral("an isotherm fit needs xlast 0..100"));
        if (f.form == ButlerFit::Form::IsothermFit)
            return bad(QStringLiteral("form iso is for temperature fits"));
    }
    return true;
}

struct Coefficients {
    std::map<int, ButlerRow> L, Q;
    std::map<int, ButlerTernaryRow> P;
    QString source;
    bool any() const { return !L.empty() || !Q.empty() || !P.empty(); }
};

void collectCoefficients(const std::vector<Record>& records, std::map<FitId, Coefficients>& out,
                         QStringList& warnings)
{
    for (const Record& r : records) {
        const QString t = r.type();
        if (t != QLatin1String("L") && t != QLatin1String("Q") && t != QLatin1String("P"))
            continue;
        auto id = idOf(r);
        bool ok = false;
        const int index = r.fields.value(4).toInt(&ok);
        const int expected = t == QLatin1String("P") ? 12 : 10;
        if (!id || !ok || index < 0 || r.fields.size() != expected || r.source().isEmpty()) {
            warnings << r.where() + QStringLiteral(": bad coefficient record");
            continue;
        }
        std::vector<double> v;
        for (int i = 5; i < expected - 1; ++i) {
            auto n = number(r.fields[i]);
            if (!n)
                break;
            v.push_back(*n);
        }
        if (int(v.size()) != expected - 6) {
            warnings << r.where() + QStringLiteral(": coefficient is not a number");
            continue;
        }
        Coefficients& c = out[*id];
        c.source = r.source();
        bool duplicate = false;
        if (t == QLatin1String("P")) {
            duplicate = !c.P.emplace(index, ButlerTernaryRow{v[0], v[1], v[2], v[3], v[4], v[5]}).second;
        } else {
            auto& m = t == QLatin1String("L") ? c.L : c.Q;
            duplicate = !m.emplace(index, ButlerRow{v[0], v[1], v[2], v[3]}).second;
        }
        if (duplicate)
            warnings << r.where() + QStringLiteral(": duplicate coefficient record");
    }
}

// Places the rows into the fit; false (with a warning) when they do not fit its form.
bool applyCoefficients(ButlerFit& f, const Coefficients& c, bool generated, QStringList& warnings)
{
    const QString name = QStringLiteral("%1 %2 %3").arg(f.system,
        f.use == ButlerFit::Use::Isotherm ? QStringLiteral("iso") : QStringLiteral("temp")).arg(f.variant);
    auto reject = [&](const QString& why) {
        warnings << name + QStringLiteral(": rows ignored, ") + why;
        return false;
    };
    const bool wantsL = f.form == ButlerFit::Form::Direct || f.form == ButlerFit::Form::TernarySection;
    if (!wantsL && !c.L.empty())
        return reject(QStringLiteral("this form has no L rows"));
    if (f.form != ButlerFit::Form::SurfaceFraction && !c.Q.empty())
        return reject(QStringLiteral("this form has no Q rows"));
    if (f.form != ButlerFit::Form::TernarySection && !c.P.empty())
        return reject(QStringLiteral("this form has no P rows"));
    if (wantsL) {
        if (int(c.L.size()) != f.order + 1 || c.L.begin()->first != 0 || c.L.rbegin()->first != f.order)
            return reject(QStringLiteral("L rows 0..%1 required").arg(f.order));
        for (const auto& [k, row] : c.L)
            if (!f.tlnt && row.c != 0)
                return reject(QStringLiteral("c must be 0 in a fit without T lnT terms"));
    }
    if (f.form == ButlerFit::Form::SurfaceFraction) {
        if (c.Q.size() != 3 || c.Q.begin()->first != 0 || c.Q.rbegin()->first != 2)
            return reject(QStringLiteral("Q rows 0..2 required"));
        for (const auto& [k, row] : c.Q)
            if (!f.tlnt && row.c != 0)
                return reject(QStringLiteral("c must be 0 in a fit without T lnT terms"));
    }
    if (f.form == ButlerFit::Form::TernarySection
        && (c.P.size() != 4 || c.P.begin()->first != 1 || c.P.rbegin()->first != 4))
        return reject(QStringLiteral("P rows 1..4 required"));
    if (wantsL) {
        f.L.clear();
        for (const auto& [k, row] : c.L)
            f.L.emplace_back(row);
    }
    for (const auto& [j, row] : c.Q)
        f.Q[std::size_t(j)] = row;
    for (const auto& [j, row] : c.P)
        f.P[std::size_t(j - 1)] = row;
    f.rowSource = c.source;
    f.rowsGenerated = generated;
    return true;
}

} // namespace

ButlerCatalogue ButlerCatalogue::load(const QStringList& given, const QStringList& generated,
                                      QStringList* warningsOut)
{
    QStringList warnings;
    ButlerCatalogue cat;
    std::vector<Record> givenRecords;
    for (const QString& path : given) {
        bool exists = false;
        auto recs = modelcsv::readRecords(path, warnings, &exists);
        if (!exists)
            warnings << path + QStringLiteral(": missing");
        givenRecords.insert(givenRecords.end(), recs.begin(), recs.end());
    }
    std::map<FitId, ButlerFit*> byId;
    for (const Record& r : givenRecords) {
        if (r.type() != QLatin1String("fit"))
            continue;
        ButlerFit f;
        if (!parseHeader(r, f, warnings))
            continue;
        FitId id{f.system, f.use, f.variant};
        if (byId.count(id)) {
            warnings << r.where() + QStringLiteral(": duplicate fit");
            continue;
        }
        cat.m_fits.push_back(std::move(f));
        byId[id] = &cat.m_fits.back();
    }
    for (const Record& r : givenRecords) {
        const QString t = r.type();
        if (t == QLatin1String("fit") || t == QLatin1String("L") || t == QLatin1String("Q")
            || t == QLatin1String("P"))
            continue;
        if (t != QLatin1String("pure") && t != QLatin1String("base")) {
            warnings << r.where() + QStringLiteral(": unknown record type '%1'").arg(t);
            continue;
        }
        auto id = idOf(r);
        auto it = id ? byId.find(*id) : byId.end();
        if (it == byId.end() || r.source().isEmpty()) {
            warnings << r.where() + QStringLiteral(": record of an unknown fit");
            continue;
        }
        ButlerFit& f = *it->second;
        if (t == QLatin1String("pure")) {
            auto s = number(r.fields.value(5)), tt = number(r.fields.value(6));
            if (r.fields.size() != 8 || !s || !tt) {
                warnings << r.where() + QStringLiteral(": bad pure line");
                continue;
            }
            f.pure.push_back(ButlerPureLine{r.fields[4], *s, *tt});
        } else {
            auto fr = number(r.fields.value(5));
            if (r.fields.size() != 7 || !fr) {
                warnings << r.where() + QStringLiteral(": bad base record");
                continue;
            }
            f.base.emplace_back(r.fields[4], *fr);
        }
    }
    // Pure lines in component order of the system name.
    for (ButlerFit& f : cat.m_fits) {
        const QStringList el = f.elements();
        std::stable_sort(f.pure.begin(), f.pure.end(), [&](const ButlerPureLine& a, const ButlerPureLine& b) {
            return el.indexOf(a.element) < el.indexOf(b.element);
        });
        for (const ButlerPureLine& p : f.pure)
            if (p.element != QLatin1String("*") && !el.contains(p.element))
                warnings << f.system + QStringLiteral(": pure line of a foreign element ") + p.element;
    }

    std::map<FitId, Coefficients> givenRows, generatedRows;
    std::map<FitId, ButlerTemperatureRange> generatedRanges;
    collectCoefficients(givenRecords, givenRows, warnings);
    for (const QString& path : generated) {
        std::vector<Record> coefficientRecords;
        for (const Record& r : modelcsv::readRecords(path, warnings)) {
            const QString t = r.type();
            const bool range = t == QLatin1String("range");
            if (!range && t != QLatin1String("L") && t != QLatin1String("Q") && t != QLatin1String("P")) {
                warnings << r.where() + QStringLiteral(": generated files hold L, Q, P and range records only");
                continue;
            }
            if (!r.source().startsWith(QLatin1String("generated:"))) {
                warnings << r.where() + QStringLiteral(": generated rows need a generated: source");
                continue;
            }
            if (range) {
                // range,<system>,<use>,<variant>,<tlow>,<thigh>,<source>
                auto id = idOf(r);
                auto lo = number(r.fields.value(4)), hi = number(r.fields.value(5));
                if (!id || r.fields.size() != 7 || !lo || !hi || *lo > *hi)
                    warnings << r.where() + QStringLiteral(": bad range record");
                else
                    generatedRanges[*id] = ButlerTemperatureRange{*lo, *hi, 0};
                continue;
            }
            coefficientRecords.push_back(r);
        }
        collectCoefficients(coefficientRecords, generatedRows, warnings);
    }
    for (const auto& [id, c] : givenRows) {
        auto it = byId.find(id);
        if (it == byId.end())
            warnings << id.system + QStringLiteral(": rows of an unknown fit");
        else
            applyCoefficients(*it->second, c, false, warnings);
    }
    for (const auto& [id, c] : generatedRows) {
        auto it = byId.find(id);
        if (it == byId.end()) {
            warnings << id.system + QStringLiteral(": generated rows of an unknown fit");
            continue;
        }
        if (givenRows.count(id))
            continue; // hand-kept rows win
        if (applyCoefficients(*it->second, c, true, warnings)) {
            const auto range = generatedRanges.find(id);
            if (range != generatedRanges.end())
                it->second->fittedRange = range->second;
        }
    }
    // Links between fits.
    for (ButlerFit& f : cat.m_fits) {
        if (f.form == ButlerFit::Form::IsothermFit) {
            auto it = byId.find(FitId{f.system, ButlerFit::Use::Isotherm, 1});
            f.isothermFit = it == byId.end() ? nullptr : it->second;
            if (!f.isothermFit)
                warnings << f.system + QStringLiteral(": temperature fit refers to a missing isotherm fit");
        } else if (f.form == ButlerFit::Form::TernarySection) {
            const QStringList el = f.elements();
            if (el.size() != 3) {
                warnings << f.system + QStringLiteral(": a section needs three elements");
                continue;
            }
            auto a = byId.find(FitId{el[0] + QLatin1Char('-') + el[2], ButlerFit::Use::Isotherm, 1});
            auto b = byId.find(FitId{el[1] + QLatin1Char('-') + el[2], ButlerFit::Use::Temperature, 1});
            f.pairThirdFirst = a == byId.end() ? nullptr : a->second;
            f.pairSecondThird = b == byId.end() ? nullptr : b->second;
            if (f.pairSecondThird && f.pairSecondThird->form != ButlerFit::Form::Direct)
                f.pairSecondThird = nullptr;
        }
    }
    if (warningsOut)
        *warningsOut += warnings;
    return cat;
}

} // namespace korvel
