#pragma once
// Little helpers to write expected archive bytes by hand in tests.

#include <QByteArray>

#include <cstdint>
#include <initializer_list>

namespace zv::test {

class Bytes {
public:
    Bytes& u8(std::uint8_t v) {
        data_.append(static_cast<char>(v));
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& i32s(std::initializer_list<std::int32_t> vs) {
        for (std::int32_t v : vs) i32(v);
        return *this;
    }
    Bytes& text(const char* s) {
        data_.append(s);
        return *this;
    }
    Bytes& raw(const QByteArray& b) {
        data_.append(b);
        return *this;
    }
    // A new-class tag with schema 1.
    Bytes& newClass(const char* name) {
        return u16(0xFFFF).u16(1).u16(static_cast<std::uint16_t>(qstrlen(name))).text(name);
    }
    // The 40-byte common head.
    Bytes& head(std::uint32_t penColour, std::uint32_t penStyle, std::int32_t penWidth,
                std::int32_t drawMode, std::int32_t backMode, std::uint32_t backColour, int x1,
                int y1, int x2, int y2) {
        return u32(penColour)
            .u32(penStyle)
            .i32(penWidth)
            .i32(drawMode)
            .i32(backMode)
            .u32(backColour)
            .i32s({x1, y1, x2, y2});
    }
    const QByteArray& data() const { return data_; }
    operator QByteArray() const { return data_; }

private:
    QByteArray data_;
};

}  // namespace zv::test
