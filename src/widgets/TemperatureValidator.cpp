#include "TemperatureValidator.h"

namespace korvel {

QValidator::State TemperatureValidator::validate(QString& input, int& pos) const
{
    QString kept;
    int keptPos = 0;
    for (int i = 0; i < input.size(); ++i) {
        if (input.at(i).isSpace())
            continue;
        kept += input.at(i);
        if (i < pos)
            ++keptPos;
    }
    if (kept.size() > MaxLength)
        return Invalid;
    input = kept;
    pos = keptPos;
    return Acceptable;
}

} // namespace korvel
