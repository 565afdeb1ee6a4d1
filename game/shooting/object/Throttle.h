#pragma once
// Throttle: lets one call in `every` through (the first `every` - 1 calls
// only count). Used for the rings and beams bosses fire every few periods.

namespace ml::shooting::object {

class Throttle {
  public:
    explicit Throttle(int every_) : every(every_ < 1 ? 1 : every_) {}

    // True on every `every`-th call.
    bool pass() {
        if (count < every - 1) {
            count += 1;
            return false;
        }
        count = 0;
        return true;
    }
    int getCount() const { return count; }

  private:
    int every;
    int count = 0;
};

}  // namespace ml::shooting::object
