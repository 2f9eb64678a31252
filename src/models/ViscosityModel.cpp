#include "ViscosityModel.h"

#include <stdexcept>

namespace korvel {

namespace {
struct Names {
    const char* caption;
    const char* abbreviation;
};
constexpr Names ModelNames[ViscosityModel::Count] = {
    {"Dravik (Drv)", "Drv"},
    {"Dravik-Marten (D-M)", "D-M"},
    {"Iida-Ueda-Morita_Gex (I-U-M_G)", "I-U-M_G"},
    {"Iida-Ueda-Morita_Hm (I-U-M_H)", "I-U-M_H"},
    {"Kaptay (Kap)", "Kap"},
    {"Kozlov-Romanov-Petrov (K-R-P)", "K-R-P"},
    {"Kucharski (Kuc)", "Kuc"},
    {"Moelwyn-Hughes (M-H)", "M-H"},
    {"Sato (Sat)", "Sat"},
    {"Schick-Brillo-Egry-Hallstedt (S-B-E-H)", "S-B-E-H"},
    {"Seetharaman-Sichen (S-S)", "S-S"},
    {"Sichen-Bygden-Seetharaman (S-B-S)", "S-B-S"},
};
} // namespace

QString ViscosityModel::caption() const { return QString::fromLatin1(ModelNames[m_index].caption); }

QString ViscosityModel::abbreviation() const { return QString::fromLatin1(ModelNames[m_index].abbreviation); }

const std::array<ViscosityModel, ViscosityModel::Count>& ViscosityModel::all()
{
    static const std::array<ViscosityModel, Count> models{
        ViscosityModel(0), ViscosityModel(1), ViscosityModel(2), ViscosityModel(3),
        ViscosityModel(4), ViscosityModel(5), ViscosityModel(6), ViscosityModel(7),
        ViscosityModel(8), ViscosityModel(9), ViscosityModel(10), ViscosityModel(11)};
    return models;
}

QStringList ViscosityModel::captions()
{
    QStringList list;
    for (const ViscosityModel& m : all())
        list << m.caption();
    return list;
}

std::optional<ViscosityModel> ViscosityModel::fromCaption(const QString& text)
{
    for (const ViscosityModel& m : all())
        if (m.caption() == text)
            return m;
    return std::nullopt;
}

std::optional<ViscosityModel> ViscosityModel::fromAbbreviation(const QString& text)
{
    for (const ViscosityModel& m : all())
        if (m.abbreviation() == text)
            return m;
    return std::nullopt;
}

ViscosityModel ViscosityModel::at(int index)
{
    if (index < 0 || index >= Count)
        throw std::out_of_range("viscosity model index");
    return ViscosityModel(index);
}

} // namespace korvel
