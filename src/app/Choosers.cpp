#include "app/Choosers.h"

#include <QColorDialog>
#include <QFileDialog>

namespace zv {

Choosers Choosers::Standard() {
    Choosers c;
    c.openFile = [](QWidget* parent, const QString& caption, const QString& dir,
                    const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    };
    c.saveFile = [](QWidget* parent, const QString& caption, const QString& name,
                    const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, name, filter);
    };
    c.saveFileWithFilter = [](QWidget* parent, const QString& caption, const QString& name,
                              const QString& filter, QString* selected) {
        return QFileDialog::getSaveFileName(parent, caption, name, filter, selected);
    };
    c.colour = [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    return c;
}

Choosers& AppChoosers() {
    static Choosers choosers = Choosers::Standard();
    return choosers;
}

}  // namespace zv
