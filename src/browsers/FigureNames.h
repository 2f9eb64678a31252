#pragma once
// How the figure browsers name the pictures of the document tree. The program
// finds a figure only by its file name:
//   <key>_<system>_<tail>.jpg      a publication's figure of a binary system
//   <key>_<section>_<tail>.jpg     ... of a section of a multicomponent system
//   <system>_<tail>.jpg            a pure metal's figure, a viscosity-model figure
// where the tail is property code + sub-property code + axis code + model code
// (DX, STXBut, ERYT, LXModel, ...). Meniscographic pictures are named
//   <source>_<system>_<kind>_<designation>.jpg
// Nothing here touches a window; the browsers feed it the user's choices.
#include <QList>
#include <QString>
#include <QStringList>

namespace korvel::figures {

// The display mode of the selection window's four check boxes.
struct DisplayMode {
    bool isotherms = true;   // chbX
    bool temperature = false; // chbTemp
    bool isosurface = false; // chbIsosurface
    bool model = false;      // chbButler
};

// One kind of publication figure that the figure list can offer.
struct FigureKind {
    QString text;   // what the list shows
    QString code;   // property and sub-property code
    QString axis;   // "X", "T" or "I"
    QString ending; // ".jpg" or "But.jpg"
    QString fileSuffix() const { return code + axis + ending; }
};

// The 25 kinds in the order the list offers them.
const QList<FigureKind>& publicationKinds();
// "Contact or wetting angle", "Wetting force", "Wetting time", "Interfacial tension".
const QStringList& meniscusKinds();

// Property code: "Density" -> "D", ..., "Mechanical properties" -> "M"; empty for others.
QString propertyCode(const QString& property);
// Sub-property code: "Resistance" -> "RE", ..., "Hardness" -> "H"; empty for others.
QString subPropertyCode(const QString& subProperty);
// The sub-properties the browser offers for a property (empty: the list is disabled).
QStringList subPropertiesOf(const QString& property);
// Axis code, later boxes winning: isotherms "X", temperature "T", isosurface "I".
QString axisCode(const DisplayMode& mode);
// "But" for surface tension and "Model" for viscosity when "Model" is checked.
QString modelCode(const QString& property, bool model);
QString tail(const QString& property, const QString& subProperty, const DisplayMode& mode);

enum class ClassKind { PureMetals, Binary, Sections };
ClassKind classKindOf(const QString& className);

// The section as it enters a file name: the chooser's text with every "/" as "_".
QString sectionName(const QString& chosenText);
// Every name below stands in its folder: a path separator in a text of the
// database (system, key, section, source) becomes "_".

// File names without folder and extension; alternative is empty except for pure metals.
struct FigureNames {
    QString primary;
    QString alternative;
};
FigureNames figureNames(ClassKind kind, const QString& systemName, const QString& publicationKey,
                        const QString& section, const QString& tail, const QString& property, bool model);

// DatabaseDir/Fig/<class>/<system>/ and DatabaseDir/Menisk/<class>/<system>/, with a trailing separator.
QString figureFolder(const QString& databaseDir, const QString& className, const QString& systemName);
QString meniscusFolder(const QString& databaseDir, const QString& className, const QString& systemName);

// The figure-list prefix: folder + key + "_" + system + "_".
QString figureListPrefix(const QString& figureFolder, const QString& publicationKey, const QString& systemName);
// The kinds whose file prefix + code + axis + ending exists, in table order.
QList<FigureKind> offeredKinds(const QString& prefix);
// Whether the figure folder holds any picture of the property: a .jpg whose
// tail (the text after the name's last "_") begins with the property code.
bool holdsFiguresOf(const QString& figureFolder, const QString& property);

// source + "_" + system + "_" + kind + "_" + designation + ".jpg" (no folder).
QString meniscusPictureName(const QString& source, const QString& systemName, const QString& kind,
                            const QString& designation);
// The kinds for which the folder holds at least one source_system_kind_*.jpg, in list order.
QStringList offeredMeniscusKinds(const QString& folder, const QString& source, const QString& systemName);

} // namespace korvel::figures
