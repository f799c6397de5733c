// The interface in English and Chinese, the language setting, and the user guide
// opened by 帮助.

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QToolBar>
#include <QTranslator>

#include "WindowFixture.h"
#include "app/AboutDialog.h"
#include "app/DataFiles.h"
#include "app/Language.h"
#include "app/ParamBar.h"
#include "dialogs/CopyFrameDialog.h"
#include "dialogs/GridDialog.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/TextToolBar.h"
#include "model/FrameCategoryNames.h"

namespace zv {
namespace {

const QRegularExpression kChinese(
    QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

// Removes every translator the test installed, so later tests see the source texts.
void RemoveTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// Every text a user can see on `root` and the widgets, actions and menus below it.
QStringList VisibleTexts(QWidget* root) {
    QStringList texts;
    auto widget = [&](QWidget* w) {
        texts << w->windowTitle() << w->toolTip() << w->statusTip() << w->whatsThis()
              << w->accessibleName() << w->accessibleDescription();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts << m->title();
        // The font box lists the installed font families, which are names, not texts.
        if (auto* c = qobject_cast<QComboBox*>(w); c && c->objectName() != QStringLiteral("32853"))
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        for (QAction* a : w->actions())
            texts << a->text() << a->iconText() << a->toolTip() << a->statusTip();
    };
    widget(root);
    for (QWidget* w : root->findChildren<QWidget*>()) widget(w);
    for (QAction* a : root->findChildren<QAction*>())
        texts << a->text() << a->iconText() << a->toolTip() << a->statusTip();
    return texts;
}

QStringList ChineseTexts(QWidget* root) {
    QStringList found;
    for (const QString& t : VisibleTexts(root))
        if (t.contains(kChinese)) found << t;
    found.removeDuplicates();
    return found;
}

// The English translation as the program loads it, for one test.
class EnglishWindowTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallTranslations(*qApp, LanguageChoice::English))
            << "translations/zorvane_en.qm is not built";
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        RemoveTranslators();
    }
};

TEST_F(EnglishWindowTest, NoChineseTextInTheWindowItsMenusBarsOrDialogs) {
    // Show every bar that starts hidden, so their texts are built too.
    frame->TextBar()->show();
    Pump();
    EXPECT_EQ(ChineseTexts(frame.get()), QStringList());

    GridDialog grid({4, 5}, frame.get());
    EXPECT_EQ(ChineseTexts(&grid), QStringList());
    ScaleDialog scale(50, frame.get());
    EXPECT_EQ(ChineseTexts(&scale), QStringList());
    CopyFrameDialog copy(frame.get());
    EXPECT_EQ(ChineseTexts(&copy), QStringList());
    AboutDialog about(frame.get());
    EXPECT_EQ(ChineseTexts(&about), QStringList());
}

TEST_F(EnglishWindowTest, MenusCommandsAndCategoryInEnglish) {
    QStringList menus;
    for (QAction* a : frame->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Settings", "P&icture", "&Play",
                                  "&Tools", "Effe&cts", "&Help"}));
    EXPECT_EQ(frame->Action(32925)->text(), QStringLiteral("Export &Video..."));
    EXPECT_EQ(frame->Action(57600)->text(), QStringLiteral("&New"));
    EXPECT_EQ(frame->Action(57600)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame->Action(32792)->toolTip(), QStringLiteral("Play"));
    EXPECT_EQ(frame->Action(32792)->statusTip(), QStringLiteral("Play the animation"));
    // Composed texts: the effect's English name, the tool's text from its tip.
    EXPECT_EQ(frame->Action(32804)->statusTip(),
              QStringLiteral("Apply an effect to the current region: Shift--Right"));
    EXPECT_EQ(frame->Action(32881)->text(), QStringLiteral("Select && drag"));
    EXPECT_EQ(frame->Action(32835)->statusTip(),
              QStringLiteral("Move the objects of the current layer"));
    EXPECT_EQ(frame->Action(32835)->toolTip(), QStringLiteral("Move Up"));

    auto* category = frame->ParamBar()->findChild<QLabel*>(QStringLiteral("1030"));
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->text(), QStringLiteral("Frame type: Normal frame"));
}

TEST(FrameCategoryNamesTest, EnglishNamesOnlyInTheInterfaceTheDataStaysChinese) {
    EXPECT_EQ(FrameCategoryDisplayName(0), QStringLiteral("普通帧"));
    EXPECT_EQ(FrameCategoryDisplayName(26), QStringLiteral("平移--交错--竖直"));
    EXPECT_EQ(FrameCategoryDisplayName(58), QStringLiteral("58"));
    EXPECT_EQ(FrameCategoryDisplayName(-1), QStringLiteral("-1"));

    ASSERT_TRUE(InstallTranslations(*qApp, LanguageChoice::English));
    const std::pair<int, const char*> expected[] = {
        {0, "Normal frame"},
        {1, "Shift--Left"},
        {3, "Shift--Interleave--Horizontal"},
        {26, "Shift--Interleave--Vertical"},
        {30, "Converge--Edges--Vertical"},
        {45, "Erode--Centre--Vertical"},
        {48, "Gradient--Fade in"},
        {53, "Gradient--One colour--Left"},
        {57, "Effect frame"},
    };
    for (const auto& [n, name] : expected) EXPECT_EQ(FrameCategoryDisplayName(n), name) << n;
    for (int n = 0; n < int(FrameCategoryCount); ++n)
        EXPECT_FALSE(FrameCategoryDisplayName(n).contains(kChinese)) << n;
    EXPECT_EQ(FrameCategoryNames()[1], QStringLiteral("平移--左"));
    RemoveTranslators();
}

TEST(LanguageTest, ChineseOnlyWhenChosenOrTheSystemSpeaksIt) {
    const QLocale zh(QLocale::Chinese, QLocale::China);
    const QLocale tw(QLocale::Chinese, QLocale::Taiwan);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_TRUE(InterfaceIsChinese(LanguageChoice::System, zh));
    EXPECT_TRUE(InterfaceIsChinese(LanguageChoice::System, tw));
    EXPECT_FALSE(InterfaceIsChinese(LanguageChoice::System, en));
    EXPECT_FALSE(InterfaceIsChinese(LanguageChoice::System, de));
    EXPECT_FALSE(InterfaceIsChinese(LanguageChoice::System, QLocale::c()));
    EXPECT_FALSE(InterfaceIsChinese(LanguageChoice::English, zh));
    EXPECT_TRUE(InterfaceIsChinese(LanguageChoice::Chinese, en));
}

TEST(LanguageTest, ChineseInterfaceTranslatesQtsOwnDialogTexts) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "qtbase_zh_CN.qm is not installed (scripts/bootstrap installs it)";
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    ASSERT_TRUE(InstallTranslations(*qApp, LanguageChoice::Chinese, en));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("是(&Y)"));
    RemoveTranslators();
    QDialogButtonBox english(QDialogButtonBox::Cancel);
    EXPECT_EQ(english.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

class LanguageSettingTest : public WindowTest {
protected:
    void SetUp() override {
        QSettings().remove(QStringLiteral("interface/language"));
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        QSettings().remove(QStringLiteral("interface/language"));
    }
    QStringList Checked() {
        QStringList ids;
        for (int id : {33001, 33002, 33003})
            if (frame->Action(id)->isChecked()) ids << QString::number(id);
        return ids;
    }
};

TEST_F(LanguageSettingTest, SettingsMenuStoresTheChoiceAndSaysWhenItApplies) {
    EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::System);
    frame->RefreshCommands();
    EXPECT_EQ(Checked(), QStringList{"33001"});
    EXPECT_EQ(frame->Action(33003)->text(), QStringLiteral("英文(&E)"));

    QString message;
    OnNextModal([&](QWidget* w) {
        if (auto* label = w->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            message = label->text();
        w->close();
    });
    Trigger(33003);
    EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::English);
    EXPECT_EQ(message, QStringLiteral("界面语言将在 Zorvane 下次启动时更改。"));
    frame->RefreshCommands();
    EXPECT_EQ(Checked(), QStringList{"33003"});

    OnNextModal();
    Trigger(33002);
    EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::Chinese);
    frame->RefreshCommands();
    EXPECT_EQ(Checked(), QStringList{"33002"});

    // An unknown stored value follows the system.
    QSettings().setValue(QStringLiteral("interface/language"), QStringLiteral("xx"));
    EXPECT_EQ(StoredLanguageChoice(), LanguageChoice::System);
}

// Receives the URLs QDesktopServices would hand to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

TEST_F(WindowTest, HelpOpensTheBuiltUserGuideInTheBrowser) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    EXPECT_EQ(frame->Action(32862)->shortcut(), QKeySequence(Qt::Key_F1));
    Trigger(32862);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    const QString guide = DataFile(QStringLiteral("help/user-guide.html"));
    ASSERT_FALSE(guide.isEmpty()) << "the user guide is not built";
    ASSERT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(guide)});

    QFile f(guide);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Zorvane user guide</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>Draw regions</h2>")));
    // Every picture the guide shows is beside it.
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (auto m = image.globalMatch(html); m.hasNext(); ++images) {
        const QString src = m.next().captured(1);
        EXPECT_TRUE(QFileInfo(QFileInfo(guide).dir().filePath(src)).isFile()) << src.toStdString();
    }
    EXPECT_GE(images, 4);
}

}  // namespace
}  // namespace zv

#include "LanguageTest.moc"
