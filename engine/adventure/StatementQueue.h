#pragma once
// StatementQueue: the talk script's lines still to run, in file order.
//
// Thread: main thread only.
// Failure: pop on an empty queue throws EmptyException.

#include <deque>

#include "engine/core/YString.h"

namespace veru::adv {

class StatementQueue {
  public:
    void push(const YString& statement) { lines.push_back(statement); }
    YString pop();
    bool isEmpty() const { return lines.empty(); }
    void clear() { lines.clear(); }
    std::size_t size() const { return lines.size(); }

  private:
    std::deque<YString> lines;
};

}  // namespace veru::adv
