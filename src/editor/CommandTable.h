#pragma once
// Every command of the editor, declared once: its id, where it stands in the menus
// and tool bars, its texts, icon, whether it is checkable, the guard it needs and
// what it does. Menus, tool bars, shortcuts, status tips and enabling are all built
// from this table.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "editor/EditorTypes.h"

namespace zv {

class Document;

// The interface languages the settings offer.
namespace LanguageChoice {
inline const QString System;  // follow the system's language
inline const QString Chinese = QStringLiteral("zh_CN");
inline const QString English = QStringLiteral("en");
}  // namespace LanguageChoice

// What only the window can do for a command: close, dialogs, its own bars.
class AppCommands {
public:
    virtual ~AppCommands() = default;
    virtual void Exit() = 0;
    virtual void About() = 0;
    virtual void Help() = 0;
    // Shows or hides the bar with this control id.
    virtual void ToggleBar(int id) = 0;
    virtual bool BarVisible(int id) const = 0;
    // The interface language chosen in the settings (a LanguageChoice). A window
    // without the choice keeps its language.
    virtual void ChooseLanguage(const QString& choice) { (void)choice; }
    virtual QString ChosenLanguage() const { return {}; }
};

enum class ToolBarId { None, Standard, Tools, Text };

// The property sheet is shown and hidden like a bar, under the id of its command.
constexpr int kPropertySheetId = 32921;

// The edit commands and the history panel, shown and hidden like a bar.
constexpr int kUndoId = 57643;
constexpr int kRedoId = 57644;
constexpr int kHistoryPanelId = 32960;
// The recent files of the File menu, most recent first.
constexpr int kRecentFileFirst = 57616;
constexpr int kRecentFileCount = 4;

// "Always": no guard, the command can always run.
constexpr int kNoGuard = -100;

struct Command {
    int id = 0;
    // Menu path below the menu bar, levels separated by '/'; empty: no menu entry.
    QString menu;
    // Menu text with its mnemonic; the shortcut, if any, after a tab.
    QString text;
    // "status text\ntool tip"; without a line break both are the same.
    QString prompt;
    // One of our drawings by its path ("tools/brush"), or a freedesktop name.
    QString icon;
    bool checkable = false;
    // CanOperate level the command needs to be enabled (kNoGuard: always).
    int guard = kNoGuard;
    // For tool commands: the layers they accept.
    LayerRule layerRule = LayerRule::Any;
    bool isTool = false;
    int toolMode = 0;
    std::function<void()> run;
    std::function<bool()> checked;
    // A further condition for being enabled, besides the guard.
    std::function<bool()> guardFn;
    // Further keys for the command, besides the one in its text.
    QStringList moreShortcuts;

    QString MenuText() const { return text.section(QLatin1Char('\t'), 0, 0); }
    QString Shortcut() const { return text.section(QLatin1Char('\t'), 1); }
    QString StatusTip() const { return prompt.section(QLatin1Char('\n'), 0, 0); }
    QString ToolTip() const {
        return prompt.contains(QLatin1Char('\n')) ? prompt.section(QLatin1Char('\n'), 1) : prompt;
    }
};

// One entry of a tool bar: a command id, or 0 for a separator.
struct ToolBarLayout {
    ToolBarId bar;
    std::vector<int> ids;
};

class CommandTable {
public:
    CommandTable(Document& doc, AppCommands& app);

    const std::vector<Command>& Commands() const { return commands_; }
    const Command* Find(int id) const;
    // Runs command `id`; false when there is no such command.
    bool Run(int id) const;
    // Whether the command can run now (guard and edit layer).
    bool Enabled(const Command& c) const;
    bool Checked(const Command& c) const { return c.checked && c.checked(); }
    const std::vector<ToolBarLayout>& ToolBars() const { return bars_; }
    // Top-level menus in the order they stand on the menu bar.
    const std::vector<QString>& MenuOrder() const { return menus_; }

    // The effect number of an effect command, 0 for other ids.
    static int EffectOfCommand(int id);

private:
    void AddFile();
    void AddEdit();
    void AddRecentFiles();
    void AddSchemeFiles();
    void AddTextToggles();
    void AddView();
    void AddSettings();
    void AddPicture();
    void AddPlayback();
    void AddTools();
    void AddEffects();
    void AddHelp();
    void AddLanguages();
    Command& Add(Command c);

    Document& doc_;
    AppCommands& app_;
    std::vector<Command> commands_;
    std::vector<ToolBarLayout> bars_;
    std::vector<QString> menus_;
};

}  // namespace zv
