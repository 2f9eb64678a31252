#pragma once
// The three text files of the chart window's "Save data" menu: equations,
// calculated values and the viscosity-model results. Each is assembled here as
// a list of lines from plain values the window gathers; ExportFile writes it.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

namespace korvel::exports {

// The institute line of the banner: the equations file of pure metals and
// binary systems reads "Halvoren of", every other file "Halvoren".
QString instituteOf();
QString institute();

// The start window's captions as they read at the moment of export.
struct ExportBanner {
    QString title;    // "KORVEL 3"
    QString subtitle; // "Database of physicochemical properties of alloys"
    QString authors;  // the author line

    // Eight lines: rule, title, subtitle plus one space, authors, institute,
    // "Vestmark", rule, empty line.
    QStringList lines(const QString& instituteLine) const;
};

// One publication's bibliographic record; an absent piece is a NULL column.
struct PublicationReference {
    std::optional<QString> key;     // OZNACZENIE
    std::optional<QString> authors; // NAZWISKA
    std::optional<QString> title;   // TYTUL
    std::optional<QString> journal; // CZASOPISMO
    std::optional<QString> volume;  // WOLUMIN
    std::optional<int> year;        // ROK
    std::optional<QString> pages;   // STRONY

    // Reads the seven columns by name; a NULL or missing value leaves its piece out.
    static PublicationReference fromColumns(const std::function<QVariant(const QString&)>& column);

    // "key  authors, title, journal, VolN, (year) pp.pages" with every NULL piece
    // left out together with its decorations.
    QString line() const;
};

// What every file starts with after the banner.
struct ExportHeading {
    ExportBanner banner;
    QString propertyName; // selection window's property text
    QString systemName;   // selection window's system text
    QString axisLabel;    // XP, the composition-axis label
    bool highClass = false; // ternary and higher: equations per eutectic section
    PublicationReference reference;
};

// "Density of Ag-Sn system"
QString titleLine(const QString& propertyName, const QString& systemName);

struct EquationRow {
    double x = 0;
    double a = 0;
    double b = 0;          // B, or the activation energy E for viscosity
    QString section;       // UKLAD, classes 3 and above
};

QStringList equationsLines(const ExportHeading& heading, const QList<EquationRow>& rows);
QString equationsFileName(const QString& publicationKey, const QString& propertyName);

struct ValueRow {
    double x = 0;
    double value = 0;
    QString system;        // SYSTEM, classes 3 and above
    QString mark;          // "(extrapolated)" for a value outside its equation's range, else empty
};

// The rows of one calculated isotherm, with its temperature as typed.
struct IsothermBlock {
    QString temperatureText;
    QList<ValueRow> rows;
};

// Blocks are written in the order given: the window passes those of T1..T4 that
// have been calculated.
QStringList calculatedValueLines(const ExportHeading& heading, const QString& leftAxisTitle,
                                 const QList<IsothermBlock>& blocks);
QString calculatedValueFileName(const QString& publicationKey, const QString& propertyName);

// Banner, then the model buffer's lines and one empty line (the buffer's text
// ends in a line break of its own).
QStringList viscosityModelLines(const ExportBanner& banner, const QStringList& bufferLines);
QString viscosityModelFileName(const QString& systemName);

// The lines of a hidden text buffer: an empty buffer has none.
QStringList bufferLines(const QString& plainText);

// The message when the equations have not been shown yet.
QString equationsNotShownMessage();

} // namespace korvel::exports
