#pragma once
// The two keys that decide what a mouse action in the view means: the tool mode the
// main window keeps and the edit layer chosen on the parameter bar.

#include <cstdint>

namespace zv {

namespace ToolMode {
constexpr int ArrowSelect = 1;
constexpr int RegionSelect = 2;
constexpr int Brush = 3;
constexpr int PaintBucket = 4;
constexpr int Picture = 5;
constexpr int MovingPicture = 6;
constexpr int Text = 7;
constexpr int ColourPick = 8;
constexpr int RectRegionH = 9;
constexpr int RectRegionV = 10;
constexpr int PolyRegionH = 11;
constexpr int PolyRegionV = 12;
constexpr int MoveTo = 13;
constexpr int Rotate = 14;
constexpr int ShapeSelect = 15;
constexpr int FirstShape = 16;  // 16..26: the shape kinds, see ShapeToolOfMode
constexpr int LastShape = 26;
constexpr int NoOperation = 27;

constexpr bool IsRegionTool(int m) {
    return m >= RectRegionH && m <= PolyRegionV;
}
constexpr bool IsShapeTool(int m) {
    return m >= FirstShape && m <= LastShape;
}
}  // namespace ToolMode

enum EditLayer : int {
    LayerBackground = 0,
    LayerText = 1,
    LayerPicture = 2,
    LayerGraphics = 3,
};

// Which layers a tool command accepts.
enum class LayerRule { Background, Text, Picture, Graphics, NotGraphics, Any };

constexpr bool LayerAllows(LayerRule rule, int layer) {
    switch (rule) {
        case LayerRule::Background:
            return layer == LayerBackground;
        case LayerRule::Text:
            return layer == LayerText;
        case LayerRule::Picture:
            return layer == LayerPicture;
        case LayerRule::Graphics:
            return layer == LayerGraphics;
        case LayerRule::NotGraphics:
            return layer != LayerGraphics;
        case LayerRule::Any:
            return true;
    }
    return false;
}

// The drawing tool's number (CKorDraw::SelectTool) for shape modes 16..26.
constexpr int ShapeToolOfMode(int mode) {
    switch (mode) {
        case 16:
            return 12;  // rectangle
        case 17:
            return 16;  // polygon
        case 18:
            return 15;  // circle
        case 19:
            return 14;  // slanted ellipse
        case 20:
            return 17;  // ellipse
        case 21:
            return 13;  // rounded rectangle
        case 22:
            return 11;  // curve
        case 23:
            return 10;  // line
        case 24:
            return 18;  // circular arc
        case 25:
            return 19;  // elliptical arc
        case 26:
            return 20;  // smooth curve
        default:
            return 0;
    }
}

// Cursor resources the view shows.
namespace CursorId {
constexpr int Arrow = 104;
constexpr int RegionSelect = 188;
constexpr int Brush = 190;
constexpr int Bucket = 197;
constexpr int Picture = 200;
constexpr int Text = 213;
constexpr int Cross = 217;
constexpr int Drag = 218;
constexpr int Idle = 219;
constexpr int Pick = 239;
// System cursors for the picture handles.
constexpr int SizeNwse = -1;
constexpr int SizeNesw = -2;
constexpr int SizeWe = -3;
constexpr int SizeNs = -4;
}  // namespace CursorId

constexpr int CursorOfToolMode(int mode) {
    switch (mode) {
        case ToolMode::ArrowSelect:
            return CursorId::Arrow;
        case ToolMode::RegionSelect:
            return CursorId::RegionSelect;
        case ToolMode::Brush:
            return CursorId::Brush;
        case ToolMode::PaintBucket:
            return CursorId::Bucket;
        case ToolMode::Picture:
            return CursorId::Picture;
        case ToolMode::MovingPicture:
        case ToolMode::ShapeSelect:
            return CursorId::Drag;
        case ToolMode::Text:
            return CursorId::Text;
        case ToolMode::ColourPick:
            return CursorId::Pick;
        case ToolMode::MoveTo:
        case ToolMode::Rotate:
        case ToolMode::NoOperation:
            return CursorId::Idle;
        default:
            if (ToolMode::IsRegionTool(mode) || ToolMode::IsShapeTool(mode)) return CursorId::Cross;
            return CursorId::Arrow;
    }
}

// Cursor for a picture hit-test code (CNeonImg::HitTest).
constexpr int CursorOfPictureHit(int code) {
    switch (code) {
        case 1:
        case 2:
            return CursorId::SizeNwse;
        case 3:
        case 4:
            return CursorId::SizeNesw;
        case 11:
        case 13:
            return CursorId::SizeWe;
        case 12:
        case 14:
            return CursorId::SizeNs;
        default:
            return CursorId::Arrow;
    }
}

}  // namespace zv
