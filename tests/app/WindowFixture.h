#pragma once
// The real main window, offscreen, driven with Qt's test events.

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/Choosers.h"
#include "app/MainFrame.h"
#include "app/ZorvaneView.h"
#include "editor/Document.h"
#include "layers/Ring.h"
#include "model/NeonAv.h"

namespace zv {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = AppChoosers();
        frame = std::make_unique<CMainFrame>();
        frame->SkipStartPlacement();
        frame->resize(1200, 900);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        view = frame->View();
        doc = &frame->Doc();
        Pump();
    }
    void TearDown() override {
        frame.reset();
        AppChoosers() = saved_;
    }

    static void Pump() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    void Send(QEvent::Type type, QPoint p, Qt::MouseButtons buttons,
              Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent e(type, QPointF(p), QPointF(view->mapToGlobal(p)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    }
    void Press(int x, int y) { Send(QEvent::MouseButtonPress, {x, y}, Qt::LeftButton); }
    void Release(int x, int y) { Send(QEvent::MouseButtonRelease, {x, y}, Qt::NoButton); }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
        Pump();
    }
    // As a platform delivers a double click after a first click at the same place.
    void DoubleClick(int x, int y) {
        Click(x, y);
        Send(QEvent::MouseButtonDblClick, {x, y}, Qt::LeftButton);
        Release(x, y);
        Pump();
    }
    void Move(int x, int y, Qt::MouseButtons buttons = Qt::NoButton) {
        Send(QEvent::MouseMove, {x, y}, buttons, Qt::NoButton);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from.x(), from.y());
        Move((from.x() + to.x()) / 2, (from.y() + to.y()) / 2, Qt::LeftButton);
        Move(to.x(), to.y(), Qt::LeftButton);
        Release(to.x(), to.y());
        Pump();
    }
    void Key(Qt::Key key, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : view, key);
        Pump();
    }
    void Trigger(int id) {
        QAction* a = frame->Action(id);
        ASSERT_NE(a, nullptr) << id;
        ASSERT_TRUE(a->isEnabled()) << id;
        a->trigger();
        Pump();
    }
    void Layer(int layer);
    // The next modal dialog that opens is handed to `act` (which closes it), or
    // closed, so a test never waits on it.
    void OnNextModal(std::function<void(QWidget*)> act = {});

    CNeonAv& Av() { return *doc->Animation(); }
    CNeonFrame* Frame() { return doc->CurrentFrame(); }
    QImage Shown() { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<CMainFrame> frame;
    CZorvaneView* view = nullptr;
    Document* doc = nullptr;

private:
    Choosers saved_;
};

}  // namespace zv
