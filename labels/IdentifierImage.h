#pragma once

#include <QImage>

class IdentifierCode;

// The identifier's QR code as an image, dark on light with its quiet zone, each module a square of pixelsPerModule
// pixels: 4 or more, for a phone's camera to read it off a screen.
QImage identifierImage(const IdentifierCode& code, int pixelsPerModule = 6);
