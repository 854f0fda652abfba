#include <QStringDecoder>
#include <QStringEncoder>

#include "foundation/gbk_codec.h"

namespace gbk_codec {

bool Available() {
    static const bool available = QStringEncoder("GBK").isValid();
    return available;
}

// Opening a converter is far dearer than a short conversion, so each thread keeps one; being
// stateless, they carry nothing from one call to the next.
QByteArray Encode(QStringView text) {
    thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString Decode(QByteArrayView bytes) {
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

}  // namespace gbk_codec
