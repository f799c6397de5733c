#include "app/ZorvaneView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>

#include "app/AppResources.h"
#include "editor/Document.h"
#include "gdi/HugePages.h"

namespace zv {

namespace {
constexpr int kEditorSize = 160;
// Key flags of a mouse message.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

Point ToPoint(const QPointF& p) {
    return {static_cast<std::int32_t>(std::floor(p.x())),
            static_cast<std::int32_t>(std::floor(p.y()))};
}
}  // namespace

CZorvaneView::CZorvaneView(Document& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("view"));
    setAccessibleName(tr("Sign view"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

QImage& CZorvaneView::Screen() {
    if (screen_.isNull()) {
        screen_ = LargeImage(size().isEmpty() ? QSize(800, 600) : size(), QImage::Format_RGB32);
        screen_.fill(Qt::black);
    }
    return screen_;
}

CZorvaneView::~CZorvaneView() = default;

unsigned CZorvaneView::KeyFlags(const QMouseEvent* e) {
    unsigned f = 0;
    if (e->buttons() & Qt::LeftButton) f |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) f |= MK_RBUTTON;
    if (e->buttons() & Qt::MiddleButton) f |= MK_MBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) f |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}

void CZorvaneView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r, Screen(), r);
    if (!painted_) {
        painted_ = true;
        emit FirstPaint();
    }
}

void CZorvaneView::resizeEvent(QResizeEvent*) {
    if (size() == screen_.size() || width() <= 0 || height() <= 0) return;
    // The document draws all of it again.
    screen_ = LargeImage(size(), QImage::Format_RGB32);
    doc_.InvalidateView();
}

void CZorvaneView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    // The press that makes a double click is followed by the double click itself,
    // which takes its place, as a double click replaces the second press elsewhere.
    if (e->flags() & Qt::MouseEventCreatedDoubleClick) return;
    setFocus(Qt::MouseFocusReason);
    doc_.OnLButtonDown(KeyFlags(e), ToPoint(e->position()));
}

void CZorvaneView::mouseMoveEvent(QMouseEvent* e) {
    // Each move first shows the tool mode's cursor; the editor may then show another
    // (the picture handles).
    SetToolCursor(doc_.ViewCursor());
    doc_.OnMouseMove(KeyFlags(e), ToPoint(e->position()));
}

void CZorvaneView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    doc_.OnLButtonUp(KeyFlags(e), ToPoint(e->position()));
}

void CZorvaneView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    doc_.OnLButtonDblClk(KeyFlags(e), ToPoint(e->position()));
}

void CZorvaneView::keyPressEvent(QKeyEvent* e) {
    if (doc_.PreTranslateKey(e->key())) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool CZorvaneView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == editor_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // Enter ends the text and Escape drops it; Shift+Enter starts a new line and
        // Delete edits the text like any other editing key.
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if ((enter && !(k->modifiers() & Qt::ShiftModifier)) || k->key() == Qt::Key_Escape) {
            doc_.PreTranslateKey(k->key());
            setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void CZorvaneView::SetMouseCapture(bool on) {
    if (on == captured_) return;
    captured_ = on;
    if (on)
        grabMouse();
    else
        releaseMouse();
}

void CZorvaneView::SetToolCursor(int cursorId) {
    if (cursorId == cursorId_) return;
    cursorId_ = cursorId;
    setCursor(CursorFor(cursorId));
}

void CZorvaneView::OpenTextEditor(Point at, const QFont& font, const QString& text) {
    if (!editor_) {
        editor_ = new QPlainTextEdit(this);
        editor_->setObjectName(QStringLiteral("10001"));
        editor_->setAccessibleName(tr("Text"));
        editor_->setFrameShape(QFrame::Box);
        editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor_->resize(kEditorSize, kEditorSize);
        editor_->installEventFilter(this);
    }
    editor_->move(at.x, at.y);
    editor_->setFont(font);
    editor_->setPlainText(text);
    editor_->moveCursor(QTextCursor::End);
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

QString CZorvaneView::TextEditorText() const {
    return editor_ ? editor_->toPlainText() : QString();
}

void CZorvaneView::MoveTextEditor(Point at) {
    if (editor_) editor_->move(at.x, at.y);
}

void CZorvaneView::SetTextEditorFont(const QFont& font) {
    if (editor_) editor_->setFont(font);
}

void CZorvaneView::CloseTextEditor() {
    if (!editor_) return;
    editor_->clear();
    editor_->hide();
}

void CZorvaneView::PostClicks(Point p, int pairs) {
    const QPointF local(p.x, p.y);
    const QPointF global = mapToGlobal(local);
    auto post = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QCoreApplication::postEvent(
            this, new QMouseEvent(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier));
    };
    post(QEvent::MouseMove, Qt::NoButton);
    for (int i = 0; i < pairs; ++i) {
        post(i == 0 ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick, Qt::LeftButton);
        post(QEvent::MouseButtonRelease, Qt::NoButton);
    }
}

}  // namespace zv
