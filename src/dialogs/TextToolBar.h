#pragma once
// "文字工具条": the bold, italic and underline toggles, the font-name list and the
// size list of new texts and of the text being typed. Every choice goes to the
// editor's text font; the bar shows that font again whenever it changes (a text
// opened for editing brings its own).

#include <QToolBar>

#include <array>

class QComboBox;

namespace zv {

class Document;

class CTextToolBar : public QToolBar {
    Q_OBJECT
public:
    // `toggles` are the window's bold, italic and underline actions.
    CTextToolBar(Document& doc, const QList<QAction*>& toggles, QWidget* parent = nullptr);

    static constexpr std::array<int, 24> kSizes = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                                   14, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48, 72};

    QComboBox* FaceList() const { return faces_; }
    QComboBox* SizeList() const { return sizes_; }
    // The lists show the editor's text font.
    void Sync();

private:
    void SelectEntry(QComboBox* list, const QString& text);

    Document& doc_;
    QComboBox* faces_;
    QComboBox* sizes_;
};

}  // namespace zv
