#pragma once
// "背景方格": the rows and columns new lit regions take (and the current rectangle
// region with them). A count no region can have is refused here, with the reason
// shown in the dialog, which stays open for a correction.

#include <QDialog>

#include "editor/RegionDefaults.h"

class QLabel;
class QLineEdit;

namespace zv {

class GridDialog : public QDialog {
    Q_OBJECT
public:
    GridDialog(const GridCounts& current, QWidget* parent = nullptr);

    // The counts accepted with OK.
    const GridCounts& Counts() const { return counts_; }
    QLineEdit* RowsEdit() const { return rows_; }
    QLineEdit* ColsEdit() const { return cols_; }
    QLabel* ErrorLabel() const { return error_; }

    void accept() override;

private:
    QLineEdit* rows_;
    QLineEdit* cols_;
    QLabel* error_;
    GridCounts counts_;
};

}  // namespace zv
