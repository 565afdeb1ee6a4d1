#pragma once
// turnPicture: a rectangle of a picture scaled, mirrored and turned on the
// CPU into a new upright picture, the way the software renderer would draw
// it, so that the result can be kept and copied 1:1 on every later frame.
//
// The rectangle `source` of the picture is stretched over a `width` x
// `height` rectangle, mirrored on the axes asked, and turned `angle` degrees
// clockwise on the screen about (centreX, centreY) of that rectangle. The
// turning centre lies at (pivotX, pivotY) of a pixel grid (each 0 <= value < 1,
// the fraction of the centre's screen position); the result covers every
// pixel the turned rectangle touches, placed at (left, top) of that grid.
// Pixels are sampled at their centres, bilinearly (`smooth`) or nearest.
// `opaque` takes every texel as fully opaque (a picture drawn without
// blending): the result is opaque wherever the rectangle covers and clear
// elsewhere, so blending it paints the turned rectangle and nothing around it.
//
// Thread: any thread (pure function).

#include <cstdint>
#include <vector>

namespace veru::platform {

struct TurnRequest {
    const std::uint32_t* pixels = nullptr;  // the picture, ARGB, rows of `pictureWidth`
    int pictureWidth = 0;
    int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
    int width = 0, height = 0;
    float centreX = 0.0f, centreY = 0.0f;
    float pivotX = 0.0f, pivotY = 0.0f;
    double angle = 0.0;
    bool mirrorX = false, mirrorY = false;
    bool smooth = true;
    bool opaque = false;
};

struct TurnedImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // ARGB, not premultiplied
};

TurnedImage turnPicture(const TurnRequest& request);

}  // namespace veru::platform
