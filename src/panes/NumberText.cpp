#include "panes/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void stripZeros(std::string& digits)
{
    const std::size_t point = digits.find('.');
    if (point == std::string::npos)
        return;
    std::size_t end = digits.size();
    while (end > point + 1 && digits[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end;
    digits.resize(end);
}

QString withPoint(const std::string& digits, const QString& decimalPoint)
{
    QString text = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
    if (decimalPoint != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}

} // namespace

QString GeneralNumber(double value, int precision, const QString& decimalPoint)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    char buffer[64];
    // The exponent after rounding to `precision` digits decides the notation.
    std::snprintf(buffer, sizeof buffer, "%.*E", precision - 1, value);
    std::string scientific(buffer);
    const std::size_t e = scientific.find('E');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (exponent < precision && std::fabs(value) >= 0.00001) {
        const int decimals = std::max(0, precision - 1 - exponent);
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        std::string fixed(buffer);
        stripZeros(fixed);
        return withPoint(fixed, decimalPoint);
    }
    std::string mantissa = scientific.substr(0, e);
    stripZeros(mantissa);
    return withPoint(mantissa + "E" + std::to_string(exponent), decimalPoint);
}
