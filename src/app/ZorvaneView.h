#pragma once
// The view: the window area where the current frame is shown and edited. It holds
// the screen image the editor draws into, turns Qt's mouse and key events into the
// editor's calls, and hosts the in-place text editor. Everything else is the
// editor's.

#include <QImage>
#include <QWidget>

#include "gdi/Geometry.h"

class QPlainTextEdit;

namespace zv {

class Document;

class CZorvaneView : public QWidget {
    Q_OBJECT
public:
    explicit CZorvaneView(Document& doc, QWidget* parent = nullptr);
    ~CZorvaneView() override;

    // The image the document draws into, the view's size (made on first use).
    QImage& Screen();
    const QImage& Screen() const { return const_cast<CZorvaneView*>(this)->Screen(); }

    void SetMouseCapture(bool on);
    void SetToolCursor(int cursorId);
    int ToolCursorId() const { return cursorId_; }

    void OpenTextEditor(Point at, const QFont& font, const QString& text);
    QString TextEditorText() const;
    void MoveTextEditor(Point at);
    void SetTextEditorFont(const QFont& font);
    void CloseTextEditor();
    QPlainTextEdit* TextEditor() const { return editor_; }

    // Left press-and-release pairs at `p`, delivered as ordinary mouse events.
    void PostClicks(Point p, int pairs);

    QSize sizeHint() const override { return {800, 600}; }

signals:
    // The first time the view was painted.
    void FirstPaint();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    static unsigned KeyFlags(const QMouseEvent* e);

    Document& doc_;
    QImage screen_;
    QPlainTextEdit* editor_ = nullptr;
    bool captured_ = false;
    bool painted_ = false;
    int cursorId_ = 0;
};

}  // namespace zv
