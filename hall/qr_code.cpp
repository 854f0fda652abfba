#include "hall/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace {
constexpr int kQuietZone = 4;
}

QImage QrCodeImage(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code) {
        return {};
    }
    const int size = code->width + 2 * kQuietZone;
    QImage image(size, size, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // The lowest bit of each module says whether it is dark.
            if (code->data[y * code->width + x] & 1) {
                image.setPixel(x + kQuietZone, y + kQuietZone, 1);
            }
        }
    }
    return image;
}
