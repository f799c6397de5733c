#include "layers/NeonGraph.h"

#include "gdi/BinaryIO.h"
#include "shapes/Archive.h"
#include "shapes/KorDraw.h"
#include "shapes/Unit.h"

namespace zv {

namespace {

constexpr ShapeKind kStreamOrder[] = {
    ShapeKind::Line,           ShapeKind::Curve,      ShapeKind::Rectangle, ShapeKind::Polygon,
    ShapeKind::RoundRectangle, ShapeKind::Round,      ShapeKind::Ellipse,   ShapeKind::LiEllipse,
    ShapeKind::RoundArc,       ShapeKind::PolyBezier, ShapeKind::DrawText,  ShapeKind::EllipseArc};

constexpr std::int32_t kShapeBlockType = 3;

}  // namespace

CNeonGraph::CNeonGraph() = default;
CNeonGraph::~CNeonGraph() = default;

void CNeonGraph::Store(CArchive& ar) const {
    Point o = origin;
    ar.Io(o);
    for (ShapeKind kind : kStreamOrder) {
        const ShapeList& list = List(kind);
        ar.WriteCount(static_cast<std::uint32_t>(list.size()));
        for (const auto& shape : list) ar.WriteObject(shape.get());
    }
}

bool CNeonGraph::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        Store(ar);
        return true;
    }
    ar.Io(origin);
    for (ShapeKind kind : kStreamOrder) {
        std::uint32_t n = 0;
        // Every element takes at least its two-byte tag.
        if (!ar.ReadCount(n, 2)) return false;
        for (std::uint32_t i = 0; i < n; ++i) {
            CArchive::ObjectRef ref;
            if (!ar.ReadObject(ref)) return false;
            // A list owns its shapes: an empty slot or a shape standing twice has no
            // place in it.
            if (ref.kind != CArchive::RefKind::Created) {
                ar.Fail();
                return false;
            }
            List(kind).push_back(std::move(ref.created));
        }
    }
    return !ar.Failed();
}

QByteArray CNeonGraph::StoreStream() const {
    QByteArray bytes;
    CArchive ar(&bytes);
    Store(ar);
    ar.Flush();
    return bytes;
}

bool CNeonGraph::LoadStream(const QByteArray& bytes) {
    CNeonGraph fresh;
    CArchive ar(bytes);
    if (!fresh.Serialize(ar)) return false;
    DeleteAll();
    MoveShapesFrom(fresh);
    origin = fresh.origin;
    return true;
}

void CNeonGraph::SaveTo(QDataStream& out, std::int32_t flag) const {
    const QByteArray stream = StoreStream();
    const std::int32_t header[3] = {kShapeBlockType, flag,
                                    static_cast<std::int32_t>(stream.size())};
    WriteInt32s(out, header);
    WriteRaw(out, stream.constData(), stream.size());
}

bool CNeonGraph::LoadFrom(QDataStream& in, std::int32_t size) {
    QByteArray stream;
    if (size < 0 || !ReadRaw(in, size, stream)) return false;
    return LoadStream(stream);
}

void CNeonGraph::CopyFrom(const CNeonGraph& src) {
    if (&src == this) return;
    origin = src.origin;
    CopyShapesFrom(src);
}

void CNeonGraph::HandTo(CKorDraw& tool) {
    tool.origin = origin;
    tool.Attach(this);
}

void CNeonGraph::TakeFrom(CKorDraw& tool) {
    origin = tool.origin;
    if (tool.IsAttachedTo(this)) return;
    if (tool.ShowsOwnLists()) {
        DeleteAll();
        MoveShapesFrom(tool.Lists());
    } else {
        CopyShapesFrom(tool.Lists());
    }
    tool.Attach(this);
}

}  // namespace zv
