#include "editor/PositionInput.h"

#include <Qt>

#include "editor/NumberText.h"
#include "gdi/WindowMessages.h"

namespace zv {

namespace {

// Splits at the first comma, or at the first blank when there is no comma.
bool SplitNumbers(const QString& s, QString& head, QString& tail) {
    qsizetype at = s.indexOf(QLatin1Char(','));
    if (at < 0) at = s.indexOf(QLatin1Char(' '));
    if (at < 0) return false;
    head = s.left(at);
    tail = s.mid(at + 1);
    return true;
}

}  // namespace

ParsedPosition ParsePositionText(const QString& text) {
    ParsedPosition r;
    if (text.size() < 2) return r;
    const QChar prefix = text.at(0);
    const QChar sep = text.at(1);
    if (prefix < QLatin1Char('1') || prefix > QLatin1Char('4')) return r;
    if (sep != QLatin1Char(' ') && sep != QLatin1Char(',')) return r;
    const int n = prefix.unicode() - '0';
    const QString rest = text.mid(2);
    QString xs, tail;
    if (!SplitNumbers(rest, xs, tail)) {
        r.code = 2 * n;
        return r;
    }
    r.x = TextToNumber(xs);
    if (n == 4) {
        QString ys, as;
        if (!SplitNumbers(tail, ys, as)) {
            r.code = 2 * n;
            return r;
        }
        r.y = TextToNumber(ys);
        r.a = TextToNumber(as);
    } else {
        r.y = TextToNumber(tail);
    }
    r.code = 2 * n - 1;
    return r;
}

std::optional<SimMessage> PositionKeyMessage(PositionKind kind, int key, const QString& text) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool escape = key == Qt::Key_Escape;
    if (!enter && !escape) return std::nullopt;
    switch (kind) {
        case PositionKind::Points: {
            if (escape) return SimMessage{UM_SIM_FINISH, 0, 0};
            const ParsedPosition p = ParsePositionText(text);
            if (p.code == 1) return SimMessage{UM_SIM_CLICK, p.x, p.y};
            if (p.code == 3) return SimMessage{UM_SIM_DOUBLE_CLICK, p.x, p.y};
            return std::nullopt;
        }
        case PositionKind::MoveTo: {
            if (escape) return SimMessage{UM_SIM_MOVE_CANCEL, 0, 0};
            const ParsedPosition p = ParsePositionText(text);
            if (p.code == 5) return SimMessage{UM_SIM_MOVE_TO, p.x, p.y};
            return std::nullopt;
        }
        case PositionKind::Rotate: {
            if (escape) return SimMessage{UM_SIM_ROTATE_CANCEL, 0, 0};
            const ParsedPosition p = ParsePositionText(text);
            if (p.code == 7) return SimMessage{UM_SIM_ROTATE, p.a, std::int64_t{p.x} * 65536 + p.y};
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace zv
