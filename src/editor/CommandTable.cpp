#include "editor/CommandTable.h"

#include <algorithm>

#include "editor/Document.h"
#include "editor/Player.h"
#include "model/FrameCategoryNames.h"

// The table names only the fields a command sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zv {

namespace {

const QString kFileMenu = QStringLiteral("文件(&F)");
const QString kEditMenu = QStringLiteral("编辑(&E)");
const QString kViewMenu = QStringLiteral("查看(&V)");
const QString kSettingsMenu = QStringLiteral("设置(&S)");
const QString kPictureMenu = QStringLiteral("图片(&I)");
const QString kPlayMenu = QStringLiteral("播放(&P)");
const QString kToolsMenu = QStringLiteral("工具(&T)");
const QString kEffectsMenu = QStringLiteral("特效(&X)");
const QString kHelpMenu = QStringLiteral("帮助(&H)");

struct EffectEntry {
    int id;
    int effect;
    const char* group;  // below the effects menu
    const char* label;
};

// Command id, effect number, submenu and menu text of the 56 effects.
constexpr EffectEntry kEffects[] = {
    {32803, 1, "平移/水平", "左移"},  {32804, 2, "平移/水平", "右移"},
    {32805, 3, "平移/水平", "交错"},  {32883, 24, "平移/竖直", "上移"},
    {32884, 25, "平移/竖直", "下移"}, {32882, 26, "平移/竖直", "交错"},
    {32806, 4, "聚合/水平", "左"},    {32807, 5, "聚合/水平", "右"},
    {32808, 6, "聚合/水平", "中"},    {32822, 7, "聚合/水平", "边缘"},
    {32885, 27, "聚合/竖直", "上"},   {32886, 28, "聚合/竖直", "下"},
    {32887, 29, "聚合/竖直", "中"},   {32888, 30, "聚合/竖直", "边缘"},
    {32809, 8, "分散/水平", "左"},    {32810, 9, "分散/水平", "右"},
    {32811, 10, "分散/水平", "中"},   {32823, 11, "分散/水平", "边缘"},
    {32889, 31, "分散/竖直", "上"},   {32890, 32, "分散/竖直", "下"},
    {32891, 33, "分散/竖直", "中"},   {32892, 34, "分散/竖直", "边缘"},
    {32815, 12, "收缩/水平", "左"},   {32816, 13, "收缩/水平", "右"},
    {32817, 14, "收缩/水平", "中"},   {32818, 15, "收缩/水平", "边缘"},
    {32897, 35, "收缩/竖直", "上"},   {32899, 36, "收缩/竖直", "下"},
    {32898, 37, "收缩/竖直", "中"},   {32900, 38, "收缩/竖直", "边缘"},
    {32819, 16, "伸展/水平", "左"},   {32820, 17, "伸展/水平", "右"},
    {32821, 18, "伸展/水平", "中"},   {32824, 19, "伸展/水平", "边缘"},
    {32893, 39, "伸展/竖直", "上"},   {32895, 40, "伸展/竖直", "下"},
    {32894, 41, "伸展/竖直", "中"},   {32896, 42, "伸展/竖直", "边缘"},
    {32825, 20, "侵蚀/水平", "左"},   {32826, 21, "侵蚀/水平", "右"},
    {32827, 22, "侵蚀/水平", "中"},   {32828, 23, "侵蚀/水平", "边缘"},
    {32901, 43, "侵蚀/竖直", "上"},   {32903, 44, "侵蚀/竖直", "下"},
    {32902, 45, "侵蚀/竖直", "中"},   {32904, 46, "侵蚀/竖直", "边缘"},
    {32813, 47, "渐变", "渐隐"},      {32812, 48, "渐变", "渐显"},
    {32829, 49, "七彩", "左"},        {32830, 50, "七彩", "右"},
    {32907, 51, "七彩", "上"},        {32908, 52, "七彩", "下"},
    {32831, 53, "单色", "左"},        {32832, 54, "单色", "右"},
    {32905, 55, "单色", "上"},        {32906, 56, "单色", "下"},
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
    {32796, 1, LayerRule::Background, "选择工具\n箭头选则", "tools/arrow-select"},
    {32780, 2, LayerRule::NotGraphics, "选择工具\n区域选择", "tools/region-select"},
    {32855, 8, LayerRule::Any, "取色工具\n取色", "tools/colour-pick"},
    {32914, 27, LayerRule::Any, "无操作状态\n无操作状态", "tools/no-operation"},
    {32923, 9, LayerRule::Background, "矩形区域\n矩形区域(水平)", "tools/rect-region-h"},
    {32924, 10, LayerRule::Background, "矩形区域\n矩形区域(竖直)", "tools/rect-region-v"},
    {32930, 11, LayerRule::Background, "多边形区域\n多边形区域(水平)", "tools/polygon-region-h"},
    {32929, 12, LayerRule::Background, "多边形区域\n多边形区域(竖直)", "tools/polygon-region-v"},
    {32798, 3, LayerRule::Background, "画刷工具\n画刷", "tools/brush"},
    {32789, 4, LayerRule::Background, "油漆桶工具\n油漆桶", "tools/paint-bucket"},
    {32790, 5, LayerRule::Picture, "图片工具\n图片", "tools/picture"},
    {32791, 7, LayerRule::Text, "文字工具\n文字", "tools/text"},
    {32880, 16, LayerRule::Graphics, "图形工具\n矩形", "tools/shape-rectangle"},
    {32916, 21, LayerRule::Graphics, "图形工具\n圆角矩形", "tools/shape-round-rectangle"},
    {32910, 17, LayerRule::Graphics, "图形工具\n多边形", "tools/shape-polygon"},
    {32912, 18, LayerRule::Graphics, "图形工具\n圆", "tools/shape-circle"},
    {32913, 20, LayerRule::Graphics, "图形工具\n椭圆", "tools/shape-ellipse"},
    {32911, 19, LayerRule::Graphics, "图形工具\n斜椭圆", "tools/shape-slanted-ellipse"},
    {32918, 24, LayerRule::Graphics, "图形工具\n圆弧", "tools/shape-arc"},
    {32919, 25, LayerRule::Graphics, "图形工具\n椭圆弧", "tools/shape-elliptical-arc"},
    {32917, 22, LayerRule::Graphics, "图形工具\n曲线", "tools/shape-curve"},
    {32920, 26, LayerRule::Graphics, "图形工具\n平滑曲线", "tools/shape-smooth-curve"},
    {32915, 23, LayerRule::Graphics, "图形工具\n直线", "tools/shape-line"},
    {32881, 15, LayerRule::Graphics, "图形工具\n选择&拖拽", "tools/select-drag"},
};

QString EscapeAmpersands(QString s) {
    return s.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

CommandTable::CommandTable(Document& doc, AppCommands& app) : doc_(doc), app_(app) {
    menus_ = {kFileMenu, kEditMenu,  kViewMenu,    kSettingsMenu, kPictureMenu,
              kPlayMenu, kToolsMenu, kEffectsMenu, kHelpMenu};
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
         .menu = kFileMenu,
         .text = QStringLiteral("新建(&N)\tCtrl+N"),
         .prompt = QStringLiteral("建立新方案\n新建"),
         .icon = QStringLiteral("document-new"),
         .guard = -1,
         .run = [&d] {
             if (d.MayDiscardChanges()) d.NewDocument();
         }});
    AddSchemeFiles();
    AddRecentFiles();
    Add({.id = 57665,
         .menu = kFileMenu,
         .text = QStringLiteral("退出(&X)\tCtrl+Q"),
         .prompt = QStringLiteral("退出程序\n退出"),
         .icon = QStringLiteral("application-exit"),
         .run = [this] { app_.Exit(); }});
}

void CommandTable::AddRecentFiles() {
    Document& d = doc_;
    // The window writes the file names into these entries and hides the unused ones.
    for (int i = 0; i < kRecentFileCount; ++i)
        Add({.id = kRecentFileFirst + i,
             .menu = kFileMenu,
             .text = QStringLiteral("&%1").arg(i + 1),
             .prompt = QStringLiteral("打开最近使用的方案\n最近的文件"),
             .guard = -1,
             .run = [&d, i] { d.OpenRecentFile(i); }});
}

void CommandTable::AddEdit() {
    Document& d = doc_;
    Add({.id = kUndoId,
         .menu = kEditMenu,
         .text = QStringLiteral("撤销(&U)\tCtrl+Z"),
         .prompt = QStringLiteral("撤销上一步编辑\n撤销"),
         .icon = QStringLiteral("edit-undo"),
         .run = [&d] { d.Undo(); },
         .guardFn = [&d] { return d.CanUndo(); }});
    Add({.id = kRedoId,
         .menu = kEditMenu,
         .text = QStringLiteral("重做(&R)\tCtrl+Y"),
         .prompt = QStringLiteral("重做撤销的编辑\n重做"),
         .icon = QStringLiteral("edit-redo"),
         .run = [&d] { d.Redo(); },
         .guardFn = [&d] { return d.CanRedo(); },
         .moreShortcuts = {QStringLiteral("Ctrl+Shift+Z")}});
}

void CommandTable::AddSchemeFiles() {
    Document& d = doc_;
    Add({.id = 57601,
         .menu = kFileMenu,
         .text = QStringLiteral("打开(&O)...\tCtrl+O"),
         .prompt = QStringLiteral("打开一个方案文件\n打开"),
         .icon = QStringLiteral("document-open"),
         .guard = -1,
         .run = [&d] { d.OpenScheme(); }});
    Add({.id = 57603,
         .menu = kFileMenu,
         .text = QStringLiteral("保存方案(&S)\tCtrl+S"),
         .prompt = QStringLiteral("保存当前方案\n保存"),
         .icon = QStringLiteral("document-save"),
         .guard = 2,
         .run = [&d] { d.SaveScheme(); }});
    Add({.id = 32864,
         .menu = kFileMenu,
         .text = QStringLiteral("保存图片(&P)\tCtrl+P"),
         .prompt = QStringLiteral("把当前帧保存为BMP图片\n保存图片"),
         .guard = 2,
         .run = [&d] { d.SavePicture(); }});
}

void CommandTable::AddView() {
    struct Bar {
        int id;
        const char* text;
        const char* prompt;
    };
    static constexpr Bar kBars[] = {
        {59392, "工具栏(&T)", "显示或隐藏工具栏\n工具栏"},
        {59393, "状态栏(&S)", "显示或隐藏状态栏\n状态栏"},
        {32779, "工具箱(&B)", "显示或隐藏工具箱\n工具箱"},
        {32783, "调色板(&C)", "显示或隐藏调色板\n调色板"},
        {32802, "参数栏(&P)", "显示或隐藏参数栏\n参数栏"},
        {kHistoryPanelId, "历史记录(&H)", "显示或隐藏编辑历史\n历史记录"},
    };
    for (const Bar& b : kBars) {
        const int id = b.id;
        Add({.id = id,
             .menu = kViewMenu,
             .text = QString::fromUtf8(b.text),
             .prompt = QString::fromUtf8(b.prompt),
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
        {32771, "背景方格(&G)", "设置新区域的行数和列数\n背景方格", 2, [&d] { d.GridCommand(); }},
        {32772, "背景缩放(&S)", "设置新区域的方格缩放\n背景缩放", 2, [&d] { d.ScaleCommand(); }},
        {32877, "背景图片(&B)", "选择显示在每一帧下面的背景图片\n背景图片", kNoGuard,
         [&d] { d.ChooseBackground(); }},
        {32936, "取消背景(&C)", "去掉背景图片\n取消背景", kNoGuard, [&d] { d.CancelBackground(); }},
    };
    for (const Entry& e : regionAndBackground)
        Add({.id = e.id,
             .menu = kSettingsMenu,
             .text = QString::fromUtf8(e.text),
             .prompt = QString::fromUtf8(e.prompt),
             .guard = e.guard,
             .run = e.run});
    Add({.id = 32928,
         .menu = kSettingsMenu,
         .text = QStringLiteral("指定背景(&R)"),
         .prompt = QStringLiteral("复制帧和刷黑只作用于当前区域\n指定背景"),
         .checkable = true,
         .run = [&d] { d.ToggleDesignateBackground(); },
         .checked = [&d] { return d.designateBackground; }});
    Add({.id = 32921,
         .menu = kSettingsMenu,
         .text = QStringLiteral("属性显示(&P)"),
         .prompt = QStringLiteral("显示或隐藏图元属性页\n属性显示"),
         .checkable = true,
         .run = [this] { app_.ToggleBar(kPropertySheetId); },
         .checked = [this] { return app_.BarVisible(kPropertySheetId); }});
    Add({.id = 32922,
         .menu = kSettingsMenu,
         .text = QStringLiteral("鼠标捕捉(&M)"),
         .prompt = QStringLiteral("拖动图片时捕捉鼠标\n鼠标捕捉"),
         .checkable = true,
         .run = [&d] { d.ToggleMouseCapture(); },
         .checked = [&d] { return d.mouseCapture; }});
    Add({.id = 32931,
         .menu = kSettingsMenu,
         .text = QStringLiteral("模拟鼠标(&O)"),
         .prompt = QStringLiteral("在位置栏中输入坐标代替鼠标点击\n模拟鼠标"),
         .checkable = true,
         .run = [&d] { d.ToggleSimulateMouse(); },
         .checked = [&d] { return d.simulateMouse; }});
}

void CommandTable::AddPicture() {
    Document& d = doc_;
    Add({.id = 32857,
         .menu = kPictureMenu,
         .text = QStringLiteral("导入(&I)"),
         .prompt = QStringLiteral("导入图片，然后在视图中单击放置\n导入图片"),
         .icon = QStringLiteral("tools/picture"),
         .layerRule = LayerRule::Picture,
         .isTool = true,
         .toolMode = ToolMode::Picture,
         .run = [&d] { d.ChooseTool(ToolMode::Picture, LayerRule::Picture); }});
    Add({.id = 32856,
         .menu = kPictureMenu,
         .text = QStringLiteral("透明显示(&T)"),
         .prompt = QStringLiteral("调色板的主颜色在当前图片中变为透明\n透明显示"),
         .guard = 2,
         .run = [&d] { d.TransparentDisplay(); }});
    struct Zoom {
        int id;
        double factor;
        const char* menu;
        const char* text;
    };
    static constexpr Zoom kZooms[] = {
        {32867, 1.2, "放大", "120%"}, {32868, 1.5, "放大", "150%"}, {32869, 2.0, "放大", "200%"},
        {32870, 3.0, "放大", "300%"}, {32871, 4.0, "放大", "400%"}, {32872, 0.9, "缩小", "90%"},
        {32873, 0.75, "缩小", "75%"}, {32874, 0.5, "缩小", "50%"},  {32875, 0.3, "缩小", "30%"},
        {32876, 0.1, "缩小", "10%"},
    };
    for (const Zoom& z : kZooms) {
        const double factor = z.factor;
        const QString text = QString::fromUtf8(z.text);
        Add({.id = z.id,
             .menu = kPictureMenu + QLatin1Char('/') + QString::fromUtf8(z.menu),
             .text = text,
             .prompt = QStringLiteral("把当前图片缩放到 %1\n%1").arg(text),
             .guard = 2,
             .run = [&d, factor] { d.ZoomPicture(factor); }});
    }
}

void CommandTable::AddTextToggles() {
    Document& d = doc_;
    Add({.id = 32848,
         .text = QStringLiteral("粗体"),
         .prompt = QStringLiteral("粗体\n粗体"),
         .icon = QStringLiteral("format-text-bold"),
         .checkable = true,
         .run = [&d] { d.ToggleTextBold(); },
         .checked = [&d] { return d.textFont.Bold(); }});
    Add({.id = 32849,
         .text = QStringLiteral("斜体"),
         .prompt = QStringLiteral("斜体\n斜体"),
         .icon = QStringLiteral("format-text-italic"),
         .checkable = true,
         .run = [&d] { d.ToggleTextItalic(); },
         .checked = [&d] { return d.textFont.Italic(); }});
    Add({.id = 32850,
         .text = QStringLiteral("下划线"),
         .prompt = QStringLiteral("下划线\n下划线"),
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
        {32792, "播放动画\tF5", "播放动画\n播放", "media-playback-start", 2, [&p] { p.Play(); }},
        {32794, "暂停动画\tF6", "暂停动画\n暂停", "media-playback-pause", 2, [&p] { p.Pause(); }},
        {32793, "停止动画\tF7", "停止动画\n停止", "media-playback-stop", 2, [&p] { p.Stop(); }},
        {32784, "第一帧\tCtrl+Home", "第一帧\n第一帧", "go-first", 2, [&d] { d.FirstFrame(); }},
        {32777, "前一帧\tPgUp", "前一帧\n前一帧", "go-previous", 2, [&d] { d.PreviousFrame(); }},
        {32778, "后一帧\tPgDown", "后一帧\n后一帧", "go-next", 2, [&d] { d.NextFrame(); }},
        {32785, "最后一帧\tCtrl+End", "最后一帧\n最后一帧", "go-last", 2, [&d] { d.LastFrame(); }},
        {32786, "增加一帧\tCtrl+Ins", "增加一帧\n增加", "list-add", -1, [&d] { d.AddFrame(); }},
        {32787, "删除当前帧", "删除当前帧\n删除", "list-remove", 2, [&d] { d.DeleteFrame(); }},
        {32795, "复制前一帧", "复制前一帧\n拷贝前一帧", "commands/copy-previous-frame", 2,
         [&d] { d.CopyPreviousFrame(); }},
        {32909, "复制某一帧...", "复制某一帧\n拷贝某一帧", "commands/copy-frame-n", 2,
         [&d] { d.CopyFrameN(); }},
        {32935, "背景区域刷黑", "背景区域刷黑\n背景区域刷黑", "commands/blacken-regions", 2,
         [&d] { d.BlackenRegions(); }},
        {32863, "刷新", "刷新\n刷新", "view-refresh", kNoGuard, [&d] { d.Refresh(); }},
    };
    for (const Entry& e : entries)
        Add({.id = e.id,
             .menu = kPlayMenu,
             .text = QString::fromUtf8(e.text),
             .prompt = QString::fromUtf8(e.prompt),
             .icon = QString::fromUtf8(e.icon),
             .guard = e.guard,
             .run = e.run});
}

void CommandTable::AddTools() {
    Document& d = doc_;
    for (const ToolEntry& t : kTools) {
        const int mode = t.mode;
        const LayerRule rule = t.rule;
        const QString prompt = QString::fromUtf8(t.prompt);
        Add({.id = t.id,
             .menu = kToolsMenu,
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
        {32835, "上移", MoveDirection::Up, "commands/move-up"},
        {32837, "下移", MoveDirection::Down, "commands/move-down"},
        {32833, "左移", MoveDirection::Left, "commands/move-left"},
        {32834, "右移", MoveDirection::Right, "commands/move-right"},
    };
    for (const Move& m : kMoves) {
        const MoveDirection dir = m.dir;
        const QString text = QString::fromUtf8(m.text);
        Add({.id = m.id,
             .menu = kToolsMenu + QStringLiteral("/移动"),
             .text = text,
             .prompt = QStringLiteral("移动当前层的对象\n") + text,
             .icon = QString::fromUtf8(m.icon),
             .guard = 2,
             .run = [&d, dir] { d.MoveObject(dir); }});
    }
    Add({.id = 32879,
         .menu = kToolsMenu + QStringLiteral("/移动"),
         .text = QStringLiteral("移动到某一位置"),
         .prompt = QStringLiteral("移动到某一位置\n移动到某一位置"),
         .icon = QStringLiteral("commands/move-to"),
         .checkable = true,
         .guard = 2,
         .run = [&d] { d.StartMoveTo(); },
         .checked = [&d] { return d.toolMode == ToolMode::MoveTo; }});
    Add({.id = 32934,
         .menu = kToolsMenu,
         .text = QStringLiteral("旋转"),
         .prompt = QStringLiteral("旋转选中的图形\n旋转"),
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
    const auto& names = FrameCategoryNames();
    for (const EffectEntry& e : kEffects) {
        const int n = e.effect;
        Add({.id = e.id,
             .menu = kEffectsMenu + QLatin1Char('/') + QString::fromUtf8(e.group),
             .text = QString::fromUtf8(e.label),
             .prompt = QStringLiteral("给当前区域加上特效: %1\n%1").arg(names[std::size_t(n)]),
             .guard = 0,
             .run = [&d, n] { d.ApplyEffect(n); }});
    }
    Add({.id = 32853,
         .menu = kEffectsMenu + QStringLiteral("/选项"),
         .text = QStringLiteral("循环(&C)"),
         .prompt = QStringLiteral("特效循环\n循环"),
         .checkable = true,
         .run = [&d] { d.ToggleLoopOption(); },
         .checked = [&d] { return d.loopOption; }});
    Add({.id = 32926,
         .menu = kEffectsMenu + QStringLiteral("/选项"),
         .text = QStringLiteral("展开(&D)"),
         .prompt = QStringLiteral("特效展开到后面的帧中\n展开"),
         .checkable = true,
         .run = [&d] { d.ToggleExpandOption(); },
         .checked = [&d] { return d.expandOption; }});
}

void CommandTable::AddHelp() {
    Add({.id = 32862,
         .menu = kHelpMenu,
         .text = QStringLiteral("帮助(&H)\tF1"),
         .prompt = QStringLiteral("打开使用说明\n帮助"),
         .icon = QStringLiteral("help-contents"),
         .run = [this] { app_.Help(); }});
    Add({.id = 57664,
         .menu = kHelpMenu,
         .text = QStringLiteral("关于 Zorvane(&A)..."),
         .prompt = QStringLiteral("显示程序信息\n关于"),
         .icon = QStringLiteral("help-about"),
         .run = [this] { app_.About(); }});
}

}  // namespace zv
