#include "cli/SchemeJson.h"

#include <QJsonArray>

#include "gdi/GbkText.h"
#include "layers/NeonBkg.h"
#include "layers/Ring.h"
#include "model/EffectStepper.h"
#include "model/FrameCategoryNames.h"
#include "model/NeonAv.h"
#include "shapes/Unit.h"

namespace zv {

namespace {

QJsonArray Pair(std::int32_t a, std::int32_t b) {
    return QJsonArray{a, b};
}

double Zoom(float zoom) {
    return CNeonRegion::ZoomPercent(zoom) / 100.0;
}

QJsonObject RegionInfo(const CNeonRegion& r) {
    QJsonArray points;
    for (const Point& p : r.points) points.append(Pair(p.x, p.y));
    return QJsonObject{
        {"rows", r.rows},
        {"cols", r.cols},
        {"zoom", Zoom(r.zoom)},
        {"polygon", r.isPolygon != 0},
        {"bounds", QJsonArray{r.bounds.left, r.bounds.top, r.bounds.right, r.bounds.bottom}},
        {"points", points},
        {"effect", r.effect},
        {"loop", r.loop},
        {"effectFrames", r.effectFrames},
    };
}

QJsonObject TextInfo(const CNeonChar& t) {
    const LogFont& lf = t.GetLogFont();
    return QJsonObject{
        {"x", t.x},
        {"y", t.y},
        {"colour", qint64(t.textColour)},
        {"text", t.Text()},
        {"face", lf.FaceName()},
        {"height", lf.lfHeight},
        {"weight", lf.lfWeight},
        {"italic", lf.lfItalic != 0},
        {"underline", lf.lfUnderline != 0},
    };
}

QJsonObject PictureInfo(const CNeonImg& img) {
    return QJsonObject{{"x", img.x},
                       {"y", img.y},
                       {"width", img.width},
                       {"height", img.height},
                       {"srcWidth", img.srcWidth},
                       {"srcHeight", img.srcHeight}};
}

QJsonObject ShapeInfo(const CUnit& s) {
    return QJsonObject{
        {"class", QString::fromLatin1(s.GetRuntimeClass().name)},
        {"penColour", qint64(s.penColour)},
        {"penStyle", qint64(s.penStyle)},
        {"penWidth", s.penWidth},
        {"start", Pair(s.startPoint.x, s.startPoint.y)},
        {"end", Pair(s.endPoint.x, s.endPoint.y)},
    };
}

QJsonArray Colours(const CNeonRegion& r) {
    QJsonArray out;
    for (const NeonCell& c : r.cells) out.append(qint64(c.colour));
    return out;
}

}  // namespace

QJsonObject SchemeInfo(const CNeonAv& av, const CNeonBkg& background, std::int32_t version) {
    QJsonArray frames;
    std::int32_t index = 0;
    for (const CNeonFrame* f : Ring<CNeonFrame>::Items(av.anchor.get())) {
        QJsonArray regions, texts, pictures, shapes;
        for (const CNeonRegion* r : Ring<CNeonRegion>::Items(f->regions.get()))
            regions.append(RegionInfo(*r));
        for (const CNeonChar* t : Ring<CNeonChar>::Items(f->texts.get()))
            texts.append(TextInfo(*t));
        for (const CNeonImg* p : Ring<CNeonImg>::Items(f->pictures.get()))
            pictures.append(PictureInfo(*p));
        if (f->shapes)
            for (const ShapeList& list : f->shapes->lists)
                for (const auto& s : list) shapes.append(ShapeInfo(*s));
        const bool known = f->category >= 0 && f->category < std::int32_t(FrameCategoryCount);
        frames.append(QJsonObject{
            {"index", ++index},
            {"category", f->category},
            {"categoryName", known ? FrameCategoryNames()[std::size_t(f->category)] : QString()},
            {"tag", f->frameTag},
            {"stepCount", f->stepCount},
            {"regions", regions},
            {"texts", texts},
            {"pictures", pictures},
            {"shapes", shapes},
        });
    }
    return QJsonObject{
        {"version", version},
        {"defaultRows", av.defaultRows},
        {"defaultCols", av.defaultCols},
        {"defaultZoom", Zoom(av.defaultZoom)},
        {"background", QJsonObject{{"present", background.hasBitmap != 0},
                                   {"width", background.bkWidth},
                                   {"height", background.bkHeight}}},
        {"frames", frames},
    };
}

std::optional<QJsonObject> SchemeCells(CNeonAv& av, std::int32_t only, std::int64_t* total) {
    std::int64_t colours = 0;
    std::int32_t counted = 0;
    for (CNeonFrame* f : Ring<CNeonFrame>::Items(av.anchor.get())) {
        ++counted;
        if (only > 0 && counted != only) continue;
        std::int64_t cells = 0;
        for (const CNeonRegion* r : Ring<CNeonRegion>::Items(f->regions.get()))
            cells += r->CellCount();
        const std::int64_t pictures =
            1 + (f->category == EffectFrameCategory ? std::max<std::int64_t>(f->SubFrameCount(), 0)
                                                    : 0);
        colours += std::min(cells * pictures, kMaxListedColours + 1);
        if (colours > kMaxListedColours) break;
    }
    if (total) *total = colours;
    if (colours > kMaxListedColours) return std::nullopt;

    QJsonArray frames;
    std::int32_t index = 0;
    for (CNeonFrame* f : Ring<CNeonFrame>::Items(av.anchor.get())) {
        ++index;
        if (only > 0 && index != only) continue;
        QJsonArray regions;
        for (const CNeonRegion* r : Ring<CNeonRegion>::Items(f->regions.get()))
            regions.append(
                QJsonObject{{"rows", r->rows}, {"cols", r->cols}, {"colours", Colours(*r)}});
        QJsonObject frame{{"index", index}, {"category", f->category}, {"regions", regions}};
        if (f->category == EffectFrameCategory) {
            QJsonArray subFrames;
            CEffectStepper steps(*f);
            do {
                QJsonArray subRegions;
                for (const CNeonRegion* r :
                     Ring<CNeonRegion>::Items(steps.SubFrame().regions.get()))
                    subRegions.append(QJsonObject{{"colours", Colours(*r)}});
                subFrames.append(QJsonObject{{"regions", subRegions}});
            } while (steps.Advance());
            f->RestoreRegions();
            frame.insert("subFrames", subFrames);
        }
        frames.append(frame);
    }
    return QJsonObject{{"frames", frames}};
}

}  // namespace zv
