#pragma once
// A text item: one line of text placed on a frame, with its font, colour and
// position. A frame keeps its text items in a ring whose anchor holds no text.

#include <QByteArray>
#include <QDataStream>
#include <QFont>
#include <QString>

#include <cstdint>
#include <memory>

#include "gdi/Geometry.h"
#include "gdi/LogFont.h"

class QPainter;

namespace zv {

// The six values that open every text record of a scheme file.
struct TextRecordHeader {
    std::int32_t type = 4;
    std::int32_t kind = 0;  // 4 for a text item, 0 in the end header
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t textColour = 0;
    std::int32_t bodySize = 0;

    bool IsItem() const { return kind == 4; }
    bool Read(QDataStream& in);
};

class CNeonChar {
public:
    CNeonChar();
    virtual ~CNeonChar();
    CNeonChar(const CNeonChar&) = delete;
    CNeonChar& operator=(const CNeonChar&) = delete;

    // Ring anchor only: a new empty item linked as the last one.
    CNeonChar* AppendText();

    // Writes the text over what lies below, transparently, clipped to `clip` (the
    // frame's drawing rectangle).
    void Draw(QPainter& p, const Rect& clip) const;

    // `other` gets this item's text, colour, font description (and a font made from
    // it) and position, and stands alone afterwards. `other` must not be in a ring.
    void CopyTo(CNeonChar& other) const;
    std::unique_ptr<CNeonChar> Clone() const;

    // The record: the header (second value 4 with `body`, 0 for the end header that
    // the ring's anchor writes), then with `body` the 60-byte font description and
    // the text bytes.
    void Save(QDataStream& out, bool body) const;
    // Reads the body after the caller has read the header, made the item and set x,
    // y and textColour. False, with the item unchanged, when the body size is under
    // 60 or runs past the stream.
    bool Load(QDataStream& in, std::int32_t bodySize);

    // Sets x, y and textColour from a record header.
    void TakeHeader(const TextRecordHeader& h);

    const LogFont& GetLogFont() const { return logFont; }
    // Replaces the description and makes the font again.
    void SetLogFont(const LogFont& lf);

    // The text as stored (GBK bytes) and as shown.
    const QByteArray& TextBytes() const { return text; }
    void SetTextBytes(const QByteArray& bytes);
    QString Text() const { return shownText; }
    void SetText(const QString& s);

    const QFont& Font() const { return font; }

    CNeonChar* next = nullptr;
    CNeonChar* prev = nullptr;
    COLORREF textColour = 0;
    std::int32_t y = 0;
    std::int32_t x = 0;

private:
    void MakeFontFromLogFont();

    QFont font;
    LogFont logFont;
    QByteArray text;
    QString shownText;  // `text` decoded once, not on every draw
    qreal ascent = 0;   // of `font`: GDI places text by its top, Qt by its baseline
};

}  // namespace zv
