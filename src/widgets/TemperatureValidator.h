#pragma once
// The four-character temperature fields edT1..edT4: blanks are
// dropped before the length is counted, and a text longer than four characters
// is refused as a whole instead of being cut, so the temperature used is always
// the one typed (" 1273" is 1273 K, "99999" is never 9999 K).
#include <QValidator>

namespace korvel {

class TemperatureValidator : public QValidator {
public:
    static constexpr int MaxLength = 4;
    explicit TemperatureValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
};

} // namespace korvel
