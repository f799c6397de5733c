#pragma once
// The standard dialogs the window opens to let the user choose a file or a colour.
// Tests put their own choosers in place instead of driving native dialogs.

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace zv {

struct Choosers {
    // (parent, caption, directory or default name, filter) -> chosen path, empty when
    // cancelled.
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)> openFile;
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)> saveFile;
    // As saveFile, and the filter the file was chosen under is stored in the last
    // argument (which holds the filter to select at first).
    std::function<QString(QWidget*, const QString&, const QString&, const QString&, QString*)>
        saveFileWithFilter;
    // (parent, initial colour) -> chosen colour, nothing when cancelled.
    std::function<std::optional<QColor>(QWidget*, const QColor&)> colour;

    // Qt's file and colour dialogs.
    static Choosers Standard();
};

// The choosers the window uses; tests replace them.
Choosers& AppChoosers();

}  // namespace zv
