#pragma once
// What the database holds for one system, for the selection window to say
// before the user digs: per property the publications that give equations
// (measured ones and those the build calculated, whose keys begin "[calc"),
// the literature figures per property and the meniscographic sources.
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

namespace korvel {

struct PropertyHoldings {
    int measured = 0;   // publications of measured data
    int calculated = 0; // publications the build derived ("[calc…]")
    int figures = 0;    // literature figures (FIG)
};

struct SystemHoldings {
    bool ok = false; // false when the tables could not be read
    QMap<QString, PropertyHoldings> byProperty; // by WLASNOSCI.WLASNOSC
    int meniscusSources = 0;
    PropertyHoldings of(const QString& property) const { return byProperty.value(property); }
};

// Reads the holdings of the system with this ID_TAB_UKL on the named connection.
SystemHoldings readSystemHoldings(const QString& connectionName, const QVariant& systemId);

} // namespace korvel
