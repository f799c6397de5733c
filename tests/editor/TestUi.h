#pragma once
// An editor window over an image that remembers what the editor asked of it.

#include <QCoreApplication>
#include <QImage>

#include <optional>
#include <utility>
#include <vector>

#include "editor/CommandTable.h"
#include "editor/Document.h"
#include "gdi/WindowMessages.h"

namespace zv {

class TestUi : public EditorUi {
public:
    TestUi() : image(640, 480, QImage::Format_RGB32) { image.fill(Qt::black); }

    QImage& Screen() override { return image; }
    void ShowFrameCounter(int c, int i) override {
        count = c;
        index = i;
        counterText = QStringLiteral("(%1/%2)").arg(i).arg(c);
    }
    void SetCategoryText(const QString& t) override { category = t; }
    void ShowMousePoint(int x, int y) override { mouse = {x, y}; }
    void ShowTextToolBar(bool show) override { textBar = show; }
    void StateChanged() override { ++stateChanges; }
    void OpenTextEditor(Point at, const QFont&, const QString& text) override {
        editorOpen = true;
        editorAt = at;
        editorText = text;
    }
    QString TextEditorText() const override { return editorText; }
    void CloseTextEditor() override {
        editorOpen = false;
        editorText.clear();
    }
    void SimulateClicks(Point p, int pairs) override { simulated.push_back({p, pairs}); }
    void ShowPositionBar(bool show) override { positionBar = show; }
    void ShowMessage(const QString& text, const QString& caption, MessageIcon) override {
        messages.push_back(caption + QLatin1Char('|') + text);
    }
    std::optional<QString> AskCopyFrameNumber() override { return copyFrameAnswer; }
    QString ChoosePictureFile() override { return pictureFile; }
    void SetMouseCapture(bool on) override { captured = on; }

    QImage image;
    int count = 0;
    int index = 0;
    QString counterText;
    QString category;
    Point mouse{-1, -1};
    bool textBar = false;
    int stateChanges = 0;
    bool editorOpen = false;
    Point editorAt;
    QString editorText;
    std::vector<std::pair<Point, int>> simulated;
    bool positionBar = false;
    std::vector<QString> messages;
    std::optional<QString> copyFrameAnswer;
    QString pictureFile;
    bool captured = false;
};

// The window commands, counted.
class TestApp : public AppCommands {
public:
    void Exit() override { ++exits; }
    void About() override { ++abouts; }
    void Help() override { ++helps; }
    void ToggleBar(int id) override { toggled.push_back(id); }
    bool BarVisible(int) const override { return true; }
    int exits = 0;
    int abouts = 0;
    int helps = 0;
    std::vector<int> toggled;
};

// Counts the messages the editor posts to itself.
class MessageSpy : public QObject {
public:
    explicit MessageSpy(QObject* target) { target->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (const int um = MessageOfEventType(e->type())) seen.push_back(um);
        return false;
    }
    int Count(int um) const {
        int n = 0;
        for (int m : seen) n += m == um;
        return n;
    }
    std::vector<int> seen;
};

// A document drawing into a TestUi (or one made from it), with its command table.
template <class Ui = TestUi>
struct EditorWith {
    EditorWith() {
        doc.SetUi(&ui);
        doc.DrawCurrentFrame(1);
    }
    ~EditorWith() { doc.SetUi(nullptr); }
    // Delivers what the editor posted to itself.
    static void Pump() { QCoreApplication::sendPostedEvents(); }

    Ui ui;
    TestApp app;
    Document doc;
    CommandTable table{doc, app};
};
using Editor = EditorWith<>;

}  // namespace zv
