#include "FigureNames.h"

#include "core/Directories.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace korvel::figures {

namespace {
// A text of the database as part of a file name: a path separator in it (an
// imported key "../x") becomes "_", so a picture is only ever looked for in
// its own folder.
QString namePart(const QString& text)
{
    if (text == QLatin1String(".") || text == QLatin1String(".."))
        return QStringLiteral("_");
    QString part = text;
    return part.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
}
} // namespace

const QList<FigureKind>& publicationKinds()
{
    static const QString jpg = QStringLiteral(".jpg");
    static const QString but = QStringLiteral("But.jpg");
    static const QList<FigureKind> kinds = {
        {QStringLiteral("Isotherms of density"), QStringLiteral("D"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of density"), QStringLiteral("D"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of surface tension"), QStringLiteral("ST"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of surface tension"), QStringLiteral("ST"), QStringLiteral("T"), jpg},
        {QStringLiteral("Butler model of Isotherms of surface tension"), QStringLiteral("ST"), QStringLiteral("X"), but},
        {QStringLiteral("Isosurface tension"), QStringLiteral("ST"), QStringLiteral("I"), but},
        {QStringLiteral("Butler model of Temperature dependences of surface tension"), QStringLiteral("ST"), QStringLiteral("T"), but},
        {QStringLiteral("Isotherms of molar volume"), QStringLiteral("V"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of molar volume"), QStringLiteral("V"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of viscosity"), QStringLiteral("L"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of viscosity"), QStringLiteral("L"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of resistance"), QStringLiteral("ERE"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of resistance"), QStringLiteral("ERE"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of resistivity"), QStringLiteral("ERY"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of resistivity"), QStringLiteral("ERY"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of thermal conductivity"), QStringLiteral("ETC"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of thermal conductivity"), QStringLiteral("ETC"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of shear strength"), QStringLiteral("MSS"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of shear strength"), QStringLiteral("MSS"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of tensile strength"), QStringLiteral("MTS"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of tensile strength"), QStringLiteral("MTS"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of Yang's modulus"), QStringLiteral("MYM"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of Yang's modulus"), QStringLiteral("MYM"), QStringLiteral("T"), jpg},
        {QStringLiteral("Isotherms of hardness"), QStringLiteral("MH"), QStringLiteral("X"), jpg},
        {QStringLiteral("Temperature dependences of hardness"), QStringLiteral("MH"), QStringLiteral("T"), jpg},
    };
    return kinds;
}

const QStringList& meniscusKinds()
{
    static const QStringList kinds = {QStringLiteral("Contact or wetting angle"), QStringLiteral("Wetting force"),
                                      QStringLiteral("Wetting time"), QStringLiteral("Interfacial tension")};
    return kinds;
}

QString propertyCode(const QString& property)
{
    static const QHash<QString, QString> codes = {
        {QStringLiteral("Density"), QStringLiteral("D")},
        {QStringLiteral("Surface tension"), QStringLiteral("ST")},
        {QStringLiteral("Molar volume"), QStringLiteral("V")},
        {QStringLiteral("Viscosity"), QStringLiteral("L")},
        {QStringLiteral("Electrical properties"), QStringLiteral("E")},
        {QStringLiteral("Mechanical properties"), QStringLiteral("M")},
    };
    return codes.value(property);
}

QString subPropertyCode(const QString& subProperty)
{
    static const QHash<QString, QString> codes = {
        {QStringLiteral("Resistance"), QStringLiteral("RE")},
        {QStringLiteral("Resistivity"), QStringLiteral("RY")},
        {QStringLiteral("Thermal conductivity"), QStringLiteral("TC")},
        {QStringLiteral("Shear Strength"), QStringLiteral("SS")},
        {QStringLiteral("Tensile Strength"), QStringLiteral("TS")},
        {QStringLiteral("Young's Modulus"), QStringLiteral("YM")},
        {QStringLiteral("Hardness"), QStringLiteral("H")},
    };
    return codes.value(subProperty);
}

QStringList subPropertiesOf(const QString& property)
{
    if (property == QLatin1String("Electrical properties"))
        return {QStringLiteral("Resistance"), QStringLiteral("Resistivity"), QStringLiteral("Thermal conductivity")};
    if (property == QLatin1String("Mechanical properties"))
        return {QStringLiteral("Hardness"), QStringLiteral("Shear Strength"), QStringLiteral("Tensile Strength"),
                QStringLiteral("Young's Modulus")};
    return {};
}

QString axisCode(const DisplayMode& mode)
{
    QString code;
    if (mode.isotherms)
        code = QStringLiteral("X");
    if (mode.temperature)
        code = QStringLiteral("T");
    if (mode.isosurface)
        code = QStringLiteral("I");
    return code;
}

QString modelCode(const QString& property, bool model)
{
    if (!model)
        return {};
    if (property == QLatin1String("Surface tension"))
        return QStringLiteral("But");
    if (property == QLatin1String("Viscosity"))
        return QStringLiteral("Model");
    return {};
}

QString tail(const QString& property, const QString& subProperty, const DisplayMode& mode)
{
    const QString sub = subPropertiesOf(property).isEmpty() ? QString() : subPropertyCode(subProperty);
    return propertyCode(property) + sub + axisCode(mode) + modelCode(property, mode.model);
}

ClassKind classKindOf(const QString& className)
{
    if (className == QLatin1String("Pure metals"))
        return ClassKind::PureMetals;
    if (className == QLatin1String("Binary systems"))
        return ClassKind::Binary;
    return ClassKind::Sections;
}

QString sectionName(const QString& chosenText)
{
    QString section = chosenText;
    return section.replace(QLatin1Char('/'), QLatin1Char('_'));
}


FigureNames figureNames(ClassKind kind, const QString& rawSystem, const QString& rawKey,
                        const QString& rawSection, const QString& rawTail, const QString& property, bool model)
{
    const QString systemName = namePart(rawSystem);
    const QString publicationKey = namePart(rawKey);
    const QString section = namePart(rawSection);
    const QString tail = namePart(rawTail);
    const QString u = QStringLiteral("_");
    FigureNames names;
    switch (kind) {
    case ClassKind::PureMetals:
        names.primary = systemName + u + tail;
        names.alternative = publicationKey + u + systemName + u + tail;
        break;
    case ClassKind::Binary:
        names.primary = publicationKey + u + systemName + u + tail;
        break;
    case ClassKind::Sections:
        names.primary = publicationKey + u + section + u + tail;
        break;
    }
    // A viscosity-model figure belongs to the system, not to a publication.
    if (model && property == QLatin1String("Viscosity"))
        names.primary = systemName + u + tail;
    return names;
}

namespace {
QString documentFolder(const QString& databaseDir, const QString& kind, const QString& className, const QString& systemName)
{
    return dirs::join(dirs::join(dirs::join(databaseDir, kind), namePart(className)), namePart(systemName)) + QDir::separator();
}

// The .jpg files of a folder whose names begin with the prefix. The prefix is
// compared as text: keys such as "[2001Abc1]" would be wildcards to a name filter.
bool anyJpegStartingWith(const QString& folder, const QString& namePrefix)
{
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString& file : files)
        if (file.startsWith(namePrefix) && file.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace

QString figureFolder(const QString& databaseDir, const QString& className, const QString& systemName)
{
    return documentFolder(databaseDir, QStringLiteral("Fig"), className, systemName);
}

QString meniscusFolder(const QString& databaseDir, const QString& className, const QString& systemName)
{
    return documentFolder(databaseDir, QStringLiteral("Menisk"), className, systemName);
}

QString figureListPrefix(const QString& figureFolder, const QString& publicationKey, const QString& systemName)
{
    return figureFolder + namePart(publicationKey) + QLatin1Char('_') + namePart(systemName) + QLatin1Char('_');
}

QList<FigureKind> offeredKinds(const QString& prefix)
{
    QList<FigureKind> offered;
    for (const FigureKind& kind : publicationKinds())
        if (QFileInfo(prefix + kind.fileSuffix()).isFile())
            offered << kind;
    return offered;
}

bool holdsFiguresOf(const QString& figureFolder, const QString& property)
{
    const QString code = propertyCode(property);
    if (code.isEmpty())
        return false;
    const QStringList files = QDir(figureFolder).entryList(QDir::Files);
    for (const QString& file : files) {
        if (!file.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            continue;
        const QString base = file.chopped(4);
        const qsizetype cut = base.lastIndexOf(QLatin1Char('_'));
        if (cut >= 0 && base.mid(cut + 1).startsWith(code))
            return true;
    }
    return false;
}

QString meniscusPictureName(const QString& source, const QString& systemName, const QString& kind,
                            const QString& designation)
{
    const QChar u = QLatin1Char('_');
    return namePart(source) + u + namePart(systemName) + u + namePart(kind) + u + namePart(designation) + QStringLiteral(".jpg");
}

QStringList offeredMeniscusKinds(const QString& folder, const QString& source, const QString& systemName)
{
    QStringList offered;
    for (const QString& kind : meniscusKinds()) {
        const QChar u = QLatin1Char('_');
        if (anyJpegStartingWith(folder, namePart(source) + u + namePart(systemName) + u + kind + u))
            offered << kind;
    }
    return offered;
}

} // namespace korvel::figures
