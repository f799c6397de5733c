#include "WindowFixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QTimer>

#include "app/ParamBar.h"

namespace zv {

void WindowTest::Layer(int layer) {
    QAbstractButton* radio = frame->ParamBar()->Layers()->button(layer);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton);
    Pump();
    ASSERT_EQ(doc->editLayer, layer);
}

void WindowTest::OnNextModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(frame.get());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        if (act)
            act(modal);
        else
            modal->close();
    });
    poll->start();
}

}  // namespace zv
