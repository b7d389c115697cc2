#pragma once

#include <QString>

// The general number format with `precision` significant digits: fixed
// notation when the value has at most `precision` digits before the point and
// is at least 0.00001, else a mantissa and "E" exponent ("2.5E3", "9.54E-7");
// no trailing zeros, no bare point; decimalPoint separates the fraction.
QString GeneralNumber(double value, int precision, const QString& decimalPoint);
