#pragma once
// The twelve viscosity models of the model panel, in the order of the model list.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace korvel {

class ViscosityModel {
public:
    static constexpr int Count = 12;

    // Position in the model list, 0..11.
    int index() const { return m_index; }
    // Caption in the model list, e.g. "Dravik (Drv)".
    QString caption() const;
    // Abbreviation used in curve titles and in the catalogue files, e.g. "Drv".
    QString abbreviation() const;

    // All twelve, in list order.
    static const std::array<ViscosityModel, Count>& all();
    // The twelve captions in list order (what the chart window puts into cbModel1).
    static QStringList captions();
    // The model whose caption equals the text exactly; none otherwise.
    static std::optional<ViscosityModel> fromCaption(const QString& text);
    // The model whose abbreviation equals the text exactly; none otherwise.
    static std::optional<ViscosityModel> fromAbbreviation(const QString& text);
    static ViscosityModel at(int index); // 0..11

    friend bool operator==(ViscosityModel a, ViscosityModel b) { return a.m_index == b.m_index; }

private:
    constexpr explicit ViscosityModel(int index) : m_index(index) {}
    int m_index = 0;
};

} // namespace korvel
