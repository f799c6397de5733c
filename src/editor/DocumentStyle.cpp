// The settings the dialogs and bars hand to the editor: the grid and scale of new
// regions, the drawing style of new shapes and the font of new texts.

#include "editor/Document.h"
#include "layers/NeonRegion.h"
#include "model/NeonAv.h"
#include "shapes/KorDraw.h"

namespace zv {

void Document::GridCommand() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    const std::optional<GridCounts> counts =
        ui_->AskGridCounts({animation_->defaultRows, animation_->defaultCols});
    if (counts) ApplyGrid(*counts);
}

bool Document::ApplyGrid(const GridCounts& counts) {
    if (CanOperate(2) || !GridCountsAllowed(counts)) return false;
    animation_->defaultRows = counts.rows;
    animation_->defaultCols = counts.cols;
    // A polygon region keeps its grid: its cells are clipped to the outline it was
    // drawn with, and the new counts wait for the next region.
    CNeonRegion* region = CurrentFrame()->selectedRegion;
    if (region && !region->isPolygon) {
        LeaveEffectFrame();
        region->SetGrid(counts.rows, counts.cols);
        DrawCurrentFrame(1);
    }
    return true;
}

void Document::ScaleCommand() {
    if (CanOperate(2)) return;
    FinishEdit(kKeyEnter);
    const std::optional<int> percent =
        ui_->AskScalePercent(ScalePercentOf(animation_->defaultZoom));
    if (percent) ApplyScale(*percent);
}

void Document::ApplyScale(int percent) {
    if (CanOperate(2)) return;
    const float zoom = ZoomOfScalePercent(percent);
    animation_->defaultZoom = zoom;
    if (CNeonRegion* region = CurrentFrame()->selectedRegion) {
        LeaveEffectFrame();
        region->SetZoom(zoom);
        DrawCurrentFrame(1);
    }
}

void Document::ApplyProperties(const ShapeStyle& v) {
    if (!drawTool_ || !drawTool_->style) return;
    ShapeStyle& s = *drawTool_->style;
    s.SetPenColour(v.penColour);
    s.SetBrushColour(v.brushColour);
    s.SetBackColour(v.backColour);
    s.SetSpareColourValue(v.spareColourValue);
    s.SetPenStyle(v.penStyle);
    s.SetBrushStyle(v.brushStyle);
    s.SetHatchStyle(v.hatchStyle);
    if (v.penWidth != 0) s.SetPenWidth(v.penWidth);
    // The background mode chosen on the style page is the one its previews show, so
    // new shapes take it too.
    s.SetBackMode(v.backMode);
}

void Document::ApplyStyleToSelection() {
    if (drawTool_) drawTool_->ApplyStyleToSelection();
    // The property sheet calls this from outside any command.
    Checkpoint(tr("图形样式"));
}

void Document::TextFontChanged() {
    ui_->SetTextEditorFont(textFont.Font());
    ui_->StateChanged();
}

void Document::SetTextFace(const QString& face) {
    if (face.isEmpty() || face == textFont.Face()) return;
    textFont.SetFace(face, TextFont::StoredDescription(face));
    TextFontChanged();
}

void Document::SetTextSize(std::int32_t size) {
    if (size <= 0) return;
    textFont.SetSize(size);
    TextFontChanged();
}

void Document::ToggleTextBold() {
    textFont.SetBold(!textFont.Bold());
    TextFontChanged();
}

void Document::ToggleTextItalic() {
    textFont.SetItalic(!textFont.Italic());
    TextFontChanged();
}

void Document::ToggleTextUnderline() {
    textFont.SetUnderline(!textFont.Underline());
    TextFontChanged();
}

}  // namespace zv
