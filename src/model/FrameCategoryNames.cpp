#include "model/FrameCategoryNames.h"

#include <QCoreApplication>

namespace zv {

namespace {

// The names as the system's own data; translations give them in other languages.
// clang-format off
constexpr const char* kNames[FrameCategoryCount] = {
    QT_TRANSLATE_NOOP("FrameCategory", "普通帧"),  // 0
    QT_TRANSLATE_NOOP("FrameCategory", "平移--左"),  // 1
    QT_TRANSLATE_NOOP("FrameCategory", "平移--右"),  // 2
    QT_TRANSLATE_NOOP("FrameCategory", "平移--交错--水平"),  // 3
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--左"),  // 4
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--右"),  // 5
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--中--水平"),  // 6
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--边缘--水平"),  // 7
    QT_TRANSLATE_NOOP("FrameCategory", "分散--左"),  // 8
    QT_TRANSLATE_NOOP("FrameCategory", "分散--右"),  // 9
    QT_TRANSLATE_NOOP("FrameCategory", "分散--中--水平"),  // 10
    QT_TRANSLATE_NOOP("FrameCategory", "分散--边缘--水平"),  // 11
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--左"),  // 12
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--右"),  // 13
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--中--水平"),  // 14
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--边缘--水平"),  // 15
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--左"),  // 16
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--右"),  // 17
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--中--水平"),  // 18
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--边缘--水平"),  // 19
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--左"),  // 20
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--右"),  // 21
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--中--水平"),  // 22
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--边缘--水平"),  // 23
    QT_TRANSLATE_NOOP("FrameCategory", "平移--上"),  // 24
    QT_TRANSLATE_NOOP("FrameCategory", "平移--下"),  // 25
    QT_TRANSLATE_NOOP("FrameCategory", "平移--交错--竖直"),  // 26
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--上"),  // 27
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--下"),  // 28
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--中--竖直"),  // 29
    QT_TRANSLATE_NOOP("FrameCategory", "聚合--边缘--竖直"),  // 30
    QT_TRANSLATE_NOOP("FrameCategory", "分散--上"),  // 31
    QT_TRANSLATE_NOOP("FrameCategory", "分散--下"),  // 32
    QT_TRANSLATE_NOOP("FrameCategory", "分散--中--竖直"),  // 33
    QT_TRANSLATE_NOOP("FrameCategory", "分散--边缘--竖直"),  // 34
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--上"),  // 35
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--下"),  // 36
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--中--竖直"),  // 37
    QT_TRANSLATE_NOOP("FrameCategory", "收缩--边缘--竖直"),  // 38
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--上"),  // 39
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--下"),  // 40
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--中--竖直"),  // 41
    QT_TRANSLATE_NOOP("FrameCategory", "伸展--边缘--竖直"),  // 42
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--上"),  // 43
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--下"),  // 44
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--中--竖直"),  // 45
    QT_TRANSLATE_NOOP("FrameCategory", "侵蚀--边缘--竖直"),  // 46
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--渐隐"),  // 47
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--渐显"),  // 48
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--七彩--左"),  // 49
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--七彩--右"),  // 50
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--七彩--上"),  // 51
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--七彩--下"),  // 52
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--单色--左"),  // 53
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--单色--右"),  // 54
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--单色--上"),  // 55
    QT_TRANSLATE_NOOP("FrameCategory", "渐变--单色--下"),  // 56
    QT_TRANSLATE_NOOP("FrameCategory", "特效帧"),  // 57
};
// clang-format on

}  // namespace

const std::array<QString, FrameCategoryCount>& FrameCategoryNames() {
    static const std::array<QString, FrameCategoryCount> names = [] {
        std::array<QString, FrameCategoryCount> n;
        for (std::size_t i = 0; i < FrameCategoryCount; ++i) n[i] = QString::fromUtf8(kNames[i]);
        return n;
    }();
    return names;
}

QString FrameCategoryDisplayName(std::int32_t category) {
    if (category < 0 || std::size_t(category) >= FrameCategoryCount)
        return QString::number(category);
    return QCoreApplication::translate("FrameCategory", kNames[std::size_t(category)]);
}

}  // namespace zv
