#include "shapes/Archive.h"

#include <QStringDecoder>

#include <cstring>

#include "gdi/BinaryIO.h"
#include "shapes/Unit.h"

namespace zv {

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
// Longest class name accepted on reading (our longest is 15 characters).
constexpr std::uint16_t kMaxClassNameLength = 64;

bool InStoredRange(std::int32_t v) {
    return v >= -kMaxStoredCoordinate && v <= kMaxStoredCoordinate;
}

}  // namespace

CArchive::CArchive(QByteArray* out) : storing_(true), out_(out) {
    buffer_.setBuffer(out_);
    buffer_.open(QIODevice::WriteOnly | QIODevice::Append);
    stream_.setDevice(&buffer_);
    UseFileByteOrder(stream_);
}

CArchive::CArchive(const QByteArray& in) : storing_(false) {
    buffer_.setData(in);
    buffer_.open(QIODevice::ReadOnly);
    stream_.setDevice(&buffer_);
    UseFileByteOrder(stream_);
}

CArchive::~CArchive() = default;

qint64 CArchive::BytesLeft() const {
    return zv::BytesLeft(stream_);
}

void CArchive::Flush() {}

bool CArchive::ReadU16(std::uint16_t& v) {
    v = 0;
    if (failed_ || !CanRead(stream_, 2)) return failed_ = true, false;
    quint16 q = 0;
    stream_ >> q;
    v = q;
    return true;
}

bool CArchive::ReadU32(std::uint32_t& v) {
    v = 0;
    if (failed_ || !CanRead(stream_, 4)) return failed_ = true, false;
    quint32 q = 0;
    stream_ >> q;
    v = q;
    return true;
}

void CArchive::Io(std::uint8_t& v) {
    if (storing_) {
        stream_ << quint8(v);
        return;
    }
    v = 0;
    if (failed_ || !CanRead(stream_, 1)) {
        failed_ = true;
        return;
    }
    quint8 q = 0;
    stream_ >> q;
    v = q;
}

void CArchive::Io(std::uint16_t& v) {
    if (storing_)
        stream_ << quint16(v);
    else
        ReadU16(v);
}

void CArchive::Io(std::uint32_t& v) {
    if (storing_)
        stream_ << quint32(v);
    else
        ReadU32(v);
}

void CArchive::Io(std::int32_t& v) {
    std::uint32_t u = static_cast<std::uint32_t>(v);
    Io(u);
    if (!storing_) v = static_cast<std::int32_t>(u);
}

void CArchive::Io(double& v) {
    if (storing_) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        stream_ << quint64(bits);
        return;
    }
    v = 0.0;
    if (failed_ || !CanRead(stream_, 8)) {
        failed_ = true;
        return;
    }
    quint64 bits = 0;
    stream_ >> bits;
    std::memcpy(&v, &bits, sizeof v);
}

void CArchive::Io(Point& p) {
    Io(p.x);
    Io(p.y);
    if (!storing_ && (!InStoredRange(p.x) || !InStoredRange(p.y))) failed_ = true;
}

void CArchive::IoLength(std::int32_t& v) {
    Io(v);
    if (!storing_ && !InStoredRange(v)) failed_ = true;
}

void CArchive::WriteCount(std::uint32_t n) {
    if (n < 0xFFFF) {
        stream_ << quint16(n);
    } else {
        stream_ << quint16(0xFFFF) << quint32(n);
    }
}

bool CArchive::ReadCount(std::uint32_t& n, qint64 minItemBytes) {
    n = 0;
    std::uint16_t small = 0;
    if (!ReadU16(small)) return false;
    if (small != 0xFFFF) {
        n = small;
    } else if (!ReadU32(n)) {
        return false;
    }
    if (static_cast<qint64>(n) * minItemBytes > BytesLeft()) {
        n = 0;
        failed_ = true;
        return false;
    }
    return true;
}

void CArchive::Io(std::vector<Point>& points) {
    if (storing_) {
        WriteCount(static_cast<std::uint32_t>(points.size()));
        for (Point& p : points) Io(p);
        return;
    }
    points.clear();
    std::uint32_t n = 0;
    if (!ReadCount(n, 8)) return;
    points.resize(n);
    for (Point& p : points) Io(p);
    if (failed_) points.clear();
}

void CArchive::IoString(QByteArray& s) {
    if (storing_) {
        const qint64 n = s.size();
        if (n < 0xFF) {
            stream_ << quint8(n);
        } else if (n < 0xFFFE) {
            stream_ << quint8(0xFF) << quint16(n);
        } else {
            stream_ << quint8(0xFF) << quint16(0xFFFF) << quint32(n);
        }
        WriteRaw(stream_, s.constData(), n);
        return;
    }
    s.clear();
    // One byte below 0xFF; else 16 bits below 0xFFFF; else 32 bits. A 16-bit 0xFFFE
    // marks UTF-16 characters, and the length starts over.
    const auto readLength = [this](std::uint32_t& n, bool& wide) {
        std::uint8_t b = 0;
        Io(b);
        n = b;
        if (b < 0xFF) return;
        std::uint16_t w = 0;
        ReadU16(w);
        if (w == 0xFFFE) {
            wide = true;
            Io(b);
            n = b;
            if (b < 0xFF) return;
            ReadU16(w);
        }
        n = w;
        if (w == 0xFFFF) ReadU32(n);
    };
    std::uint32_t n = 0;
    bool wide = false;
    readLength(n, wide);
    const qint64 bytes = static_cast<qint64>(n) * (wide ? 2 : 1);
    if (failed_ || bytes > BytesLeft()) {
        failed_ = true;
        return;
    }
    QByteArray raw;
    if (!ReadRaw(stream_, bytes, raw)) {
        failed_ = true;
        return;
    }
    if (wide) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        s = QString(utf16(raw)).toUtf8();
    } else {
        s = raw;
    }
}

void CArchive::WriteTag(std::uint32_t index, bool isClass) {
    if (index < kBigObjectTag) {
        stream_ << quint16(isClass ? (kClassTag | index) : index);
    } else {
        stream_ << quint16(kBigObjectTag) << quint32(isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteObject(const CUnit* object) {
    if (!object) {
        stream_ << quint16(kNullTag);
        return;
    }
    if (const auto seen = storeMap_.find(object); seen != storeMap_.end()) {
        WriteTag(seen->second, false);
        return;
    }
    const ShapeClass& cls = object->GetRuntimeClass();
    if (const auto known = storeMap_.find(&cls); known != storeMap_.end()) {
        WriteTag(known->second, true);
    } else {
        const auto nameLength = static_cast<std::uint16_t>(std::strlen(cls.name));
        stream_ << quint16(kNewClassTag) << quint16(cls.schema) << quint16(nameLength);
        WriteRaw(stream_, cls.name, nameLength);
        storeMap_[&cls] = nextIndex_++;
    }
    storeMap_[object] = nextIndex_++;
    // Serialize only writes when storing; the record is not changed.
    const_cast<CUnit*>(object)->Serialize(*this);
}

bool CArchive::ReadObject(ObjectRef& ref) {
    ref = ObjectRef{};
    std::uint16_t tag = 0;
    if (!ReadU16(tag)) return false;
    std::uint32_t obTag = 0;
    if (tag == kBigObjectTag) {
        if (!ReadU32(obTag)) return false;
    } else {
        obTag = (static_cast<std::uint32_t>(tag & kClassTag) << 16) | (tag & ~kClassTag);
    }

    const ShapeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        std::uint16_t schema = 0, length = 0;
        if (!ReadU16(schema) || !ReadU16(length)) return false;
        QByteArray name;
        if (length > kMaxClassNameLength || !ReadRaw(stream_, length, name))
            return failed_ = true, false;
        cls = FindShapeClass(
            std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
        if (!cls || cls->schema != schema) return failed_ = true, false;
        loadMap_.push_back({cls, nullptr});
    } else if (!(obTag & kBigClassTag)) {
        if (obTag == 0) return true;
        if (obTag >= loadMap_.size() || !loadMap_[obTag].object) return failed_ = true, false;
        ref.kind = RefKind::Existing;
        ref.existing = loadMap_[obTag].object;
        return true;
    } else {
        const std::uint32_t index = obTag & ~kBigClassTag;
        if (index == 0 || index >= loadMap_.size() || !loadMap_[index].cls ||
            loadMap_[index].object)
            return failed_ = true, false;
        cls = loadMap_[index].cls;
    }

    std::unique_ptr<CUnit> object = cls->make();
    loadMap_.push_back({nullptr, object.get()});
    object->Serialize(*this);
    if (failed_) {
        loadMap_.back().object = nullptr;
        return false;
    }
    ref.kind = RefKind::Created;
    ref.created = std::move(object);
    return true;
}

}  // namespace zv
