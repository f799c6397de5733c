#pragma once
// "图元属性页": the modeless tool window with the style page and the colour page.
// Every change hands the drawing style to the editor for new shapes; "更新" gives
// it to the selected shapes too, and "拾取" lets the next colour picked in the view
// come here. Closing it only hides it.

#include <QDialog>

#include "dialogs/DLineColor.h"
#include "shapes/ShapeStyle.h"

class QTabWidget;

namespace zv {

class CDlineStyle;
class Document;

class CLinePropertySheet : public QDialog {
    Q_OBJECT
public:
    CLinePropertySheet(Document& doc, ColourChooser chooser, QWidget* parent = nullptr);

    CDlineStyle& StylePage() const { return *style_; }
    CDLineColor& ColourPage() const { return *colour_; }
    QTabWidget* Tabs() const { return tabs_; }
    // The values of both pages as the drawing tool takes them.
    ShapeStyle Values() const;
    // A colour picked in the view for the colour page.
    void TakePickedColour(COLORREF colour);

private:
    void Apply();

    Document& doc_;
    QTabWidget* tabs_;
    CDLineColor* colour_;
    CDlineStyle* style_;
};

}  // namespace zv
