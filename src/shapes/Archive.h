#pragma once
// The object archive in which the frame's shapes are stored: little-endian values,
// 16-bit counts, length-prefixed strings and object references with class tags.
//
// Object references: a null pointer is 0x0000; the first object of a new class is
// tagged 0xFFFF followed by the schema, the name length and the class name; the
// first object of a known class is tagged 0x8000 | class index; an object written
// before is its index alone. Classes and objects share one running index from 1;
// indexes of 0x7FFF and above use the escape 0x7FFF and a 32-bit value (bit 31 set
// for a class).
//
// Reading trusts nothing: every failure (short data, an unknown class, a bad index,
// a count or string longer than what is left) marks the archive failed; later reads
// give zeros and the caller discards what it built.

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "gdi/Geometry.h"

namespace zv {

class CUnit;
struct ShapeClass;

// Coordinates and lengths read from a record must lie within this many units of 0;
// anything larger never comes from drawing with a mouse, and refusing it keeps all
// shape arithmetic far from overflow.
constexpr std::int32_t kMaxStoredCoordinate = 1 << 24;

class CArchive {
public:
    // Store mode: appends to `out`.
    explicit CArchive(QByteArray* out);
    // Load mode: reads `in`, which must outlive the archive.
    explicit CArchive(const QByteArray& in);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }
    qint64 BytesLeft() const;
    // Makes sure the buffered bytes are in the output array.
    void Flush();

    // One value in either direction: written when storing, read when loading.
    void Io(std::uint8_t& v);
    void Io(std::uint16_t& v);
    void Io(std::uint32_t& v);
    void Io(std::int32_t& v);
    void Io(double& v);
    void Io(Point& p);  // both coordinates range-checked when read
    // A width, radius or extent, range-checked when read.
    void IoLength(std::int32_t& v);

    // Element counts: 16 bits, or 0xFFFF and 32 bits from 0xFFFF on. Reading fails
    // when `minItemBytes` per element could not fit in what is left.
    void WriteCount(std::uint32_t n);
    bool ReadCount(std::uint32_t& n, qint64 minItemBytes);

    // A point list: count, then x and y of each point.
    void Io(std::vector<Point>& points);

    // A string of single-byte characters with the archive's length prefix (one byte,
    // or 0xFF and 16 bits, or 0xFF 0xFFFF and 32 bits). A UTF-16 string (marker 0xFF
    // 0xFFFE before the length) is read too and comes back converted to UTF-8.
    void IoString(QByteArray& s);

    // Object references.
    void WriteObject(const CUnit* object);
    enum class RefKind { Null, Created, Existing };
    struct ObjectRef {
        RefKind kind = RefKind::Null;
        std::unique_ptr<CUnit> created;  // a new object, already read
        CUnit* existing = nullptr;       // an object read earlier in this archive
    };
    // False (and the archive failed) on any bad tag, class or record.
    bool ReadObject(ObjectRef& ref);

private:
    void WriteTag(std::uint32_t index, bool isClass);
    bool ReadU16(std::uint16_t& v);
    bool ReadU32(std::uint32_t& v);

    bool storing_;
    bool failed_ = false;
    QByteArray* out_ = nullptr;
    QBuffer buffer_;
    QDataStream stream_;
    std::uint32_t nextIndex_ = 1;
    std::unordered_map<const void*, std::uint32_t> storeMap_;
    struct LoadEntry {
        const ShapeClass* cls = nullptr;
        CUnit* object = nullptr;
    };
    std::vector<LoadEntry> loadMap_{LoadEntry{}};  // entry 0: the null reference
};

}  // namespace zv
