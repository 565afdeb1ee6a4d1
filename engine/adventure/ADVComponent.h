#pragma once
// ADVComponent: one element of a talk scene (background, talk window,
// sentence). Each frame update gets the button word and answers whether the
// component is idle; the scene runs its next statements only when the talk
// window and the sentence are both idle.
//
// Thread: main thread only.

namespace veru::dxt {
class DirectGraphics;
}

namespace veru::adv {

class ADVComponent {
  public:
    virtual ~ADVComponent() = default;
    // Advances one frame; true when idle.
    virtual bool update(int buttons) = 0;
    virtual void draw(dxt::DirectGraphics& graphics) = 0;

    void drawIfVisible(dxt::DirectGraphics& graphics) {
        if (visible)
            draw(graphics);
    }
    void setPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }
    void setVisible(bool on) { visible = on; }
    bool isVisible() const { return visible; }
    int getX() const { return x; }
    int getY() const { return y; }

  protected:
    bool visible = true;
    int x = 0;
    int y = 0;
};

}  // namespace veru::adv
