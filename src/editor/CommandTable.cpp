#include "editor/CommandTable.h"

#include <QCoreApplication>

#include <algorithm>

#include "editor/Document.h"
#include "editor/Player.h"
#include "model/FrameCategoryNames.h"

// The table names only the fields a command sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zv {

namespace {

// The table's texts are marked for lupdate where they stand and translated as the
// table is built, so a translator installed before the window is built applies.
QString Tr(const char* source) {
    return QCoreApplication::translate("Command", source);
}

const char* const kFileMenu = QT_TRANSLATE_NOOP("Command", "文件(&F)");
const char* const kEditMenu = QT_TRANSLATE_NOOP("Command", "编辑(&E)");
const char* const kViewMenu = QT_TRANSLATE_NOOP("Command", "查看(&V)");
const char* const kSettingsMenu = QT_TRANSLATE_NOOP("Command", "设置(&S)");
const char* const kPictureMenu = QT_TRANSLATE_NOOP("Command", "图片(&I)");
const char* const kPlayMenu = QT_TRANSLATE_NOOP("Command", "播放(&P)");
const char* const kToolsMenu = QT_TRANSLATE_NOOP("Command", "工具(&T)");
const char* const kEffectsMenu = QT_TRANSLATE_NOOP("Command", "特效(&X)");
const char* const kHelpMenu = QT_TRANSLATE_NOOP("Command", "帮助(&H)");

struct EffectEntry {
    int id;
    int effect;
    const char* group;  // below the effects menu
    const char* label;
};

// Command id, effect number, submenu and menu text of the 56 effects.
constexpr EffectEntry kEffects[] = {
    {32803, 1, QT_TRANSLATE_NOOP("Command", "平移/水平"), QT_TRANSLATE_NOOP("Command", "左移")},
    {32804, 2, QT_TRANSLATE_NOOP("Command", "平移/水平"), QT_TRANSLATE_NOOP("Command", "右移")},
    {32805, 3, QT_TRANSLATE_NOOP("Command", "平移/水平"), QT_TRANSLATE_NOOP("Command", "交错")},
    {32883, 24, QT_TRANSLATE_NOOP("Command", "平移/竖直"), QT_TRANSLATE_NOOP("Command", "上移")},
    {32884, 25, QT_TRANSLATE_NOOP("Command", "平移/竖直"), QT_TRANSLATE_NOOP("Command", "下移")},
    {32882, 26, QT_TRANSLATE_NOOP("Command", "平移/竖直"), QT_TRANSLATE_NOOP("Command", "交错")},
    {32806, 4, QT_TRANSLATE_NOOP("Command", "聚合/水平"), QT_TRANSLATE_NOOP("Command", "左")},
    {32807, 5, QT_TRANSLATE_NOOP("Command", "聚合/水平"), QT_TRANSLATE_NOOP("Command", "右")},
    {32808, 6, QT_TRANSLATE_NOOP("Command", "聚合/水平"), QT_TRANSLATE_NOOP("Command", "中")},
    {32822, 7, QT_TRANSLATE_NOOP("Command", "聚合/水平"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32885, 27, QT_TRANSLATE_NOOP("Command", "聚合/竖直"), QT_TRANSLATE_NOOP("Command", "上")},
    {32886, 28, QT_TRANSLATE_NOOP("Command", "聚合/竖直"), QT_TRANSLATE_NOOP("Command", "下")},
    {32887, 29, QT_TRANSLATE_NOOP("Command", "聚合/竖直"), QT_TRANSLATE_NOOP("Command", "中")},
    {32888, 30, QT_TRANSLATE_NOOP("Command", "聚合/竖直"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32809, 8, QT_TRANSLATE_NOOP("Command", "分散/水平"), QT_TRANSLATE_NOOP("Command", "左")},
    {32810, 9, QT_TRANSLATE_NOOP("Command", "分散/水平"), QT_TRANSLATE_NOOP("Command", "右")},
    {32811, 10, QT_TRANSLATE_NOOP("Command", "分散/水平"), QT_TRANSLATE_NOOP("Command", "中")},
    {32823, 11, QT_TRANSLATE_NOOP("Command", "分散/水平"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32889, 31, QT_TRANSLATE_NOOP("Command", "分散/竖直"), QT_TRANSLATE_NOOP("Command", "上")},
    {32890, 32, QT_TRANSLATE_NOOP("Command", "分散/竖直"), QT_TRANSLATE_NOOP("Command", "下")},
    {32891, 33, QT_TRANSLATE_NOOP("Command", "分散/竖直"), QT_TRANSLATE_NOOP("Command", "中")},
    {32892, 34, QT_TRANSLATE_NOOP("Command", "分散/竖直"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32815, 12, QT_TRANSLATE_NOOP("Command", "收缩/水平"), QT_TRANSLATE_NOOP("Command", "左")},
    {32816, 13, QT_TRANSLATE_NOOP("Command", "收缩/水平"), QT_TRANSLATE_NOOP("Command", "右")},
    {32817, 14, QT_TRANSLATE_NOOP("Command", "收缩/水平"), QT_TRANSLATE_NOOP("Command", "中")},
    {32818, 15, QT_TRANSLATE_NOOP("Command", "收缩/水平"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32897, 35, QT_TRANSLATE_NOOP("Command", "收缩/竖直"), QT_TRANSLATE_NOOP("Command", "上")},
    {32899, 36, QT_TRANSLATE_NOOP("Command", "收缩/竖直"), QT_TRANSLATE_NOOP("Command", "下")},
    {32898, 37, QT_TRANSLATE_NOOP("Command", "收缩/竖直"), QT_TRANSLATE_NOOP("Command", "中")},
    {32900, 38, QT_TRANSLATE_NOOP("Command", "收缩/竖直"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32819, 16, QT_TRANSLATE_NOOP("Command", "伸展/水平"), QT_TRANSLATE_NOOP("Command", "左")},
    {32820, 17, QT_TRANSLATE_NOOP("Command", "伸展/水平"), QT_TRANSLATE_NOOP("Command", "右")},
    {32821, 18, QT_TRANSLATE_NOOP("Command", "伸展/水平"), QT_TRANSLATE_NOOP("Command", "中")},
    {32824, 19, QT_TRANSLATE_NOOP("Command", "伸展/水平"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32893, 39, QT_TRANSLATE_NOOP("Command", "伸展/竖直"), QT_TRANSLATE_NOOP("Command", "上")},
    {32895, 40, QT_TRANSLATE_NOOP("Command", "伸展/竖直"), QT_TRANSLATE_NOOP("Command", "下")},
    {32894, 41, QT_TRANSLATE_NOOP("Command", "伸展/竖直"), QT_TRANSLATE_NOOP("Command", "中")},
    {32896, 42, QT_TRANSLATE_NOOP("Command", "伸展/竖直"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32825, 20, QT_TRANSLATE_NOOP("Command", "侵蚀/水平"), QT_TRANSLATE_NOOP("Command", "左")},
    {32826, 21, QT_TRANSLATE_NOOP("Command", "侵蚀/水平"), QT_TRANSLATE_NOOP("Command", "右")},
    {32827, 22, QT_TRANSLATE_NOOP("Command", "侵蚀/水平"), QT_TRANSLATE_NOOP("Command", "中")},
    {32828, 23, QT_TRANSLATE_NOOP("Command", "侵蚀/水平"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32901, 43, QT_TRANSLATE_NOOP("Command", "侵蚀/竖直"), QT_TRANSLATE_NOOP("Command", "上")},
    {32903, 44, QT_TRANSLATE_NOOP("Command", "侵蚀/竖直"), QT_TRANSLATE_NOOP("Command", "下")},
    {32902, 45, QT_TRANSLATE_NOOP("Command", "侵蚀/竖直"), QT_TRANSLATE_NOOP("Command", "中")},
    {32904, 46, QT_TRANSLATE_NOOP("Command", "侵蚀/竖直"), QT_TRANSLATE_NOOP("Command", "边缘")},
    {32813, 47, QT_TRANSLATE_NOOP("Command", "渐变"), QT_TRANSLATE_NOOP("Command", "渐隐")},
    {32812, 48, QT_TRANSLATE_NOOP("Command", "渐变"), QT_TRANSLATE_NOOP("Command", "渐显")},
    {32829, 49, QT_TRANSLATE_NOOP("Command", "七彩"), QT_TRANSLATE_NOOP("Command", "左")},
    {32830, 50, QT_TRANSLATE_NOOP("Command", "七彩"), QT_TRANSLATE_NOOP("Command", "右")},
    {32907, 51, QT_TRANSLATE_NOOP("Command", "七彩"), QT_TRANSLATE_NOOP("Command", "上")},
    {32908, 52, QT_TRANSLATE_NOOP("Command", "七彩"), QT_TRANSLATE_NOOP("Command", "下")},
    {32831, 53, QT_TRANSLATE_NOOP("Command", "单色"), QT_TRANSLATE_NOOP("Command", "左")},
    {32832, 54, QT_TRANSLATE_NOOP("Command", "单色"), QT_TRANSLATE_NOOP("Command", "右")},
    {32905, 55, QT_TRANSLATE_NOOP("Command", "单色"), QT_TRANSLATE_NOOP("Command", "上")},
    {32906, 56, QT_TRANSLATE_NOOP("Command", "单色"), QT_TRANSLATE_NOOP("Command", "下")},
};

struct ToolEntry {
    int id;
    int mode;
    LayerRule rule;
    const char* prompt;
    const char* icon;
};

// The tool commands in the order of the tools bar.
constexpr ToolEntry kTools[] = {
    {32796, 1, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "选择工具\n箭头选则"),
     "tools/arrow-select"},
    {32780, 2, LayerRule::NotGraphics, QT_TRANSLATE_NOOP("Command", "选择工具\n区域选择"),
     "tools/region-select"},
    {32855, 8, LayerRule::Any, QT_TRANSLATE_NOOP("Command", "取色工具\n取色"), "tools/colour-pick"},
    {32914, 27, LayerRule::Any, QT_TRANSLATE_NOOP("Command", "无操作状态\n无操作状态"),
     "tools/no-operation"},
    {32923, 9, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "矩形区域\n矩形区域(水平)"),
     "tools/rect-region-h"},
    {32924, 10, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "矩形区域\n矩形区域(竖直)"),
     "tools/rect-region-v"},
    {32930, 11, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "多边形区域\n多边形区域(水平)"),
     "tools/polygon-region-h"},
    {32929, 12, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "多边形区域\n多边形区域(竖直)"),
     "tools/polygon-region-v"},
    {32798, 3, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "画刷工具\n画刷"),
     "tools/brush"},
    {32789, 4, LayerRule::Background, QT_TRANSLATE_NOOP("Command", "油漆桶工具\n油漆桶"),
     "tools/paint-bucket"},
    {32790, 5, LayerRule::Picture, QT_TRANSLATE_NOOP("Command", "图片工具\n图片"), "tools/picture"},
    {32791, 7, LayerRule::Text, QT_TRANSLATE_NOOP("Command", "文字工具\n文字"), "tools/text"},
    {32880, 16, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n矩形"),
     "tools/shape-rectangle"},
    {32916, 21, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n圆角矩形"),
     "tools/shape-round-rectangle"},
    {32910, 17, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n多边形"),
     "tools/shape-polygon"},
    {32912, 18, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n圆"),
     "tools/shape-circle"},
    {32913, 20, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n椭圆"),
     "tools/shape-ellipse"},
    {32911, 19, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n斜椭圆"),
     "tools/shape-slanted-ellipse"},
    {32918, 24, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n圆弧"),
     "tools/shape-arc"},
    {32919, 25, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n椭圆弧"),
     "tools/shape-elliptical-arc"},
    {32917, 22, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n曲线"),
     "tools/shape-curve"},
    {32920, 26, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n平滑曲线"),
     "tools/shape-smooth-curve"},
    {32915, 23, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n直线"),
     "tools/shape-line"},
    {32881, 15, LayerRule::Graphics, QT_TRANSLATE_NOOP("Command", "图形工具\n选择&拖拽"),
     "tools/select-drag"},
};

QString EscapeAmpersands(QString s) {
    return s.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

CommandTable::CommandTable(Document& doc, AppCommands& app) : doc_(doc), app_(app) {
    menus_ = {Tr(kFileMenu), Tr(kEditMenu),  Tr(kViewMenu),    Tr(kSettingsMenu), Tr(kPictureMenu),
              Tr(kPlayMenu), Tr(kToolsMenu), Tr(kEffectsMenu), Tr(kHelpMenu)};
    AddFile();
    AddEdit();
    AddView();
    AddSettings();
    AddPicture();
    AddPlayback();
    AddTools();
    AddEffects();
    AddHelp();
    AddTextToggles();
    bars_ = {
        {ToolBarId::Standard, {57600, 57601, 57603, 0,     57643, 57644, 0,     32792, 32794, 32793,
                               0,     32784, 32777, 32778, 32785, 32786, 32787, 32795, 32909, 32935,
                               0,     32835, 32837, 32833, 32834, 32879, 32934, 32863}},
        {ToolBarId::Tools, {32796, 32780, 32855, 32914, 0,     32923, 32924, 32930, 32929,
                            32798, 32789, 32790, 32791, 0,     32880, 32916, 32910, 32912,
                            32913, 32911, 32918, 32919, 32917, 32920, 32915, 32881}},
        {ToolBarId::Text, {32848, 32849, 32850}},
    };
    // A bar lists only commands that exist.
    for (ToolBarLayout& bar : bars_)
        std::erase_if(bar.ids, [this](int id) { return id != 0 && !Find(id); });
}

Command& CommandTable::Add(Command c) {
    commands_.push_back(std::move(c));
    return commands_.back();
}

const Command* CommandTable::Find(int id) const {
    for (const Command& c : commands_)
        if (c.id == id) return &c;
    return nullptr;
}

bool CommandTable::Run(int id) const {
    const Command* c = Find(id);
    if (!c || !c->run) return false;
    c->run();
    // Whatever the command changed is one undo step under its short name.
    doc_.Checkpoint(c->ToolTip());
    return true;
}

bool CommandTable::Enabled(const Command& c) const {
    if (c.isTool && !LayerAllows(c.layerRule, doc_.editLayer)) return false;
    if (c.guardFn && !c.guardFn()) return false;
    if (c.guard == kNoGuard) return true;
    return doc_.CanOperate(c.guard) == 0;
}

int CommandTable::EffectOfCommand(int id) {
    for (const EffectEntry& e : kEffects)
        if (e.id == id) return e.effect;
    return 0;
}

void CommandTable::AddFile() {
    Document& d = doc_;
    Add({.id = 57600,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "新建(&N)\tCtrl+N")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "建立新方案\n新建")),
         .icon = QStringLiteral("document-new"),
         .guard = -1,
         .run = [&d] {
             if (d.MayDiscardChanges()) d.NewDocument();
         }});
    AddSchemeFiles();
    AddRecentFiles();
    Add({.id = 57665,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "退出(&X)\tCtrl+Q")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "退出程序\n退出")),
         .icon = QStringLiteral("application-exit"),
         .run = [this] { app_.Exit(); }});
}

void CommandTable::AddRecentFiles() {
    Document& d = doc_;
    // The window writes the file names into these entries and hides the unused ones.
    for (int i = 0; i < kRecentFileCount; ++i)
        Add({.id = kRecentFileFirst + i,
             .menu = Tr(kFileMenu),
             .text = QStringLiteral("&%1").arg(i + 1),
             .prompt = Tr(QT_TRANSLATE_NOOP("Command", "打开最近使用的方案\n最近的文件")),
             .guard = -1,
             .run = [&d, i] { d.OpenRecentFile(i); }});
}

void CommandTable::AddEdit() {
    Document& d = doc_;
    Add({.id = kUndoId,
         .menu = Tr(kEditMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "撤销(&U)\tCtrl+Z")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "撤销上一步编辑\n撤销")),
         .icon = QStringLiteral("edit-undo"),
         .run = [&d] { d.Undo(); },
         .guardFn = [&d] { return d.CanUndo(); }});
    Add({.id = kRedoId,
         .menu = Tr(kEditMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "重做(&R)\tCtrl+Y")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "重做撤销的编辑\n重做")),
         .icon = QStringLiteral("edit-redo"),
         .run = [&d] { d.Redo(); },
         .guardFn = [&d] { return d.CanRedo(); },
         .moreShortcuts = {QStringLiteral("Ctrl+Shift+Z")}});
}

void CommandTable::AddSchemeFiles() {
    Document& d = doc_;
    Add({.id = 57601,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "打开(&O)...\tCtrl+O")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "打开一个方案文件\n打开")),
         .icon = QStringLiteral("document-open"),
         .guard = -1,
         .run = [&d] { d.OpenScheme(); }});
    Add({.id = 57603,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "保存方案(&S)\tCtrl+S")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "保存当前方案\n保存")),
         .icon = QStringLiteral("document-save"),
         .guard = 2,
         .run = [&d] { d.SaveScheme(); }});
    Add({.id = 32864,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "保存图片(&P)\tCtrl+P")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "把当前帧保存为BMP图片\n保存图片")),
         .guard = 2,
         .run = [&d] { d.SavePicture(); }});
    Add({.id = 32925,
         .menu = Tr(kFileMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "输出AVI文件(&V)\tCtrl+V")),
         .prompt = Tr(QT_TRANSLATE_NOOP(
             "Command", "把整个动画输出为视频文件 (AVI, MP4, WebM, GIF)\n输出视频")),
         .guard = 2,
         .run = [&d] { d.ExportVideo(); }});
}

void CommandTable::AddView() {
    struct Bar {
        int id;
        const char* text;
        const char* prompt;
    };
    static constexpr Bar kBars[] = {
        {59392, QT_TRANSLATE_NOOP("Command", "工具栏(&T)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏工具栏\n工具栏")},
        {59393, QT_TRANSLATE_NOOP("Command", "状态栏(&S)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏状态栏\n状态栏")},
        {32779, QT_TRANSLATE_NOOP("Command", "工具箱(&B)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏工具箱\n工具箱")},
        {32783, QT_TRANSLATE_NOOP("Command", "调色板(&C)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏调色板\n调色板")},
        {32802, QT_TRANSLATE_NOOP("Command", "参数栏(&P)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏参数栏\n参数栏")},
        {kHistoryPanelId, QT_TRANSLATE_NOOP("Command", "历史记录(&H)"),
         QT_TRANSLATE_NOOP("Command", "显示或隐藏编辑历史\n历史记录")},
    };
    for (const Bar& b : kBars) {
        const int id = b.id;
        Add({.id = id,
             .menu = Tr(kViewMenu),
             .text = Tr(b.text),
             .prompt = Tr(b.prompt),
             .checkable = true,
             .run = [this, id] { app_.ToggleBar(id); },
             .checked = [this, id] { return app_.BarVisible(id); }});
    }
}

void CommandTable::AddSettings() {
    Document& d = doc_;
    struct Entry {
        int id;
        const char* text;
        const char* prompt;
        int guard;
        std::function<void()> run;
    };
    const Entry regionAndBackground[] = {
        {32771, QT_TRANSLATE_NOOP("Command", "背景方格(&G)"),
         QT_TRANSLATE_NOOP("Command", "设置新区域的行数和列数\n背景方格"), 2,
         [&d] { d.GridCommand(); }},
        {32772, QT_TRANSLATE_NOOP("Command", "背景缩放(&S)"),
         QT_TRANSLATE_NOOP("Command", "设置新区域的方格缩放\n背景缩放"), 2,
         [&d] { d.ScaleCommand(); }},
        {32877, QT_TRANSLATE_NOOP("Command", "背景图片(&B)"),
         QT_TRANSLATE_NOOP("Command", "选择显示在每一帧下面的背景图片\n背景图片"), kNoGuard,
         [&d] { d.ChooseBackground(); }},
        {32936, QT_TRANSLATE_NOOP("Command", "取消背景(&C)"),
         QT_TRANSLATE_NOOP("Command", "去掉背景图片\n取消背景"), kNoGuard,
         [&d] { d.CancelBackground(); }},
    };
    for (const Entry& e : regionAndBackground)
        Add({.id = e.id,
             .menu = Tr(kSettingsMenu),
             .text = Tr(e.text),
             .prompt = Tr(e.prompt),
             .guard = e.guard,
             .run = e.run});
    Add({.id = 32928,
         .menu = Tr(kSettingsMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "指定背景(&R)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "复制帧和刷黑只作用于当前区域\n指定背景")),
         .checkable = true,
         .run = [&d] { d.ToggleDesignateBackground(); },
         .checked = [&d] { return d.designateBackground; }});
    Add({.id = 32921,
         .menu = Tr(kSettingsMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "属性显示(&P)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "显示或隐藏图元属性页\n属性显示")),
         .checkable = true,
         .run = [this] { app_.ToggleBar(kPropertySheetId); },
         .checked = [this] { return app_.BarVisible(kPropertySheetId); }});
    Add({.id = 32922,
         .menu = Tr(kSettingsMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "鼠标捕捉(&M)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "拖动图片时捕捉鼠标\n鼠标捕捉")),
         .checkable = true,
         .run = [&d] { d.ToggleMouseCapture(); },
         .checked = [&d] { return d.mouseCapture; }});
    Add({.id = 32931,
         .menu = Tr(kSettingsMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "模拟鼠标(&O)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "在位置栏中输入坐标代替鼠标点击\n模拟鼠标")),
         .checkable = true,
         .run = [&d] { d.ToggleSimulateMouse(); },
         .checked = [&d] { return d.simulateMouse; }});
    AddLanguages();
}

void CommandTable::AddLanguages() {
    struct Entry {
        int id;
        const QString& code;
        const char* text;
        const char* prompt;
    };
    const Entry languages[] = {
        {33001, LanguageChoice::System, QT_TRANSLATE_NOOP("Command", "跟随系统(&S)"),
         QT_TRANSLATE_NOOP("Command", "使用系统的语言，下次启动时生效\n跟随系统")},
        {33002, LanguageChoice::Chinese, QT_TRANSLATE_NOOP("Command", "中文(&C)"),
         QT_TRANSLATE_NOOP("Command", "使用中文界面，下次启动时生效\n中文")},
        {33003, LanguageChoice::English, QT_TRANSLATE_NOOP("Command", "英文(&E)"),
         QT_TRANSLATE_NOOP("Command", "使用英文界面，下次启动时生效\n英文")},
    };
    for (const Entry& e : languages) {
        const QString code = e.code;
        Add({.id = e.id,
             .menu = Tr(kSettingsMenu) + QLatin1Char('/') +
                     Tr(QT_TRANSLATE_NOOP("Command", "语言(&L)")),
             .text = Tr(e.text),
             .prompt = Tr(e.prompt),
             .checkable = true,
             .run = [this, code] { app_.ChooseLanguage(code); },
             .checked = [this, code] { return app_.ChosenLanguage() == code; }});
    }
}

void CommandTable::AddPicture() {
    Document& d = doc_;
    Add({.id = 32857,
         .menu = Tr(kPictureMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "导入(&I)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "导入图片，然后在视图中单击放置\n导入图片")),
         .icon = QStringLiteral("tools/picture"),
         .layerRule = LayerRule::Picture,
         .isTool = true,
         .toolMode = ToolMode::Picture,
         .run = [&d] { d.ChooseTool(ToolMode::Picture, LayerRule::Picture); }});
    Add({.id = 32856,
         .menu = Tr(kPictureMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "透明显示(&T)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "调色板的主颜色在当前图片中变为透明\n透明显示")),
         .guard = 2,
         .run = [&d] { d.TransparentDisplay(); }});
    struct Zoom {
        int id;
        double factor;
        const char* menu;
        const char* text;
    };
    static constexpr Zoom kZooms[] = {
        {32867, 1.2, QT_TRANSLATE_NOOP("Command", "放大"), "120%"},
        {32868, 1.5, QT_TRANSLATE_NOOP("Command", "放大"), "150%"},
        {32869, 2.0, QT_TRANSLATE_NOOP("Command", "放大"), "200%"},
        {32870, 3.0, QT_TRANSLATE_NOOP("Command", "放大"), "300%"},
        {32871, 4.0, QT_TRANSLATE_NOOP("Command", "放大"), "400%"},
        {32872, 0.9, QT_TRANSLATE_NOOP("Command", "缩小"), "90%"},
        {32873, 0.75, QT_TRANSLATE_NOOP("Command", "缩小"), "75%"},
        {32874, 0.5, QT_TRANSLATE_NOOP("Command", "缩小"), "50%"},
        {32875, 0.3, QT_TRANSLATE_NOOP("Command", "缩小"), "30%"},
        {32876, 0.1, QT_TRANSLATE_NOOP("Command", "缩小"), "10%"},
    };
    for (const Zoom& z : kZooms) {
        const double factor = z.factor;
        const QString text = Tr(z.text);
        Add({.id = z.id,
             .menu = Tr(kPictureMenu) + QLatin1Char('/') + Tr(z.menu),
             .text = text,
             .prompt = Tr(QT_TRANSLATE_NOOP("Command", "把当前图片缩放到 %1\n%1")).arg(text),
             .guard = 2,
             .run = [&d, factor] { d.ZoomPicture(factor); }});
    }
}

void CommandTable::AddTextToggles() {
    Document& d = doc_;
    Add({.id = 32848,
         .text = Tr(QT_TRANSLATE_NOOP("Command", "粗体")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "粗体\n粗体")),
         .icon = QStringLiteral("format-text-bold"),
         .checkable = true,
         .run = [&d] { d.ToggleTextBold(); },
         .checked = [&d] { return d.textFont.Bold(); }});
    Add({.id = 32849,
         .text = Tr(QT_TRANSLATE_NOOP("Command", "斜体")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "斜体\n斜体")),
         .icon = QStringLiteral("format-text-italic"),
         .checkable = true,
         .run = [&d] { d.ToggleTextItalic(); },
         .checked = [&d] { return d.textFont.Italic(); }});
    Add({.id = 32850,
         .text = Tr(QT_TRANSLATE_NOOP("Command", "下划线")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "下划线\n下划线")),
         .icon = QStringLiteral("format-text-underline"),
         .checkable = true,
         .run = [&d] { d.ToggleTextUnderline(); },
         .checked = [&d] { return d.textFont.Underline(); }});
}

void CommandTable::AddPlayback() {
    Document& d = doc_;
    Player& p = d.GetPlayer();
    struct Entry {
        int id;
        const char* text;
        const char* prompt;
        const char* icon;
        int guard;
        std::function<void()> run;
    };
    const Entry entries[] = {
        {32792, QT_TRANSLATE_NOOP("Command", "播放动画\tF5"),
         QT_TRANSLATE_NOOP("Command", "播放动画\n播放"), "media-playback-start", 2,
         [&p] { p.Play(); }},
        {32794, QT_TRANSLATE_NOOP("Command", "暂停动画\tF6"),
         QT_TRANSLATE_NOOP("Command", "暂停动画\n暂停"), "media-playback-pause", 2,
         [&p] { p.Pause(); }},
        {32793, QT_TRANSLATE_NOOP("Command", "停止动画\tF7"),
         QT_TRANSLATE_NOOP("Command", "停止动画\n停止"), "media-playback-stop", 2,
         [&p] { p.Stop(); }},
        {32784, QT_TRANSLATE_NOOP("Command", "第一帧\tCtrl+Home"),
         QT_TRANSLATE_NOOP("Command", "第一帧\n第一帧"), "go-first", 2, [&d] { d.FirstFrame(); }},
        {32777, QT_TRANSLATE_NOOP("Command", "前一帧\tPgUp"),
         QT_TRANSLATE_NOOP("Command", "前一帧\n前一帧"), "go-previous", 2,
         [&d] { d.PreviousFrame(); }},
        {32778, QT_TRANSLATE_NOOP("Command", "后一帧\tPgDown"),
         QT_TRANSLATE_NOOP("Command", "后一帧\n后一帧"), "go-next", 2, [&d] { d.NextFrame(); }},
        {32785, QT_TRANSLATE_NOOP("Command", "最后一帧\tCtrl+End"),
         QT_TRANSLATE_NOOP("Command", "最后一帧\n最后一帧"), "go-last", 2, [&d] { d.LastFrame(); }},
        {32786, QT_TRANSLATE_NOOP("Command", "增加一帧\tCtrl+Ins"),
         QT_TRANSLATE_NOOP("Command", "增加一帧\n增加"), "list-add", -1, [&d] { d.AddFrame(); }},
        {32787, QT_TRANSLATE_NOOP("Command", "删除当前帧"),
         QT_TRANSLATE_NOOP("Command", "删除当前帧\n删除"), "list-remove", 2,
         [&d] { d.DeleteFrame(); }},
        {32795, QT_TRANSLATE_NOOP("Command", "复制前一帧"),
         QT_TRANSLATE_NOOP("Command", "复制前一帧\n拷贝前一帧"), "commands/copy-previous-frame", 2,
         [&d] { d.CopyPreviousFrame(); }},
        {32909, QT_TRANSLATE_NOOP("Command", "复制某一帧..."),
         QT_TRANSLATE_NOOP("Command", "复制某一帧\n拷贝某一帧"), "commands/copy-frame-n", 2,
         [&d] { d.CopyFrameN(); }},
        {32935, QT_TRANSLATE_NOOP("Command", "背景区域刷黑"),
         QT_TRANSLATE_NOOP("Command", "背景区域刷黑\n背景区域刷黑"), "commands/blacken-regions", 2,
         [&d] { d.BlackenRegions(); }},
        {32863, QT_TRANSLATE_NOOP("Command", "刷新"), QT_TRANSLATE_NOOP("Command", "刷新\n刷新"),
         "view-refresh", kNoGuard, [&d] { d.Refresh(); }},
    };
    for (const Entry& e : entries)
        Add({.id = e.id,
             .menu = Tr(kPlayMenu),
             .text = Tr(e.text),
             .prompt = Tr(e.prompt),
             .icon = QString::fromUtf8(e.icon),
             .guard = e.guard,
             .run = e.run});
}

void CommandTable::AddTools() {
    Document& d = doc_;
    for (const ToolEntry& t : kTools) {
        const int mode = t.mode;
        const LayerRule rule = t.rule;
        const QString prompt = Tr(t.prompt);
        Add({.id = t.id,
             .menu = Tr(kToolsMenu),
             .text = EscapeAmpersands(prompt.section(QLatin1Char('\n'), 1)),
             .prompt = prompt,
             .icon = QString::fromUtf8(t.icon),
             .checkable = true,
             .layerRule = rule,
             .isTool = true,
             .toolMode = mode,
             .run = [&d, mode, rule] { d.ChooseTool(mode, rule); },
             .checked = [&d,
                         mode] { return mode != ToolMode::NoOperation && d.toolMode == mode; }});
    }
    struct Move {
        int id;
        const char* text;
        MoveDirection dir;
        const char* icon;
    };
    static constexpr Move kMoves[] = {
        {32835, QT_TRANSLATE_NOOP("Command", "上移"), MoveDirection::Up, "commands/move-up"},
        {32837, QT_TRANSLATE_NOOP("Command", "下移"), MoveDirection::Down, "commands/move-down"},
        {32833, QT_TRANSLATE_NOOP("Command", "左移"), MoveDirection::Left, "commands/move-left"},
        {32834, QT_TRANSLATE_NOOP("Command", "右移"), MoveDirection::Right, "commands/move-right"},
    };
    for (const Move& m : kMoves) {
        const MoveDirection dir = m.dir;
        const QString text = Tr(m.text);
        Add({.id = m.id,
             .menu = Tr(kToolsMenu) + QLatin1Char('/') + Tr(QT_TRANSLATE_NOOP("Command", "移动")),
             .text = text,
             .prompt = Tr(QT_TRANSLATE_NOOP("Command", "移动当前层的对象\n%1")).arg(text),
             .icon = QString::fromUtf8(m.icon),
             .guard = 2,
             .run = [&d, dir] { d.MoveObject(dir); }});
    }
    Add({.id = 32879,
         .menu = Tr(kToolsMenu) + QLatin1Char('/') + Tr(QT_TRANSLATE_NOOP("Command", "移动")),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "移动到某一位置")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "移动到某一位置\n移动到某一位置")),
         .icon = QStringLiteral("commands/move-to"),
         .checkable = true,
         .guard = 2,
         .run = [&d] { d.StartMoveTo(); },
         .checked = [&d] { return d.toolMode == ToolMode::MoveTo; }});
    Add({.id = 32934,
         .menu = Tr(kToolsMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "旋转")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "旋转选中的图形\n旋转")),
         .icon = QStringLiteral("commands/rotate"),
         .checkable = true,
         .layerRule = LayerRule::Graphics,
         .isTool = true,
         .toolMode = ToolMode::Rotate,
         .run = [&d] { d.StartRotate(); },
         .checked = [&d] { return d.toolMode == ToolMode::Rotate; }});
}

void CommandTable::AddEffects() {
    Document& d = doc_;
    for (const EffectEntry& e : kEffects) {
        const int n = e.effect;
        Add({.id = e.id,
             .menu = Tr(kEffectsMenu) + QLatin1Char('/') + Tr(e.group),
             .text = Tr(e.label),
             .prompt = Tr(QT_TRANSLATE_NOOP("Command", "给当前区域加上特效: %1\n%1"))
                           .arg(FrameCategoryDisplayName(n)),
             .guard = 0,
             .run = [&d, n] { d.ApplyEffect(n); }});
    }
    Add({.id = 32853,
         .menu = Tr(kEffectsMenu) + QLatin1Char('/') + Tr(QT_TRANSLATE_NOOP("Command", "选项")),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "循环(&C)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "特效循环\n循环")),
         .checkable = true,
         .run = [&d] { d.ToggleLoopOption(); },
         .checked = [&d] { return d.loopOption; }});
    Add({.id = 32926,
         .menu = Tr(kEffectsMenu) + QLatin1Char('/') + Tr(QT_TRANSLATE_NOOP("Command", "选项")),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "展开(&D)")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "特效展开到后面的帧中\n展开")),
         .checkable = true,
         .run = [&d] { d.ToggleExpandOption(); },
         .checked = [&d] { return d.expandOption; }});
}

void CommandTable::AddHelp() {
    Add({.id = 32862,
         .menu = Tr(kHelpMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "帮助(&H)\tF1")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "打开使用说明\n帮助")),
         .icon = QStringLiteral("help-contents"),
         .run = [this] { app_.Help(); }});
    Add({.id = 57664,
         .menu = Tr(kHelpMenu),
         .text = Tr(QT_TRANSLATE_NOOP("Command", "关于 Zorvane(&A)...")),
         .prompt = Tr(QT_TRANSLATE_NOOP("Command", "显示程序信息\n关于")),
         .icon = QStringLiteral("help-about"),
         .run = [this] { app_.About(); }});
}

}  // namespace zv
