#include "gdi/BinaryIO.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace zv {

void UseFileByteOrder(QDataStream& s) {
    s.setByteOrder(QDataStream::LittleEndian);
}

qint64 BytesLeft(const QDataStream& s) {
    const QIODevice* d = s.device();
    if (!d) return 0;
    if (d->isSequential()) return -1;
    return d->size() - d->pos();
}

bool CanRead(const QDataStream& s, qint64 n) {
    if (n < 0 || s.status() != QDataStream::Ok) return false;
    const qint64 left = BytesLeft(s);
    return left < 0 || n <= left;
}

bool ReadInt32(QDataStream& s, std::int32_t& v) {
    v = 0;
    if (!CanRead(s, 4)) {
        s.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    qint32 q = 0;
    s >> q;
    v = q;
    return s.status() == QDataStream::Ok;
}

bool ReadInt32s(QDataStream& s, std::span<std::int32_t> out) {
    // One read for all the values (ReadRaw checks what is left): a parser reads most
    // of a file a few fields at a time, and each read of the device is a chain of calls.
    if (!ReadRaw(s, out.data(), static_cast<qint64>(out.size()) * 4)) {
        std::fill(out.begin(), out.end(), 0);
        return false;
    }
    const bool little = s.byteOrder() == QDataStream::LittleEndian;
    for (std::int32_t& v : out) v = little ? qFromLittleEndian(v) : qFromBigEndian(v);
    return true;
}

bool ReadRaw(QDataStream& s, void* dst, qint64 n) {
    if (!CanRead(s, n)) {
        s.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    qint64 done = 0;
    while (done < n) {
        const int chunk = static_cast<int>(std::min<qint64>(n - done, 1 << 30));
        const int got = s.readRawData(static_cast<char*>(dst) + done, chunk);
        if (got != chunk) {
            s.setStatus(QDataStream::ReadPastEnd);
            return false;
        }
        done += got;
    }
    return true;
}

bool ReadRaw(QDataStream& s, qint64 n, QByteArray& out) {
    out.clear();
    if (!CanRead(s, n)) {
        s.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    out.resize(n);
    if (!ReadRaw(s, out.data(), n)) {
        out.clear();
        return false;
    }
    return true;
}

void WriteInt32s(QDataStream& s, std::span<const std::int32_t> values) {
    for (std::int32_t v : values) s << static_cast<qint32>(v);
}

void WriteRaw(QDataStream& s, const void* src, qint64 n) {
    qint64 done = 0;
    while (done < n) {
        const int chunk = static_cast<int>(std::min<qint64>(n - done, 1 << 30));
        const int put = s.writeRawData(static_cast<const char*>(src) + done, chunk);
        if (put != chunk) {
            s.setStatus(QDataStream::WriteFailed);
            return;
        }
        done += put;
    }
}

}  // namespace zv
