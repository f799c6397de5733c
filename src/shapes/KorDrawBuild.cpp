// The drawing tool's clicks that make shapes: the first click creates the shape of
// the current tool, later clicks take its construction a step further.
#include "shapes/Curve.h"
#include "shapes/DLine.h"
#include "shapes/DrawText.h"
#include "shapes/Ellipse.h"
#include "shapes/EllipseArc.h"
#include "shapes/KorDraw.h"
#include "shapes/LiEllipse.h"
#include "shapes/PolyBezier.h"
#include "shapes/Polygon.h"
#include "shapes/Rectangle.h"
#include "shapes/Round.h"
#include "shapes/RoundArc.h"
#include "shapes/RoundRectangle.h"

namespace zv {

void CKorDraw::CreateShape(GdiDc& dc, Point p) {
    std::unique_ptr<CUnit> shape;
    switch (tool) {
        case 10:
            shape = std::make_unique<CDLine>();
            break;
        case 11:
            shape = std::make_unique<CCurve>();
            break;
        case 12:
            shape = std::make_unique<CRectangle>();
            break;
        case 13:
            shape = std::make_unique<CRoundRectangle>();
            break;
        case 14:
            shape = std::make_unique<CEllipse>();
            break;
        case 15:
            shape = std::make_unique<CRound>();
            break;
        case 16:
            shape = std::make_unique<CPolygon>();
            break;
        case 17:
            shape = std::make_unique<CLiEllipse>();
            break;
        case 18:
            shape = std::make_unique<CRoundArc>();
            break;
        case 19:
            shape = std::make_unique<CEllipseArc>();
            break;
        case 20:
            shape = std::make_unique<CPolyBezier>();
            break;
        case 21:
            shape = std::make_unique<CDrawText>(*this);
            break;
        default:
            return;
    }
    // The style goes on before the first rubber band is drawn with it.
    shape->startPoint = shape->endPoint = p;
    CopyStyleTo(*shape, dc.GetROP2());
    CUnit& s = *lists_->Add(std::move(shape));
    currentShape = &s;
    switch (tool) {
        case 11:
            s.AddVertex(p);
            s.AddVertex(p);
            break;
        case 16:
            s.AddVertex(p);
            break;
        case 15:
            s.SetRadiusFromPoint(p, p);
            break;
        case 20:
            anchor = current = p;
            s.SelectAt(dc, *this, p.x, p.y);
            break;
        case 21:
            s.SelectAt(dc, *this, p.x, p.y);
            break;
        default:
            break;
    }
}

void CKorDraw::ConstructionClick(GdiDc& dc, Point p) {
    CUnit& s = *currentShape;
    const bool axisClick = step == 2 && (tool == 14 || tool == 19);
    if (axisClick) {
        // The first axis is fixed: its guide stays, the ellipse appears at full size.
        s.DrawGuideLine(dc, s.startPoint.x, s.startPoint.y, current.x, current.y);
        s.SetAxis(s.startPoint, p);
        s.centre = Midpoint(s.startPoint, p);
        s.SetRadiusX(s.centre, p);
        s.SetRadiusY(s.centre, p);
        s.DrawGuideLine(dc, s.startPoint.x, s.startPoint.y, p.x, p.y);
        s.DrawTracking(dc);
        current = s.centre;
        return;
    }
    switch (tool) {
        case 16:
            if (step >= 2) {
                s.AddVertex(p);
                anchor = current = p;
            }
            break;
        case 20:
            if (step >= 2) {
                anchor = current = p;
                s.SelectAt(dc, *this, p.x, p.y);
            }
            break;
        case 21:
            if (step >= 2) {
                s.SelectAt(dc, *this, p.x, p.y);
                if (step == -1) {
                    FinishTextEdit();
                    step = 0;
                }
            }
            break;
        case 14:
            if (step == 0) {
                s.DrawGuideLine(dc, s.centre.x, s.centre.y, current.x, current.y);
                s.DrawGuideLine(dc, s.startPoint.x, s.startPoint.y, s.endPoint.x, s.endPoint.y);
            }
            break;
        case 15:
            if (step == 0) s.DrawGuideLine(dc, s.centre.x, s.centre.y, current.x, current.y);
            break;
        case 18:
            if (step == 2) {
                s.DrawGuideLine(dc, s.startPoint.x, s.startPoint.y, current.x, current.y);
                s.endPoint = p;
                s.SetFirstChord(s.startPoint, s.endPoint);
                s.arcStart = s.startPoint;
                current = p;
            }
            break;
        case 19:
            if (step == 3) {
                s.DrawGuideLine(dc, s.centre.x, s.centre.y, current.x, current.y);
                s.DrawTracking(dc);
                s.axisClick = s.arcClick = p;
                s.SetArcStartFrom(p);
                s.SetArcEndFrom(p);
                s.DrawTracking(dc);
                current = p;
            } else if (step == 0) {
                s.DrawGuideLine(dc, s.startPoint.x, s.startPoint.y, s.endPoint.x, s.endPoint.y);
            }
            break;
        default:
            break;
    }
}

}  // namespace zv
