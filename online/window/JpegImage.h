#pragma once
// JPEG pictures decoded by libjpeg. A damaged or truncated picture gives a null image: libjpeg's
// own error handler would end the program, and its warnings would show a half-grey picture.
#include <QByteArray>
#include <QImage>

QImage DecodeJpeg(const QByteArray &data);
