#include "WindowFixture.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include "app/ParamBar.h"

namespace zv {

void WindowTest::Layer(int layer) {
    QAbstractButton* radio = frame->ParamBar()->Layers()->button(layer);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton);
    Pump();
    ASSERT_EQ(doc->editLayer, layer);
}

}  // namespace zv
