#pragma once
// Reading and writing our binary files: little-endian 32-bit fields through a
// QDataStream. Every reader checks what it needs against the bytes that remain
// before it allocates, so a damaged file fails cleanly instead of asking for
// gigabytes.

#include <QByteArray>
#include <QDataStream>

#include <cstdint>
#include <span>

namespace zv {

// Puts the stream in the byte order of our files.
void UseFileByteOrder(QDataStream& s);

// Bytes between the stream's position and the end of its device; -1 when the
// device cannot tell (a sequential device).
qint64 BytesLeft(const QDataStream& s);

// True when `n` bytes may still be read (unknown sizes are taken on trust and the
// read itself then reports the short read).
bool CanRead(const QDataStream& s, qint64 n);

// Read n 32-bit values; false on a short read (the stream's status says so too).
bool ReadInt32s(QDataStream& s, std::span<std::int32_t> out);
bool ReadInt32(QDataStream& s, std::int32_t& v);

// Read exactly n raw bytes, refusing a negative n or one larger than what is left.
bool ReadRaw(QDataStream& s, qint64 n, QByteArray& out);
bool ReadRaw(QDataStream& s, void* dst, qint64 n);

void WriteInt32s(QDataStream& s, std::span<const std::int32_t> values);
void WriteRaw(QDataStream& s, const void* src, qint64 n);

}  // namespace zv
