#pragma once
// Blend mode codes of the quad draws. Any other value draws opaque.

namespace veru::dxt {

inline constexpr int BlendAlphaSmooth = 0xAAAAAB;    // alpha blending, linear filter
inline constexpr int BlendAlphaPoint = 0xAAAAAC;     // alpha blending, point filter
inline constexpr int BlendAdd = 0xAAAAAD;            // added to the picture, linear filter
inline constexpr int BlendAlphaModulate = 0xAAAAAE;  // alpha blending, point filter
inline constexpr int BlendOpaque = 0;                // no blending, linear filter

}  // namespace veru::dxt
