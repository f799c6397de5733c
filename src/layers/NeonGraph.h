#pragma once
// CNeonGraph: a frame's shape container. The twelve shape lists (owned), the origin
// at which the drawing tool shows them, and the shape stream stored in the frame's
// shape block of a scheme file.
//
// Stream: origin x and y (32 bits each), then the lists in the order lines, free
// curves, rectangles, polygons, rounded rectangles, circles, slanted ellipses,
// upright ellipses, circular arcs, smooth curves, texts, elliptic arcs; each list a
// count and one object reference per shape.

#include <QByteArray>
#include <QDataStream>

#include <cstdint>

#include "gdi/Geometry.h"
#include "shapes/ShapeLists.h"

namespace zv {

class CArchive;
class CKorDraw;

class CNeonGraph : public ShapeLists {
public:
    CNeonGraph();
    ~CNeonGraph() override;

    // Deletes every shape; the container owns them.
    void Clear() { DeleteAll(); }

    // Storing writes the stream; loading reads one into this (empty) container and
    // reports whether the whole stream was good.
    bool Serialize(CArchive& ar);
    void Store(CArchive& ar) const;

    // The stream in memory.
    QByteArray StoreStream() const;
    // All or nothing: on any error the container keeps what it had.
    bool LoadStream(const QByteArray& bytes);

    // The shape block: three 32-bit values 3, `flag` and the stream's size, then the
    // stream.
    void SaveTo(QDataStream& out, std::int32_t flag) const;
    // Reads `size` bytes of stream (the block's header already read) and takes the
    // shapes they hold; false, and nothing changed, when they are not a good stream.
    bool LoadFrom(QDataStream& in, std::int32_t size);

    // Origin and copies of every shape of `src`, replacing what this one held.
    void CopyFrom(const CNeonGraph& src);
    // The drawing tool shows and edits these shapes, at this origin.
    void HandTo(CKorDraw& tool);
    // Takes over what the tool shows: its origin, and its shapes unless it already
    // shows this container (moved from the tool's own lists, copied from another
    // container's). The tool shows this container afterwards.
    void TakeFrom(CKorDraw& tool);

    Point origin{-1000, -1000};
};

}  // namespace zv
