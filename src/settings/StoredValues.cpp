#include "StoredValues.h"

#include <cmath>

namespace bv {

namespace {

// Far beyond any desktop, yet small enough that pixels stay well inside an int.
constexpr double kMaxTwips = 1.0e8;

std::optional<double> storedNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> storedTwips(const QString& text) {
    const std::optional<double> value = storedNumber(text);
    if (!value || std::fabs(*value) > kMaxTwips)
        return std::nullopt;
    return static_cast<int>(std::lround(*value));
}

std::optional<int> storedCheck(const QString& text) {
    const std::optional<double> value = storedNumber(text);
    if (!value || (*value != 0.0 && *value != 1.0))
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<bool> storedBoolean(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> value = storedNumber(trimmed))
        return *value != 0.0;
    return std::nullopt;
}

} // namespace bv
