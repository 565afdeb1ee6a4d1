#include "engine/graphics/FontSpec.h"

#include <string>

#include "engine/platform/text/FontFace.h"

namespace veru::dxt {

FontSpec::FontSpec() : face(u"default") {}

FontSpec::FontSpec(const YString& f, int s, int st, int e) : size(s), style(st), escapement(e) {
    setFace(f);
}

FontSpec::~FontSpec() = default;

FontSpec::FontSpec(const FontSpec& other)
    : size(other.size), style(other.style), escapement(other.escapement), face(other.face) {}

FontSpec& FontSpec::operator=(const FontSpec& other) {
    if (this != &other) {
        size = other.size;
        style = other.style;
        escapement = other.escapement;
        face = other.face;
        made.reset();
    }
    return *this;
}

void FontSpec::setFace(const YString& f) {
    face = f.size() > maxFaceLength ? f.substring(0, maxFaceLength) : f;
    made.reset();
}

void FontSpec::setSize(int s) {
    size = s;
    made.reset();
}

void FontSpec::setStyle(int s) {
    style = s;
    made.reset();
}

void FontSpec::setEscapement(int e) {
    escapement = e;
}

platform::FontFace* FontSpec::font() const {
    if (!made) {
        std::string error;
        made = platform::FontFace::open(face, size, (style & styleBold) != 0,
                                        (style & styleItalic) != 0, error);
    }
    return made.get();
}

}  // namespace veru::dxt
