#pragma once
// StatementQueue: the talk script's lines still to run, in file order, each
// with the line it came from.
//
// Thread: main thread only.
// Failure: pop on an empty queue throws EmptyException.

#include <deque>

#include "engine/adventure/TalkScriptFile.h"

namespace veru::adv {

class StatementQueue {
  public:
    void push(const YString& statement, int line = 0) { lines.push_back({statement, line}); }
    TalkLine pop();
    bool isEmpty() const { return lines.empty(); }
    void clear() { lines.clear(); }
    std::size_t size() const { return lines.size(); }

  private:
    std::deque<TalkLine> lines;
};

}  // namespace veru::adv
