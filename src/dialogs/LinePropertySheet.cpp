#include "dialogs/LinePropertySheet.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/DlineStyle.h"
#include "editor/Document.h"

namespace zv {

CLinePropertySheet::CLinePropertySheet(Document& doc, ColourChooser chooser, QWidget* parent)
    : QDialog(parent, Qt::Tool), doc_(doc) {
    setObjectName(QStringLiteral("propertysheet"));
    setWindowTitle(tr("图元属性页"));
    setModal(false);
    tabs_ = new QTabWidget(this);
    // The colour page exists first: the style page's samples read its colours.
    colour_ = new CDLineColor(std::move(chooser), tabs_);
    style_ = new CDlineStyle(*colour_, tabs_);
    tabs_->addTab(style_, style_->windowTitle());
    tabs_->addTab(colour_, colour_->windowTitle());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(tabs_);

    connect(style_, &CDlineStyle::StyleChanged, this, &CLinePropertySheet::Apply);
    connect(colour_, &CDLineColor::ColoursChanged, this, [this] {
        style_->Redraw();
        Apply();
    });
    connect(colour_, &CDLineColor::PickRequested, this, [this] { doc_.RequestPickForPage(); });
    connect(colour_, &CDLineColor::UpdateRequested, this, [this] {
        // The selection takes what the pages show now.
        Apply();
        doc_.ApplyStyleToSelection();
    });
}

ShapeStyle CLinePropertySheet::Values() const {
    ShapeStyle v;
    v.penColour = colour_->penColour;
    v.brushColour = colour_->brushColour;
    v.backColour = colour_->backColour;
    v.spareColourValue = static_cast<std::int32_t>(colour_->currentColour);
    v.penStyle = style_->penStyle;
    v.brushStyle = style_->brushStyle;
    v.hatchStyle = style_->hatchStyle;
    v.penWidth = style_->penWidth;
    v.backMode = style_->backMode;
    return v;
}

void CLinePropertySheet::TakePickedColour(COLORREF colour) {
    colour_->SetCurrentColour(colour);
}

void CLinePropertySheet::Apply() {
    doc_.ApplyProperties(Values());
}

}  // namespace zv
