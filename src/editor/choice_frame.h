#pragma once

#include <QImage>
#include <QRect>

// Frames the chosen cell of a palette: a black line around a white one, which shows on any art.
void DrawChoiceFrame(QImage& image, const QRect& cell);
