#include "model/FrameCategoryNames.h"

namespace zv {

const std::array<QString, FrameCategoryCount>& FrameCategoryNames() {
    // clang-format off
    static const std::array<QString, FrameCategoryCount> names = {
        QStringLiteral("普通帧"),  // 0
        QStringLiteral("平移--左"),  // 1
        QStringLiteral("平移--右"),  // 2
        QStringLiteral("平移--交错--水平"),  // 3
        QStringLiteral("聚合--左"),  // 4
        QStringLiteral("聚合--右"),  // 5
        QStringLiteral("聚合--中--水平"),  // 6
        QStringLiteral("聚合--边缘--水平"),  // 7
        QStringLiteral("分散--左"),  // 8
        QStringLiteral("分散--右"),  // 9
        QStringLiteral("分散--中--水平"),  // 10
        QStringLiteral("分散--边缘--水平"),  // 11
        QStringLiteral("收缩--左"),  // 12
        QStringLiteral("收缩--右"),  // 13
        QStringLiteral("收缩--中--水平"),  // 14
        QStringLiteral("收缩--边缘--水平"),  // 15
        QStringLiteral("伸展--左"),  // 16
        QStringLiteral("伸展--右"),  // 17
        QStringLiteral("伸展--中--水平"),  // 18
        QStringLiteral("伸展--边缘--水平"),  // 19
        QStringLiteral("侵蚀--左"),  // 20
        QStringLiteral("侵蚀--右"),  // 21
        QStringLiteral("侵蚀--中--水平"),  // 22
        QStringLiteral("侵蚀--边缘--水平"),  // 23
        QStringLiteral("平移--上"),  // 24
        QStringLiteral("平移--下"),  // 25
        QStringLiteral("平移--交错--竖直"),  // 26
        QStringLiteral("聚合--上"),  // 27
        QStringLiteral("聚合--下"),  // 28
        QStringLiteral("聚合--中--竖直"),  // 29
        QStringLiteral("聚合--边缘--竖直"),  // 30
        QStringLiteral("分散--上"),  // 31
        QStringLiteral("分散--下"),  // 32
        QStringLiteral("分散--中--竖直"),  // 33
        QStringLiteral("分散--边缘--竖直"),  // 34
        QStringLiteral("收缩--上"),  // 35
        QStringLiteral("收缩--下"),  // 36
        QStringLiteral("收缩--中--竖直"),  // 37
        QStringLiteral("收缩--边缘--竖直"),  // 38
        QStringLiteral("伸展--上"),  // 39
        QStringLiteral("伸展--下"),  // 40
        QStringLiteral("伸展--中--竖直"),  // 41
        QStringLiteral("伸展--边缘--竖直"),  // 42
        QStringLiteral("侵蚀--上"),  // 43
        QStringLiteral("侵蚀--下"),  // 44
        QStringLiteral("侵蚀--中--竖直"),  // 45
        QStringLiteral("侵蚀--边缘--竖直"),  // 46
        QStringLiteral("渐变--渐隐"),  // 47
        QStringLiteral("渐变--渐显"),  // 48
        QStringLiteral("渐变--七彩--左"),  // 49
        QStringLiteral("渐变--七彩--右"),  // 50
        QStringLiteral("渐变--七彩--上"),  // 51
        QStringLiteral("渐变--七彩--下"),  // 52
        QStringLiteral("渐变--单色--左"),  // 53
        QStringLiteral("渐变--单色--右"),  // 54
        QStringLiteral("渐变--单色--上"),  // 55
        QStringLiteral("渐变--单色--下"),  // 56
        QStringLiteral("特效帧"),  // 57
    };
    // clang-format on
    return names;
}

}  // namespace zv
