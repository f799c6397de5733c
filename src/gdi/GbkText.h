#pragma once
// Text bytes as the program stores them (GBK, the Chinese Windows code page) and the
// Unicode text Qt shows. Both directions go through GB18030, the superset of GBK that
// can write every Unicode character, so nothing a user types is lost: characters
// GBK has keep their GBK bytes, the others take GB18030's four-byte forms.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zv {

QString DecodeGbk(QByteArrayView bytes);
QByteArray EncodeGbk(QStringView text);

}  // namespace zv
