#pragma once
// BaseComponent: a rectangle on the screen with colours and a font — the
// common part of the window frame and the menu components.
//
// Ownership: owns its FontSpec. Thread: main thread only.

#include "engine/graphics/Color.h"
#include "engine/graphics/FontSpec.h"

namespace veru::awt {

class BaseComponent {
  public:
    BaseComponent();
    virtual ~BaseComponent();

    void setBounds(int x, int y, int width, int height);
    void setLocation(int x, int y);
    int getX() const { return x; }
    int getY() const { return y; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    void setBackground(const dxt::Color& color) { background = color; }
    void setForeground(const dxt::Color& color) { foreground = color; }
    const dxt::Color& getBackground() const { return background; }
    const dxt::Color& getForeground() const { return foreground; }
    void setFont(const dxt::FontSpec& spec) { font = spec; }
    const dxt::FontSpec& getFont() const { return font; }

  protected:
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    dxt::Color background{255, 255, 255, 255};
    dxt::Color foreground{0, 0, 0, 255};
    dxt::FontSpec font;
};

}  // namespace veru::awt
