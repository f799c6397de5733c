#include "gdi/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zv {

// Qt knows this codec by name only (through ICU); encodingForName() does not list it.
static constexpr char kCodec[] = "GB18030";

QString DecodeGbk(QByteArrayView bytes) {
    if (bytes.isEmpty()) return {};
    QStringDecoder decoder(kCodec);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray EncodeGbk(QStringView text) {
    if (text.isEmpty()) return {};
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid()) return text.toLatin1();
    return encoder.encode(text);
}

}  // namespace zv
