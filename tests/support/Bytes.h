#pragma once
// Expected file bytes written down by hand: 32-bit little-endian values.
#include <QByteArray>

#include <cstdint>
#include <initializer_list>

inline QByteArray Ints(std::initializer_list<std::int32_t> values) {
    QByteArray b;
    for (std::int32_t v : values)
        for (int i = 0; i < 4; ++i)
            b.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
    return b;
}
