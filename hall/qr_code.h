#pragma once
// A QR code of an address, for a phone's camera to open it from the console.

#include <QImage>
#include <QString>

// The code of `text`, one pixel per module, dark modules black on white, with the standard
// quiet zone of four modules; a null image when the text cannot be encoded.
QImage QrCodeImage(const QString& text);
