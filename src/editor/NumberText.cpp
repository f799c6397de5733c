#include "editor/NumberText.h"

#include <limits>

namespace zv {

std::int32_t TextToNumber(const QString& text) {
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return 0;
    }
    return static_cast<std::int32_t>(value);
}

QString NumberToText(std::int32_t n) {
    return QString::number(n);
}

}  // namespace zv
