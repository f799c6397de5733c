#pragma once
// The font new texts take: the face and size chosen on the text tool bar with its
// bold, italic and underline toggles, turned into the 60-byte font description every
// text item stores.

#include <QFont>
#include <QString>

#include <cstdint>

#include "gdi/LogFont.h"

namespace zv {

class TextFont {
public:
    TextFont();

    // `stored` is the face's own description as the font list enumerates it; its
    // height and width give the proportions a chosen size keeps.
    void SetFace(const QString& face, const LogFont& stored);
    void SetSize(std::int32_t size) { size_ = size; }
    void SetBold(bool on) { bold_ = on; }
    void SetItalic(bool on) { italic_ = on; }
    void SetUnderline(bool on) { underline_ = on; }
    // Takes face, size and toggles back from a description (a text opened for
    // editing keeps its own font).
    void Take(const LogFont& lf);

    const QString& Face() const { return face_; }
    std::int32_t Size() const { return size_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }

    // Height = size x 5; width scaled from the stored description by the same ratio
    // as the height; weight 700 or 400; italic and underline bytes 1 or 0.
    LogFont Description() const;
    QFont Font() const { return MakeFont(Description()); }

    // The description the font list gives a face here: height 16 and the face's own
    // average character width at that height.
    static LogFont StoredDescription(const QString& face);

private:
    QString face_;
    LogFont stored_;
    std::int32_t size_ = 12;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
};

}  // namespace zv
