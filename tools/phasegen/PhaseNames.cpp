#include "PhaseNames.h"

#include "PainterStyle.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace korvel::phasegen {

namespace {

// Greek names a parameter file spells out, as letters.
QString greekLetter(const QString &word)
{
    static const std::map<QString, QString> letters{
        {QStringLiteral("ALPHA"), QStringLiteral("α")},   {QStringLiteral("BETA"), QStringLiteral("β")},
        {QStringLiteral("GAMMA"), QStringLiteral("γ")},   {QStringLiteral("DELTA"), QStringLiteral("δ")},
        {QStringLiteral("EPSILON"), QStringLiteral("ε")}, {QStringLiteral("ZETA"), QStringLiteral("ζ")},
        {QStringLiteral("ETA"), QStringLiteral("η")},     {QStringLiteral("THETA"), QStringLiteral("θ")},
    };
    const auto it = letters.find(word);
    return it == letters.end() ? QString() : it->second;
}

// "CU41SN11" -> "Cu41Sn11" when the text is a formula of the system's elements.
QString formula(const QString &upper, const std::vector<std::string> &elements)
{
    std::vector<QString> symbols;
    for (const std::string &e : elements)
        symbols.push_back(QString::fromStdString(e).toUpper());
    std::sort(symbols.begin(), symbols.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    QString out;
    int i = 0;
    bool any = false;
    while (i < upper.size()) {
        bool matched = false;
        for (const QString &s : symbols)
            if (upper.mid(i, s.size()) == s) {
                out += style::elementName(s.toStdString());
                i += int(s.size());
                matched = any = true;
                break;
            }
        if (!matched) {
            if (!upper.at(i).isDigit() || !any)
                return {};
            out += upper.at(i++);
        }
    }
    return out;
}

// Names a reader knows these phases by, where the file's name is a bare formula or a letter.
QString knownName(const QString &file, const QString &system)
{
    static const std::map<std::pair<QString, QString>, QString> bySystem{
        {{QStringLiteral("Ag-Sn"), QStringLiteral("EPSILON")}, QStringLiteral("Ag3Sn (ε)")},
    };
    static const std::map<QString, QString> anywhere{
        {QStringLiteral("CU6SN5"), QStringLiteral("Cu6Sn5 (η)")},
        {QStringLiteral("CU3SN"), QStringLiteral("Cu3Sn (ε)")},
        {QStringLiteral("AUSN"), QStringLiteral("AuSn (δ)")},
    };
    if (const auto it = bySystem.find({system, file}); it != bySystem.end())
        return it->second;
    if (const auto it = anywhere.find(file); it != anywhere.end())
        return it->second;
    return {};
}

} // namespace

QString conventionalPhaseName(const std::string &fileName, const std::vector<std::string> &elements, const FieldSpan &span)
{
    const QString name = QString::fromStdString(fileName).toUpper();
    if (name.startsWith(QLatin1String("LIQ")))
        return QStringLiteral("L");
    QStringList parts;
    for (const std::string &e : elements)
        parts << style::elementName(e);
    const QString system = parts.join(QLatin1Char('-'));
    if (const QString known = knownName(name, system); !known.isEmpty())
        return known;
    // A crystal-structure name (FCC_A1, BCT_A5, RHOMBO_A7): the solid solution of the end it reaches.
    static const QRegularExpression structure(QStringLiteral("^[A-Z]+_[A-D][0-9]+$"));
    if (structure.match(name).hasMatch()) {
        if (span.known() && elements.size() >= 2) {
            if (span.xLeft <= 0.02)
                return QLatin1Char('(') + style::elementName(elements[0]) + QLatin1Char(')');
            if (span.xRight >= 0.98)
                return QLatin1Char('(') + style::elementName(elements[1]) + QLatin1Char(')');
        }
        return name;
    }
    if (const QString letter = greekLetter(name); !letter.isEmpty())
        return letter;
    // FORMULA_GREEK (AU5SN_ZETA) and bare formulae (CU41SN11).
    const qsizetype underscore = name.lastIndexOf(QLatin1Char('_'));
    if (underscore > 0) {
        const QString f = formula(name.left(underscore), elements);
        const QString letter = greekLetter(name.mid(underscore + 1));
        if (!f.isEmpty() && !letter.isEmpty())
            return f + QStringLiteral(" (") + letter + QLatin1Char(')');
        if (!f.isEmpty())
            return f + name.mid(underscore); // a suffix of the file's own (CU6SN5_L -> Cu6Sn5_L)
    }
    if (const QString f = formula(name, elements); !f.isEmpty())
        return f;
    return name;
}

std::string phaseNamesLine(const std::vector<std::pair<std::string, QString>> &used)
{
    std::map<std::string, QStringList> byFile;
    for (const auto &[file, shown] : used)
        if (shown != QString::fromStdString(file) && !byFile[file].contains(shown)) // names kept as they are need no key
            byFile[file] << shown;
    QStringList parts;
    for (auto &[file, shown] : byFile) {
        if (shown.isEmpty())
            continue;
        shown.sort();
        parts << shown.join(QStringLiteral(", ")) + QStringLiteral(" = ") + QString::fromStdString(file);
    }
    return (QStringLiteral("Phase names on the diagram: ") + parts.join(QStringLiteral("; "))).toStdString();
}

} // namespace korvel::phasegen
