#pragma once
// The animation: a circular list of frames closed by an anchor frame that is never
// shown, with the current frame, its 1-based index and the defaults for new regions.

#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

#include "model/NeonFrame.h"

namespace zv {

class CNeonBkg;

// What the user is told about a scheme file that cannot be read.
inline const QString kFileFormatError =
    QString::fromUtf8(QT_TRANSLATE_NOOP("zv::Document", "文件格式错误，读取失败!"));

class CNeonAv {
public:
    CNeonAv();
    virtual ~CNeonAv();
    CNeonAv(const CNeonAv&) = delete;
    CNeonAv& operator=(const CNeonAv&) = delete;

    // `after` null means the anchor's next frame (the anchor itself for an empty list).
    CNeonFrame* InsertAfter(CNeonFrame* after, bool takeLayout);
    void CreateFirstFrame();
    int DeleteFrame(CNeonFrame* frame, bool moveCurrent);
    CNeonFrame* GetFrameAt(std::int32_t n) const;
    void Recount();
    void Clear();

    // The whole animation and the background, as a version 4 scheme file. False when
    // the device did not take every byte.
    bool SaveScheme(QIODevice& file, const CNeonBkg& background) const;
    // Replaces the frames, the region defaults and the background with the scheme in
    // `file`. All or nothing: on any fault (kFileFormatError) the animation and the
    // background stay exactly as they were. `version`, when given, gets the file's
    // version word.
    bool LoadScheme(QIODevice& file, CNeonBkg& background, std::int32_t* version = nullptr);
    // The same through a path. Saving first keeps an existing file as its backup
    // (".bak", ".bak.bak", ...); false, with `error` telling why, when the file could
    // not be written completely.
    bool SaveSchemeFile(const QString& path, const CNeonBkg& background,
                        QString* error = nullptr) const;
    bool LoadSchemeFile(const QString& path, CNeonBkg& background, std::int32_t* version = nullptr,
                        QString* error = nullptr);
    // 1 when words 1, 3, 4 and 5 are the scheme signature (version and last word free).
    static int CheckSignature(std::span<const std::int32_t, 6> words);

    CNeonFrame* First() const { return anchor->next == anchor.get() ? nullptr : anchor->next; }
    CNeonFrame* Last() const { return anchor->prev == anchor.get() ? nullptr : anchor->prev; }

    CNeonFrame* currentFrame = nullptr;
    std::unique_ptr<CNeonFrame> anchor;
    std::int32_t frameCount = 0;
    std::int32_t currentIndex = 0;
    float defaultZoom = 1.0f;
    std::int32_t defaultRows = 1;
    std::int32_t defaultCols = 24;
};

}  // namespace zv
