#include "engine/graphics/FontSpec.h"

#include <set>
#include <string>

#include "engine/core/MessageBox.h"
#include "engine/platform/text/FontFace.h"

namespace veru::dxt {

namespace {

// Shows why a font could not be made, once per run for each reason: text is
// drawn every frame, and one box tells the player all there is to know.
void reportOnce(const std::string& error) {
    static std::set<std::string> reported;
    if (reported.insert(error).second)
        awt::showError(YString::fromUtf8(error), u"FontSpec::font()");
}

}  // namespace

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
        dropFont();
    }
    return *this;
}

void FontSpec::setFace(const YString& f) {
    face = f.size() > maxFaceLength ? f.substring(0, maxFaceLength) : f;
    dropFont();
}

void FontSpec::setSize(int s) {
    size = s;
    dropFont();
}

void FontSpec::setStyle(int s) {
    style = s;
    dropFont();
}

void FontSpec::setEscapement(int e) {
    escapement = e;
}

void FontSpec::dropFont() {
    made.reset();
    failed = false;
}

platform::FontFace* FontSpec::font() const {
    if (!made && !failed) {
        std::string error;
        made = platform::FontFace::open(face, size, (style & styleBold) != 0,
                                        (style & styleItalic) != 0, error);
        // A failure is kept until the settings change: looking the face up
        // again on every draw would cost a font search each frame.
        failed = !made;
        if (failed)
            reportOnce(error);
    }
    return made.get();
}

}  // namespace veru::dxt
