#pragma once
// YByte: a boxed byte value (0 by default).

namespace veru {

class YByte {
  public:
    YByte() = default;
    explicit YByte(int value) : value(value & 0xFF) {}
    virtual ~YByte() = default;

    int getValue() const { return value; }
    void setValue(int v) { value = v & 0xFF; }

  private:
    int value = 0;
};

}  // namespace veru
